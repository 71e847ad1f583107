#include "cogo/ComputedPoint.h"
#include "cogo/Intersection.h"
#include "cogo/InverseValues.h"
#include "core/GenericFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDeg = std::numbers::pi / 180;

// Azimuths as the user types them, turned into the internal direction (counter-clockwise from east).
double Az(double degrees)
{
    return (90 - degrees) * kDeg;
}

CIntersectionLine Dir(double e, double n, double az)
{
    return {CLocation(e, n, NoValue), CIntersectionLine::ByDirection, Az(az), NoValue};
}

CIntersectionLine Circle(double e, double n, double r)
{
    return {CLocation(e, n, NoValue), CIntersectionLine::ByDistance, 0.0, r};
}

struct IntersectionCase
{
    const char* what;
    CIntersectionLine a, b;
    bool c, d;
    double cN = 0, cE = 0, dN = 0, dE = 0;
};

TEST(IntersectionTest, SolutionsAndTheirOrder)
{
    const IntersectionCase cases[] = {
        {"two azimuths", Dir(5000, 5000, 30), Dir(5300, 5000, 320), true, false, 5211.7971, 5122.2811},
        {"behind both bases", Dir(5000, 5000, 210), Dir(5300, 5000, 140), true, false, 5211.7971, 5122.2811},
        {"parallel", Dir(0, 0, 45), Dir(10, 0, 45), false, false},
        {"opposite", Dir(0, 0, 45), Dir(10, 0, 225), false, false},
        {"circles: C right of A to B", Circle(1000, 1000, 60), Circle(1100, 1000, 80), true, true, 952, 1036, 1048, 1036},
        {"circles swapped", Circle(1100, 1000, 80), Circle(1000, 1000, 60), true, true, 1048, 1036, 952, 1036},
        {"touching circles", Circle(1000, 1000, 40), Circle(1100, 1000, 60), true, false, 1000, 1040},
        {"touching after rounding", Circle(0, 0, 123.456), Circle(777.777, 0, 654.321), true, false, 0, 123.456},
        {"touching after rounding 2", Circle(0, 0, 10.1), Circle(30.3, 0, 20.2), true, false, 0, 10.1},
        {"circles apart", Circle(0, 0, 10), Circle(100, 0, 20), false, false},
        {"a circle of no radius on the other", Circle(0, 0, 10), Circle(10, 0, 0), false, false},
        {"nested circles", Circle(0, 0, 100), Circle(10, 0, 20), false, false},
        {"concentric circles", Circle(5, 5, 10), Circle(5.00001, 5, 10), false, false},
        {"line then circle", Dir(1000, 1000, 60), Circle(1100, 1000, 80), true, true, 1074.5263, 1129.0833, 1012.0763, 1020.9167},
        {"circle then line", Circle(1100, 1000, 80), Dir(1000, 1000, 60), true, true, 1074.5263, 1129.0833, 1012.0763, 1020.9167},
        {"east-west line: farther along first", Dir(0, 0, 270), Circle(50, 30, 50), true, true, 0, 10, 0, 90},
        {"tangent line", Dir(0, 0, 90), Circle(50, 30, 30), true, false, 0, 50},
        {"line missing the circle", Dir(0, 0, 90), Circle(50, 100, 30), false, false},
    };
    for (const IntersectionCase& t : cases) {
        SCOPED_TRACE(t.what);
        const CIntersectionSolution s = SolveIntersection(t.a, t.b);
        ASSERT_EQ(s.foundC, t.c);
        ASSERT_EQ(s.foundD, t.d);
        if (t.c) {
            EXPECT_NEAR(s.c.y, t.cN, 5e-5);
            EXPECT_NEAR(s.c.x, t.cE, 5e-5);
            EXPECT_LE(s.c.z, NoValueLimit);
        }
        if (t.d) {
            EXPECT_NEAR(s.d.y, t.dN, 5e-5);
            EXPECT_NEAR(s.d.x, t.dE, 5e-5);
        }
    }
}

TEST(IntersectionTest, TangentLinesAtEveryDirectionTouchOnce)
{
    // The tangent at each tenth of a degree round the circle, from a base point on it 40 m before the
    // touch and from one 3 km beyond: one solution, at the touching point.
    const CLocation centre(2512.345, 7311.678, NoValue);
    const double r = 75;
    for (int step = 0; step < 3600; ++step) {
        const double around = step * 0.1 * kDeg;
        const double direction = around + std::numbers::pi / 2;
        const CLocation touch(centre.x + r * std::cos(around), centre.y + r * std::sin(around), NoValue);
        for (const double back : {40.0, -3000.0}) {
            SCOPED_TRACE(testing::Message() << step * 0.1 << "° round the circle, base " << back << " m back");
            const CIntersectionLine line{CLocation(touch.x - back * std::cos(direction), touch.y - back * std::sin(direction), NoValue),
                                         CIntersectionLine::ByDirection, direction, NoValue};
            const CIntersectionLine circle{centre, CIntersectionLine::ByDistance, 0.0, r};
            const CIntersectionSolution s = SolveIntersection(line, circle);
            ASSERT_TRUE(s.foundC);
            ASSERT_FALSE(s.foundD) << "C and D " << s.c.HorizontalDistance(s.d) << " m apart";
            EXPECT_NEAR(s.c.HorizontalDistance(touch), 0, 1e-4);
        }
    }
}

