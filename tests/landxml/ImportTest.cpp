#include "LandXMLTestUtil.h"
#include "landxml/FSDataFileLoadXML.h"
#include "landxml/FSDataFileSaveXML.h"
#include "core/DataFileFormat.h"
#include "core/Report.h"
#include "model/DataFileUndoManager.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/TestJobDoc.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using morvel::test::SharedTestDataPath;
using morvel::test::TempDir;
using morvel::test::TestJobDoc;
using morvel::test::WrapLandXML;
using morvel::test::WriteAllText;

struct MessageLog
{
    MessageLog()
    {
        previous = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            texts.push_back(text);
            return IDOK;
        });
    }
    ~MessageLog() { SetMessageBoxHandler(previous); }
    MessageBoxHandler previous;
    std::vector<std::string> texts;
};

std::string UnitsFile(const std::string& linearUnit, const std::string& body)
{
    return "<LandXML><Units><Imperial linearUnit=\"" + linearUnit +
           "\" areaUnit=\"a\" volumeUnit=\"v\" temperatureUnit=\"t\" pressureUnit=\"p\"/></Units>" + body +
           "</LandXML>";
}

const CPointRecord* Point(TestJobDoc& job, const char* name)
{
    const CPointRecord* p = job.GetPointDatabase()->FindPoint(name, true);
    EXPECT_NE(p, nullptr) << name;
    return p;
}

TEST(LandXMLImport, SampleFilesImportFully)
{
    struct Case
    {
        const char* file;
        int mode;
        int count;
        double factor;
        const char* first;
        double firstN, firstE, firstZ;
        const char* firstDescription;
        const char* last;
        double lastN, lastE, lastZ;
        const char* lastDescription;
    };
    const Case cases[] = {
        {"lx2gltf_partridge_survey_1_1.xml", FSLoadXML::kDescriptionDesc, 2896, 0.3048, "1", 33268.218503937009,
         32423.251312335957, 805.570866141732, "BAR[245.538]", "3076", 39157.839799111185, 28797.468195864589,
         810.057313192442, "RTBR"},
        {"lx2gltf_subdivision_1_1.xml", FSLoadXML::kDescriptionCode, 639, 0.3048, "1", 1145.99755444, -626.27773323,
         0.0, "PCOR", "856", 2129.42329922, 2247.57234198, 255.445910, "FG"},
        {"tops_landxml_1_2.xml", FSLoadXML::kDescriptionDesc, 2, 1.0, "STAZLIB3", 519.659, 465.244, -0.588, "",
         "STAZLIB4", 524.441, 445.069, 0.388, ""},
        {"derived_landxml_1_0_from_tops.xml", 2, 2, 1.0, "STAZLIB3", 519.659, 465.244, -0.588, "", "STAZLIB4",
         524.441, 445.069, 0.388, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        MessageLog log;
        TestJobDoc job;
        FSDataFileLoadXML import;
        import.SetDescriptionMode(c.mode);
        ASSERT_TRUE(import.ImportFile(SharedTestDataPath(c.file), &job));
        EXPECT_TRUE(log.texts.empty());
        EXPECT_EQ(job.GetPointDatabase()->GetCount(), c.count);
        EXPECT_EQ(static_cast<int>(job.rawData.lines.size()), c.count);

        const CPointRecord* first = Point(job, c.first);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->GetNorthing(), c.firstN * c.factor);
        EXPECT_EQ(first->GetEasting(), c.firstE * c.factor);
        EXPECT_EQ(first->GetElevation(), c.firstZ * c.factor);
        EXPECT_STREQ(first->GetDescription(), c.firstDescription);
        const CPointRecord* last = Point(job, c.last);
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(last->GetNorthing(), c.lastN * c.factor);
        EXPECT_EQ(last->GetEasting(), c.lastE * c.factor);
        EXPECT_EQ(last->GetElevation(), c.lastZ * c.factor);
        EXPECT_STREQ(last->GetDescription(), c.lastDescription);

        std::vector<std::string> names;
        ASSERT_TRUE(import.ReadPointNames(&job, SharedTestDataPath(c.file), names));
        EXPECT_EQ(static_cast<int>(names.size()), c.count);
    }
}

