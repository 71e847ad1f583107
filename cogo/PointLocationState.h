#pragma once

#include "cogo/PointEditing.h"

#include <cstdint>
#include <string>

// What the location page of the point panels shows and lets the user type, as a plain state
// machine: the window class only copies these flags onto its controls.
class CPointLocationState
{
public:
    // The edit panel sets it: its boxes stay visible even with nothing selected.
    explicit CPointLocationState(bool multiPoint = false) : m_multiPoint(multiPoint) {}

    // A new point: both boxes ticked and hidden, every field open.
    void ResetForNew();
    // The number of selected points (0 for none); above 1 only the elevation can be typed.
    void SetEditMode(int32_t mode);
    void ClearChangeChecks();
    void ShowChangeChecks(bool show);
    void OnChangeLocation(bool ticked);
    void OnChangeDescription(bool ticked);

    // The input the page hands to ApplyLocationToRecord.
    CPointLocationInput MakeInput(double easting, double northing, double elevation,
                                  const std::string& description) const;

    bool IsNewPoint() const { return m_newPoint; }
    bool IsChangeLocation() const { return m_changeLocation; }
    bool IsChangeDescription() const { return m_changeDescription; }
    bool AreChecksShown() const { return m_checksShown; }
    bool AreChecksEnabled() const { return m_checksEnabled; }
    bool IsElevationEnabled() const { return m_entryEnabled; }
    bool IsPlaneEnabled() const { return m_entryEnabled && !m_elevationOnly; }
    bool IsDescriptionEnabled() const { return m_descriptionEnabled; }
    bool IsElevationOnly() const { return m_elevationOnly; }

private:
    bool m_multiPoint;
    bool m_newPoint = true;
    bool m_changeLocation = false;
    bool m_changeDescription = false;
    bool m_checksShown = false;
    bool m_checksEnabled = true;
    bool m_entryEnabled = false;
    bool m_elevationOnly = false;
    bool m_descriptionEnabled = true;
};

// The buttons of the add panel: an existing name is edited (Apply once a box is ticked), a free
// name is added (Add and the quick-enter settings).
struct PointAddButtons
{
    bool apply;
    bool add;
    bool quickEnterSettings;
};
PointAddButtons PointAddButtonStates(bool nameExists, bool changeLocation, bool changeDescription);

// Apply of the edit panel: something selected and a box ticked.
bool PointEditApplyEnabled(int32_t selectedCount, bool changeLocation, bool changeDescription);
