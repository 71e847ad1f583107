#include "rawdata/ui/RawDataRecordComboBoxEx.h"

#include "framework/ui/Icons.h"
#include "rawdata/RawFieldEditorModel.h"
#include "views/ui/RawDataListCtrl.h"

CRawDataRecordComboBoxEx::CRawDataRecordComboBoxEx(wxWindow* parent, wxWindowID id, CIcons* icons)
    : CEasyComboBoxEx(parent, id), m_icons(icons)
{
    FillItems();
}

void CRawDataRecordComboBoxEx::FillItems()
{
    Enable(true);
    Clear();
    // The same images as the raw data list's, type for type.
    CIcons* icons = m_icons;
    std::vector<wxBitmap> images;
    std::map<int32_t, int32_t> typeImages;
    CRawDataListCtrl::BuildImageList(images, typeImages,
                                     [icons](int32_t icon) { return icons ? icons->GetIcon(uint32_t(icon), true) : nullptr; });
    const std::vector<std::string> choices = RawRecordTypeChoices();
    for (size_t type = 0; type < choices.size(); ++type) {
        const auto image = typeImages.find(int32_t(type));
        Append(wxString::FromUTF8(choices[type]), image != typeImages.end() ? images[size_t(image->second)] : wxNullBitmap);
    }
}
