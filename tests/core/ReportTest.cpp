#include "core/Report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

TEST(Report, ANewReportIsEmptyEvenWithHeaderLines)
{
    CReport report;
    EXPECT_FALSE(report.IsChanged());
    EXPECT_TRUE(report.IsEmpty());
    ASSERT_EQ(report.GetSections().size(), 1u);
    report.AddHeaderLine("Title");
    report.AddHeaderLine(nullptr);
    EXPECT_THAT(report.GetHeaderLines(), ElementsAre("Title"));
    EXPECT_TRUE(report.IsChanged());
    EXPECT_TRUE(report.IsEmpty());
    // No columns: no row.
    EXPECT_EQ(report.AddRow(), -1);
    EXPECT_TRUE(report.IsEmpty());
}

TEST(Report, ColumnsRowsAndCells)
{
    CReport report;
    report.AddColumn("Point", ReportHeadingCentre | ReportCellLeft);
    report.AddColumn("\n+/- Angle", ReportHeadingRight | ReportCellRight);
    EXPECT_EQ(report.AddRow(), 0);
    EXPECT_EQ(report.AddRow(), 1);
    // Columns come before rows.
    report.AddColumn("Late", 0);
    EXPECT_EQ(report.GetCurrentSection()->columns.size(), 2u);

    report.SetCell(0, 0, "", false);
    report.SetCell(1, 0, "C:\\jobs", false);
    report.SetCell(1, 1, "\\page", true);
    report.SetChanged(false);
    report.SetCell(2, 0, "x", false);
    report.SetCell(0, -1, "x", false);
    report.SetCell(0, 2, "x", false);
    report.SetCell(0, 1, nullptr, false);
    EXPECT_TRUE(report.IsChanged());
    EXPECT_EQ(report.GetCell(0, 0, 0), " ");
    EXPECT_EQ(report.GetCell(0, 1, 0), "C:\\\\jobs");
    EXPECT_EQ(report.GetCell(0, 1, 1), "\\page");
    EXPECT_EQ(report.GetCell(0, 0, 1), "");
    EXPECT_EQ(report.GetRowCount(), 2);

    report.DeleteRow(-1);
    report.DeleteRow(2);
    EXPECT_EQ(report.GetRowCount(), 2);
    report.DeleteRow(0);
    EXPECT_EQ(report.GetRowCount(), 1);

    report.NewSection().AddColumn("", ReportHeadingLeft | ReportCellLeft);
    report.AddTextRow("a note");
    EXPECT_EQ(report.GetCell(1, 0, 0), "a note");
    EXPECT_EQ(report.GetSections().size(), 2u);
}

TEST(Report, ClearingSections)
{
    CReport report;
    report.AddHeaderLine("Kept");
    report.AddColumn("A", 0);
    report.AddRow();
    report.NewSection().AddColumn("B", 0);
    report.AddRow();
    report.ClearSections(true);
    ASSERT_EQ(report.GetSections().size(), 1u);
    EXPECT_EQ(report.GetSections()[0]->columns[0].heading, "B");
    EXPECT_TRUE(report.IsEmpty());
    EXPECT_THAT(report.GetHeaderLines(), ElementsAre("Kept"));
    report.ClearSections(false);
    EXPECT_EQ(report.GetCurrentSection(), nullptr);
    EXPECT_EQ(report.AddRow(), -1);

    report.Clear(true);
    EXPECT_TRUE(report.GetHeaderLines().empty());
    EXPECT_EQ(report.GetSections().size(), 1u);
}
