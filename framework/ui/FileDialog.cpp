#include "framework/ui/FileDialog.h"

std::string CFileDialog::GetChosenPath() const
{
    return m_chosen.empty() ? GetPath().utf8_string() : m_chosen;
}