TEST(LandXMLImport, LinearUnitsAndMissingElevation)
{
    TempDir dir;
    struct Case
    {
        const char* unit;
        double factor;
    };
    const Case cases[] = {
        {"millimeter", 0.001}, {"centimeter", 0.01},       {"meter", 1.0},
        {"Meter", 1.0},        {"kilometer", 1000.0},      {"foot", 0.3048},
        {"USSurveyFoot", 0.30480060960121924},             {"inch", 0.025400000000000002},
        {"mile", 1609.344},    {"furlong", 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        const std::string path = dir.file("units.xml");
        WriteAllText(path, UnitsFile(c.unit, "<CgPoints><CgPoint name=\"1\">1000 1000 10</CgPoint>"
                                             "<CgPoint name=\"2\">5 6</CgPoint></CgPoints>"));
        TestJobDoc job;
        FSDataFileLoadXML import;
        ASSERT_TRUE(import.ImportFile(path, &job));
        const CPointRecord* p = Point(job, "1");
        EXPECT_EQ(p->GetNorthing(), 1000 * c.factor);
        EXPECT_EQ(p->GetEasting(), 1000 * c.factor);
        EXPECT_EQ(p->GetElevation(), 10 * c.factor);
        EXPECT_EQ(Point(job, "2")->GetElevation(), NoValue);
    }
    EXPECT_EQ(FSLoadXML::LinearUnitFactor(FSLoadXML::kInch), 0.025400000000000002);
    EXPECT_NE(FSLoadXML::LinearUnitFactor(FSLoadXML::kInch), 0.0254);
}

TEST(LandXMLImport, GroupsReferencesOverwritesAndDescriptions)
{
    TempDir dir;
    const std::string path = dir.file("groups.xml");
    WriteAllText(path, WrapLandXML(R"(<CgPoints>
        <CgPoint name="A" code="CA">1 2 3</CgPoint>
        <CgPoints><CgPoint name="B" desc="DB">4 5</CgPoint></CgPoints>
        <CgPoint name="C" pntRef="A"/>
        <CgPoint>9 9</CgPoint>
        <CgPoint name="OLD" desc="NEW">7 8 9</CgPoint>
      </CgPoints>)"));
    TestJobDoc job;
    CPointRecord* old = job.AddPoint("OLD", 100, 200, 300);
    old->SetDescription("was");
    FSDataFileLoadXML import;
    ASSERT_TRUE(import.ImportFile(path, &job));

    // A group's own points come before those of its nested groups; unnamed points are skipped.
    ASSERT_EQ(job.rawData.lines.size(), 4u);
    EXPECT_EQ(job.rawData.lines[0].substr(0, 5), "MP,A,");
    EXPECT_EQ(job.rawData.lines[1].substr(0, 5), "MP,C,");
    EXPECT_EQ(job.rawData.lines[2].substr(0, 7), "MP,OLD,");
    EXPECT_EQ(job.rawData.lines[3].substr(0, 5), "MP,B,");
    EXPECT_EQ(job.GetPointDatabase()->GetCount(), 4);

    // Overwritten in place, MP record appended as for a new point.
    EXPECT_EQ(Point(job, "OLD"), old);
    EXPECT_EQ(old->GetNorthing(), 7.0);
    EXPECT_STREQ(old->GetDescription(), "NEW");
    // The referring point takes the coordinates of the point it names.
    EXPECT_EQ(Point(job, "C")->GetElevation(), 3.0);
    // Mode desc: a point with only a code gets an empty description.
    EXPECT_STREQ(Point(job, "A")->GetDescription(), "");
    EXPECT_STREQ(Point(job, "B")->GetDescription(), "DB");

    // The history names each raw line.
    const auto& history = job.GetHistoryList();
    bool found = false;
    for (const std::string& line : history)
        found = found || line.find("to raw data at line #4") != std::string::npos;
    EXPECT_TRUE(found);
}

TEST(LandXMLImport, RefusedFilesLeaveTheJobAsItWas)
{
    TempDir dir;
    struct Case
    {
        const char* name;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"invalid name", WrapLandXML(R"(<CgPoints><CgPoint name="1">1 2</CgPoint><CgPoint name="P-1">1 2</CgPoint></CgPoints>)"),
         "Invalid point name: \"P-1\"."},
        {"name too long", WrapLandXML(R"(<CgPoints><CgPoint name="ABCDEFGHIJKLMNOPQ">1 2</CgPoint></CgPoints>)"),
         "Invalid point name: \"ABCDEFGHIJKLMNOPQ\"."},
        {"missing reference", WrapLandXML(R"(<CgPoints><CgPoint name="1">1 2</CgPoint><CgPoint name="2" pntRef="3"/></CgPoints>)"),
         "The LandXML file is invalid:\nPoint 3 does not exist."},
        {"parse error", "<LandXML>", "The LandXML file is invalid:\nUnable to load the XML file because of an error at line 1\n"
                                     "Reason: Start-end tags mismatch"},
        {"overflowing coordinates", UnitsFile("mile", "<CgPoints><CgPoint name=\"1\">1e306 1</CgPoint></CgPoints>"),
         "The LandXML file is invalid:\nThe coordinates of point 1 are out of range."},
        {"overflowing elevation", UnitsFile("mile", "<CgPoints><CgPoint name=\"1\">1 2 1e306</CgPoint></CgPoints>"),
         "The LandXML file is invalid:\nThe coordinates of point 1 are out of range."},
        // A point read early because another refers to it is held to the same rules.
        {"invalid referenced name",
         WrapLandXML(R"(<CgPoints><CgPoint name="2" pntRef="P-1"/><CgPoint name="P-1">1 2</CgPoint></CgPoints>)"),
         "Invalid point name: \"P-1\"."},
        // Of two faulty points the first in name order is named, wherever it stands in the file.
        {"two faults", UnitsFile("mile", "<CgPoints><CgPoint name=\"Z-1\">1 2</CgPoint><CgPoint name=\"A\">1e306 1</CgPoint></CgPoints>"),
         "The LandXML file is invalid:\nThe coordinates of point A are out of range."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file("bad.xml");
        WriteAllText(path, c.text);
        TestJobDoc job;
        job.AddPoint("9", 1, 1);
        job.SetModifiedFlagOnly(false);
        const std::size_t history = job.GetHistoryList().size();
        MessageLog log;
        FSDataFileLoadXML import;
        EXPECT_FALSE(import.ImportFile(path, &job));
        ASSERT_EQ(log.texts.size(), 1u);
        EXPECT_EQ(log.texts[0], c.message);
        EXPECT_EQ(job.GetPointDatabase()->GetCount(), 1);
        EXPECT_TRUE(job.rawData.lines.empty());
        EXPECT_FALSE(job.IsModified());
        EXPECT_EQ(job.GetHistoryList().size(), history);
    }
}

TEST(LandXMLImport, PointNamesUseTheImportsSwitches)
{
    TempDir dir;
    // The alignment would be refused by a full read; the import and the name count pass it over.
    const std::string path = dir.file("names.xml");
    WriteAllText(path, WrapLandXML(R"(<CgPoints><CgPoint name="2">1 2</CgPoint><CgPoint name="10">1 2</CgPoint></CgPoints>
        <Alignments><Alignment/></Alignments>)"));
    TestJobDoc job;
    FSDataFileLoadXML import;
    MessageLog log;
    ASSERT_TRUE(import.ImportFile(path, &job));
    std::vector<std::string> names;
    ASSERT_TRUE(import.ReadPointNames(&job, path, names));
    EXPECT_EQ(names, (std::vector<std::string>{"10", "2"}));
    EXPECT_TRUE(log.texts.empty());
}

TEST(LandXMLImport, ExportImportsBackToTheSamePoints)
{
    TempDir dir;
    TestJobDoc source;
    source.AddPoint("1", 2000.123456, 1000.654321, 10.5)->SetDescription("TREE & <BUSH>");
    source.AddPoint("2", -5.25, 7.125);
    source.AddPoint("A_3", 123456.789012, 654321.098765, -3.001)->SetDescription("q\"uote'");

    for (int unit : {FSDataFileSaveXML::kUnitMetres, FSDataFileSaveXML::kUnitUSSurveyFoot,
                     FSDataFileSaveXML::kUnitInternationalFoot}) {
        SCOPED_TRACE(unit);
        const std::string path = dir.file("round.xml");
        FSDataFileSaveXML writer;
        int count = 0;
        ASSERT_TRUE(writer.WriteFile(path, unit, &source, count));
        EXPECT_EQ(count, 3);

        TestJobDoc target;
        FSDataFileLoadXML import;
        ASSERT_TRUE(import.ImportFile(path, &target));
        ASSERT_EQ(target.GetPointDatabase()->GetCount(), 3);
        for (const char* name : {"1", "2", "A_3"}) {
            SCOPED_TRACE(name);
            const CPointRecord* a = source.GetPointDatabase()->FindPoint(name, true);
            const CPointRecord* b = Point(target, name);
            ASSERT_NE(b, nullptr);
            // Six decimals in feet is within 2e-6 m.
            EXPECT_NEAR(a->GetNorthing(), b->GetNorthing(), 2e-6);
            EXPECT_NEAR(a->GetEasting(), b->GetEasting(), 2e-6);
            if (a->HasValidLocation3D())
                EXPECT_NEAR(a->GetElevation(), b->GetElevation(), 2e-6);
            else
                EXPECT_EQ(b->GetElevation(), NoValue);
            EXPECT_STREQ(a->GetDescription(), b->GetDescription());
        }
    }
}

} // namespace

namespace {

// Rename rules for one test, on settings that never touch the profile file.
class RenameRules
{
public:
    explicit RenameRules(int32_t rule)
    {
        settings.SetRenameRule(rule);
        settings.SetRenameStartNumber(500);
        settings.SetRenameNumericOffset(1000);
        settings.SetRenameDesignator("A");
        settings.SetRenameDesignatorLocation(0);
        settings.SetRenameNextRound(0);
        settings.SetRenameOption(0);
        SetMorvelSettings(&settings);
    }
    ~RenameRules() { SetMorvelSettings(nullptr); }
    RenameRules(const RenameRules&) = delete;
    RenameRules& operator=(const RenameRules&) = delete;

    CMorvelSettings settings;
};

TEST(LandXMLImport, OneUndoStepAndTheReport)
{
    TempDir dir;
    const std::string path = dir.file("report.xml");
    WriteAllText(path, WrapLandXML(R"(<CgPoints><CgPoint name="1" desc="IP">100 200 10</CgPoint>
        <CgPoint name="2">300 400</CgPoint></CgPoints>)"));
    TestJobDoc job;
    job.AddPoint("9", 1, 1);
    job.rawData.lines = {"CO,before"};
    CReport report;
    FSDataFileLoadXML import;
    import.SetImportOptions(false, true, &report);
    ASSERT_TRUE(import.ImportFile(path, &job));
    EXPECT_EQ(job.GetPointDatabase()->GetCount(), 3);

    ASSERT_EQ(report.GetHeaderLines().size(), 1u);
    EXPECT_EQ(report.GetHeaderLines()[0], "Import LandXML file");
    ASSERT_EQ(report.GetSections().size(), 2u);
    EXPECT_EQ(report.GetCell(0, 0, 1), "Import LandXML file " + path);
    const CReportSection& table = *report.GetSections()[1];
    ASSERT_EQ(table.columns.size(), 6u);
    EXPECT_EQ(table.columns[0].heading, "Point #");
    EXPECT_EQ(table.columns[4].heading, "Description");
    EXPECT_EQ(table.columns[5].heading, "Action");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(report.GetCell(1, 0, 0), "1");
    EXPECT_EQ(report.GetCell(1, 4, 0), "IP");
    EXPECT_EQ(report.GetCell(1, 5, 1), "Imported");
    EXPECT_EQ(report.GetCell(1, 3, 1), job.GetDataFileFormat()->FormatElevation(NoValue, false, false));

    // The whole import undoes as one step.
    CDataFileUndoManager& undo = *job.GetUndoManager();
    EXPECT_EQ(undo.GetUndoDescription(), FSDataFileLoadXML::kUndoDescription);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(job.GetPointDatabase()->GetCount(), 1);
    EXPECT_EQ(job.rawData.lines, (std::vector<std::string>{"CO,before"}));
}

TEST(LandXMLImport, ARefusedImportLeavesNoUndoStep)
{
    TempDir dir;
    const std::string path = dir.file("bad.xml");
    WriteAllText(path, WrapLandXML(R"(<CgPoints><CgPoint name="P-1">1 2</CgPoint></CgPoints>)"));
    TestJobDoc job;
    job.AddPoint("9", 1, 1);
    MessageLog log;
    FSDataFileLoadXML import;
    EXPECT_FALSE(import.ImportFile(path, &job));
    EXPECT_EQ(job.GetUndoManager()->GetUndoDescription(), "");
    EXPECT_FALSE(job.GetUndoManager()->CanUndo());
}

TEST(LandXMLImport, RenamingByTheJobsRule)
{
    TempDir dir;
    const std::string path = dir.file("rename.xml");
    WriteAllText(path, WrapLandXML(R"(<CgPoints><CgPoint name="1">1 2</CgPoint><CgPoint name="2">3 4</CgPoint>
        <CgPoint name="ROCK">5 6</CgPoint></CgPoints>)"));
    {
        RenameRules rules(0); // numbered on from the start number
        TestJobDoc job;
        job.AddPoint("1", 9, 9);
        FSDataFileLoadXML import;
        CReport report;
        import.SetImportOptions(true, true, &report);
        ASSERT_TRUE(import.ImportFile(path, &job));
        EXPECT_EQ(job.GetPointDatabase()->GetCount(), 4);
        const auto& map = import.GetRenameMap();
        ASSERT_EQ(map.size(), 3u);
        // Each point is where its new name says, and the report tells the name it had in the file.
        const CReportSection& rows = *report.GetSections()[1];
        ASSERT_EQ(rows.rows.size(), 3u);
        int renamed = 0;
        for (const auto& row : rows.rows) {
            SCOPED_TRACE(row[0]);
            std::string from = row[0];
            if (row[5] != "Imported") {
                ASSERT_EQ(row[5].rfind("Renamed (from ", 0), 0u) << row[5];
                from = row[5].substr(14, row[5].size() - 15);
                ++renamed;
            }
            ASSERT_EQ(map.count(from), 1u);
            EXPECT_EQ(map.at(from), row[0]);
            EXPECT_NE(job.GetPointDatabase()->FindPoint(row[0], true), nullptr);
        }
        // Point 1 of the file could not keep the name the job's own point has.
        EXPECT_GE(renamed, 1);
        // The job's own point 1 is untouched.
        EXPECT_EQ(job.GetPointDatabase()->FindPoint("1", true)->GetEasting(), 9.0);
    }
    {
        RenameRules rules(4); // an offset: refused for names that are not numbers
        TestJobDoc job;
        MessageLog log;
        FSDataFileLoadXML import;
        import.SetImportOptions(true, false, nullptr);
        EXPECT_FALSE(import.ImportFile(path, &job));
        ASSERT_EQ(log.texts.size(), 1u);
        EXPECT_EQ(log.texts[0], "Unable to rename the points using the selected rule.");
        EXPECT_EQ(job.GetPointDatabase()->GetCount(), 0);
    }
}

// Everything an import of a public sample leaves behind, pinned byte for byte: the points, the raw
// lines, the history, the report, and the file's names in the order the renaming preview shows.
TEST(LandXMLImport, SampleImportsStayByteForByte)
{
    struct Case
    {
        const char* file;
        int mode;
        uint64_t digest;
    };
    const Case cases[] = {
        {"lx2gltf_partridge_survey_1_1.xml", FSLoadXML::kDescriptionDesc, 16009555687903876833ull},
        {"lx2gltf_subdivision_1_1.xml", FSLoadXML::kDescriptionCode, 4473249947075976053ull},
        {"tops_landxml_1_2.xml", FSLoadXML::kDescriptionDesc, 4576645802281931845ull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        MessageLog log;
        TestJobDoc job;
        CReport report;
        FSDataFileLoadXML import;
        import.SetDescriptionMode(c.mode);
        import.SetImportOptions(false, true, &report);
        ASSERT_TRUE(import.ImportFile(SharedTestDataPath(c.file), &job));
        std::vector<std::string> names;
        ASSERT_TRUE(import.ReadPointNames(&job, SharedTestDataPath(c.file), names));

        std::string text;
        char number[64];
        RedBlackNode* position = job.GetPointDatabase()->GetFirstPosition();
        while (const CPointRecord* point = job.GetPointDatabase()->GetNextPoint(position)) {
            std::snprintf(number, sizeof number, " %a %a %a ", point->GetNorthing(), point->GetEasting(),
                          point->GetElevation());
            text.append(point->GetName()).append(number).append(point->GetDescription()).append("\n");
        }
        for (const std::vector<std::string>* list : {&job.rawData.lines, &names})
            for (const std::string& line : *list)
                text.append(line).append("\n");
        // History lines begin with the date and time of the change.
        for (const std::string& line : job.GetHistoryList())
            text.append(line.substr(std::min(line.size(), std::size_t(20)))).append("\n");
        // The title section names the file by its path, which depends on the checkout.
        for (std::size_t section = 1; section < report.GetSections().size(); ++section)
            for (const auto& row : report.GetSections()[section]->rows)
                for (const std::string& cell : row)
                    text.append(cell).append("|");
        EXPECT_EQ(morvel::test::Fnv1a(text), c.digest) << text.size();
    }
}

} // namespace
