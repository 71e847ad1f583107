// The job settings taken from the last raw setup: every value checked before any is taken.
#include "FakeRawDataSetup.h"
#include "RawJob.h"
#include "rawdata/SetupJobSettings.h"

#include <gtest/gtest.h>

using morvel::test::RawJob;

TEST(SetupJobSettingsTest, AGonsSetupInFeetBecomesTheJobsUnits)
{
    RawJob job;
    job.AppendAll({"CO,Morvel RAW data format V2.00", "CO,DIST UNITS: Feet US", "CO,ANGLE UNITS: Gons",
                   "CO,ZERO AZIMUTH: South"});
    CSetupJobSettings taken;
    ASSERT_TRUE(CSetupJobSettings::Read(*job.LastSetup(), &taken));
    taken.ApplyTo(job.settings);
    EXPECT_EQ(job.settings.GetSurveyUnits(), 2);
    EXPECT_EQ(job.settings.GetAngleUnits(), 1);
    EXPECT_EQ(job.settings.GetAzimuthFormat(), 1);
    EXPECT_FALSE(job.settings.GetUseScaleFactor());
}

TEST(SetupJobSettingsTest, AValueOutOfRangeTakesNothing)
{
    struct Case
    {
        const char* name;
        int32_t distance, angle, zero;
    };
    const Case cases[] = {{"distance unit 3", 3, 0, 0}, {"angle unit 2", 1, 2, 0}, {"zero azimuth -1", 1, 0, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        morvel::test::FakeRawDataSetup setup;
        setup.distanceCode = c.distance;
        setup.angleCode = c.angle;
        setup.zeroAzimuth = c.zero;
        CSetupJobSettings taken;
        taken.angleUnit = 7;
        EXPECT_FALSE(CSetupJobSettings::Read(setup, &taken));
        EXPECT_EQ(taken.angleUnit, 7);
    }
    // Metres in the raw data are the job's unit 0.
    morvel::test::FakeRawDataSetup metres;
    CSetupJobSettings taken;
    ASSERT_TRUE(CSetupJobSettings::Read(metres, &taken));
    EXPECT_EQ(taken.distanceUnit, 0);
}
