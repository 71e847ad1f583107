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

TEST(NewJobSettings, JobPathsTakeTheJobExtension)
{
    struct Case
    {
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"/data/a", "/data/a.Mvj"},       {"/data/a.txt", "/data/a.Mvj"},
        {"/data/a.MVJ", "/data/a.MVJ"},   {"/data/a.b.mvj", "/data/a.b.mvj"},
        {"/data.d/a", "/data.d/a.Mvj"},   {"/data/a.", "/data/a.Mvj"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string path = c.typed;
        EXPECT_EQ(ForceJobFileExtension(path), std::string(c.typed) != c.expected);
        EXPECT_EQ(path, c.expected);
    }
}

} // namespace
