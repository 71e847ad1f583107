#include "cogo/PointLocationState.h"

void CPointLocationState::ResetForNew()
{
    m_changeLocation = true;
    m_changeDescription = true;
    m_checksShown = false;
    m_checksEnabled = true;
    m_entryEnabled = true;
    m_elevationOnly = false;
    m_descriptionEnabled = true;
    m_newPoint = true;
}

void CPointLocationState::SetEditMode(int32_t mode)
{
    if (mode < 1) {
        m_elevationOnly = false;
        m_newPoint = true;
        ClearChangeChecks();
        ShowChangeChecks(false);
        return;
    }
    m_elevationOnly = mode > 1;
    m_newPoint = false;
    ClearChangeChecks();
    ShowChangeChecks(true);
}

void CPointLocationState::ClearChangeChecks()
{
    m_changeLocation = false;
    m_changeDescription = false;
    m_entryEnabled = false;
}

void CPointLocationState::ShowChangeChecks(bool show)
{
    if (show || m_multiPoint) {
        m_checksShown = true;
        m_checksEnabled = show;
        m_descriptionEnabled = show && m_changeDescription;
    } else {
        m_checksShown = false;
        m_descriptionEnabled = true;
    }
}

void CPointLocationState::OnChangeLocation(bool ticked)
{
    m_changeLocation = ticked;
    ShowChangeChecks(!m_newPoint);
    m_entryEnabled = ticked;
}

void CPointLocationState::OnChangeDescription(bool ticked)
{
    m_changeDescription = ticked;
    ShowChangeChecks(!m_newPoint);
}

CPointLocationInput CPointLocationState::MakeInput(double easting, double northing, double elevation,
                                                   const std::string& description) const
{
    CPointLocationInput input;
    input.easting = easting;
    input.northing = northing;
    input.elevation = elevation;
    input.description = description;
    input.changeLocation = m_changeLocation;
    input.changeDescription = m_changeDescription;
    input.elevationOnly = m_elevationOnly;
    return input;
}

PointAddButtons PointAddButtonStates(bool nameExists, bool changeLocation, bool changeDescription)
{
    if (nameExists)
        return {changeLocation || changeDescription, false, false};
    return {false, true, true};
}

bool PointEditApplyEnabled(int32_t selectedCount, bool changeLocation, bool changeDescription)
{
    return selectedCount >= 1 && (changeLocation || changeDescription);
}
