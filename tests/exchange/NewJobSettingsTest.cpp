#include "TestUtil.h"
#include "exchange/NewJobSettings.h"
#include "model/JobFileHeader.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

using morvel::test::TempDir;

namespace {

TEST(NewJobSettings, FieldsMapToTheHeaderFlagWord)
{
    TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    JobFileHeader custom;
    InitJobFileHeader(custom);
    EXPECT_EQ(LoadNewJobCustomSettings(profile, custom), NewJobFromTransferDefaults);
    NewJobFields fields = ReadNewJobFields(custom);
    EXPECT_EQ(fields.distanceUnit, 1) << "an empty profile gives feet";
    EXPECT_EQ(fields.offset, 1000u);
    EXPECT_DOUBLE_EQ(fields.scaleFactor, 1.0);

    fields.azimuthType = 1;
    fields.directionType = 1;
    fields.curvature = true;
    fields.coefficient = 1;
    WriteNewJobFields(fields, custom);
    StoreNewJobCustomSettings(profile, custom, NewJobFromCustomSettings);
    EXPECT_EQ(profile.GetProfileInt("General", "Def Settings", -1), 54);
    EXPECT_EQ(profile.GetProfileInt("General", "New Job", -1), 2);

    // With the correction off the coefficient is neither read nor written: bit 4 keeps its value.
    fields.curvature = false;
    fields.coefficient = 0;
    WriteNewJobFields(fields, custom);
    EXPECT_EQ(custom.GetFlags(), 54u - 4u);
    custom.SetAngleUnit(7);
    EXPECT_EQ(ReadNewJobFields(custom).angleUnit, 0) << "an unknown angle unit shows as degrees";
}

} // namespace
