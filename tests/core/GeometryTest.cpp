#include "core/AngleFunctions.h"
#include "core/Geometry.h"
#include "core/Location.h"
#include "core/NoValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

CLocation At(double x, double y, double z = NoValue)
{
    return CLocation(x, y, z);
}

double Dist(const CLocation& a, const CLocation& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

} // namespace

TEST(GeometryElementary, IntPowerAndHypot)
{
    EXPECT_EQ(IntPower(10.0, 0), 1.0);
    EXPECT_EQ(IntPower(10.0, 3), 1000.0);
    EXPECT_EQ(IntPower(2.0, -3), 0.125);
    EXPECT_EQ(IntPower(-3.0, 5), -243.0);
    EXPECT_EQ(IntPower(2.0, 62), std::ldexp(1.0, 62));
    EXPECT_EQ(IntPower(2.0, std::numeric_limits<int>::min()), 0.0);
    for (int n = -12; n <= 12; ++n)
        EXPECT_NEAR(IntPower(1.7, n), std::pow(1.7, n), std::pow(1.7, n) * 1e-14) << n;

    EXPECT_EQ(Hypot2(0, 0), 0);
    EXPECT_DOUBLE_EQ(Hypot2(-3, 4), 5);
    EXPECT_DOUBLE_EQ(Hypot2(1e200, 1e200), std::hypot(1e200, 1e200)); // no overflow
    EXPECT_EQ(Hypot3(0, 0, 0), 0);
    EXPECT_DOUBLE_EQ(Hypot3(2, -3, 6), 7);
    EXPECT_DOUBLE_EQ(Hypot3(1e300, 0, 1e300), std::sqrt(2.0) * 1e300);
}

TEST(GeometryElementary, DirectionArithmetic)
{
    EXPECT_NEAR(AngleDifference(0.1, TwoPi - 0.1), -0.2, 1e-12);
    EXPECT_NEAR(AngleDifference(TwoPi - 0.1, 0.1), 0.2, 1e-12);
    EXPECT_NEAR(BisectDirections(0.1, TwoPi - 0.1), 0.0, 1e-12); // not pi
    EXPECT_NEAR(BisectDirections(0, Pi / 2), Pi / 4, 1e-12);
    EXPECT_NEAR(BisectDirections(Pi / 2, 0), Pi / 4, 1e-12);

    EXPECT_EQ(ClockwiseAngle(1.0, 1.0), 0.0);
    EXPECT_NEAR(ClockwiseAngle(Pi / 2, 0), Pi / 2, 1e-12);
    EXPECT_NEAR(ClockwiseAngle(0, Pi / 2), 3 * Pi / 2, 1e-12);
    EXPECT_NEAR(SmallerAngle(0, 3 * Pi / 2), Pi / 2, 1e-12);
    EXPECT_NEAR(SmallerAngle(-0.1, 0.1), 0.2, 1e-12);

    EXPECT_TRUE(AnglesWithinTolerance(0.01, TwoPi - 0.01, 0.02 + 1e-12));
    EXPECT_FALSE(AnglesWithinTolerance(0.01, TwoPi - 0.02, 0.02));
    EXPECT_TRUE(AnglesWithinTolerance(1.0, 1.0, 0.0));
    EXPECT_TRUE(AnglesWithinTolerance(1.0, 1.0 + TwoPi, 1e-12));

    double c = 1.00005;
    EXPECT_TRUE(SnapCosine(&c));
    EXPECT_EQ(c, 1.0);
    c = -1.00009;
    EXPECT_TRUE(SnapCosine(&c));
    EXPECT_EQ(c, -1.0);
    c = 1.001;
    EXPECT_FALSE(SnapCosine(&c));
    c = 0.3;
    EXPECT_TRUE(SnapCosine(&c));
    EXPECT_EQ(c, 0.3);
}

