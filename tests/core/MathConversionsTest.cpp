#include "core/AngleFunctions.h"
#include "core/Location.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Units set directly, in the class numbering.
class FakeConversions : public CMathConversions
{
public:
    int angle = AngleUnitDegrees;
    int azimuth = AzimuthNorth;
    int distance = ClassUnitMetres;

    int GetAngleUnits() const override { return angle; }
    int GetAzimuthFormat() const override { return azimuth; }
    int GetDistanceUnits() const override { return distance; }
    double SquareMetresToDisplay(double v) const override { return v; }
    double DisplayAreaToLargeArea(double v) const override { return v; }
    double LargeAreaToDisplayArea(double v) const override { return v; }
    std::string GetAreaUnitLabel() const override { return {}; }
    std::string GetLargeAreaUnitLabel() const override { return {}; }
    std::string GetDistanceUnitLabel() const override { return {}; }
};

} // namespace

TEST(UnitNumbering, JobCodesTranslateToClassCodes)
{
    EXPECT_EQ(JobDistanceUnitToClassUnit(JobUnitMetres), ClassUnitMetres);
    EXPECT_EQ(JobDistanceUnitToClassUnit(JobUnitInternationalFeet), ClassUnitInternationalFeet);
    EXPECT_EQ(JobDistanceUnitToClassUnit(JobUnitUsSurveyFeet), ClassUnitUsSurveyFeet);
    EXPECT_EQ(JobDistanceUnitToClassUnit(3), ClassUnitMetres);
    EXPECT_EQ(JobDistanceUnitToClassUnit(-1), ClassUnitMetres);
    EXPECT_EQ(JobAngleUnitToClassUnit(1), AngleUnitGrads);
    EXPECT_EQ(JobAngleUnitToClassUnit(2), AngleUnitDegrees);
    EXPECT_EQ(JobAzimuthFormatToClassFormat(1), AzimuthSouth);
    EXPECT_EQ(JobAzimuthFormatToClassFormat(2), AzimuthNorth);
}

TEST(MathConversions, DistancesByClassCode)
{
    FakeConversions c;
    c.distance = ClassUnitInternationalFeet;
    EXPECT_DOUBLE_EQ(c.MetresToDisplay(0.3048), 1.0);
    EXPECT_DOUBLE_EQ(c.DisplayToMetres(1.0), 0.3048);
    c.distance = ClassUnitUsSurveyFeet;
    EXPECT_DOUBLE_EQ(c.DisplayToMetres(3937.0), 1200.0);
    EXPECT_NEAR(c.DisplayToMetres(c.MetresToDisplay(1234.5678)), 1234.5678, 1e-10);
    c.distance = 9; // unknown: metres
    EXPECT_DOUBLE_EQ(c.MetresToDisplay(5.5), 5.5);
    EXPECT_EQ(c.GetVolumeUnitLabel(), "Cubic YDS.");
    c.distance = ClassUnitMetres;
    EXPECT_EQ(c.GetVolumeUnitLabel(), "Cubic m");

    c.distance = ClassUnitInternationalFeet;
    EXPECT_EQ(c.MetresToDisplay(NoValue), NoValue);
    EXPECT_EQ(c.DisplayToMetres(NoValue), NoValue);
}

TEST(MathConversions, NorthAndSouthAzimuths)
{
    FakeConversions c;
    double v = 90.0;
    c.DmsAzimuthToDirection(&v);
    EXPECT_NEAR(v, 0.0, 1e-12);
    v = 0.0;
    c.DmsAzimuthToDirection(&v);
    EXPECT_NEAR(v, Pi / 2, 1e-12);

    c.azimuth = AzimuthSouth;
    v = 0.0;
    c.DmsAzimuthToDirection(&v);
    EXPECT_NEAR(v, 3 * Pi / 2, 1e-12);

    // Round trips in both formats and both angle units.
    for (int az : {AzimuthNorth, AzimuthSouth}) {
        for (int unit : {AngleUnitDegrees, AngleUnitGrads}) {
            c.azimuth = az;
            c.angle = unit;
            for (double dir = 0.05; dir < TwoPi; dir += 0.61) {
                double shown = dir;
                c.DirectionToDisplayAzimuth(&shown);
                EXPECT_NEAR(c.DisplayAzimuthToDirection(shown), dir, 1e-10) << az << unit << dir;
            }
        }
    }

    c.azimuth = AzimuthNorth;
    c.angle = AngleUnitDegrees;
    v = 0.0; // east
    c.DirectionToDmsAzimuth(&v);
    EXPECT_NEAR(v, 90.0, 1e-12);
    c.angle = AngleUnitGrads;
    v = -Pi / 2; // south, given unreduced
    c.DirectionToGradsAzimuth(&v);
    EXPECT_NEAR(v, 200.0, 1e-12);
}

