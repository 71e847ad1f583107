#include "cogo/ComputedPoint.h"
#include "model/DataFileUndoManager.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "rawdata/RawJob.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using morvel::test::RawJob;

TEST(StoreComputedPointTest, NewAndOverwrittenPointsAreLogged)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    CPointRecord* existing = job.AddPoint("12", 10, 20, 30);
    ASSERT_NE(existing, nullptr);

    CPointRecord* made = StoreComputedPoint(job, "13", CLocation(1036, 952, NoValue), "I-sect Pt C");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(job.GetPointDatabase()->FindPoint("13", true), made);
    EXPECT_STREQ(made->GetDescription(), "I-sect Pt C");
    EXPECT_EQ(job.Text(job.raw.GetLineCount() - 1), "CC,13,952.0,1036.0,,I-sect Pt C");

    // Overwriting keeps the record object and still leaves a trace in the raw data.
    CPointRecord* again = StoreComputedPoint(job, "12", CLocation(1, 2, 3), "Pt in Dir");
    EXPECT_EQ(again, existing);
    EXPECT_EQ(existing->GetLocation().x, 1);
    EXPECT_EQ(existing->GetLocation().z, 3);
    EXPECT_STREQ(existing->GetDescription(), "Pt in Dir");
    EXPECT_EQ(job.Text(job.raw.GetLineCount() - 1), "CC,12,2.0,1.0,3.0,Pt in Dir");
}

TEST(StoreComputedPointTest, RefusesLocationsThatCannotBeStored)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    const int32_t lines = job.raw.GetLineCount();
    const CLocation bad[] = {CLocation(NAN, 0, NoValue), CLocation(0, INFINITY, NoValue), CLocation(1e10, 0, NoValue),
                             CLocation(0, -9.99e27, NoValue), CLocation(0, 0, 2e10)};
    for (const CLocation& at : bad)
        EXPECT_EQ(StoreComputedPoint(job, "1", at, ""), nullptr) << at.x << " " << at.y << " " << at.z;
    EXPECT_EQ(job.GetPointDatabase()->FindPoint("1", true), nullptr);
    EXPECT_EQ(job.raw.GetLineCount(), lines);
}

} // namespace
