#include "model/MorvelSettingsHelpers.h"
#include "model/MorvelSettings.h"
#include "platform/Profile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

namespace {

// A private profile and settings object for one test.
struct ScopedSettings
{
    morvel::test::TempDir dir;
    CProfile profile{dir.path() / "Morvel.ini"};
    CMorvelSettings settings{&profile};
    ScopedSettings()
    {
        SetAppProfile(&profile);
        SetMorvelSettings(&settings);
    }
    ~ScopedSettings()
    {
        SetMorvelSettings(nullptr);
        SetAppProfile(nullptr);
    }
};

} // namespace

TEST(AxisCaptions, ComeFromTheFormatSettings)
{
    ScopedSettings s;
    s.profile.WriteProfileString("format", "PlanX", "East");
    s.profile.WriteProfileString("format", "PlanY", "");
    s.settings.LoadFormatSettings();
    EXPECT_EQ(GetPlanXCaption(), "East");
    EXPECT_EQ(GetPlanYCaption(), "Northing");
    EXPECT_EQ(GetPlanZCaption(), "Elevation");
}

TEST(ColorIndices, MatchModuloThePalette)
{
    ScopedSettings s;
    s.settings.LoadColorSettings(); // colour mode 2: a 64-entry palette
    EXPECT_TRUE(ColorIndicesMatch(3, 67));
    EXPECT_TRUE(ColorIndicesMatch(-1, 63));
    EXPECT_FALSE(ColorIndicesMatch(3, 19));
    EXPECT_TRUE(ColorIndicesMatch(INT32_MIN, INT32_MIN));
    EXPECT_FALSE(ColorIndicesMatch(INT32_MIN, INT32_MAX));
}

#include "core/MathConversions.h"
#include "core/DataFileFormat.h"
#include "core/JobValueSource.h"

namespace {

class FeetConversions : public CMathConversions
{
public:
    int GetAngleUnits() const override { return 0; }
    int GetAzimuthFormat() const override { return 0; }
    int GetDistanceUnits() const override { return 0; }
    double SquareMetresToDisplay(double v) const override { return v; }
    double DisplayAreaToLargeArea(double v) const override { return v; }
    double LargeAreaToDisplayArea(double v) const override { return v; }
    std::string GetAreaUnitLabel() const override { return "sq ft"; }
    std::string GetLargeAreaUnitLabel() const override { return "acres"; }
    std::string GetDistanceUnitLabel() const override { return "ft"; }
};

} // namespace

TEST(UnitLabels, IdRangesAndTheirEdges)
{
    ScopedSettings s;
    s.settings.LoadFormatSettings();
    FeetConversions conv;
    for (int id : {6926, 6941, 7018, 7027, 2313})
        EXPECT_EQ(GetUnitOrCaptionLabel(id, conv), std::optional<std::string>("ft")) << id;
    for (int id : {6925, 6942, 7017, 2312, 7009, 6982, 6985, 6993})
        EXPECT_EQ(GetUnitOrCaptionLabel(id, conv), std::nullopt) << id;
    EXPECT_EQ(GetUnitOrCaptionLabel(6967, conv), conv.GetAngleUnitLabel());
    EXPECT_EQ(GetUnitOrCaptionLabel(6974, conv), conv.GetAngleUnitLabel());
    EXPECT_EQ(GetUnitOrCaptionLabel(7028, conv), std::optional<std::string>("acres"));
    EXPECT_EQ(GetUnitOrCaptionLabel(7029, conv), std::optional<std::string>("sq ft"));
    EXPECT_EQ(GetUnitOrCaptionLabel(7001, conv), std::optional<std::string>("Elevation"));
    EXPECT_EQ(GetUnitOrCaptionLabel(7008, conv), std::optional<std::string>("Elevation"));

    // The coordinate order swaps the first two caption groups.
    s.settings.SetCoordOrder(true);
    EXPECT_EQ(GetUnitOrCaptionLabel(6975, conv), std::optional<std::string>("Northing"));
    EXPECT_EQ(GetUnitOrCaptionLabel(6992, conv), std::optional<std::string>("Easting"));
    s.settings.SetCoordOrder(false);
    EXPECT_EQ(GetUnitOrCaptionLabel(6981, conv), std::optional<std::string>("Easting"));
    EXPECT_EQ(GetUnitOrCaptionLabel(6986, conv), std::optional<std::string>("Northing"));
}

// An open job whose conversions are the feet fake above.
class FeetJob : public CJobValueSource
{
public:
    FeetJob() : m_format(this) {}
    const CMathConversions& GetMathConversions() const override { return m_conversions; }
    const CFormat& GetDataFileFormat() const override { return m_format; }
    int GetSurveyUnits() const override { return 1; }
    int GetAngleUnits() const override { return 0; }
    bool FindPointLocation(const std::string&, CLocation*) const override { return false; }

private:
    FeetConversions m_conversions;
    CDataFileFormat m_format;
};

TEST(UnitLabels, AppliedOnlyWithAnOpenJob)
{
    ScopedSettings s;
    s.settings.LoadFormatSettings();
    FeetJob job;
    CJobValueSource* previous = GetActiveJobValueSource();
    SetActiveJobValueSource(nullptr);

    std::vector<std::string> texts(4, "old");
    auto set = [&](std::size_t i, const std::string& t) { texts[i] = t; };
    std::vector<int32_t> ids = {1, 6930, 7029, 7005};
    ApplyUnitAndCaptionLabels(ids, set);
    EXPECT_EQ(texts, (std::vector<std::string>{"old", "old", "old", "old"}));
    SetActiveJobValueSource(&job);
    ApplyUnitAndCaptionLabels(ids, set);
    EXPECT_EQ(texts, (std::vector<std::string>{"old", "ft", "sq ft", "Elevation"}));
    SetActiveJobValueSource(previous);
}

namespace {

class FakeMap : public CPickToleranceMap
{
public:
    double unitsPerPixel = 0.5;
    bool hasExchange = true;
    double tx = -1, ty = -1;
    std::vector<std::pair<int, int>> asked;

    CLocation DeviceToWorld(int32_t x, int32_t y) override
    {
        asked.emplace_back(x, y);
        // Device y grows downwards.
        return CLocation(1000 + x * unitsPerPixel, 5000 - y * unitsPerPixel, NoValue);
    }
    bool SetPickTolerances(double x, double y) override
    {
        if (!hasExchange)
            return false;
        tx = x;
        ty = y;
        return true;
    }
};

} // namespace

TEST(PickTolerance, HalfThePickBoxInWorldUnits)
{
    ScopedSettings s;
    s.settings.SetPickBoxSize(9);
    FakeMap map;
    UpdatePickTolerance(map);
    EXPECT_EQ(map.asked, (std::vector<std::pair<int, int>>{{4, 4}, {9, 9}}));
    EXPECT_DOUBLE_EQ(map.tx, 2.5);
    EXPECT_DOUBLE_EQ(map.ty, 2.5);
}