TEST(MathConversions, AnglesInDisplayUnits)
{
    FakeConversions c;
    double v = Pi / 4 + TwoPi * 2;
    c.AngleToDisplay(&v);
    EXPECT_NEAR(v, 45.0, 1e-9);
    v = Pi / 4 + TwoPi * 2;
    c.AngleToDisplayWithTurns(&v);
    EXPECT_NEAR(v, 765.0, 1e-9);
    v = -Pi / 4;
    c.SignedAngleToDisplay(&v);
    EXPECT_NEAR(v, -45.0, 1e-9);
    EXPECT_NEAR(c.DisplayAngleToRadians(-10.3), -10.5 * Pi / 180, 1e-12);
    EXPECT_NEAR(c.DisplayAngleToRadiansNormalized(-10.3), 349.5 * Pi / 180, 1e-12);

    c.angle = AngleUnitGrads;
    v = -Pi / 2;
    c.AngleToDisplay(&v);
    EXPECT_NEAR(v, 300.0, 1e-9);
    v = -Pi / 2;
    c.SignedAngleToDisplay(&v);
    EXPECT_NEAR(v, -100.0, 1e-9);
    EXPECT_NEAR(c.DisplayAngleToRadiansNormalized(500.0), 2.5 * Pi, 1e-12);
    EXPECT_EQ(c.GetAngleUnitLabel(), "g");
    c.angle = AngleUnitDegrees;
    EXPECT_EQ(c.GetAngleUnitLabel(), "deg");
}

TEST(MathConversions, SecondsRoundTrip)
{
    FakeConversions c;
    for (int unit : {AngleUnitDegrees, AngleUnitGrads}) {
        c.angle = unit;
        double v = 1e-5;
        c.RadiansToDisplaySeconds(&v);
        c.DisplaySecondsToRadians(&v);
        EXPECT_NEAR(v, 1e-5, 1e-17) << unit;
    }
    double arc = 1.0;
    c.angle = AngleUnitDegrees;
    c.DisplaySecondsToRadians(&arc);
    EXPECT_NEAR(arc, Pi / 180 / 3600, 1e-20);
}

TEST(MathConversions, AbsentAnglesStayAbsent)
{
    // An absent azimuth or angle must not come back as a plausible value in range.
    FakeConversions c;
    for (int unit : {AngleUnitDegrees, AngleUnitGrads}) {
        c.angle = unit;
        double v = NoValue;
        c.DirectionToDisplayAzimuth(&v);
        EXPECT_EQ(v, NoValue);
        EXPECT_EQ(c.DisplayAzimuthToDirection(NoValue), NoValue);
        c.AngleToDisplay(&v);
        EXPECT_EQ(v, NoValue);
        c.AngleToDisplayWithTurns(&v);
        EXPECT_EQ(v, NoValue);
        c.SignedAngleToDisplay(&v);
        EXPECT_EQ(v, NoValue);
        EXPECT_EQ(c.DisplayAngleToRadians(NoValue), NoValue);
        EXPECT_EQ(c.DisplayAngleToRadiansNormalized(NoValue), NoValue);
    }
}

TEST(MathConversions, RoundDisplayDistanceRemovesNoiseBelowFiveDecimals)
{
    FakeConversions c;
    c.distance = ClassUnitInternationalFeet;
    // 100.25 ft stored with a little noise in metres.
    const double noisy = 100.25 * 0.3048 + 1e-9;
    const double rounded = RoundDisplayDistance(noisy, c);
    EXPECT_NEAR(c.MetresToDisplay(rounded), 100.25, 1e-12);
    // The display value keeps five decimals.
    EXPECT_NEAR(c.MetresToDisplay(RoundDisplayDistance(12.3456789 * 0.3048, c)), 12.34568, 1e-12);
    EXPECT_NEAR(c.MetresToDisplay(RoundDisplayDistance(-12.3456711 * 0.3048, c)), -12.34567, 1e-12);
    EXPECT_EQ(RoundDisplayDistance(NoValue, c), NoValue);
    c.distance = ClassUnitMetres;
    EXPECT_NEAR(RoundDisplayDistance(-7.1234999999, c), -7.1235, 1e-12);
}

TEST(MathConversions, PointFormsRefuseMissingPoints)
{
    FakeConversions c;
    const CLocation a(0, 0, 1), b(10, 0, 1), v(0, 10, 1);
    double out = -1;
    EXPECT_FALSE(c.SlopeDistanceBetweenPoints(&a, nullptr, &out));
    EXPECT_FALSE(c.DirectionBetweenPoints(nullptr, &b, &out));
    EXPECT_FALSE(c.AngleAtVertexOfPoints(&a, nullptr, &b, &out));
    EXPECT_EQ(out, -1);
    ASSERT_TRUE(c.SlopeDistanceBetweenPoints(&a, &b, &out));
    EXPECT_DOUBLE_EQ(out, 10);
    ASSERT_TRUE(c.AngleAtVertexOfPoints(&a, &v, &b, &out));
    // From v, a lies due south and b south-east: 45 degrees counter-clockwise.
    EXPECT_NEAR(out, Pi / 4, 1e-12);
}
