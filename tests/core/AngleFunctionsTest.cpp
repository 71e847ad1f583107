#include "core/AngleFunctions.h"
#include "core/Location.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/UnitConstants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {
constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
}

TEST(AngleReduction, RangesAndNegativeInputs)
{
    EXPECT_DOUBLE_EQ(NormalizeAngle(-Pi / 2), 3 * Pi / 2);
    EXPECT_DOUBLE_EQ(NormalizeAngle(TwoPi), 0.0);
    EXPECT_DOUBLE_EQ(NormalizeHalfTurn(-Pi / 4), 3 * Pi / 4);
    EXPECT_DOUBLE_EQ(NormalizeHalfTurn(Pi), 0.0);
    EXPECT_DOUBLE_EQ(NormalizeDegrees(-90), 270);
    EXPECT_DOUBLE_EQ(NormalizeDegrees(720.5), 0.5);
    EXPECT_DOUBLE_EQ(NormalizeGrads(-100), 300);
    EXPECT_DOUBLE_EQ(NormalizeGrads(400), 0);
    // A hair below zero must not round up to a full turn.
    EXPECT_LT(NormalizeAngle(-1e-17), TwoPi);
    EXPECT_LT(NormalizeHalfTurn(-1e-17), Pi);
    EXPECT_LT(NormalizeDegrees(-1e-15), 360.0);
    EXPECT_LT(NormalizeGrads(-1e-15), 400.0);
    EXPECT_TRUE(std::isnan(NormalizeAngle(Nan)));
}

TEST(AngleReduction, DirectionFromDeltaQuadrantsAndAxes)
{
    EXPECT_DOUBLE_EQ(DirectionFromDelta(0, -1), -Pi); // -x gives -pi, not pi
    EXPECT_EQ(DirectionFromDelta(0, 0), NoValue);
    EXPECT_DOUBLE_EQ(DirectionFromDelta(-1, 0), -Pi / 2);
    EXPECT_DOUBLE_EQ(DirectionFromDelta(1, 0), Pi / 2);
    EXPECT_DOUBLE_EQ(DirectionFromDelta(0, 1), 0.0);
    // Agrees with atan2 away from the -x axis.
    for (double a = -3.1; a < 3.14; a += 0.37)
        EXPECT_NEAR(DirectionFromDelta(std::sin(a) * 7, std::cos(a) * 7), std::atan2(std::sin(a), std::cos(a)), 1e-12) << a;
}

TEST(AngleReduction, ZenithAndVerticalAngle)
{
    EXPECT_EQ(VerticalAngleToZenith(NoValue), NoValue);
    EXPECT_EQ(ZenithToVerticalAngle(NoValue), NoValue);
    EXPECT_DOUBLE_EQ(VerticalAngleToZenith(0.25), Pi / 2 - 0.25);
    EXPECT_DOUBLE_EQ(ZenithToVerticalAngle(Pi / 2 - 0.25), 0.25);
    // A face-two zenith reads as its face-one counterpart.
    EXPECT_NEAR(ZenithToVerticalAngle(TwoPi - 1.2), ZenithToVerticalAngle(1.2), 1e-12);

    double h = 0, v = 0;
    ASSERT_TRUE(SlopeToHorizontalVertical(10, Pi / 3, &h, &v));
    EXPECT_NEAR(h, 10 * std::sin(Pi / 3), 1e-12);
    EXPECT_NEAR(v, 5, 1e-12);
    EXPECT_FALSE(SlopeToHorizontalVertical(10, NoValue, &h, &v));
    EXPECT_FALSE(SlopeToHorizontalVertical(NoValue, Pi / 3, &h, &v));
}

TEST(PackedDms, PackingReducesWithoutRounding)
{
    EXPECT_DOUBLE_EQ(DecimalToDms(12.5), 12.3);
    EXPECT_DOUBLE_EQ(DecimalToDms(-90), 270);
    EXPECT_NEAR(DecimalToDms(359.99999999), 359.5959999964, 1e-9);
    EXPECT_NEAR(DecimalToDms(12 + 30.0 / 60 + 15.5 / 3600), 12.30155, 1e-12);
    EXPECT_NEAR(SignedDecimalToDms(-12.5), -12.3, 1e-12);
    EXPECT_NEAR(DecimalToDmsUnreduced(-12.5), -12.3, 1e-12);
    EXPECT_NEAR(DecimalToDmsUnreduced(370.5), 370.3, 1e-12);
}

