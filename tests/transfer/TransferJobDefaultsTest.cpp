#include "model/JobFileHeader.h"
#include "model/MorvelSettings.h"
#include "platform/Profile.h"
#include "rawdata/RawTextImport.h"
#include "transfer/TransferJobDefaults.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

// A job made from the preferences and raw data imported with the same preferences must agree on
// whether horizontal angles are azimuths; with either setting of the preference.
TEST(TransferJobDefaultsTest, HeaderAgreesWithTheRawImportOnTheHaMode)
{
    morvel::test::TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    SetAppProfile(&profile);
    for (int32_t settingsWord : {0, 32, 32 | 1 | 2, 4 | 8 | 16}) {
        SCOPED_TRACE(settingsWord);
        profile.WriteProfileInt("Transfer", "Def Settings", settingsWord);
        profile.WriteProfileInt("Transfer", "Def Dist", 2);
        profile.WriteProfileDouble("Transfer", "Def SF", 0.9996);

        JobSettingsValues defaults;
        InitJobSettingsValues(defaults);
        GetMorvelSettings().GetNewJobDefaults(defaults);
        JobFileHeader header;
        InitJobFileHeader(header);
        ApplyTransferDefaultsToJob(defaults, header);

        JobSettingsValues imported;
        InitJobSettingsValues(imported);
        GetJobSettingsFromPreferences(imported);
        const bool azimuthJob = (header.GetFlags() & JobFileHeader::FlagDirectionType) != 0;
        EXPECT_EQ(azimuthJob, imported.directionType == 1);
        // Every other bit goes through as the preference had it.
        EXPECT_EQ(header.GetFlags(), uint32_t(settingsWord));
        EXPECT_EQ(header.GetDistanceUnit(), 2);
        EXPECT_DOUBLE_EQ(header.GetScaleFactor(), 0.9996);
    }
    SetAppProfile(nullptr);
}
