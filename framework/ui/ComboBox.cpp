#include "framework/ui/ComboBox.h"

CEasyComboBox::CEasyComboBox(wxWindow* parent, wxWindowID id, long style)
    : wxComboBox(parent, id, wxString(), wxDefaultPosition, wxDefaultSize, 0, nullptr, style)
{
}

void CEasyComboBox::AppendWithData(const wxString& text, uint32_t data)
{
    Append(text, reinterpret_cast<void*>(uintptr_t(data)));
}

uint32_t CEasyComboBox::GetItemData(unsigned int item) const
{
    if (item >= GetCount() || !HasClientUntypedData())
        return 0;
    return uint32_t(reinterpret_cast<uintptr_t>(GetClientData(item)));
}

int CEasyComboBox::SelectItemData(uint32_t data)
{
    for (unsigned int i = 0; i < GetCount(); ++i) {
        if (GetItemData(i) == data) {
            SetSelection(int(i));
            return int(i);
        }
    }
    SetSelection(wxNOT_FOUND);
    return -1;
}

CEasyComboBoxEx::CEasyComboBoxEx(wxWindow* parent, wxWindowID id)
    : wxBitmapComboBox(parent, id, wxString(), wxDefaultPosition, wxDefaultSize, 0, nullptr, wxCB_READONLY),
      m_images(16, 16, true, 0)
{
}
