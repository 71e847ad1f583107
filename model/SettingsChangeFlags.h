#pragma once

// What changed when job settings were taken from a job header, one flag per kind of setting, in
// this order. A change of the stake-out offset alone sets none of them.
struct SettingsChangeFlags
{
    bool distanceUnit = false;
    bool angleUnit = false;
    bool azimuthFormat = false;
    bool scaleFactor = false;
    bool curvatureAndRefraction = false;
    bool seaLevelCorrection = false;
    bool directionType = false;

    bool AnyChanged() const
    {
        return distanceUnit || angleUnit || azimuthFormat || scaleFactor || curvatureAndRefraction ||
               seaLevelCorrection || directionType;
    }
};
