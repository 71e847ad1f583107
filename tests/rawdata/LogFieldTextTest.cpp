// The change log's field text, built in one buffer, against the field lines the descriptions
// show joined as the log always joined them: every line kind the reduction logs, in each unit,
// azimuth, decimals, bearing, feet-and-inches and separator setting, with and without a job open.
#include "RawJob.h"

#include "core/ColoredTextLines.h"
#include "core/FormatPreferences.h"
#include "core/JobValueSource.h"
#include "core/LocaleText.h"
#include "rawdata/records/RawDataNikonObservationRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using morvel::test::RawJob;

namespace {

std::string JoinedFieldLines(CNikonRawDataRecord& view, bool* ok)
{
    CColoredTextLines lines;
    *ok = view.DescribeFields(&lines, true, true);
    std::string text;
    const auto& all = lines.Lines();
    for (size_t i = 0; i < all.size(); ++i) {
        text += all[i].text;
        if (i + 1 < all.size())
            text += ", ";
    }
    return text;
}

TEST(LogFieldText, SameAsTheJoinedFieldLines)
{
    const std::vector<std::string> heads[] = {
        {"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North", "CO,HA Raw Data: Azimuth"},
        {"CO,DIST UNITS: Feet", "CO,ANGLE UNITS: Grad", "CO,ZERO AZIMUTH: South", "CO,HA Raw Data: HA zero to BS"},
        {"CO,DIST UNITS: US Feet", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: South", "CO,HA Raw Data: Azimuth"},
        {"CO,ANGLE UNITS: Degrees"}, // no distance unit
    };
    const std::vector<std::string> lines = {
        "MP,1,5000.0,4000.0,100.0,STN", "MP,2,5100.0,4000.0,,BS", "UP,3,-0.0000004,1e7,-12.5,",
        "ST,1,2,1.550,0.0000,359.59595", "ST,1,2,,,", "ST,1,2,1.5,359.599995,0.00005",
        "SS,1001,1.500,123.456,45.3015,92.1530,10:00:00,CURB", "SS,1002,,0.5,359.59595,0.0000,,",
        "CP,1003,1.5,10,399.99999995,-0.00005,t,A B", "SO,1004,1.5,10,0.000049,180,t,fc",
        "SS,1005,1.5,,12.5,90,,", "*SS,1006,1.5,20,90,90,,DEL", "SS,1007,1.5,20,abc,90,,",
        "SS,1008,1.5,20,90", "F1,,1.5,20,45.3,90.0,12:00", "CC,1009,5e-7,999999.9999995,,X",
        "RE,1010,1,2,3,D,extra",
    };
    const std::pair<const char*, const char*> separators[] = {{".", ","}, {",", "."}};
    for (const auto& head : heads) {
        RawJob job;
        job.AppendAll(head);
        const int32_t first = job.raw.GetLineCount();
        job.AppendAll(lines);
        for (int setting = 0; setting < 16; ++setting) {
            FormatPreferences prefs;
            prefs.iJobAngle = setting & 1 ? 3 : 0;
            prefs.iDirectionUnits = setting & 2 ? DirectionUnitsBearings : DirectionUnitsAzimuths;
            prefs.iUseArchetecturalUnits = (setting & 4) != 0;
            SetFormatPreferencesProvider([prefs] { return prefs; });
            CJobValueSource* previous = GetActiveJobValueSource();
            SetActiveJobValueSource(setting & 8 ? &job : nullptr);
            for (const auto& [decimal, thousands] : separators) {
                CLocaleTextOverride locale(decimal, thousands);
                for (int32_t line = first; line < job.raw.GetLineCount(); ++line) {
                    SCOPED_TRACE(head.front() + " | " + job.Text(line) + " | setting " + std::to_string(setting) +
                                 " '" + decimal + "'");
                    const CNikonRawDataRecord* record = job.raw.GetRecord(line);
                    ASSERT_NE(record, nullptr);
                    // A view each way, so neither finds the other's validation done.
                    std::unique_ptr<CNikonRawDataRecord> described = CreateTypedView(*record);
                    std::unique_ptr<CNikonRawDataRecord> appended = CreateTypedView(*record);
                    ASSERT_NE(described, nullptr);
                    bool describedOk = false;
                    const std::string expected = JoinedFieldLines(*described, &describedOk);
                    std::string out = "Line #7 X: ";
                    EXPECT_EQ(appended->AppendLayoutFieldTexts(out, true, true), describedOk);
                    EXPECT_EQ(out, "Line #7 X: " + expected);
                }
            }
            SetActiveJobValueSource(previous);
        }
        SetFormatPreferencesProvider({});
    }
}

// A shot the reduction reads straight off its text gives Validate's answer, values and log text,
// whatever the line holds.
TEST(LogFieldText, ShotReadOffItsTextAsValidated)
{
    const std::vector<std::string> heads[] = {
        {"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North", "CO,HA Raw Data: Azimuth"},
        {"CO,DIST UNITS: Feet", "CO,ANGLE UNITS: Grad", "CO,ZERO AZIMUTH: South", "CO,HA Raw Data: HA zero to BS"},
        {"CO,ANGLE UNITS: Degrees"},
    };
    const std::vector<std::string> lines = {
        "MP,1,5000.0,4000.0,100.0,STN", "ST,1,,1.550,0.0000,0.0000",
        "SS,1001,1.500,123.456,45.3015,92.1530,10:00:00,CURB", "SS, 1002 ,,\t0.5 ,359.59595,0.0000,,",
        "CP,1003,1.5,10,399.99999995,-0.00005,t,A B", "SO,1004,1.5,10,0.000049,180,t,fc", "*SS,1006,1.5,20,90,90,,DEL",
        "SS,1007,1.5,20,abc,90,,", "SS,1008,1.5,20,90", "SS,1009,1.5,20,90,90,t,c,extra", "SS,1010,1.5,20,,90,t,c",
        "SS,,1.5,20,90,90,t,c", "SS,10 11,1.5,20,90,90,t,c", "SS,1012,-1e300,20,90,90,t,c", "SS,1013,1.5,20,90,90,t,",
        "SS", "SS,", "F1,,1.5,20,45.3,90.0,12:00", "F2,x,1.5,20,45.3,270.0,12:00,extra", "CP,1014,1.5,20,45,90,,a,",
    };
    for (const auto& head : heads) {
        RawJob job;
        job.AppendAll(head);
        const int32_t first = job.raw.GetLineCount();
        job.AppendAll(lines);
        for (int32_t line = first; line < job.raw.GetLineCount(); ++line) {
            SCOPED_TRACE(head.front() + " | " + job.Text(line));
            const CNikonRawDataRecord* record = job.raw.GetRecord(line);
            ASSERT_NE(record, nullptr);
            CRawDataNikonObservationRecord validated(*record), read(*record);
            std::string_view values[7];
            const bool ok = validated.Validate();
            ASSERT_EQ(read.ValidateText(values), ok);
            if (!ok)
                continue;
            EXPECT_EQ(read.GetPointName(), validated.GetPointName());
            EXPECT_EQ(read.GetTime(), validated.GetTime());
            EXPECT_EQ(read.GetFeatureCode(), validated.GetFeatureCode());
            const double numbers[][2] = {{read.GetHR(), validated.GetHR()}, {read.GetSD(), validated.GetSD()},
                                         {read.GetHA(), validated.GetHA()}, {read.GetVA(), validated.GetVA()}};
            for (const auto& [a, b] : numbers)
                EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << a << " vs " << b;
            double horizontal = 0, vertical = 0;
            read.GetDistances(&horizontal, &vertical);
            EXPECT_EQ(horizontal, validated.GetHorizontalDistance());
            EXPECT_EQ(vertical, validated.GetVerticalDistance());
            std::string expected = "L: ", out = "L: ";
            EXPECT_TRUE(validated.AppendLayoutFieldTexts(expected, true, true));
            EXPECT_TRUE(read.AppendValueTexts(out, values, true, true));
            EXPECT_EQ(out, expected);
        }
    }
}

} // namespace
