#pragma once

#include <functional>

// The application settings the value formatters read at every call (profile section
// "Settings"; defaults as a fresh profile gives them).
struct FormatPreferences
{
    int iJobAngle = 0;           // decimals of seconds (degrees) or of grads
    int iJobDistance = 3;        // distances, stations, grades, ratios
    int iJobNorthingEasting = 3; // coordinates
    int iJobElevation = 3;       // elevations and heights
    int iJobSmallArea = 3;
    int iJobLargeArea = 3;
    int iDirectionUnits = 0;     // 1: azimuths are shown as bearings
    int iJobStationFormat = 0;   // 0: "12+34", 1: "1+234", 2: plain distance
    bool iUseArchetecturalUnits = false; // feet shown as feet and inches
};

// The application's current preferences. Until the application installs its provider (which
// reads its settings object), the defaults above are used.
FormatPreferences GetFormatPreferences();

using FormatPreferencesProvider = std::function<FormatPreferences()>;
// An empty provider goes back to the defaults.
void SetFormatPreferencesProvider(FormatPreferencesProvider provider);
