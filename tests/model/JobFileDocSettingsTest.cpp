#include "TestJobDoc.h"

#include "model/JobFileDocSettings.h"
#include "model/JobFileHeader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

using morvel::test::TestJobDoc;
using testing::EndsWith;

namespace {

JobFileHeader HeaderOf(const CJobFileDocSettings& settings)
{
    JobFileHeader header;
    InitJobFileHeader(header);
    settings.StoreInHeader(header);
    return header;
}

} // namespace

TEST(JobFileDocSettings, DefaultsAreFeetDegreesNorthAndOffset1000)
{
    CJobFileDocSettings settings(nullptr);
    EXPECT_EQ(settings.GetSurveyUnits(), 1);
    EXPECT_EQ(settings.GetAngleUnits(), 0);
    EXPECT_EQ(settings.GetAzimuthFormat(), 0);
    EXPECT_EQ(settings.GetStakeoutOffset(), 1000);
    EXPECT_FALSE(settings.GetUseScaleFactor());
    EXPECT_EQ(settings.GetScaleFactor(), 1.0);

    // An empty job written from fresh settings carries feet.
    const JobFileHeader header = HeaderOf(settings);
    EXPECT_EQ(header.GetDistanceUnit(), 1);
    EXPECT_EQ(header.GetFlags(), 0u);
    EXPECT_EQ(header.GetOffsetWord(), 1000u);
}

TEST(JobFileDocSettings, HeaderRoundTripCarriesEverySetting)
{
    CJobFileDocSettings source(nullptr);
    source.SetDistanceUnit(2);
    source.SetAngleUnit(1);
    source.SetAzimuthFormat(1);
    source.SetUseScaleFactor(true);
    source.SetScaleFactor(0.99996);
    source.SetAdjustForCurvature(true);
    source.SetAdjustForCurvatureFactor(true);
    source.SetUseSeaLevelCorrection(true);
    source.SetDirectionType(true);
    const JobFileHeader header = HeaderOf(source);
    EXPECT_EQ(header.GetFlags(), 0x3Fu);

    CJobFileDocSettings loaded(nullptr);
    bool changed = false;
    SettingsChangeFlags detail;
    loaded.LoadFromHeader(header, changed, detail);
    EXPECT_TRUE(changed);
    EXPECT_TRUE(detail.distanceUnit && detail.angleUnit && detail.azimuthFormat && detail.scaleFactor &&
                detail.curvatureAndRefraction && detail.seaLevelCorrection && detail.directionType);
    JobFileHeader again = HeaderOf(loaded);
    again.SetCreated(header.GetCreated());
    EXPECT_EQ(again.bytes, header.bytes);
    EXPECT_DOUBLE_EQ(loaded.GetEffectiveScaleFactor(), 0.99996);

    // Loading the same header again changes nothing.
    loaded.LoadFromHeader(header, changed, detail);
    EXPECT_FALSE(changed);
    EXPECT_FALSE(detail.AnyChanged());
}

TEST(JobFileDocSettings, EachHeaderDifferenceReportsItsOwnFlag)
{
    struct Case
    {
        const char* what;
        std::function<void(JobFileHeader&)> change;
        bool SettingsChangeFlags::*flag;
    };
    const Case cases[] = {
        {"distance", [](JobFileHeader& h) { h.SetDistanceUnit(0); }, &SettingsChangeFlags::distanceUnit},
        {"angle", [](JobFileHeader& h) { h.SetAngleUnit(1); }, &SettingsChangeFlags::angleUnit},
        {"south", [](JobFileHeader& h) { h.SetFlags(JobFileHeader::FlagSouthAzimuth); },
         &SettingsChangeFlags::azimuthFormat},
        {"use scale", [](JobFileHeader& h) { h.SetFlags(JobFileHeader::FlagUseScaleFactor); },
         &SettingsChangeFlags::scaleFactor},
        {"scale", [](JobFileHeader& h) { h.SetScaleFactor(1.0000001); }, &SettingsChangeFlags::scaleFactor},
        {"curvature", [](JobFileHeader& h) { h.SetFlags(JobFileHeader::FlagCurvature); },
         &SettingsChangeFlags::curvatureAndRefraction},
        {"coefficient", [](JobFileHeader& h) { h.SetFlags(JobFileHeader::FlagCurvatureCoefficient); },
         &SettingsChangeFlags::curvatureAndRefraction},
        {"sea level", [](JobFileHeader& h) { h.SetFlags(JobFileHeader::FlagSeaLevel); },
         &SettingsChangeFlags::seaLevelCorrection},
        {"direction", [](JobFileHeader& h) { h.SetFlags(JobFileHeader::FlagDirectionType); },
         &SettingsChangeFlags::directionType},
    };
    for (const Case& c : cases) {
        CJobFileDocSettings settings(nullptr);
        JobFileHeader header = HeaderOf(settings);
        c.change(header);
        bool changed = false;
        SettingsChangeFlags detail;
        settings.LoadFromHeader(header, changed, detail);
        EXPECT_TRUE(changed) << c.what;
        SettingsChangeFlags expected;
        expected.*c.flag = true;
        EXPECT_EQ(std::memcmp(&detail, &expected, sizeof detail), 0) << c.what;
    }
}

