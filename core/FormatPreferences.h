#pragma once

#include <functional>

// The application settings the value formatters read at every call (profile section
// "Settings"; the member defaults are those of a fresh profile).
inline constexpr int DirectionUnitsAzimuths = 0;
inline constexpr int DirectionUnitsBearings = 1;
inline constexpr int StationFormatHundreds = 0; // "12+34"
inline constexpr int StationFormatThousands = 1; // "1+234"
inline constexpr int StationFormatPlain = 2; // a plain distance

struct FormatPreferences
{
    int iJobAngle = 0;           // decimals of seconds (degrees) or of grads
    int iJobDistance = 3;        // distances, stations, grades, ratios
    int iJobNorthingEasting = 3; // coordinates
    int iJobElevation = 3;       // elevations and heights
    int iJobSmallArea = 3;
    int iJobLargeArea = 3;
    int iDirectionUnits = 0;     // DirectionUnitsBearings: azimuths are shown as bearings
    int iJobStationFormat = 0;   // StationFormat...
    bool iUseArchetecturalUnits = false; // feet shown as feet and inches
};

using FormatPreferencesProvider = std::function<FormatPreferences()>;

// The preferences in force, read at every call: those of an installed provider (tests and
// previews install their own), else those of the application's settings reader, else the
// defaults of a fresh profile.
FormatPreferences GetFormatPreferences();

// An empty provider goes back to the application's settings.
void SetFormatPreferencesProvider(FormatPreferencesProvider provider);

// Installed by the owner of the application's settings object when it is set; empty when there
// is none.
void SetApplicationFormatPreferencesReader(FormatPreferencesProvider reader);
