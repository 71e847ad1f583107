#include "core/FormatPreferences.h"

#include "model/MorvelSettings.h"

#include <utility>

namespace {

FormatPreferencesProvider& Provider()
{
    static FormatPreferencesProvider provider;
    return provider;
}

// The application's settings object, read afresh at every call.
FormatPreferences ReadApplicationSettings()
{
    const CMorvelSettings& settings = GetMorvelSettings();
    FormatPreferences prefs;
    prefs.iJobAngle = settings.GetJobAngle();
    prefs.iJobDistance = settings.GetJobDistance();
    prefs.iJobNorthingEasting = settings.GetJobNorthingEasting();
    prefs.iJobElevation = settings.GetJobElevation();
    prefs.iJobSmallArea = settings.GetJobSmallArea();
    prefs.iJobLargeArea = settings.GetJobLargeArea();
    prefs.iDirectionUnits = settings.GetDirectionUnits();
    prefs.iJobStationFormat = settings.GetJobStationFormat();
    prefs.iUseArchetecturalUnits = settings.GetUseArchitecturalUnits();
    return prefs;
}

} // namespace

FormatPreferences GetFormatPreferences()
{
    const FormatPreferencesProvider& p = Provider();
    return p ? p() : ReadApplicationSettings();
}

void SetFormatPreferencesProvider(FormatPreferencesProvider provider)
{
    Provider() = std::move(provider);
}