TEST(IntersectionTest, DistancesFromTheBases)
{
    const CIntersectionSolution s = SolveIntersection(Dir(5000, 5000, 30), Dir(5300, 5000, 320));
    ASSERT_TRUE(s.foundC);
    EXPECT_NEAR(CLocation(5000, 5000, NoValue).HorizontalDistance(s.c), 244.5622, 5e-5);
    EXPECT_NEAR(CLocation(5300, 5000, NoValue).HorizontalDistance(s.c), 276.4815, 5e-5);
}

TEST(IntersectionTest, UnusableInputFindsNothing)
{
    const CIntersectionLine missingRadius = Circle(0, 0, NoValue);
    EXPECT_FALSE(SolveIntersection(missingRadius, Circle(10, 0, 10)).foundC);
    EXPECT_FALSE(SolveIntersection(Dir(0, 0, 0), missingRadius).foundC);
    EXPECT_FALSE(SolveIntersection(Circle(0, 0, NAN), Circle(10, 0, 10)).foundC);
    EXPECT_FALSE(SolveIntersection(Dir(0, 0, NAN), Dir(10, 0, 0)).foundC);
    CIntersectionLine noBase = Dir(0, 0, 0);
    noBase.base.SetAllNull();
    EXPECT_FALSE(SolveIntersection(noBase, Dir(10, 0, 90)).foundC);
}

TEST(InverseValuesTest, WithAndWithoutElevations)
{
    // Downhill: a negative rise is a rise all the same.
    const CInverseValues v = ComputeInverseValues(CLocation(1000, 2000, 105), CLocation(1030, 2040, 100));
    EXPECT_NEAR(v.distance, 50, 1e-9);
    EXPECT_NEAR(v.dn, 40, 1e-9);
    EXPECT_NEAR(v.de, 30, 1e-9);
    EXPECT_NEAR(v.dz, -5, 1e-9);
    EXPECT_NEAR(v.slope, 50.2494, 5e-5);
    EXPECT_NEAR(v.grade, -0.1, 1e-12);

    const CInverseValues flat = ComputeInverseValues(CLocation(1000, 2000, NoValue), CLocation(1030, 2040, 105));
    EXPECT_LE(flat.dz, NoValueLimit);
    EXPECT_LE(flat.grade, NoValueLimit);
    EXPECT_DOUBLE_EQ(flat.slope, 50);

    // Same position: a side shot shows no grade rather than a division by zero.
    const CInverseValues same = ComputeInverseValues(CLocation(5, 5, 1), CLocation(5, 5, 2));
    EXPECT_LE(same.grade, NoValueLimit);

    CGenericFormat format;
    const auto texts = FormatInverseValues(format, flat);
    EXPECT_EQ(texts[4], "-----");
    EXPECT_EQ(texts[6], "-----");
    EXPECT_EQ(texts[5], texts[0]) << "without elevations the slope distance is the horizontal one";
    const auto full = FormatInverseValues(format, v);
    EXPECT_NE(full[6].find("10"), std::string::npos) << full[6];
    EXPECT_EQ(full[2], "40.000");
    EXPECT_EQ(full[3], "30.000");
    EXPECT_EQ(full[4], "-5.000");
}

TEST(PointInDirectionTest, LegsAndRefusals)
{
    const CLocation from(5000, 5000, 100);
    struct Case
    {
        const char* what;
        double az, angle, distance, rise;
        bool ok;
        double n = 0, e = 0, z = 0;
    } cases[] = {
        {"azimuth 45", 45, 0, 100, 2, true, 5070.7107, 5070.7107, 102},
        {"plus 90 turns right", 45, 90 * kDeg, 100, 0, true, 4929.2893, 5070.7107, 100},
        {"minus 90 turns left", 45, -90 * kDeg, 100, 0, true, 5070.7107, 4929.2893, 100},
        {"empty distance", 45, 0, NoValue, 0, false},
        {"far beyond the job", 45, 0, 2e10, 0, false},
        {"infinite distance", 45, 0, INFINITY, 0, false},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.what);
        CLocation out(1, 2, 3);
        ASSERT_EQ(ComputePointInDirection(from, Az(t.az), t.angle, t.distance, t.rise, &out), t.ok);
        if (!t.ok) {
            EXPECT_EQ(out.x, 1);
            continue;
        }
        EXPECT_NEAR(out.y, t.n, 5e-5);
        EXPECT_NEAR(out.x, t.e, 5e-5);
        EXPECT_NEAR(out.z, t.z, 1e-9);
    }
    CLocation flat;
    ASSERT_TRUE(ComputePointInDirection(CLocation(0, 0, NoValue), Az(0), 0, 10, 0, &flat));
    EXPECT_LE(flat.z, NoValueLimit) << "a 2D from point gives a 2D result";
}

} // namespace
