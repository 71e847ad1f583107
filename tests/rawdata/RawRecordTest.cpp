// Generic records in a job: descriptions, renaming, tolerance checks, unit conversions and the
// display texts of fields.
#include "RawJob.h"
#include "core/AngleFunctions.h"
#include "core/ColoredTextLines.h"
#include "core/FormatPreferences.h"
#include "core/NoValue.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/TestJobDoc.h"
#include "rawdata/records/RawDataRecord.h"

#include <gtest/gtest.h>

#include <cmath>

using morvel::test::ScopedAxisCaptions;
using morvel::test::TestJobDoc;

namespace {



CNikonRawDataRecord InJob(TestJobDoc& doc, const char* text, int32_t line)
{
    CNikonRawDataRecord record(text);
    record.SetDocument(&doc);
    record.SetLine(line);
    return record;
}

std::vector<std::string> Texts(const CColoredTextLines& lines)
{
    std::vector<std::string> out;
    lines.GetText(out);
    return out;
}

TEST(RawRecordTest, ShortDescriptions)
{
    TestJobDoc doc;
    EXPECT_EQ(InJob(doc, "CO,hello, world", 0).DescribeShort(), "CO,hello, world");
    EXPECT_EQ(InJob(doc, "*CO,gone", 0).DescribeShort(), "*CO,gone");
    EXPECT_EQ(InJob(doc, "XX,1", 4).DescribeShort(), "5,UNRECOGNIZED LINE!,XX,1");
    EXPECT_EQ(InJob(doc, "IN", 0).DescribeShort(), "1,UNRECOGNIZED LINE!,IN");
}

TEST(RawRecordTest, LongDescriptionWithSetup)
{
    TestJobDoc doc;
    CColoredTextLines lines;
    ASSERT_TRUE(InJob(doc, "*CO,note", 2).DescribeLong(&lines, 2, true, true, true));
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"3", "*Comment:", "note", "Current Mode", "Current Setup"}));
    EXPECT_EQ(lines.Lines()[0].color, TitleTextColor);
    EXPECT_EQ(lines.Lines()[1].color, WindowTextColor);

    lines.AddLineDefaultColor("left over");
    EXPECT_FALSE(InJob(doc, "ZZ,1", 2).DescribeLong(&lines, 2, true, true, true));
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"3", "UNRECOGNIZED LINE!", "ZZ,1"}));
    EXPECT_EQ(lines.Lines()[1].color, ProblemTextColor);

    std::string message;
    EXPECT_FALSE(InJob(doc, "ZZ,1", 2).CanInterpret(&message));
    EXPECT_EQ(message, "Unable to interpret ZZ,1");
    EXPECT_TRUE(InJob(doc, "CO,x", 2).CanInterpret(&message));
}

TEST(RawRecordTest, TypedOperationsOnLinesWithoutView)
{
    TestJobDoc doc;
    CNikonRawDataRecord invalid = InJob(doc, "IN,1", 0);
    EXPECT_FALSE(invalid.Canonicalize());
    EXPECT_EQ(invalid.GetText(), "IN,1");
    CNikonRawDataRecord unknown = InJob(doc, "QQ", 0);
    EXPECT_FALSE(unknown.Canonicalize());
    EXPECT_FALSE(unknown.Validate());
    EXPECT_FALSE(unknown.CheckAgainstJob(nullptr));

    CNikonRawDataRecord station = InJob(doc, "ST,1,2,1.5,,", 0);
    EXPECT_TRUE(station.SwapNorthingEasting());
    EXPECT_EQ(station.GetText(), "ST,1,2,1.5,,");

    CNikonRawDataRecord comment = InJob(doc, "CO,a\tb", 0);
    EXPECT_TRUE(comment.Canonicalize());
    EXPECT_EQ(comment.GetText(), "CO,a\tb");
}

