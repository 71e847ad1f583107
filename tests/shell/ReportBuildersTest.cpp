#include "core/DataFileFormat.h"
#include "core/Report.h"
#include "model/PointRecord.h"
#include "platform/Profile.h"
#include "rawdata/RawJob.h"
#include "rawdata/StakeoutStateTable.h"
#include "shell/CoordinateReportBuilder.h"
#include "shell/CutSheetReportBuilder.h"
#include "TestUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using morvel::test::RawJob;
using morvel::test::TempDir;
using testing::ElementsAre;

namespace {

struct ProfileScope
{
    ProfileScope() : profile(dir.file("Morvel.ini")) { SetAppProfile(&profile); }
    ~ProfileScope() { SetAppProfile(nullptr); }
    TempDir dir;
    CProfile profile;
};

std::vector<std::string> Column(const CReport& report, int32_t column)
{
    std::vector<std::string> cells;
    const auto& section = *report.GetSections().back();
    for (int32_t row = 0; row < int32_t(section.rows.size()); ++row)
        cells.push_back(report.GetCell(report.GetSections().size() - 1, column, row));
    return cells;
}

std::vector<std::string> Headings(const CReport& report)
{
    std::vector<std::string> headings;
    for (const CColumnInfo& c : report.GetSections().back()->columns)
        headings.push_back(c.heading);
    return headings;
}

} // namespace

TEST(CoordinateReportTest, NameOrder)
{
    struct Case
    {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"a1", "A2", -1},  {"A2", "9", -1},   {"9", "10", -1},       {"10", "9", 1},
        {"a1", "A1", 0},   {"007", "7", 0},   {" 1,000", "999", 1},  {"9999999999999999", "10", 1},
        {"9999999999999999", "9999999999999998", 1}, {"12A", "12", -1}, {"", "1", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const int forward = CompareReportPointNames(c.a, c.b);
        const int backward = CompareReportPointNames(c.b, c.a);
        EXPECT_EQ((forward > 0) - (forward < 0), c.sign);
        EXPECT_EQ((backward > 0) - (backward < 0), -c.sign);
    }
}

TEST(CoordinateReportTest, RowsSortedAndColumnsInListOrder)
{
    ProfileScope scope;
    RawJob job;
    std::vector<const CPointRecord*> points;
    for (const char* name : {"10", "9999999999999999", "9", "A2", "a1"})
        points.push_back(job.AddPoint(name, 2000.5, 1000.25, 100));
    // The job holds one point per value; a selection from elsewhere may hold both spellings.
    CPointRecord other("0010", "", CLocation(1, 2, 3), true);
    points.push_back(&other);
    const_cast<CPointRecord*>(points[3])->SetDescription("TOP");

    CReport report;
    // Description before name, elevation unchecked.
    const std::vector<ReportField> fields = {{4, true}, {0, true}, {1, false}, {2, true}, {3, false}};
    BuildCoordinateReport(report, points, fields, *job.GetDataFileFormat());

    EXPECT_THAT(report.GetHeaderLines(), ElementsAre("Coordinate Report"));
    ASSERT_EQ(report.GetSections().size(), 2u);
    EXPECT_EQ(report.GetSections()[0]->rows.size(), 1u) << "the blank line above the table";
    EXPECT_EQ(report.GetSections()[1]->columns[0].flags, 0x12);
    EXPECT_THAT(Headings(report), ElementsAre("Description", "Point Name", CoordinateFieldText(2)));
    // "10" and "0010" are equal values and keep the order they were selected in.
    EXPECT_THAT(Column(report, 1), ElementsAre("a1", "A2", "9", "10", "0010", "9999999999999999"));
    EXPECT_THAT(Column(report, 0), ElementsAre("---", "TOP", "---", "---", "---", "---"));
    EXPECT_EQ(Column(report, 2)[0], job.GetDataFileFormat()->FormatCoordinate(2000.5, false, false));

    BuildCoordinateReport(report, points, {{0, false}, {1, false}}, *job.GetDataFileFormat());
    EXPECT_TRUE(report.GetSections()[1]->columns.empty());
    EXPECT_FALSE(report.IsEmpty()) << "the blank line keeps an all-unchecked report non-empty";
}

