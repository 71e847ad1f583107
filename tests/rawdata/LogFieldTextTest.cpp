// The change log's field text, built in one buffer, against the field lines the descriptions
// show joined as the log always joined them: every line kind the reduction logs, in each unit,
// azimuth, decimals, bearing, feet-and-inches and separator setting, with and without a job open.
#include "RawJob.h"

#include "core/ColoredTextLines.h"
#include "core/FormatPreferences.h"
#include "core/JobValueSource.h"
#include "core/LocaleText.h"

#include <gtest/gtest.h>

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

} // namespace