TEST(RawRecordTest, RenamePointsRecordsTheChange)
{
    TestJobDoc doc;
    CNikonRawDataRecord shot = InJob(doc, "*SS,100,1.5,10.0,90.0000,90.0000,12:00:00,F", 4);
    const size_t before = doc.GetHistoryList().size();
    EXPECT_FALSE(shot.RenamePoints({{"101", "200"}}));
    EXPECT_EQ(shot.GetText(), "*SS,100,1.5,10.0,90.0000,90.0000,12:00:00,F");
    EXPECT_EQ(doc.GetHistoryList().size(), before);

    EXPECT_TRUE(shot.RenamePoints({{"100", "200"}}));
    EXPECT_EQ(shot.GetText(), "*SS,200,1.5,10.0,90.0000,90.0000,12:00:00,F");
    ASSERT_EQ(doc.GetHistoryList().size(), before + 1);
    EXPECT_NE(doc.GetHistoryList().back().find("Renamed :SideShot: raw data point names at line #5"),
              std::string::npos);
    EXPECT_TRUE(doc.IsModified());

    // Occupy and backsight names are point names too; descriptions are not.
    CNikonRawDataRecord station = InJob(doc, "ST,100,100,1.5,,", 0);
    EXPECT_TRUE(station.RenamePoints({{"100", "7"}}));
    EXPECT_EQ(station.GetText(), "ST,7,7,1.5,,");
    CNikonRawDataRecord point = InJob(doc, "MP,1,2,3,,100", 0);
    EXPECT_FALSE(point.RenamePoints({{"100", "7"}}));
}

TEST(RawRecordTest, Tolerances)
{
    EXPECT_TRUE(CRawDataRecord::AnglesAgree(0, 2 * Pi - 4.0e-5));
    EXPECT_TRUE(CRawDataRecord::AnglesAgree(2 * Pi - 4.0e-5, 0));
    EXPECT_FALSE(CRawDataRecord::AnglesAgree(0, 5.0e-5));
    EXPECT_FALSE(CRawDataRecord::AnglesAgree(NoValue, 0));
    EXPECT_TRUE(CRawDataRecord::AnglesAgree(7 * Pi, Pi));

    EXPECT_TRUE(CRawDataRecord::DistanceNegligible(0.0009, nullptr));
    EXPECT_FALSE(CRawDataRecord::DistanceNegligible(0.001, nullptr));
    EXPECT_FALSE(CRawDataRecord::DistanceNegligible(-0.001, nullptr));
    morvel::test::FakeRawDataSetup feet;
    feet.distanceCode = 0;
    // 0.0004 m is 0.0013 ft: no longer negligible in a job measured in feet.
    EXPECT_FALSE(CRawDataRecord::DistanceNegligible(0.0004, &feet));
    EXPECT_TRUE(CRawDataRecord::DistancesAgree(10.0, 10.0002, &feet));
    EXPECT_TRUE(CRawDataRecord::LocationsAgree(CLocation(1, 1, 0), CLocation(1.0005, 1, 9), nullptr));
    EXPECT_FALSE(CRawDataRecord::LocationsAgree(CLocation(1, 1, 0), CLocation(1.002, 1, 0), nullptr));
}

TEST(RawRecordTest, UnitConversionsThroughTheSetupOfTheLine)
{
    CNikonRawDataRecord alone("SS,1,,,45.3000,90");
    EXPECT_EQ(alone.AzimuthToDirection(45.3), NoValue);
    EXPECT_EQ(alone.DistanceToMetres(5), NoValue);
    EXPECT_EQ(alone.MetresToDistance(5), NoValue);

    TestJobDoc doc;
    CNikonRawDataRecord shot = InJob(doc, "SS,1,,,45.3000,90", 3);
    EXPECT_NEAR(shot.AzimuthToDirection(45.3), 0.776672, 1e-6);
    EXPECT_NEAR(shot.VerticalAngleToRadians(-10.3), -(10.5 * Pi / 180), 1e-12);
    EXPECT_NEAR(shot.DirectionToAzimuth(shot.AzimuthToDirection(45.3)), 45.3, 1e-9);
    doc.rawData.setup.distanceCode = 2;
    doc.rawData.setup.angleCode = 1;
    EXPECT_DOUBLE_EQ(shot.DistanceToMetres(5), 1.5240030480060962);
    EXPECT_NEAR(shot.AngleToRadians(50), Pi / 4, 1e-12);
    EXPECT_NEAR(shot.RadiansToAngle(-Pi / 2), 300, 1e-9);
    shot.SetLine(-1);
    EXPECT_EQ(shot.DistanceToMetres(5), NoValue);
}