TEST(ReportFieldListTest, ProfileRoundTripAndDamagedEntries)
{
    ProfileScope scope;
    CProfile& p = scope.profile;
    const auto allChecked = [](int32_t) { return true; };

    // Fresh: types in order, all checked (coordinates); the cut sheet ticks positions 2, 3 and 4.
    auto fields = LoadReportFields(p, CoordinateReportKeys, allChecked);
    EXPECT_THAT(fields, ElementsAre(ReportField{0, true}, ReportField{1, true}, ReportField{2, true},
                                    ReportField{3, true}, ReportField{4, true}));
    auto cut = LoadReportFields(p, CutSheetReportKeys, IsCutSheetFieldCheckedByDefault);
    ASSERT_EQ(cut.size(), 8u);
    for (int32_t i = 0; i < 8; ++i)
        EXPECT_EQ(cut[size_t(i)].checked, i >= 2 && i <= 4) << i;

    // Reordered and saved, read back the same.
    std::swap(fields[0], fields[4]);
    fields[1].checked = false;
    SaveReportFields(p, CoordinateReportKeys, fields);
    EXPECT_EQ(p.GetProfileInt("CoordinateReports", "FieldType0", -1), 4);
    EXPECT_EQ(p.GetProfileInt("CoordinateReports", "FieldCheck1", -1), 0);
    EXPECT_EQ(LoadReportFields(p, CoordinateReportKeys, allChecked), fields);

    // Type 7 out of range and type 4 repeated are skipped; the missing 0 follows unchecked.
    p.WriteProfileInt("CoordinateReports", "FieldType1", 7);
    p.WriteProfileInt("CoordinateReports", "FieldType2", 4);
    fields = LoadReportFields(p, CoordinateReportKeys, allChecked);
    EXPECT_THAT(fields, ElementsAre(ReportField{4, true}, ReportField{3, true}, ReportField{0, true},
                                    ReportField{1, false}, ReportField{2, false}));

    // A short list writes only its own positions.
    SaveReportFields(p, CutSheetReportKeys, {{7, true}});
    EXPECT_EQ(p.GetProfileInt("CutSheetReports", "PointStakeFieldType0", -1), 7);
    EXPECT_EQ(p.GetProfileInt("CutSheetReports", "PointStakeFieldType1", -1), -1);
}

namespace {

// A stake-out of design point 5 at raw line 41 (counted from 0).
struct StakeJob
{
    StakeJob()
    {
        job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                       "CO,HA Raw Data: Azimuth", "MP,1,1000.0,2000.0,100.0,STN", "MP,2,1100.0,2000.0,,BS",
                       "ST,1,2,1.5,0.0000,0.0000"});
        while (job.raw.GetLineCount() < 40)
            job.Append("CO,filler");
        job.AppendAll({"MP,5,1035.36,2035.36,99.75,DESIGN", "SO,1005,1.8,50.0,45.0000,90.0000,10:05:00,STAKE"});
    }
    RawJob job;
};

} // namespace

TEST(CutSheetReportTest, FixedColumnsThenCheckedFieldsInRawOrder)
{
    ProfileScope scope;
    StakeJob stake;
    CReport report;
    std::vector<ReportField> none;
    for (int32_t t = 0; t < CutSheetFieldCount; ++t)
        none.push_back({t, false});
    BuildCutSheetReport(report, none, &stake.job.raw);
    EXPECT_THAT(report.GetHeaderLines(), ElementsAre("Point Stake Cut Sheet Report"));
    EXPECT_THAT(Headings(report), ElementsAre("Design Pt", "As Built Pt", "Cut(-)/Fill(+)"));
    ASSERT_EQ(Column(report, 0).size(), 1u);
    EXPECT_EQ(Column(report, 0)[0], "5");
    EXPECT_EQ(Column(report, 1)[0], "1005");

    BuildCutSheetReport(report, {{6, true}, {7, true}, {0, true}}, &stake.job.raw);
    EXPECT_THAT(Headings(report), ElementsAre("Design Pt", "As Built Pt", "Cut(-)/Fill(+)", "As-Built Desc",
                                              "Verify Raw Data", "Design N"));
    EXPECT_THAT(Column(report, 3), ElementsAre("STAKE"));
    EXPECT_THAT(Column(report, 4), ElementsAre("Line #42: Verified OK"));

    BuildCutSheetReport(report, none, nullptr);
    EXPECT_TRUE(report.GetSections().back()->rows.empty());
    EXPECT_FALSE(report.IsEmpty());
}

TEST(CutSheetReportTest, VerifyMessagesBeyondTheSecondBecomeRows)
{
    ProfileScope scope;
    StakeJob stake;
    CStakeoutState state;
    ASSERT_TRUE(stake.job.raw.GetStakeoutTable().Lookup(41, &state));
    for (const char* m : {"HA differs", "VA differs", "SD differs"})
        state.AddWarning(m);
    ASSERT_EQ(state.GetWarnings().size(), 4u);

    CReport report;
    const std::vector<ReportField> fields = {{5, true}, {7, true}};
    BeginCutSheetReport(report, fields);
    AddCutSheetRows(report, fields, state, 41, *stake.job.GetDataFileFormat());
    EXPECT_THAT(Column(report, 4), ElementsAre("HA differs", "Line #42: VA differs", "Line #42: SD differs"));
    EXPECT_THAT(Column(report, 0), ElementsAre("5", "", "")) << "the extra rows hold only the message";
}
