#pragma once

#include <wx/bmpcbox.h>
#include <wx/combobox.h>
#include <wx/imaglist.h>

#include <cstdint>

// A combo box whose items carry a number and can be selected by it.
class CEasyComboBox : public wxComboBox
{
public:
    CEasyComboBox(wxWindow* parent, wxWindowID id, long style = wxCB_READONLY);

    void AppendWithData(const wxString& text, uint32_t data);
    uint32_t GetItemData(unsigned int item) const;
    // Selects the first item carrying the number and returns its index; with none, clears the
    // selection and returns -1.
    int SelectItemData(uint32_t data);
};

// A combo box with pictures; derived choosers keep their pictures in the image list.
class CEasyComboBoxEx : public wxBitmapComboBox
{
public:
    CEasyComboBoxEx(wxWindow* parent, wxWindowID id);

protected:
    wxImageList m_images;
};