TEST(RawFieldTest, CodeTableAndEnumerations)
{
    const CFieldCodeTable& table = CFieldCodeTable::Get();
    EXPECT_EQ(table.LookupCode("PNX"), FieldPN);
    EXPECT_EQ(table.LookupCode("pn"), -1);
    EXPECT_EQ(table.LookupCode(""), FieldEmpty);
    EXPECT_EQ(table.LookupCode(" N"), FieldN);
    EXPECT_EQ(table.GetCodeText(28), "");
    EXPECT_EQ(table.GetCodeText(-1), "");

    int32_t value = 0;
    EXPECT_TRUE(raw_enums::Parse(4, "2", &value));
    EXPECT_EQ(value, 2);
    EXPECT_EQ(raw_enums::NameOf(4, value), "US Feet");
    EXPECT_FALSE(raw_enums::Parse(0, "2", &value));
    EXPECT_EQ(value, -1);
    EXPECT_FALSE(raw_enums::Parse(2, "On", &value));
    EXPECT_FALSE(raw_enums::Parse(7, "0", &value));
    EXPECT_EQ(raw_enums::NameAt(1, 1), "Grad");
    EXPECT_EQ(raw_enums::NameAt(1, 2), "");
    EXPECT_EQ(raw_enums::ValueAt(6, 1), 1);
    EXPECT_EQ(raw_enums::ValueAt(6, -1), -1);
    EXPECT_EQ(CNikonRawDataField(FieldDU, "").GetValueKind(), ValueKindEnumeration + 4);
    EXPECT_EQ(CNikonRawDataField(FieldOP, "").GetValueKind(), ValueKindPointName);
    EXPECT_EQ(CNikonRawDataField(FieldIN, "").GetValueKind(), ValueKindFreeText);
}

TEST(RawFieldTest, DisplayTexts)
{
    TestJobDoc doc;
    CJobRawData* file = &doc.rawData;
    struct Case
    {
        const char* name;
        int32_t code;
        const char* value;
        bool longLabel;
        bool whole;
        std::string expected;
    } cases[] = {
        {"HI with unit", FieldHI, "1.5", true, true, "Height of Instrument: 1.5m"},
        {"HI short", FieldHI, "1.5", false, true, "HI: 1.5m"},
        {"empty HI", FieldHI, "", true, true, "Height of Instrument: ---"},
        {"empty HI value part", FieldHI, "", true, false, "---"},
        {"field without code", FieldNone, "1", true, true, ""},
        {"code beyond the table", 28, "1", true, true, ""},
        {"azimuth that is no number", FieldAZ, "abc", true, true, "Azimuth: abc"},
        {"point name", FieldPN, "17", false, true, "Pt Name: 17"},
        {"point name value part", FieldPN, "17", false, false, "17"},
        {"northing value part", FieldN, "100.0", true, false, "100.0m"},
        {"northing whole", FieldN, "100.0", true, true, "N-Coord: 100.0m"},
        {"easting whole", FieldE, "200.0", true, true, "E-Coord: 200.0m"},
        {"empty elevation", FieldEL, "", true, true, "Height: ---"},
        {"mismatch horizontal distance", FieldIN, "0.002", true, true, "Horizontal Distance: 0.002m"},
        {"mismatch vertical distance short", Field26, "-0.01", false, true, "V Dist: -0.01m"},
        {"empty marker", FieldEmpty, "x", true, true, "x"},
    };
    ScopedAxisCaptions captions;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CNikonRawDataField(c.code, c.value).FormatText(file, 0, c.longLabel, c.whole), c.expected);
    }

    EXPECT_EQ(CNikonRawDataField(FieldZA, "").FormatEnumValue(file, 0, 0, 2, true, true), "Zero Azimuth: ---");
    EXPECT_EQ(CNikonRawDataField(FieldHD, "").FormatEnumValue(file, 0, 5, 1, true, true),
              "HA Raw Data: HA zero to BS");
    EXPECT_EQ(CNikonRawDataField(FieldVD, "").FormatEnumValue(file, 0, 6, 0, false, true), "Coord Order: NEZ");
    EXPECT_EQ(CNikonRawDataField(FieldDU, "").FormatEnumValue(file, 0, 9, 0, false, true), "Dist Units: ---");

    // No setup at the line: the text as written, no unit, angles unconverted.
    EXPECT_EQ(CNikonRawDataField(FieldHR, "1.5").FormatText(file, -1, true, true), "Height of Rod: 1.5");
    EXPECT_EQ(CNikonRawDataField(FieldHA, "45.3").FormatText(nullptr, 0, true, true), "Horizontal Angle: 45.3");

    // Angles are converted through the setup and shown by the raw-data formatter.
    const std::string azimuth = CNikonRawDataField(FieldAZ, "45.3000").FormatText(file, 0, true, true);
    EXPECT_EQ(azimuth.rfind("Azimuth: 45", 0), 0u) << azimuth;
    EXPECT_NE(azimuth, "Azimuth: 45.3000");

    int32_t count = -1;
    EXPECT_FALSE(CNikonRawDataField(29, "").CheckLabelFormat(&count, true, true));
    EXPECT_TRUE(CNikonRawDataField(FieldN, "").CheckLabelFormat(&count, true, true));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(CNikonRawDataField(FieldN, "").CheckLabelFormat(&count, true, false));
    EXPECT_EQ(count, 2);
}