TEST(JobFileDocSettings, OffsetAloneChangesWithoutADetailFlag)
{
    CJobFileDocSettings settings(nullptr);
    JobFileHeader header = HeaderOf(settings);
    header.SetOffsetWord(2500);
    bool changed = false;
    SettingsChangeFlags detail;
    settings.LoadFromHeader(header, changed, detail);
    EXPECT_TRUE(changed);
    EXPECT_FALSE(detail.AnyChanged());
    EXPECT_EQ(settings.GetStakeoutOffset(), 2500);
}

TEST(JobFileDocSettings, StoringKeepsFlagBitsThatAreNotSettings)
{
    CJobFileDocSettings settings(nullptr);
    settings.SetDirectionType(true);
    JobFileHeader header;
    InitJobFileHeader(header);
    header.SetFlags(0x40u | JobFileHeader::FlagSeaLevel);
    settings.StoreInHeader(header);
    EXPECT_EQ(header.GetFlags(), 0x40u | JobFileHeader::FlagDirectionType);
}

TEST(JobFileDocSettings, SettersMarkTheJobWithTheirOwnText)
{
    TestJobDoc doc;
    CJobFileDocSettings& s = doc.settings;
    const std::pair<std::function<void()>, const char*> setters[] = {
        {[&] { s.SetDistanceUnit(1); }, "Set survey units"},
        {[&] { s.SetAngleUnit(0); }, "Set angle units"},
        {[&] { s.SetAzimuthFormat(0); }, "Set azimuth format"},
        {[&] { s.SetUseScaleFactor(false); }, "Set use scale factor"},
        {[&] { s.SetScaleFactor(1.0); }, "Set scale factor"},
        {[&] { s.SetAdjustForCurvature(false); }, "Set adjust for earth curvature"},
        {[&] { s.SetAdjustForCurvatureFactor(false); }, "Set adjust for earth curvature factor"},
        {[&] { s.SetUseSeaLevelCorrection(false); }, "Set use sea level correction"},
        {[&] { s.SetDirectionType(false); }, "Set Direction Type"},
    };
    size_t entries = 0;
    for (const auto& [set, text] : setters) {
        doc.SetModifiedFlagOnly(false);
        // The same value again still counts as a change.
        set();
        EXPECT_TRUE(doc.IsModified()) << text;
        ASSERT_EQ(doc.GetHistoryList().size(), ++entries) << text;
        EXPECT_THAT(doc.GetHistoryList().back(), EndsWith(std::string(" ") + text));
    }
}

TEST(JobFileDocSettings, ACloneIsDetachedFromTheJob)
{
    TestJobDoc doc;
    doc.settings.SetScaleFactor(1.5);
    doc.SetModifiedFlagOnly(false);
    const size_t entries = doc.GetHistoryList().size();

    std::unique_ptr<CDataFileDocSettings> copy = doc.settings.Clone();
    auto* clone = dynamic_cast<CJobFileDocSettings*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetDocument(), nullptr);
    EXPECT_EQ(clone->GetScaleFactor(), 1.5);
    clone->SetDistanceUnit(0);
    clone->SetUseScaleFactor(true);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetHistoryList().size(), entries);
    EXPECT_EQ(doc.settings.GetSurveyUnits(), 1);
    EXPECT_EQ(clone->GetEffectiveScaleFactor(), 1.5);
    EXPECT_EQ(doc.settings.GetEffectiveScaleFactor(), 1.0);
}