TEST(GeometryElementary, SidesOfALine)
{
    const CLocation b = At(0, 0), c = At(10, 0);
    EXPECT_TRUE(IsLeftOf(5, 1, 0, 0, 10, 0));
    EXPECT_FALSE(IsLeftOf(5, -1, 0, 0, 10, 0));
    EXPECT_FALSE(IsLeftOf(5, 0, 0, 0, 10, 0)); // collinear
    const CLocation left = At(5, 1), right = At(5, -1);
    EXPECT_TRUE(IsLeftOf(&left, &b, &c));
    EXPECT_EQ(SideOfLine(left, b, c), 0);
    EXPECT_EQ(SideOfLine(right, b, c), 2);
    EXPECT_EQ(SideOfLine(At(5, 0.000001), b, c), 1);
    EXPECT_TRUE(SameSide(left, At(-3, 4), b, c));
    EXPECT_FALSE(SameSide(left, right, b, c));

    double d = 0;
    int side = 9;
    SideAndDistance(left, b, c, &d, &side);
    EXPECT_DOUBLE_EQ(d, 10);
    EXPECT_EQ(side, 1);
    SideAndDistance(right, b, c, &d, &side);
    EXPECT_EQ(side, -1);
    SideAndDistance(At(20, 0), b, c, &d, &side);
    EXPECT_EQ(side, 0);

    EXPECT_DOUBLE_EQ(Cross3(left, b, c), -Cross3(right, b, c));
    EXPECT_DOUBLE_EQ(Dot3(At(3, 7), b, c), 30);
}

TEST(GeometryElementary, AnglesBetweenPoints)
{
    double angle = 0;
    ASSERT_TRUE(AngleAtMiddlePoint(10, 0, 0, 0, 0, 5, &angle));
    EXPECT_NEAR(angle, Pi / 2, 1e-12);
    ASSERT_TRUE(AngleAtMiddlePoint(10, 0, 0, 0, -3, 0, &angle));
    EXPECT_NEAR(angle, Pi, 1e-12);
    EXPECT_FALSE(AngleAtMiddlePoint(0.00005, 0, 0, 0, 0, 5, &angle));

    const CLocation a = At(10, 0), v = At(0, 0), c = At(1, 1);
    ASSERT_TRUE(AngleBetweenAtVertex(&a, &v, &c, &angle));
    EXPECT_NEAR(angle, Pi / 4, 1e-12);
    EXPECT_FALSE(AngleBetweenAtVertex(&v, &v, &c, &angle));

    double direction = 1;
    EXPECT_EQ(DistanceDirectionXY(2, 3, 2, 3, &direction), 0);
    EXPECT_EQ(direction, NoValue);
    EXPECT_DOUBLE_EQ(DistanceDirectionXY(0, 0, -4, 0, &direction), 4);
    EXPECT_DOUBLE_EQ(direction, -Pi);

    double x = 0, y = 0;
    PolarPoint(1, 1, Pi / 2, 2, &x, &y);
    EXPECT_NEAR(x, 1, 1e-12);
    EXPECT_NEAR(y, 3, 1e-12);

    EXPECT_TRUE(IsProjectionWithinSegment(At(0, 5), At(0, 0), At(10, 0)));
    EXPECT_TRUE(IsProjectionWithinSegment(At(10, -5), At(0, 0), At(10, 0)));
    EXPECT_FALSE(IsProjectionWithinSegment(At(-0.001, 5), At(0, 0), At(10, 0)));
}

TEST(GeometryVertex, AngleAtVertex)
{
    double ccw = 0, explement = 0, third = 0;
    ASSERT_TRUE(AngleAtVertex(At(1, 0), At(0, 0), At(0, 1), &ccw, &explement, &third));
    EXPECT_NEAR(ccw, Pi / 2, 1e-12);
    EXPECT_NEAR(explement, 3 * Pi / 2, 1e-12);
    EXPECT_NEAR(third, 3 * Pi / 2, 1e-12);

    // The same direction both ways is a full turn, not 0.
    ASSERT_TRUE(AngleAtVertexXY(5, 5, 0, 0, 1, 1, &ccw, &explement, &third));
    EXPECT_NEAR(ccw, TwoPi, 1e-12);
    EXPECT_NEAR(third, Pi, 1e-12);

    ccw = -1;
    EXPECT_FALSE(AngleAtVertex(At(0, 0), At(0, 0), At(0, 1), &ccw, &explement, &third));
    // A point without coordinates has no direction.
    EXPECT_FALSE(AngleAtVertex(At(NoValue, NoValue), At(0, 0), At(0, 1), &ccw, &explement, &third));
    EXPECT_EQ(ccw, -1);

    ASSERT_TRUE(AngleFromDirection(0, 1, 0, 0, 0.0, &ccw, &explement));
    EXPECT_NEAR(ccw, Pi / 2, 1e-12);
    EXPECT_FALSE(AngleFromDirection(3, 3, 3, 3, 0.0, &ccw, &explement));

    EXPECT_NEAR(ZenithBetween(At(0, 0, 0), At(10, 0, 10)), Pi / 4, 1e-12);
    EXPECT_EQ(ZenithBetween(At(0, 0, 0), At(10, 0)), NoValue);
}