TEST(PackedDms, UnpackingSurvivesBinaryNoise)
{
    EXPECT_NEAR(DmsToDecimal(0.3), 0.5, 1e-12);
    EXPECT_NEAR(DmsToDecimal(-10.3), -10.5, 1e-12);
    // Thirty minutes left a hair short or long by arithmetic.
    EXPECT_NEAR(DmsToDecimal(0.7 - 0.4), 0.5, 1e-12);
    EXPECT_NEAR(DmsToDecimal(10.3 - 10.0), 0.5, 1e-12);
    EXPECT_EQ(DmsToDecimal(0), 0);
    EXPECT_EQ(DmsToDecimal(360), 0);
    EXPECT_NEAR(DmsToDecimalNormalized(-10.3), 349.5, 1e-12);
    EXPECT_NEAR(DmsToDecimalUnreduced(370.3), 370.5, 1e-12);
    EXPECT_NEAR(DmsToDecimalUnreduced(-370.3), -370.5, 1e-12);
}

TEST(PackedDms, RoundTripsThroughDecimalAndRadians)
{
    for (double deg = 0.0; deg < 360; deg += 7.123456) {
        EXPECT_NEAR(DmsToDecimal(DecimalToDms(deg)), deg, 1e-10) << deg;
        const double r = deg * Pi / 180;
        EXPECT_NEAR(DmsToRadians(RadiansToDms(r)), r, 1e-12) << deg;
        EXPECT_NEAR(DmsToRadians(RadiansToDms(-r)), -r, 1e-12) << deg;
    }
}

TEST(PackedDms, RoundingCarriesIntoMinutesAndDegrees)
{
    EXPECT_NEAR(RoundPackedDms(12.30155, 0), 12.3016, 1e-12);
    EXPECT_NEAR(RoundPackedDms(12.30155, 1), 12.30155, 1e-12);
    EXPECT_NEAR(RoundPackedDms(12.305999, 0), 12.31, 1e-12);
    EXPECT_NEAR(RoundPackedDms(10.595999, 0), 11.0, 1e-12);
    EXPECT_EQ(RoundPackedDms(DecimalToDms(359.99999999), 0), 0.0);
    EXPECT_NEAR(RoundPackedDms(-10.595999, 0), -11.0, 1e-12);
    EXPECT_NEAR(RoundPackedDms(45.1234567, 2), 45.123457, 1e-12);
    EXPECT_EQ(RoundPackedDms(0, 3), 0);
    EXPECT_EQ(RoundPackedDms(NoValue, 2), NoValue);
}

TEST(Distances, MetresFeetRoundTrips)
{
    EXPECT_DOUBLE_EQ(MetresToFeet(0.3048, JobUnitInternationalFeet), 1.0);
    EXPECT_DOUBLE_EQ(MetresToFeet(1200.0 / 3937.0, JobUnitUsSurveyFeet), 1.0);
    EXPECT_DOUBLE_EQ(MetresToFeet(12.5, JobUnitMetres), 12.5);
    EXPECT_DOUBLE_EQ(MetresToFeet(12.5, 7), 12.5);
    for (int code : {0, 1, 2}) {
        for (double m : {-1234.5, 0.001, 98765.4321})
            EXPECT_NEAR(FeetToMetres(MetresToFeet(m, code), code), m, std::fabs(m) * 1e-14) << code;
    }
}

TEST(Distances, AbsentValuesBecomeExactlyNoValue)
{
    EXPECT_EQ(MetresToFeet(-1e8, JobUnitInternationalFeet), NoValue);
    EXPECT_EQ(FeetToMetres(-1e20, JobUnitMetres), NoValue);
    // Below the limit is absent; just above it is converted.
    EXPECT_EQ(MetresToFeet(NoValueLimit - 1, JobUnitMetres), NoValue);
    EXPECT_DOUBLE_EQ(MetresToFeet(NoValueLimit + 1, JobUnitInternationalFeet),
                     (NoValueLimit + 1) * MetresToInternationalFeet);
}

