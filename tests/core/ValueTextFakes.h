#pragma once

// A job and a raw-data setup made to order for the value text tests.

#include "core/AngleFunctions.h"
#include "core/DataFileFormat.h"
#include "core/FormatPreferences.h"
#include "core/JobValueSource.h"
#include "core/LocaleText.h"
#include "core/Location.h"
#include "core/MathConversions.h"
#include "core/RawDataSetup.h"
#include "FakeRawDataSetup.h"

#include <map>
#include <string>
#include <vector>

namespace morvel::test {

// Job units as the per-job settings give them: distance 0 metres, 1 feet, 2 US feet; angle 0
// degrees, 1 grads; azimuth 0 north, 1 south.
struct JobUnits
{
    int distance = 0;
    int angle = 0;
    int azimuth = 0;
};

class FakeJobConversions : public CMathConversions
{
public:
    explicit FakeJobConversions(const JobUnits* units) : m_units(units) {}
    int GetAngleUnits() const override { return JobAngleUnitToClassUnit(m_units->angle); }
    int GetAzimuthFormat() const override { return JobAzimuthFormatToClassFormat(m_units->azimuth); }
    int GetDistanceUnits() const override { return JobDistanceUnitToClassUnit(m_units->distance); }
    double SquareMetresToDisplay(double v) const override
    {
        const double f = MetresToDisplay(1.0);
        return v * f * f;
    }
    double DisplayAreaToLargeArea(double v) const override
    {
        return m_units->distance == 0 ? v * 0.0001 : v * 2.295684113865932e-05;
    }
    double LargeAreaToDisplayArea(double v) const override
    {
        return m_units->distance == 0 ? v * 10000 : v * 43560;
    }
    std::string GetAreaUnitLabel() const override { return "Sq m"; }
    std::string GetLargeAreaUnitLabel() const override { return "Hectares"; }
    std::string GetDistanceUnitLabel() const override { return "m"; }

private:
    const JobUnits* m_units;
};

class FakeJob : public CJobValueSource
{
public:
    FakeJob() : m_conversions(&units), m_format(this) {}
    const CMathConversions& GetMathConversions() const override { return m_conversions; }
    const CFormat& GetDataFileFormat() const override { return m_format; }
    int GetSurveyUnits() const override { return units.distance; }
    int GetAngleUnits() const override { return units.angle; }
    bool FindPointLocation(const std::string& name, CLocation* location) const override
    {
        const auto it = points.find(name);
        if (it == points.end())
            return false;
        *location = it->second;
        return true;
    }

    JobUnits units;
    std::map<std::string, CLocation> points;

private:
    FakeJobConversions m_conversions;
    CDataFileFormat m_format;
};

// Makes a fake job the active one for the life of the object.
class ActiveJobScope
{
public:
    explicit ActiveJobScope(FakeJob* job) : m_previous(GetActiveJobValueSource())
    {
        SetActiveJobValueSource(job);
    }
    ~ActiveJobScope() { SetActiveJobValueSource(m_previous); }

private:
    CJobValueSource* m_previous;
};

// Installs preferences for the life of the object; scopes nest.
class PreferencesScope
{
public:
    explicit PreferencesScope(const FormatPreferences& prefs = FormatPreferences())
    {
        Stack().push_back(prefs);
        SetFormatPreferencesProvider([prefs] { return prefs; });
    }
    ~PreferencesScope()
    {
        Stack().pop_back();
        if (Stack().empty()) {
            SetFormatPreferencesProvider({});
        } else {
            const FormatPreferences outer = Stack().back();
            SetFormatPreferencesProvider([outer] { return outer; });
        }
    }

private:
    static std::vector<FormatPreferences>& Stack()
    {
        static std::vector<FormatPreferences> stack;
        return stack;
    }
};

// A raw-data setup with fixed codes: distance 0 feet, 1 metres, 2 US feet; angle 0 degrees,
// 1 grads; -1 none; a north azimuth setting; the unit label a test chooses.
class FakeSetup : public FakeRawDataSetup
{
public:
    std::string label = "m";
    std::string GetDistanceUnitLabel() const override { return label; }
};

} // namespace morvel::test