TEST(GeometryIntersections, DirectionsAndLines)
{
    CLocation out(7, 7, 7);
    EXPECT_FALSE(IntersectDirections(At(0, 0), At(0, 5), 0, Pi, &out));
    EXPECT_EQ(out.x, 7);
    ASSERT_TRUE(IntersectDirections(At(0, 0), At(10, -5), 0, Pi / 2, &out));
    EXPECT_NEAR(out.x, 10, 1e-12);
    EXPECT_NEAR(out.y, 0, 1e-12);
    EXPECT_EQ(out.z, NoValue);
    // Behind the first point.
    ASSERT_TRUE(IntersectDirections(At(0, 0), At(-10, -5), 0, Pi / 2, &out));
    EXPECT_NEAR(out.x, -10, 1e-12);

    double t = 0;
    ASSERT_TRUE(IntersectLines(At(0, 0, 3), At(5, -5), At(10, 0, 3), At(5, 5), &out, &t));
    EXPECT_NEAR(out.x, 5, 1e-12);
    EXPECT_NEAR(out.y, 0, 1e-12);
    EXPECT_NEAR(t, 0.5, 1e-12);
    EXPECT_EQ(out.z, NoValue);
    // Parallel, coincident, and too short.
    EXPECT_FALSE(IntersectLines(At(0, 0), At(0, 1), At(10, 0), At(10, 1), &out, &t));
    EXPECT_FALSE(IntersectLines(At(0, 0), At(5, 0), At(10, 0), At(15, 0), &out, &t));
    EXPECT_FALSE(IntersectLines(At(0, 0), At(5, -5), At(0.00005, 0), At(5, 5), &out, &t));
    EXPECT_FALSE(IntersectLines(At(0, 0), At(5, 5), At(10, 0), At(5, 5), &out, &t));

    // Both solvers agree on a skew pair.
    CLocation viaDirections;
    ASSERT_TRUE(IntersectLines(At(1, 2), At(7, -3), At(4, 9), At(-2, 8), &out, &t));
    ASSERT_TRUE(IntersectDirections(At(1, 2), At(7, -3), std::atan2(7, 3), std::atan2(11, -9),
                                    &viaDirections));
    EXPECT_NEAR(out.x, viaDirections.x, 1e-9);
    EXPECT_NEAR(out.y, viaDirections.y, 1e-9);
}

TEST(GeometryIntersections, LineAndCircle)
{
    const CLocation origin = At(0, 0);
    CLocation a, b;
    ASSERT_EQ(IntersectLineCircle(At(-5, 10), At(5, 10), origin, 10, &a, &b), 1);
    EXPECT_NEAR(a.x, 0, 1e-12);
    EXPECT_NEAR(a.y, 10, 1e-12);
    // A hair outside still touches.
    ASSERT_EQ(IntersectLineCircle(At(-5, 10.000000001), At(5, 10.000000001), origin, 10, &a, &b), 1);
    EXPECT_NEAR(a.y, 10, 1e-6);
    EXPECT_EQ(IntersectLineCircle(At(-5, 10.01), At(5, 10.01), origin, 10, &a, &b), 0);

    ASSERT_EQ(IntersectLineCircle(At(-1, 2), At(3, 5), At(1, 1), 5, &a, &b), 2);
    EXPECT_NEAR(Dist(a, At(1, 1)), 5, 1e-9);
    EXPECT_NEAR(Dist(b, At(1, 1)), 5, 1e-9);
    EXPECT_NEAR(Cross3(a, At(-1, 2), At(3, 5)), 0, 1e-9);
    EXPECT_NEAR(Cross3(b, At(-1, 2), At(3, 5)), 0, 1e-9);
    EXPECT_GT(Dist(a, b), 1);

    // Two coincident points give no line (and no points of NaN).
    a = At(1, 1);
    EXPECT_EQ(IntersectLineCircle(At(3, 3), At(3, 3), origin, 10, &a, &b), 0);
    EXPECT_EQ(a.x, 1);
}

