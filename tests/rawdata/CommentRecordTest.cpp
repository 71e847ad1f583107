// Comment records: settings comments read and written, the job-name comment and the stake-out
// deltas; and the heads of the public raw files.
#include "TestUtil.h"
#include "core/LocaleText.h"
#include "model/TestJobDoc.h"
#include "rawdata/records/RawDataNikonCommentRecord.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using morvel::test::TestJobDoc;

namespace {

CRawDataNikonCommentRecord Comment(const std::string& text)
{
    return CRawDataNikonCommentRecord(CNikonRawDataRecord(text));
}

TEST(CommentRecordTest, DistanceUnits)
{
    struct Case
    {
        const char* text;
        bool ok;
        int32_t code;
    } cases[] = {
        {"CO,DIST UNITS: Metres", true, 1},
        {"CO,dist units : feet us", true, 2},
        {"CO,Dist Units: Feet", true, 0},
        {"CO,Dist Units: Feet INTL", true, 0},
        {"CO,DIST UNITS Metres", false, 0},
        {"CO,DIST UNITS:", false, 0},
        {"CO,DIST UNIT: Metres", false, 0},
        {"CO,DIST UNITS X: Metres", false, 0},
        {"CO,DIST UNITS: Feet USA", false, 0},
        {"CO,DIST UNITS: Metres: 12-02-2020", true, 1},
        {"SS,1,2,3,4,5", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int32_t code = -7;
        EXPECT_EQ(Comment(c.text).ParseDistUnits(code), c.ok);
        EXPECT_EQ(code, c.ok ? c.code : -7);
    }
}

TEST(CommentRecordTest, OtherSettings)
{
    int32_t i = -1;
    bool b = false;
    double d = 0;
    EXPECT_TRUE(Comment("CO,Angle Units: DDDMMSS").ParseAngleUnits(i));
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(Comment("CO,Angle Units: Gons").ParseAngleUnits(i));
    EXPECT_EQ(i, 1);
    EXPECT_TRUE(Comment("CO,Zero azimuth: South").ParseZeroAzimuth(i));
    EXPECT_EQ(i, 1);
    EXPECT_TRUE(Comment("CO,HA Raw data: Azimuth").ParseHaRawData(i));
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(Comment("CO,HA Raw Data: HA zero to BS").ParseHaRawData(i));
    EXPECT_EQ(i, 1);
    EXPECT_TRUE(Comment("CO,C & R Coefficient: 0.1320").ParseCrCoefficient(b));
    EXPECT_FALSE(b);
    EXPECT_TRUE(Comment("CO,C & R Coefficient: 0.2000").ParseCrCoefficient(b));
    EXPECT_TRUE(b);
    EXPECT_FALSE(Comment("CO,C & R Coefficient: 0.14").ParseCrCoefficient(b));
    EXPECT_TRUE(Comment("CO,C & R Adjustment: On").ParseCrAdjustment(i));
    EXPECT_EQ(i, 1);
    EXPECT_TRUE(Comment("CO,Sea Level Adjustment: off").ParseSeaLevelAdjustment(i));
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(Comment("CO,Scale Adjustment: On").ParseScaleAdjustment(b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(Comment("CO,Coord Order: ENZ").ParseCoordOrder(i));
    EXPECT_EQ(i, 1);
    EXPECT_FALSE(Comment("CO,Coord Order: XYZ").ParseCoordOrder(i));

    for (const bool commaLocale : {false, true}) {
        SCOPED_TRACE(commaLocale ? "comma locale" : "point locale");
        std::unique_ptr<CLocaleTextOverride> locale;
        if (commaLocale)
            locale = std::make_unique<CLocaleTextOverride>(",", ".");
        EXPECT_TRUE(Comment("CO,ScaleFactor: 0.999960000").ParseScaleFactor(d));
        EXPECT_DOUBLE_EQ(d, 0.99996);
        d = 0;
        EXPECT_TRUE(Comment("CO,Scale Factor: 0.99996").ParseScaleFactor(d));
        EXPECT_DOUBLE_EQ(d, 0.99996);
        EXPECT_FALSE(Comment("CO,Scale Factor: 0,99996").ParseScaleFactor(d));
        EXPECT_FALSE(Comment("CO,Scale Factor:").ParseScaleFactor(d));

        CRawDataNikonCommentRecord printed = Comment("CO,");
        printed.PrintScaleFactor(0.99996);
        EXPECT_EQ(printed.GetText(), "CO,ScaleFactor: 0.999960000");
        printed.PrintScaleFactor(1.0);
        EXPECT_EQ(printed.GetText(), "CO,ScaleFactor: 1.000000000");
    }
}

TEST(CommentRecordTest, PrintersRoundTrip)
{
    for (int32_t code = 0; code <= 2; ++code) {
        CRawDataNikonCommentRecord c = Comment("CO,x");
        c.PrintDistUnits(code);
        int32_t back = -1;
        EXPECT_TRUE(Comment(c.GetText()).ParseDistUnits(back));
        EXPECT_EQ(back, code);
    }
    CRawDataNikonCommentRecord c = Comment("CO,x");
    c.PrintAngleUnits(1);
    EXPECT_EQ(c.GetText(), "CO,ANGLE UNITS: Gons");
    c.PrintAngleUnits(5);
    EXPECT_EQ(c.GetText(), "CO,ANGLE UNITS: Gons");
    for (int32_t order : {0, 2, -1}) {
        c.PrintCoordOrder(order);
        EXPECT_EQ(c.GetText(), "CO,Coord Order: NEZ");
    }
    c.PrintHaRawData(1);
    EXPECT_EQ(c.GetComment(), "HA Raw Data: HA zero to BS");
    c.PrintCrCoefficient(false);
    bool coefficient = true;
    EXPECT_TRUE(Comment(c.GetText()).ParseCrCoefficient(coefficient));
    EXPECT_FALSE(coefficient);

    CRawDataNikonCommentRecord deleted = Comment("*CO,old");
    deleted.PrintZeroAzimuth(1);
    EXPECT_EQ(deleted.GetText(), "*CO,ZERO AZIMUTH: South");
    deleted.PrintFormatHeader();
    EXPECT_EQ(deleted.GetText(), "*CO,Nikon RAW data format V2.00");
}

// One view is asked by every settings parser in turn; each answer follows the comment as it stands
// after the view's comment or text changed, not as it was first read.
TEST(CommentRecordTest, OneViewFollowsItsComment)
{
    CRawDataNikonCommentRecord c = Comment("CO,DIST UNITS: Metres");
    struct Step
    {
        std::function<void()> change;
        int32_t dist; // -1: not a distance setting
        double scale; // 0: not a scale factor
    } steps[] = {
        {[] {}, 1, 0},
        {[&] { c.PrintScaleFactor(0.5); }, -1, 0.5},
        {[&] { c.PrintDistUnits(2); }, 2, 0},
        {[&] { c.SetComment("Scale Factor: 2"); }, -1, 2},
        {[&] { c.SetText("CO,Dist Units: Feet"); }, 0, 0},
        {[&] { c.SetText("CO,Dist Units"); }, -1, 0},
        {[&] { c = Comment("CO,ScaleFactor: 3: x"); }, -1, 3},
        {[&] { c.SetText("SS,1,2,3,4,5"); }, -1, 0},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        steps[i].change();
        for (int pass = 0; pass < 2; ++pass) {
            int32_t dist = -1, angle = -1;
            double scale = 0;
            EXPECT_EQ(c.ParseDistUnits(dist), steps[i].dist >= 0);
            EXPECT_EQ(dist, steps[i].dist);
            EXPECT_FALSE(c.ParseAngleUnits(angle));
            EXPECT_EQ(c.ParseScaleFactor(scale), steps[i].scale != 0);
            EXPECT_EQ(scale, steps[i].scale);
        }
    }
}

TEST(CommentRecordTest, CommentTextKeepsCommasButNotLineEnds)
{
    CRawDataNikonCommentRecord c = Comment("CO,a,b, c");
    EXPECT_EQ(c.GetComment(), "a,b, c");
    c.SetComment("first\r\nsecond, third");
    c.UpdateText(3);
    EXPECT_EQ(c.GetText(), "CO,first  second, third");
    EXPECT_EQ(c.GetLine(), 3);
    EXPECT_EQ(Comment("CO").GetComment(), "");
    EXPECT_EQ(Comment("SS,1").GetComment(), "");
}

TEST(CommentRecordTest, JobComment)
{
    std::string name = "unchanged";
    EXPECT_TRUE(Comment("CO, FATE2010 <JOB> Created 04-Feb-2010 13:41:40").IsJobComment(&name));
    EXPECT_EQ(name, "FATE2010");
    EXPECT_TRUE(Comment("CO,home  <job>").IsJobComment(&name));
    EXPECT_EQ(name, "home");
    name = "unchanged";
    EXPECT_FALSE(Comment("CO,<JOB> FATE").IsJobComment(&name));
    EXPECT_FALSE(Comment("CO,my job <JOB>").IsJobComment(&name));
    EXPECT_FALSE(Comment("CO,FATE").IsJobComment(&name));
    EXPECT_EQ(name, "unchanged");
}

TEST(CommentRecordTest, StakeoutDeltas)
{
    TestJobDoc doc;
    CNikonRawDataRecord line("CO,Pt: 101 SO Deltas N: 0.012 E: -0.004 Z: 0.020");
    line.SetDocument(&doc);
    line.SetLine(5);
    std::string name;
    double n = 0, e = 0, z = 0;
    ASSERT_TRUE(CRawDataNikonCommentRecord(line).ParseStakeoutDeltas(name, n, e, z));
    EXPECT_EQ(name, "101");
    EXPECT_DOUBLE_EQ(n, -0.012);
    EXPECT_DOUBLE_EQ(e, 0.004);
    EXPECT_DOUBLE_EQ(z, -0.020);

    doc.rawData.setup.distanceCode = 0;
    ASSERT_TRUE(CRawDataNikonCommentRecord(line).ParseStakeoutDeltas(name, n, e, z));
    EXPECT_NEAR(n, -0.0036576, 1e-12);
    EXPECT_NEAR(e, 0.0012192, 1e-12);
    EXPECT_NEAR(z, -0.006096, 1e-12);

    CNikonRawDataRecord broken("CO,pt:7 so deltas n: 1 E: x Z: 0");
    broken.SetDocument(&doc);
    broken.SetLine(5);
    name.clear();
    n = 99;
    EXPECT_FALSE(CRawDataNikonCommentRecord(broken).ParseStakeoutDeltas(name, n, e, z));
    EXPECT_EQ(name, "7");
    EXPECT_EQ(n, 99);

    // The keywords in any case; a note that names no point leaves the name alone.
    for (const char* text : {"CO,PT: 8 So DELTAS N: 1 E: 2 Z: 3", "CO,  pT:9 SO Deltas N:1 E:2 Z:3"}) {
        CNikonRawDataRecord cased(text);
        cased.SetDocument(&doc);
        cased.SetLine(5);
        EXPECT_TRUE(CRawDataNikonCommentRecord(cased).ParseStakeoutDeltas(name, n, e, z)) << text;
    }
    EXPECT_EQ(name, "9");
    CNikonRawDataRecord note("CO,Temp:20C Press:760mmHg SO Deltas N: 1 E: 2 Z: 3");
    note.SetDocument(&doc);
    note.SetLine(5);
    EXPECT_FALSE(CRawDataNikonCommentRecord(note).ParseStakeoutDeltas(name, n, e, z));
    EXPECT_EQ(name, "9");

    // Every word is required: each one left out, or spoilt, refuses the comment; only the point
    // name may be any word.
    const std::vector<std::string> words = {"Pt:", "101", "SO", "Deltas", "N:", "0.012", "E:", "-0.004", "Z:", "0.020"};
    for (size_t at = 0; at < words.size(); ++at) {
        for (bool spoilt : {false, true}) {
            std::string text = "CO,";
            for (size_t i = 0; i < words.size(); ++i)
                if (i != at || spoilt)
                    text += (i == at ? std::string(words[i].back() == ':' ? "x:" : "x") : words[i]) + " ";
            SCOPED_TRACE(text);
            CNikonRawDataRecord one(text);
            one.SetDocument(&doc);
            one.SetLine(5);
            EXPECT_EQ(CRawDataNikonCommentRecord(one).ParseStakeoutDeltas(name, n, e, z), spoilt && at == 1);
        }
    }

    // Without a setup at the line there is no unit to read the deltas in.
    line.SetLine(-1);
    EXPECT_FALSE(CRawDataNikonCommentRecord(line).ParseStakeoutDeltas(name, n, e, z));
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

const char* const kRawFiles[] = {"tops_nikon_raw_v200.raw", "tops_nikon_dtm330.raw", "tops_nikon_npl350.raw",
                                 "geoeasy_nikon_dtm322_sample.raw"};

TEST(PublicRawFilesTest, EveryLineSplitsByItsLayout)
{
    for (const char* file : kRawFiles) {
        SCOPED_TRACE(file);
        const std::vector<std::string> lines = ReadLines(morvel::test::SharedTestDataPath(file));
        ASSERT_GT(lines.size(), 15u);
        int shots = 0;
        for (const std::string& text : lines) {
            SCOPED_TRACE(text);
            CNikonRawDataRecord record(text);
            const int32_t type = record.GetType();
            if (type == RecordTypeComment) {
                EXPECT_EQ(record.GetFieldCount(), 1);
            }
            if (type == RecordTypeSideShot) {
                EXPECT_EQ(record.GetFieldCount(), 7);
                ++shots;
            }
            // The instruments write two more station values and an empty value before the
            // northing; the raw import narrows them.
            if (type == RecordTypeStation) {
                EXPECT_EQ(record.GetFieldCount(), 0);
            }
            if (type == RecordTypeStation || record_codes::IsCoordinateType(type)) {
                EXPECT_FALSE(record.CheckLayout(type));
            }
        }
        EXPECT_GT(shots, 2);
    }
}

TEST(PublicRawFilesTest, HeadsCarryTheirSettings)
{
    struct Expected
    {
        const char* file;
        int32_t angle;
        const char* job;
    } expected[] = {
        {"tops_nikon_raw_v200.raw", 1, "FATE2010"},
        {"tops_nikon_dtm330.raw", 0, "HOME"},
        {"tops_nikon_npl350.raw", 1, "PROVE"},
        {"geoeasy_nikon_dtm322_sample.raw", 0, "EXAMPLE5"},
    };
    for (const Expected& x : expected) {
        SCOPED_TRACE(x.file);
        int32_t distance = -1, angle = -1, zero = -1, ha = -1, order = -1;
        std::string job;
        for (const std::string& text : ReadLines(morvel::test::SharedTestDataPath(x.file))) {
            CRawDataNikonCommentRecord c = Comment(text);
            c.ParseDistUnits(distance);
            c.ParseAngleUnits(angle);
            c.ParseZeroAzimuth(zero);
            c.ParseHaRawData(ha);
            c.ParseCoordOrder(order);
            c.IsJobComment(&job);
        }
        EXPECT_EQ(distance, 1);
        EXPECT_EQ(angle, x.angle);
        EXPECT_EQ(zero, 0);
        EXPECT_EQ(ha, 0);
        EXPECT_EQ(order, 0);
        EXPECT_EQ(job, x.job);
    }
}

} // namespace
