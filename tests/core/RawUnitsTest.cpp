// The unit rules of raw values, and the number text raw lines are written with.
#include "core/Format.h"
#include "core/LocaleText.h"
#include "core/NoValue.h"
#include "core/RawDataSetup.h"

#include <gtest/gtest.h>

namespace {

constexpr double Pi = 3.14159265358979323846;

TEST(RawUnitsTest, HandWorkedConversions)
{
    EXPECT_NEAR(raw_units::AzimuthToDirection(45.3, 0, 0), 0.776672, 1e-6);
    EXPECT_NEAR(raw_units::AzimuthToDirection(50, 1, 0), Pi / 4, 1e-12);
    EXPECT_NEAR(raw_units::AzimuthToDirection(0, 0, 1), 3 * Pi / 2, 1e-12);
    EXPECT_DOUBLE_EQ(raw_units::DistanceToMetres(5, 2), 1.5240030480060962);
    EXPECT_DOUBLE_EQ(raw_units::DistanceToMetres(5, 0), 1.524);
    EXPECT_NEAR(raw_units::VerticalAngleToRadians(-10.3, 0), -10.5 * Pi / 180, 1e-12);
    EXPECT_NEAR(raw_units::VerticalAngleToRadians(410, 1), 410 * Pi / 200, 1e-12);
    EXPECT_NEAR(raw_units::AngleToRadians(410, 1), 10 * Pi / 200, 1e-12);
    EXPECT_NEAR(raw_units::RadiansToVerticalAngle(-10.5 * Pi / 180, 0), -10.3, 1e-12);
}

// Vertical angles are written as they are, whole turns included; only plain angles reduce.
TEST(RawUnitsTest, VerticalAnglesKeepTheirTurns)
{
    const struct {
        double degrees;
        double packed;
    } cases[] = {{370, 370}, {-370.5, -370.3}, {719.99999999999, 720}, {90.5, 90.3}};
    for (const auto& c : cases)
        EXPECT_NEAR(raw_units::RadiansToVerticalAngle(c.degrees * Pi / 180, 0), c.packed, 1e-9) << c.degrees;
    EXPECT_NEAR(raw_units::RadiansToAngle(370 * Pi / 180, 0), 10, 1e-9);
    EXPECT_NEAR(raw_units::RadiansToVerticalAngle(370 * Pi / 180, 1), 411.1111111111, 1e-9);
}

TEST(RawUnitsTest, MissingUnitsAndValues)
{
    EXPECT_EQ(raw_units::AzimuthToDirection(10, -1, 0), NoValue);
    EXPECT_EQ(raw_units::AzimuthToDirection(10, 0, 2), NoValue);
    EXPECT_EQ(raw_units::DirectionToAzimuth(1, 0, -1), NoValue);
    EXPECT_EQ(raw_units::DirectionToAzimuth(1, 3, 0), NoValue);
    EXPECT_EQ(raw_units::DistanceToMetres(NoValue, 1), NoValue);
    EXPECT_EQ(raw_units::MetresToDistance(1, 3), NoValue);
    EXPECT_EQ(raw_units::RadiansToAngle(NoValue, 0), NoValue);
    EXPECT_EQ(raw_units::DistanceUnitLabel(2, false), "USft");
    EXPECT_EQ(raw_units::DistanceUnitLabel(2, true), "");
    EXPECT_EQ(raw_units::DistanceUnitLabel(1, true), "m");
    EXPECT_EQ(raw_units::DistanceUnitLabel(5, false), "");
}

// Every whole second of a turn goes to a direction and back to the same packed text: packing
// must not leave 60 seconds behind.
TEST(RawUnitsTest, AzimuthsRoundTripInBothAngleUnitsAndZeroAzimuths)
{
    for (int32_t zero : {0, 1}) {
        for (int seconds = 0; seconds < 360 * 3600; seconds += 997) {
            const int d = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
            const double packed = d + m / 100.0 + s / 10000.0;
            const double back = raw_units::DirectionToAzimuth(raw_units::AzimuthToDirection(packed, 0, zero), 0, zero);
            ASSERT_EQ(FormatDoubleCompact(back), FormatDoubleCompact(packed)) << packed;
            const double gons = seconds / 3240.0;
            ASSERT_NEAR(raw_units::DirectionToAzimuth(raw_units::AzimuthToDirection(gons, 1, zero), 1, zero), gons, 1e-9);
        }
    }
    EXPECT_EQ(FormatDoubleCompact(raw_units::RadiansToAngle(45.5 * Pi / 180, 0)), "45.3");
    EXPECT_EQ(raw_units::RadiansToAngle(2 * Pi - 1e-13, 0), 0.0);
}

TEST(RawUnitsTest, CompactNumberText)
{
    for (const bool commaLocale : {false, true}) {
        SCOPED_TRACE(commaLocale ? "comma locale" : "point locale");
        std::unique_ptr<CLocaleTextOverride> locale;
        if (commaLocale)
            locale = std::make_unique<CLocaleTextOverride>(",", ".");
        EXPECT_EQ(FormatDoubleCompact(1.5), "1.5");
        EXPECT_EQ(FormatDoubleCompact(2), "2.0");
        EXPECT_EQ(FormatDoubleCompact(1500.25), "1500.25");
        EXPECT_EQ(FormatDoubleCompact(0.1234567), "0.123457");
        EXPECT_EQ(FormatDoubleCompact(-0.0000001), "0.0");
        EXPECT_EQ(FormatDoubleCompact(-12.5), "-12.5");
        EXPECT_EQ(FormatDoubleCompact(NoValue), "");
        EXPECT_EQ(FormatDoubleCompact(1e30).find(','), std::string::npos);
    }
}

} // namespace