TEST(GeometryIntersections, TwoCircles)
{
    CLocation a, b;
    ASSERT_EQ(IntersectCircles(At(0, 0), 3, At(5, 0), 4, &a, &b), 2);
    for (const CLocation& p : {a, b}) {
        EXPECT_NEAR(Dist(p, At(0, 0)), 3, 1e-12);
        EXPECT_NEAR(Dist(p, At(5, 0)), 4, 1e-12);
    }
    EXPECT_NEAR(a.y, -b.y, 1e-12);
    EXPECT_NE(a.y, b.y);

    ASSERT_EQ(IntersectCircles(At(0, 0), 3, At(7, 0), 4, &a, &b), 1);
    EXPECT_NEAR(a.x, 3, 1e-12);
    EXPECT_NEAR(a.y, 0, 1e-12);

    EXPECT_EQ(IntersectCircles(At(0, 0), 3, At(8, 0), 4, &a, &b), 0);
    EXPECT_EQ(IntersectCircles(At(0, 0), 3, At(0, 0), 3, &a, &b), 0); // concentric
    a = At(9, 9);
    EXPECT_EQ(IntersectCircles(At(0, 0), 10, At(1, 0), 2, &a, &b), 0); // one inside the other
    EXPECT_EQ(a.x, 9);
    EXPECT_EQ(IntersectCircles(At(NoValue, NoValue), 10, At(1, 0), 2, &a, &b), 0);

    // Chord through the first centre: the two points must still be distinct.
    ASSERT_EQ(IntersectCircles(At(0, 0), 3, At(4, 0), 5, &a, &b), 2);
    EXPECT_NEAR(std::fabs(a.y), 3, 1e-12);
    EXPECT_NEAR(a.y, -b.y, 1e-12);
    EXPECT_NEAR(a.x, 0, 1e-12);
}

TEST(GeometryTriangles, SolutionsAgreeWithCoordinates)
{
    double a = 0, b = 0, c = 0, area = 0;
    ASSERT_TRUE(SolveTriangleSSS(3, 4, 5, &a, &b, &c, &area));
    EXPECT_NEAR(c, Pi / 2, 1e-12);
    EXPECT_NEAR(area, 6, 1e-12);
    EXPECT_FALSE(SolveTriangleSSS(1, 2, 3, &a, &b, &c, &area)); // degenerate
    EXPECT_FALSE(SolveTriangleSSS(1, 2, 10, &a, &b, &c, &area));
    EXPECT_FALSE(SolveTriangleSSS(0.00005, 2, 2, &a, &b, &c, &area));
    EXPECT_TRUE(SolveTriangleSSS(-3, 4, -5, &a, &b, &c, &area));

    // A scalene obtuse triangle by coordinates.
    const CLocation p = At(0, 0), q = At(9, 0), r = At(-2, 4);
    const double sideA = Dist(q, r), sideB = Dist(p, r), sideC = Dist(p, q);
    double angP = 0, angQ = 0, angR = 0;
    ASSERT_TRUE(AngleAtMiddlePoint(q.x, q.y, p.x, p.y, r.x, r.y, &angP));
    ASSERT_TRUE(AngleAtMiddlePoint(p.x, p.y, q.x, q.y, r.x, r.y, &angQ));
    ASSERT_TRUE(AngleAtMiddlePoint(p.x, p.y, r.x, r.y, q.x, q.y, &angR));
    const double coordArea = std::fabs(Cross3(r, p, q)) / 2;

    ASSERT_TRUE(SolveTriangleSSS(sideA, sideB, sideC, &a, &b, &c, &area));
    EXPECT_NEAR(a, angP, 1e-12);
    EXPECT_NEAR(b, angQ, 1e-12);
    EXPECT_NEAR(c, angR, 1e-12);
    EXPECT_NEAR(area, coordArea, 1e-9);

    // SAS from sides p-q and p-r with the obtuse angle at p between them; the obtuse case is
    // the one asin alone gets wrong.
    double opposite1 = 0, third = 0, opposite2 = 0;
    SolveTriangleSAS(sideC, angP, sideB, &opposite1, &third, &opposite2, &area);
    EXPECT_NEAR(third, sideA, 1e-9);
    EXPECT_NEAR(opposite1, angQ, 1e-9); // opposite sideB
    EXPECT_NEAR(opposite2, angR, 1e-9); // opposite sideC
    EXPECT_NEAR(area, coordArea, 1e-9);
    SolveTriangleSAS(sideB, angP, sideC, &opposite1, &third, &opposite2, &area);
    EXPECT_NEAR(opposite1, angR, 1e-9);
    EXPECT_NEAR(opposite2, angQ, 1e-9);

    // A zero angle collapses the third side: only its square is written.
    opposite1 = -1;
    SolveTriangleSAS(5, 0, 5, &opposite1, &third, &opposite2, &area);
    EXPECT_LE(third, 0);
    EXPECT_EQ(opposite1, -1);
}

