#include "TestJobDoc.h"

#include "core/AngleFunctions.h"
#include "model/JobFileMathConversions.h"
#include "core/JobValueSource.h"
#include "model/PointMeasurements.h"

#include <gtest/gtest.h>

#include <cmath>

using morvel::test::OpenDocumentScope;
using morvel::test::TestJobDoc;

TEST(JobFileMathConversions, FollowsAUnitChangeAtOnce)
{
    TestJobDoc doc;
    CJobFileMathConversions* c = doc.GetMathConversions();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetDistanceUnits(), ClassUnitInternationalFeet);
    EXPECT_DOUBLE_EQ(c->MetresToDisplay(1.0), 3.280839895013123);

    doc.settings.SetDistanceUnit(JobUnitMetres);
    EXPECT_EQ(c->GetDistanceUnits(), ClassUnitMetres);
    EXPECT_DOUBLE_EQ(c->MetresToDisplay(1.0), 1.0);
    EXPECT_EQ(c->GetVolumeUnitLabel(), "Cubic m");

    doc.settings.SetAngleUnit(1);
    doc.settings.SetAzimuthFormat(1);
    EXPECT_EQ(c->GetAngleUnits(), AngleUnitGrads);
    EXPECT_EQ(c->GetAzimuthFormat(), AzimuthSouth);
    EXPECT_EQ(c->GetAngleUnitLabel(), "g");
    doc.settings.SetAngleUnit(0); // each read from its own setting
    EXPECT_EQ(c->GetAngleUnits(), AngleUnitDegrees);
    EXPECT_EQ(c->GetAzimuthFormat(), AzimuthSouth);
    // Codes outside the lists read as degrees, north and metres.
    doc.settings.SetAngleUnit(5);
    doc.settings.SetAzimuthFormat(-1);
    doc.settings.SetDistanceUnit(9);
    EXPECT_EQ(c->GetAngleUnits(), AngleUnitDegrees);
    EXPECT_EQ(c->GetAzimuthFormat(), AzimuthNorth);
    EXPECT_EQ(c->GetDistanceUnits(), ClassUnitMetres);
    EXPECT_EQ(c->GetDistanceUnitLabel(), "");
    EXPECT_EQ(c->GetAreaUnitLabel(), "Sq ft");
}

TEST(JobFileMathConversions, LabelsAndAreasPerDistanceUnit)
{
    TestJobDoc doc;
    const CJobFileMathConversions& c = *doc.GetMathConversions();
    struct Row
    {
        int job;
        const char* distance;
        const char* area;
        const char* largeArea;
        double squareMetre;
        double largePerArea;
    };
    const Row rows[] = {
        {0, "m", "Sq m", "Hectares", 1.0, 0.0001},
        {1, "ft", "Sq ft", "Acres", 3.280839895013123 * 3.280839895013123, 2.295684113865932e-05},
        {2, "usft", "Sq usft", "US Acres", 3.280833333333333 * 3.280833333333333, 2.295684113865932e-05},
    };
    for (const Row& r : rows) {
        doc.settings.SetDistanceUnit(r.job);
        EXPECT_EQ(c.GetDistanceUnitLabel(), r.distance);
        EXPECT_EQ(c.GetAreaUnitLabel(), r.area);
        EXPECT_EQ(c.GetLargeAreaUnitLabel(), r.largeArea);
        EXPECT_DOUBLE_EQ(c.SquareMetresToDisplay(1.0), r.squareMetre) << r.job;
        EXPECT_DOUBLE_EQ(c.DisplayAreaToLargeArea(1.0), r.largePerArea) << r.job;
        EXPECT_NEAR(c.LargeAreaToDisplayArea(c.DisplayAreaToLargeArea(12345.0)), 12345.0, 1e-6) << r.job;
    }
}

TEST(JobFileMathConversions, PointNameMeasurementsUseTheActiveJob)
{
    TestJobDoc doc;
    CPointRecord* a = doc.AddPoint("A", 0, 0, 10);
    CPointRecord* b = doc.AddPoint("B", 3, 4, 22);
    CPointRecord* c = doc.AddPoint("C", 0, 5, NoValue);
    const CMathConversions& conv = *doc.GetMathConversions();
    double v = 0;

    // With no job open, names find nothing; records work regardless.
    EXPECT_FALSE(conv.SlopeDistanceBetweenPoints(std::string("A"), std::string("B"), &v));
    EXPECT_TRUE(SlopeDistanceBetweenPoints(conv, a, b, &v));
    EXPECT_DOUBLE_EQ(v, 13.0);
    EXPECT_FALSE(SlopeDistanceBetweenPoints(conv, a, nullptr, &v));

    OpenDocumentScope open(&doc);
    EXPECT_EQ(GetActiveJobMathConversions(), &conv);
    EXPECT_TRUE(conv.SlopeDistanceBetweenPoints(std::string("a"), std::string("b"), &v));
    EXPECT_DOUBLE_EQ(v, 13.0);
    EXPECT_TRUE(conv.ElevationDifferenceBetweenPoints(std::string("B"), std::string("A"), &v));
    EXPECT_DOUBLE_EQ(v, -12.0);
    EXPECT_TRUE(conv.VerticalAngleBetweenPoints(std::string("A"), std::string("B"), &v));
    EXPECT_DOUBLE_EQ(v, std::atan2(12.0, 5.0));
    EXPECT_TRUE(conv.DirectionBetweenPoints(std::string("A"), std::string("C"), &v));
    EXPECT_DOUBLE_EQ(v, Pi / 2);
    // Lacking an elevation, C cannot give a slope distance.
    EXPECT_FALSE(conv.SlopeDistanceBetweenPoints(std::string("A"), std::string("C"), &v));
    EXPECT_FALSE(conv.DirectionBetweenPoints(std::string("A"), std::string("Z"), &v));

    double angle = 0;
    EXPECT_TRUE(conv.AngleAtVertexOfPoints(std::string("C"), std::string("A"), std::string("B"), &angle));
    double fromRecords = 0;
    EXPECT_TRUE(AngleAtVertexOfPoints(conv, c, a, b, &fromRecords));
    EXPECT_DOUBLE_EQ(angle, fromRecords);

    double distance = 0;
    double direction = 0;
    EXPECT_TRUE(conv.DistanceAndDirectionBetweenPoints("A", "B", &distance, &direction));
    EXPECT_DOUBLE_EQ(distance, 5.0);
    EXPECT_DOUBLE_EQ(direction, std::atan2(4.0, 3.0));
    // Coincident points have a distance but no direction.
    EXPECT_TRUE(conv.DistanceAndDirectionBetweenPoints("A", "A", &distance, &direction));
    EXPECT_EQ(distance, 0.0);
    EXPECT_EQ(direction, NoValue);
    EXPECT_FALSE(conv.DistanceAndDirectionBetweenPoints("A", "Q", &distance, &direction));
}
