#include "framework/ui/FileDialog.h"

std::string CFileDialog::GetChosenPath() const
{
    return m_chosen.empty() ? GetPath().utf8_string() : m_chosen;
}

std::vector<std::string> CFileDialog::GetChosenPaths() const
{
    if (!m_chosen.empty() || !HasFlag(wxFD_MULTIPLE))
        return {GetChosenPath()};
    wxArrayString paths;
    GetPaths(paths);
    std::vector<std::string> chosen;
    for (const wxString& path : paths)
        chosen.push_back(path.utf8_string());
    return chosen;
}