TEST(GeometryReductions, CurvatureRefractionAndSeaLevel)
{
    double out = 0;
    ASSERT_TRUE(ReduceDistanceToSeaLevel(&out, 1000, 0, EarthRadius / 10000));
    EXPECT_NEAR(out, 1000 / 1.0001, 1e-9);
    EXPECT_FALSE(ReduceDistanceToSeaLevel(&out, NoValue, 0, 0));
    EXPECT_FALSE(ReduceDistanceToSeaLevel(&out, 1000, 0, -EarthRadius));

    // The fixed factors are the general correction for k = 0.142.
    double v1 = 1, h1 = 500, v2 = 1, h2 = 500;
    ApplyCurvatureRefractionFixed(1.5, 500, &v1, &h1);
    const double k = 0.142;
    h2 -= (1 - k / 2) * std::sin(3.0) * 500 * 500 / (2 * EarthRadius);
    v2 += (1 - k) * std::pow(std::sin(1.5) * 500, 2) / (2 * EarthRadius);
    EXPECT_NEAR(h1, h2, 1e-9);
    EXPECT_NEAR(v1, v2, 1e-6);

    double v = 2, h = 1000;
    ApplyCurvatureRefraction(Pi / 2, 1000, &v, &h, 0.2);
    EXPECT_NEAR(h, 1000, 1e-9); // level sight: no horizontal change
    EXPECT_NEAR(v, 2 + 0.8 * 1e6 / (2 * EarthRadius), 1e-12);
    EXPECT_NEAR(CurvatureRefractionHeight(1000), 0.0673258, 1e-12);

    // Components and slope invert each other, with and without the correction.
    for (bool correct : {false, true}) {
        double va = 0, s = 0;
        ComponentsToSlope(correct, 1.5, 1.8, 12.0, 300.0, &va, &s);
        double dz = 0, d = 0;
        SlopeToComponents(false, 1.5, 1.8, va, s, &dz, &d);
        EXPECT_NEAR(d, 300.0, 1e-9) << correct;
        EXPECT_NEAR(dz, 12.0 + (correct ? CurvatureRefractionHeight(300) : 0), 1e-9) << correct;
    }
}

TEST(GeometrySpirals, SeriesAndTangentPoint)
{
    // The series agree with a direct integration of the clothoid.
    const double length = 80, radius = 150;
    const double theta = length / (2 * radius);
    double ix = 0, iy = 0;
    const int steps = 20000;
    for (int i = 0; i < steps; ++i) {
        const double l = (i + 0.5) * length / steps;
        const double phi = l * l / (2 * radius * length);
        ix += std::cos(phi) * length / steps;
        iy += std::sin(phi) * length / steps;
    }
    EXPECT_NEAR(SpiralX(theta, length), ix, 1e-6);
    EXPECT_NEAR(SpiralY(theta, length), iy, 1e-6);

    double t = 0, x = 0, y = 0, p = 0, k = 0, t2 = 0;
    SpiralElements(length, radius, &t, &x, &y, &p, &k, &t2);
    EXPECT_DOUBLE_EQ(t, theta);
    EXPECT_DOUBLE_EQ(t2, theta);
    EXPECT_NEAR(x, ix, 1e-5);
    EXPECT_NEAR(y, iy, 1e-5);
    EXPECT_NEAR(p, y - radius * (1 - std::cos(theta)), 1e-12);
    EXPECT_NEAR(k, x - radius * std::sin(theta), 1e-12);

    // The tangents' intersection of a clockwise spiral from (0, 0) heading east, reached from
    // the start along the long tangent and from the end back along the short one.
    const double longTangent = ix - iy / std::tan(theta);
    const CLocation start = At(0, 0), end = At(ix, -iy);
    double lx = 0, ly = 0;
    ASSERT_TRUE(SpiralPointOfIntersection(&lx, &ly, start, end, length, radius, true, false));
    EXPECT_NEAR(lx, longTangent, 1e-5);
    EXPECT_NEAR(ly, 0, 1e-5);
    double sx = 0, sy = 0;
    ASSERT_TRUE(SpiralPointOfIntersection(&sx, &sy, end, start, length, radius, false, true));
    EXPECT_NEAR(sx, longTangent, 1e-5);
    EXPECT_NEAR(sy, 0, 1e-5);
    EXPECT_NEAR(std::hypot(sx - ix, sy + iy), iy / std::sin(theta), 1e-5);
    // Mirrored: counter-clockwise.
    ASSERT_TRUE(SpiralPointOfIntersection(&lx, &ly, start, At(ix, iy), length, radius, true, true));
    EXPECT_NEAR(lx, longTangent, 1e-5);
    EXPECT_NEAR(ly, 0, 1e-5);
    const CLocation ahead = At(100, 0);

    EXPECT_FALSE(SpiralPointOfIntersection(&x, &y, start, ahead, length, 0.00001, true, false));
    EXPECT_FALSE(SpiralPointOfIntersection(&x, &y, start, ahead, 0, radius, true, false));
    x = 42;
    EXPECT_FALSE(SpiralPointOfIntersection(&x, &y, start, start, length, radius, true, false));
    EXPECT_EQ(x, 42);
}

