#include "rawdata/ui/RawDataRecordComboBoxEx.h"

#include "framework/ui/Icons.h"
#include "rawdata/RawFieldEditorModel.h"
#include "views/RawDataListModel.h"

CRawDataRecordComboBoxEx::CRawDataRecordComboBoxEx(wxWindow* parent, wxWindowID id, CIcons* icons)
    : CEasyComboBoxEx(parent, id), m_icons(icons)
{
    FillItems();
}

void CRawDataRecordComboBoxEx::FillItems()
{
    Enable(true);
    Clear();
    const std::vector<std::string> choices = RawRecordTypeChoices();
    for (size_t type = 0; type < choices.size(); ++type) {
        const int32_t image = GetRecordTypeImage(int32_t(type));
        const wxBitmap* bitmap = nullptr;
        if (m_icons && image >= 0 && size_t(image) < RawListIcons.size())
            bitmap = m_icons->GetIcon(uint32_t(RawListIcons[size_t(image)]), true);
        Append(wxString::FromUTF8(choices[type]), bitmap ? *bitmap : wxNullBitmap);
    }
}
