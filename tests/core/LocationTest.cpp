#include "core/AngleFunctions.h"
#include "core/Location.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(NoValueRule, BoundaryOfThePresentRange)
{
    EXPECT_FALSE(HasValue(NoValue));
    EXPECT_FALSE(HasValue(NoValueLimit));
    EXPECT_TRUE(HasValue(NoValueLimit + 1));
    EXPECT_FALSE(HasValue(std::numeric_limits<double>::quiet_NaN()));

    CLocation p(NoValueLimit, 5.0, 1.0);
    EXPECT_FALSE(p.HasPlaneCoordinates());
    p.x = NoValueLimit + 1;
    EXPECT_TRUE(p.HasPlaneCoordinates());
    EXPECT_TRUE(p.IsValid3D());
    p.x = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(p.HasPlaneCoordinates());
}

TEST(Location, DefaultIsOriginWithoutElevation)
{
    CLocation p;
    EXPECT_TRUE(p.HasPlaneCoordinates());
    EXPECT_FALSE(p.IsValid3D());
    // An elevation alone does not make a 3D location.
    CLocation e(NoValue, NoValue, 12.0);
    EXPECT_FALSE(e.IsValid3D());
}

TEST(Location, CoincidentPointsHaveNoDirection)
{
    CLocation a(10, 20, 1), b(10, 20, 5);
    double dir = 0;
    EXPECT_EQ(a.DistanceAndDirection(b, &dir), 0.0);
    EXPECT_EQ(dir, NoValue);
    double dx, dy, dz;
    EXPECT_EQ(a.Inverse(b, &dir, &dx, &dy, &dz), 0.0);
    EXPECT_EQ(dir, NoValue);
    EXPECT_EQ(dx, 0.0);
    EXPECT_EQ(dy, 0.0);
    EXPECT_DOUBLE_EQ(dz, 4.0);
}

TEST(Location, MissingPlaneCoordinatesGiveNoValues)
{
    CLocation a(1, 1, 1), b;
    b.SetAllNull();
    double dir, dx, dy, dz;
    EXPECT_EQ(a.HorizontalDistance(b), NoValue);
    EXPECT_EQ(a.Inverse(b, &dir, &dx, &dy, &dz), NoValue);
    EXPECT_EQ(dir, NoValue);
    EXPECT_EQ(dz, NoValue);
    EXPECT_FALSE(a.IsSamePosition(b));
}

TEST(Location, EqualityNeedsMatchingElevations)
{
    CLocation a3(1, 2, 3), a2(1, 2, NoValue);
    EXPECT_TRUE(a3.IsSamePosition(a2));
    EXPECT_FALSE(a3.IsEqual(a2));
    EXPECT_TRUE(a3.IsEqual(CLocation(1.00005, 2, 3.00005)));
    EXPECT_FALSE(a3.IsEqual(CLocation(1, 2, 3.0002)));
}

TEST(Location, ArithmeticDropsElevationUnlessBothAre3D)
{
    CLocation a(1, 2, 3), b(10, 20, NoValue);
    CLocation s = a + b;
    EXPECT_DOUBLE_EQ(s.x, 11);
    EXPECT_DOUBLE_EQ(s.y, 22);
    EXPECT_EQ(s.z, NoValue);
    CLocation d = a - CLocation(1, 1, 1);
    EXPECT_DOUBLE_EQ(d.z, 2);
    EXPECT_EQ(b.Scale(2).z, NoValue);
    EXPECT_DOUBLE_EQ(a.Scale(2).z, 6);
}

TEST(Location, OffsetsAndRotation)
{
    CLocation a(0, 0, 10);
    CLocation b = a.OffsetByDirectionDistance(Pi / 2, 5);
    EXPECT_NEAR(b.x, 0, 1e-12);
    EXPECT_NEAR(b.y, 5, 1e-12);
    EXPECT_EQ(b.z, 10);
    CLocation same = a.OffsetByDirectionDistance(NoValue, 5);
    EXPECT_EQ(same.x, 0);
    EXPECT_EQ(same.y, 0);
    EXPECT_DOUBLE_EQ(a.OffsetByDirectionDistanceRise(0, 1, 2.5).z, 12.5);
    EXPECT_EQ(CLocation(0, 0, NoValue).OffsetByDirectionDistanceRise(0, 1, 2.5).z, NoValue);

    CLocation r(2, 1, NoValue);
    r.RotateAbout(CLocation(1, 1, NoValue), Pi / 2);
    EXPECT_NEAR(r.x, 1, 1e-12);
    EXPECT_NEAR(r.y, 2, 1e-12);
}

TEST(Location, VerticalMeasurements)
{
    CLocation a(0, 0, 0), b(3, 4, 5);
    double v;
    EXPECT_TRUE(a.SlopeDistanceTo(b, &v));
    EXPECT_NEAR(v, std::sqrt(50.0), 1e-12);
    EXPECT_TRUE(a.VerticalAngleTo(b, &v));
    EXPECT_NEAR(v, Pi / 4, 1e-12);
    EXPECT_TRUE(a.GradeTo(b, &v));
    EXPECT_DOUBLE_EQ(v, 1.0);
    // Too close horizontally for a grade.
    EXPECT_FALSE(a.GradeTo(CLocation(0.00005, 0, 1), &v));
    EXPECT_FALSE(a.ElevationDifferenceTo(CLocation(1, 1, NoValue), &v));
    EXPECT_EQ(v, NoValue);
}

TEST(Location, InsideRectIncludesEdges)
{
    EXPECT_TRUE(CLocation(10, 5, NoValue).IsInsideRect(0, 5, 10, 0));
    EXPECT_FALSE(CLocation(10.001, 5, NoValue).IsInsideRect(0, 5, 10, 0));
    EXPECT_FALSE(CLocation(std::nan(""), 1, NoValue).IsInsideRect(0, 5, 10, 0));
}

TEST(Extent2D, GrowsFromFirstPoint)
{
    CExtent2D e;
    EXPECT_TRUE(e.IsEmpty());
    e.AddPoint(CLocation(100, 200, NoValue));
    EXPECT_FALSE(e.IsEmpty());
    EXPECT_EQ(e.left, 100);
    EXPECT_EQ(e.right, 100);
    EXPECT_EQ(e.top, 200);
    EXPECT_EQ(e.bottom, 200);
    e.InflateIfDegenerate(5, 5);
    EXPECT_EQ(e.left, 95);
    EXPECT_EQ(e.right, 105);
    EXPECT_EQ(e.bottom, 195);
    EXPECT_EQ(e.top, 205);
    e.AddPoint(CLocation(90, 210, NoValue));
    EXPECT_EQ(e.left, 90);
    EXPECT_EQ(e.top, 210);
    e.InflateByRatio(0.1);
    EXPECT_DOUBLE_EQ(e.left, 88.5);
    EXPECT_DOUBLE_EQ(e.right, 106.5);
}

TEST(AngleFunctions, DirectionFromDeltaRange)
{
    EXPECT_EQ(DirectionFromDelta(0, -1), -Pi);
    EXPECT_EQ(DirectionFromDelta(0, 0), NoValue);
    EXPECT_EQ(DirectionFromDelta(-1, 0), -Pi / 2);
    EXPECT_DOUBLE_EQ(DirectionFromDelta(1, -1), 3 * Pi / 4);
    EXPECT_DOUBLE_EQ(DirectionFromDelta(-1, -1), -3 * Pi / 4);
    EXPECT_DOUBLE_EQ(NormalizeAngle(-Pi / 2), 3 * Pi / 2);
}