TEST(GeometryCurves, QuarterCircleSolversAgree)
{
    // Quarter circle of radius 10 from (0, 0) to (10, 10), centre (10, 0), PI (0, 10).
    double x = 0, y = 0;
    ASSERT_TRUE(CurveCentreFromTangents(0, 0, 10, 10, 0, 10, &x, &y));
    EXPECT_NEAR(x, 10, 1e-9);
    EXPECT_NEAR(y, 0, 1e-9);
    ASSERT_TRUE(CurvePointOfIntersection(10, 0, 0, 0, 10, 10, &x, &y));
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, 10, 1e-9);
    ASSERT_TRUE(CurveOtherTangentPoint(0, 10, 0, 0, 10, 0, &x, &y));
    EXPECT_NEAR(x, 10, 1e-9);
    EXPECT_NEAR(y, 10, 1e-9);
    ASSERT_TRUE(CurveOtherTangentPoint(0, 10, 10, 10, 10, 0, &x, &y));
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, 0, 1e-9);

    // Turning the other way, and a 60-degree arc.
    ASSERT_TRUE(CurveCentreFromTangents(0, 0, 10, -10, 0, -10, &x, &y));
    EXPECT_NEAR(x, 10, 1e-9);
    EXPECT_NEAR(y, 0, 1e-9);
    const double r = 25, a0 = Pi, a1 = Pi - Pi / 3; // centre at the origin
    const double sx = r * std::cos(a0), sy = r * std::sin(a0);
    const double ex = r * std::cos(a1), ey = r * std::sin(a1);
    double pix = 0, piy = 0;
    ASSERT_TRUE(CurvePointOfIntersection(0, 0, sx, sy, ex, ey, &pix, &piy));
    EXPECT_NEAR(Dist(At(pix, piy), At(sx, sy)), r * std::tan(Pi / 6), 1e-9);
    ASSERT_TRUE(CurveCentreFromTangents(sx, sy, ex, ey, pix, piy, &x, &y));
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, 0, 1e-9);
}

TEST(GeometryCurves, RefuseInconsistentInput)
{
    double x = 0, y = 0;
    EXPECT_FALSE(CurveCentreFromTangents(0, 0, 10, 10, 0, 0, &x, &y)); // PI on the start
    EXPECT_FALSE(CurveCentreFromTangents(0, 0, 10, 11, 0, 10, &x, &y)); // unequal tangents
    EXPECT_FALSE(CurveCentreFromTangents(0, 0, 0, 20, 0, 10, &x, &y)); // straight line
    EXPECT_FALSE(CurvePointOfIntersection(10, 0, 0, 0, 10, 11, &x, &y)); // unequal radii
    EXPECT_FALSE(CurvePointOfIntersection(0, 0, -10, 0, 10, 0, &x, &y)); // half circle
    EXPECT_FALSE(CurveOtherTangentPoint(0, 10, 0, 0, 10, 1, &x, &y)); // not square at B
    EXPECT_FALSE(CurveOtherTangentPoint(0, 10, 0, 0, 0, 0.00001, &x, &y)); // no radius
}