TEST(RawFieldTest, FeetUnitLabels)
{
    TestJobDoc doc;
    doc.rawData.setup.distanceCode = 2;
    EXPECT_EQ(CNikonRawDataField(FieldSD, "5").FormatText(&doc.rawData, 0, false, true), "Slope Dist: 5USft");
    doc.rawData.setup.distanceCode = 0;
    EXPECT_EQ(CNikonRawDataField(FieldSD, "5").FormatText(&doc.rawData, 0, false, true), "Slope Dist: 5ft");
    doc.rawData.setup.distanceCode = -1;
    EXPECT_EQ(CNikonRawDataField(FieldSD, "5").FormatText(&doc.rawData, 0, false, true), "Slope Dist: 5");
}

} // namespace

namespace {

// A line's values as every reader of the line sees them: after the type code, cut at commas,
// blanks and tabs trimmed, a comma that ends the line starting nothing, too many refused.
TEST(RawRecordTest, SplitRawValuesCutsAsTheLayoutsExpect)
{
    struct Case
    {
        const char* text;
        int32_t found;
        std::vector<std::string> values; // the three slots
    };
    const Case cases[] = {
        {"", 0, {"", "", ""}},
        {"MP", 0, {"", "", ""}},
        {"MP,", 0, {"", "", ""}},
        {"MP,,", 1, {"", "", ""}},
        {"MP,1", 1, {"1", "", ""}},
        {"MP,1,", 1, {"1", "", ""}},
        {"MP,1,,", 2, {"1", "", ""}},
        {"MP, \t1 \t,\t2, 3 ", 3, {"1", "2", "3"}},
        {"MP,  ,x y,", 2, {"", "x y", ""}},
        {",a,b", 2, {"a", "b", ""}},
        {"*SS,a,b,c", 3, {"a", "b", "c"}},
        {"SS,a,b,c,d", -1, {}},
        {"SS,a,b,c,", 3, {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        std::string_view values[3] = {"junk", "junk", "junk"};
        EXPECT_EQ(SplitRawValues(c.text, values), c.found) << c.text;
        for (size_t i = 0; i < c.values.size(); ++i)
            EXPECT_EQ(values[i], c.values[i]) << c.text << " value " << i;
    }
}

// The reduction asks whether a line it does not reduce would split, without keeping its fields:
// the answer is the one splitting gives, over short, deleted, unknown and overlong lines.
TEST(RawRecordTest, SplitsIntoFieldsAnswersAsSplitting)
{
    for (const char* text : {"", "S", "ST", "  ", "XX,unknown", "CO,", "*CO,note", "ST,1", "ST,1,2,1.550,0.0000,0.0000",
                             "*ST,1,2,1.550,0.0000,0.0000", "ST,1,,1.5,0,0,1,2,3,4,5,6,7,8,9", "BS,2,,0.0000",
                             "F1,,1.5,,0.0000,90.0000,10:03:00", "MP,1,100,200,10,STN", "SS,7,1.5,10,0,90,t,"}) {
        CNikonRawDataRecord record(text);
        const bool answer = record.SplitsIntoFields();
        EXPECT_EQ(answer, record.SplitFields()) << text;
    }
}

} // namespace