TEST(Distances, ScaleFactorAndPpm)
{
    EXPECT_DOUBLE_EQ(PpmToScaleFactor(-50), 0.99995);
    EXPECT_NEAR(ScaleFactorToPpm(0.99995), -50, 1e-9);
    EXPECT_NEAR(ScaleFactorToPpm(1.000123), 123, 1e-9);
    EXPECT_EQ(ScaleFactorToPpm(0), 0);
    EXPECT_EQ(ScaleFactorToPpm(-2), 0);
    EXPECT_EQ(ScaleFactorToPpm(1), 0);
    EXPECT_EQ(PpmToScaleFactor(0), 1.0);
}

TEST(PointMeasurements, NeedBothPointsIn3D)
{
    const CLocation a(0, 0, 10);
    const CLocation b(3, 4, 22);
    const CLocation flat(3, 4, NoValue);
    double v = -1;
    ASSERT_TRUE(SlopeDistanceBetween(&a, &b, &v));
    EXPECT_DOUBLE_EQ(v, 13);
    ASSERT_TRUE(ElevationDifferenceBetween(&a, &b, &v));
    EXPECT_DOUBLE_EQ(v, 12);
    ASSERT_TRUE(VerticalAngleBetween(&a, &b, &v));
    EXPECT_DOUBLE_EQ(v, std::atan2(12, 5));
    ASSERT_TRUE(DirectionBetween(&a, &b, &v));
    EXPECT_DOUBLE_EQ(v, std::atan2(4, 3));

    v = -1;
    EXPECT_FALSE(SlopeDistanceBetween(&a, &flat, &v));
    EXPECT_FALSE(ElevationDifferenceBetween(&flat, &a, &v));
    EXPECT_FALSE(VerticalAngleBetween(&a, &flat, &v));
    EXPECT_EQ(v, -1);
    // Plane direction needs no elevations.
    EXPECT_TRUE(DirectionBetween(&a, &flat, &v));

    EXPECT_FALSE(VerticalAngleBetween(&a, &a, &v));
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(DirectionBetween(&a, &a, &v));
    EXPECT_EQ(v, NoValue);
    const CLocation nowhere(Nan, 1, 1);
    EXPECT_FALSE(DirectionBetween(&a, &nowhere, &v));
}

namespace {

// The library forms the angle code is written against: fmod for turns, modf for parts.
double ModelPeriod(double a, double period)
{
    double r = std::fmod(a, period);
    if (r < 0)
        r += period;
    return r >= period ? 0.0 : r;
}

double ModelPack(double a)
{
    double degrees = 0, minutes = 0;
    const double g = std::modf(std::modf(a, &degrees) * 60.0, &minutes);
    const double result = minutes / 100.0 + degrees + g * 0.006;
    return result == 360.0 ? 0.0 : result;
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

} // namespace

// The reductions and packings skip the library calls for ordinary angles; signs of zero, values
// on a turn's edges and values too large for the shortcut must come out bit for bit as before.
TEST(PackedDms, ShortcutsMatchTheLibraryForms)
{
    const double turn = 360.0, edge = std::nextafter(360.0, 0.0);
    const double values[] = {0.0,   -0.0,   turn,   -turn,   edge,   -edge,  std::nextafter(-turn, 0.0),
                             720.0, -720.5, 1e-300, -1e-300, 0.5,    -0.5,   45.3015, -45.3015, 359.5999999,
                             4503599627370495.5, 4503599627370496.0, -4503599627370497.0, 1e300, -1e300,
                             std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    for (double v : values) {
        EXPECT_TRUE(SameBits(NormalizeDegrees(v), ModelPeriod(v, 360.0))) << v;
        EXPECT_TRUE(SameBits(NormalizeAngle(v / 57.0), ModelPeriod(v / 57.0, TwoPi))) << v;
        EXPECT_TRUE(SameBits(DecimalToDmsUnreduced(v), ModelPack(v))) << v;
        EXPECT_TRUE(SameBits(DecimalToDms(v), ModelPack(ModelPeriod(v, 360.0)))) << v;
    }
}
