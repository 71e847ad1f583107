#include "transfer/ui/DriveComboBoxEx.h"

#include <wx/artprov.h>

namespace {

wxBitmap PlaceBitmap(const CPlace& place)
{
    const wxArtID art = place.data == PlaceDesktop     ? wxArtID("user-desktop")
                        : place.data == PlaceDocuments ? wxArtID("folder-documents")
                        : place.path == "/"            ? wxART_HARDDISK
                                                       : wxArtID("drive-removable-media");
    wxBitmap bitmap = wxArtProvider::GetBitmap(art, wxART_OTHER, wxSize(16, 16));
    if (!bitmap.IsOk())
        bitmap = wxArtProvider::GetBitmap(place.data == PlaceDrive ? wxART_HARDDISK : wxART_FOLDER, wxART_OTHER,
                                          wxSize(16, 16));
    return bitmap;
}

} // namespace

CDriveComboBoxEx::CDriveComboBoxEx(wxWindow* parent, wxWindowID id) : CEasyComboBoxEx(parent, id) {}

void CDriveComboBoxEx::Fill() { Fill(ListSystemPlaces()); }

void CDriveComboBoxEx::Fill(const std::vector<CPlace>& places)
{
    Freeze();
    Clear();
    m_images.RemoveAll();
    m_places = places;
    for (const CPlace& place : m_places) {
        const wxBitmap bitmap = PlaceBitmap(place);
        if (bitmap.IsOk() && bitmap.GetSize() == wxSize(16, 16))
            m_images.Add(bitmap);
        Append(wxString::FromUTF8(place.text), bitmap);
    }
    Thaw();
}

bool CDriveComboBoxEx::GetSelection(std::string& path, bool& isSpecialFolder) const
{
    const int selected = CEasyComboBoxEx::GetSelection();
    if (selected < 0 || size_t(selected) >= m_places.size())
        return false;
    path = m_places[size_t(selected)].path;
    isSpecialFolder = m_places[size_t(selected)].data != PlaceDrive;
    return true;
}

void CDriveComboBoxEx::SelectPath(const std::string& path)
{
    SetSelection(FindPlaceForPath(m_places, path));
}
