#pragma once

#include "framework/ui/ComboBox.h"
#include "transfer/browse/DrivePlaces.h"

#include <string>
#include <vector>

// The places to browse from: the desktop, the documents folder and every mounted file system,
// each with its picture; finds the entry that holds a path.
class CDriveComboBoxEx : public CEasyComboBoxEx
{
public:
    CDriveComboBoxEx(wxWindow* parent, wxWindowID id);

    // Rebuilds the entries from this computer's places.
    void Fill();
    // Rebuilds the entries from the places given.
    void Fill(const std::vector<CPlace>& places);
    using CEasyComboBoxEx::GetSelection;
    // False when nothing is selected; else the entry's folder and whether it is a special folder.
    bool GetSelection(std::string& path, bool& isSpecialFolder) const;
    // Selects the entry holding the path; without one, nothing is selected.
    void SelectPath(const std::string& path);
    const std::vector<CPlace>& GetPlaces() const { return m_places; }

private:
    std::vector<CPlace> m_places;
};