TEST(GeometrySegments, OffsetsAndNormals)
{
    double nx = 0, ny = 0;
    ASSERT_TRUE(RightNormal(At(0, 0), At(0, 10), &nx, &ny));
    EXPECT_NEAR(nx, 1, 1e-12);
    EXPECT_NEAR(ny, 0, 1e-12);
    ASSERT_TRUE(RightNormal(At(0, 0), At(10, 0), &nx, &ny));
    EXPECT_EQ(nx, 0);
    EXPECT_EQ(ny, -1);
    ASSERT_TRUE(RightNormal(At(1, 1), At(-2, -3), &nx, &ny));
    EXPECT_NEAR(nx, -0.8, 1e-12);
    EXPECT_NEAR(ny, 0.6, 1e-12);
    EXPECT_FALSE(RightNormal(At(1, 1), At(1, 1), &nx, &ny));

    const CLocation a = At(0, 0, 100), b = At(10, 0, 110);
    double along = 0, offset = 0;
    CLocation foot;
    ASSERT_TRUE(OffsetFromSegment(a, b, At(4, 3), &along, &offset, &foot));
    EXPECT_NEAR(along, 4, 1e-12);
    EXPECT_NEAR(offset, -3, 1e-12); // left is negative
    EXPECT_NEAR(foot.x, 4, 1e-12);
    EXPECT_NEAR(foot.z, 104, 1e-12);
    ASSERT_TRUE(OffsetFromSegment(a, b, At(6, -2), &along, &offset, &foot));
    EXPECT_NEAR(offset, 2, 1e-12);
    EXPECT_FALSE(OffsetFromSegment(a, b, At(11, 1), &along, &offset, &foot));
    EXPECT_FALSE(OffsetFromSegment(a, a, At(0, 0), &along, &offset, &foot));

    double t = 0;
    EXPECT_TRUE(AlongWithinSegment(a, b, -0.00005));
    EXPECT_FALSE(AlongWithinSegment(a, b, -0.001));
    EXPECT_TRUE(AlongWithinSegment(a, b, 10.00005));
    EXPECT_FALSE(AlongWithinSegment(a, b, 10.001));
    ASSERT_TRUE(AlongToFraction(a, b, 10.00005, &t));
    EXPECT_EQ(t, 1.0);
    ASSERT_TRUE(AlongToFraction(a, b, -0.00005, &t));
    EXPECT_EQ(t, 0.0);
}

TEST(GeometrySegments, InterpolationNeverInventsAnElevation)
{
    const CLocation flat = At(0, 0), high = At(10, 0, 100);
    EXPECT_EQ(InterpolateLocation(flat, high, 1.0).z, NoValue);
    EXPECT_EQ(InterpolateLocation(high, flat, 0.0).z, NoValue);
    EXPECT_DOUBLE_EQ(InterpolateLocation(At(0, 0, 50), high, 0.5).z, 75);

    // The foot at the far end of a segment from a point without elevation.
    CLocation foot;
    double nx = 0, ny = 0;
    ASSERT_TRUE(PointAlongSegment(flat, high, 10, &foot, &nx, &ny));
    EXPECT_NEAR(foot.x, 10, 1e-12);
    EXPECT_FALSE(foot.IsValid3D());
}

TEST(GeometryTransforms, ElevationsMoveOnlyWhenPresent)
{
    CLocation p = At(2, 0, 10);
    const CLocation centre = At(1, 0, 4);
    RotatePoint(&p, &centre, Pi / 2);
    EXPECT_NEAR(p.x, 1, 1e-12);
    EXPECT_NEAR(p.y, 1, 1e-12);
    EXPECT_EQ(p.z, 10);

    TranslatePoint(&p, 1, 2, 3);
    EXPECT_NEAR(p.y, 3, 1e-12);
    EXPECT_EQ(p.z, 13);
    CLocation q = At(0, 0);
    TranslatePoint(&q, 1, 2, 3);
    EXPECT_EQ(q.z, NoValue);

    ScalePoint(&p, &centre, 2, 3, 0.5);
    EXPECT_NEAR(p.x, 3, 1e-12);
    EXPECT_NEAR(p.y, 9, 1e-12);
    EXPECT_NEAR(p.z, 8.5, 1e-12);
    const CLocation flatCentre = At(0, 0);
    ScalePoint(&p, &flatCentre, 1, 1, 2);
    EXPECT_NEAR(p.z, 8.5, 1e-12);
}
