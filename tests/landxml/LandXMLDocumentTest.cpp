#include "LandXMLTestUtil.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "landxml/elements/LandXMLCgPoints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

namespace {

using morvel::test::LoadLandXMLText;
using morvel::test::TempDir;
using morvel::test::WrapLandXML;

const char* const kUnits = "<Units><Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\" "
                           "temperatureUnit=\"celsius\" pressureUnit=\"mmHG\"/></Units>";

std::vector<std::string> NamedPoints(const CLandXML& document)
{
    std::vector<std::string> names;
    for (auto position = document.GetFirstNamedCgPointPosition(); position.IsValid();)
        names.push_back(document.GetNextNamedCgPoint(position)->GetName());
    return names;
}

TEST(LandXMLLoadFile, RefusalMessages)
{
    TempDir dir;
    struct Case
    {
        const char* name;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"empty file", "", "The XML file is empty."},
        {"comment only", "<?xml version=\"1.0\"?><!-- nothing -->", "The root is empty."},
        {"no LandXML", "<Other><Units/></Other>", "The root is empty."},
        {"no Units", "<LandXML><CgPoints/></LandXML>", "'LandXML' contains no 'Units' element."},
        {"Units not a direct child", std::string("<LandXML><Survey>") + kUnits + "</Survey></LandXML>",
         "'LandXML' contains no 'Units' element."},
        {"two Units", std::string("<LandXML>") + kUnits + kUnits + "</LandXML>",
         "This program can not handle more than one 'Units' element."},
        {"Units without a unit system", "<LandXML><Units/></LandXML>", "Fail to validate 'Units' element"},
        {"empty pressure unit",
         "<LandXML><Units><Metric linearUnit=\"meter\" areaUnit=\"a\" volumeUnit=\"v\" temperatureUnit=\"t\" "
         "pressureUnit=\"\"/></Units></LandXML>",
         "Fail to validate 'Units' element"},
        {"lower-case cgpoint tag ignored, bad CgPoint refused",
         WrapLandXML("<CgPoints><cgpoint>1 2</cgpoint><CgPoint pntSurv=\"Control\">1 2</CgPoint></CgPoints>"),
         "Fail to validate 'CgPoint' element"},
        {"parse error line", "<?xml version=\"1.0\"?>\n<LandXML>\n<Units>\n</LandXML>\n",
         "Unable to load the XML file because of an error at line 4\nReason: Start-end tags mismatch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = LoadLandXMLText(dir, c.text);
        EXPECT_TRUE(r.threw);
        EXPECT_EQ(r.error, c.message);
    }
}

TEST(LandXMLLoadFile, MissingFileIsRefused)
{
    CLandXML document;
    std::string note;
    try {
        document.LoadFile("/nonexistent/folder/file.xml", note);
        FAIL();
    } catch (const CLandXMLException& e) {
        EXPECT_EQ(e.GetMessage(), "Fail to load the XML file.");
    }
}

TEST(LandXMLLoadFile, SkipNoteNamesEachSkippedElement)
{
    TempDir dir;
    const auto r = LoadLandXMLText(
        dir, WrapLandXML("<PipeNetworks/><Alignments><Alignment name=\"a\"><CoordGeom><Spiral spiType=\"cubic\"/>"
                         "</CoordGeom><CrossSects/></Alignment></Alignments><CrossSects/>"),
        [](CLandXML& d) { d.SetReadAlignmentsAndParcels(false); });
    ASSERT_FALSE(r.threw) << r.error;
    EXPECT_TRUE(r.loaded);
    EXPECT_EQ(r.note, "This program skips the following elements:  PipeNetworks CrossSects CrossSects Bubic Spiral");

    const auto plain = LoadLandXMLText(dir, WrapLandXML("<CgPoints><CgPoint name=\"1\">1 2</CgPoint></CgPoints>"));
    EXPECT_TRUE(plain.loaded);
    EXPECT_EQ(plain.note, "");

    // Every element the reader passes over, each alone, is named by its own entry.
    const auto alignment = [](const std::string& inner) {
        return "<Alignments><Alignment name=\"a\">" + inner + "</Alignment></Alignments>";
    };
    const auto spiral = [&](const char* type) {
        return alignment(std::string("<CoordGeom><Spiral spiType=\"") + type + "\"/></CoordGeom>");
    };
    const std::pair<std::string, const char*> rows[] = {
        {"<Surfaces><SurfVolumes/></Surfaces>", "SurfVolumes"},
        {"<PipeNetworks/>", "PipeNetworks"},
        {"<PlanFeatures/>", "PlanFeatures"},
        {"<CrossSects/>", "CrossSects"},
        {"<Monuments/>", "Monuments"},
        {alignment("<Superelevation/>"), "Superelevation"},
        {alignment("<CrossSects/>"), "CrossSects"},
        {alignment("<StaEquation/>"), "StaEquation"},
        {alignment("<Profile><ProfSurf/></Profile>"), "ProfSurf"},
        {alignment("<Profile><ProfAlign><CircCurve/></ProfAlign></Profile>"), "CircCurve"},
        {spiral("biquadratic"), "Biquadratic Spiral"},
        {spiral("bloss"), "Bloss Spiral"},
        {spiral("cosine"), "Cosine Spiral"},
        {spiral("cubic"), "Bubic Spiral"},
        {spiral("sinusoid"), "Sinusoid Spiral"},
        {spiral("revBiquadratic"), "RevBiquadratic Spiral"},
        {spiral("revBloss"), "RevBloss Spiral"},
        {spiral("revCosine"), "RevCosine Spiral"},
        {spiral("revSinusoid"), "RevSinusoid Spiral"},
        {spiral("clothoid"), ""},
    };
    for (const auto& [element, name] : rows) {
        SCOPED_TRACE(element);
        const auto one = LoadLandXMLText(dir, WrapLandXML(element), [](CLandXML& d) { d.SetReadAlignmentsAndParcels(false); });
        ASSERT_FALSE(one.threw) << one.error;
        EXPECT_EQ(one.note, *name ? std::string("This program skips the following elements:  ") + name : "");
    }
}

TEST(LandXMLLoadFile, LandXMLWithoutChildElements)
{
    TempDir dir;
    // Units is checked first, so an empty LandXML fails there.
    const auto r = LoadLandXMLText(dir, "<LandXML> </LandXML>");
    EXPECT_EQ(r.error, "'LandXML' contains no 'Units' element.");
}

TEST(LandXMLDocument, GroupsAtTopLevelAndUnderSurveyInDocumentOrder)
{
    TempDir dir;
    const auto r = LoadLandXMLText(
        dir, WrapLandXML("<Survey><CgPoints name=\"s\"><CgPoint name=\"S1\">1 2</CgPoint></CgPoints><Other/></Survey>"
                         "<CgPoints name=\"t\"><CgPoint name=\"T1\">3 4</CgPoint><CgPoint>5 6</CgPoint>"
                         "<CgPoints><CgPoint name=\"N1\">7 8 9</CgPoint></CgPoints></CgPoints>"));
    ASSERT_TRUE(r.loaded) << r.error;
    const auto& groups = r.document->GetCgPointsGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0]->GetPoints().front()->GetName(), "S1");
    EXPECT_EQ(groups[1]->CountPoints(), 3);
    EXPECT_EQ(r.document->GetNamedCgPointCount(), 3);
    EXPECT_EQ(r.document->GetUnnamedCgPointCount(), 1);
    EXPECT_EQ(r.document->GetTopLevelObjectCount(), 2);
    std::size_t position = r.document->GetFirstUnnamedCgPointPosition();
    const CLandXMLCgPoint* unnamed = r.document->GetNextUnnamedCgPoint(position);
    ASSERT_NE(unnamed, nullptr);
    EXPECT_FALSE(unnamed->HasName());
    EXPECT_EQ(r.document->GetNextUnnamedCgPoint(position), nullptr);
    EXPECT_EQ(r.document->GetFileName(), dir.file("doc.xml"));

    // With CgPoints off nothing is read but the units.
    const auto off = LoadLandXMLText(dir, WrapLandXML("<CgPoints><CgPoint name=\"1\">1 2</CgPoint></CgPoints>"),
                                     [](CLandXML& d) { d.SetReadCgPoints(false); });
    ASSERT_TRUE(off.loaded);
    EXPECT_EQ(off.document->GetNamedCgPointCount(), 0);
    EXPECT_TRUE(off.document->GetUnits().IsBound());
}

TEST(LandXMLDocument, NameIndexIsCaseInsensitiveAndOrdered)
{
    TempDir dir;
    const auto r = LoadLandXMLText(
        dir, WrapLandXML("<CgPoints><CgPoint name=\"b2\">1 2</CgPoint><CgPoint name=\"A1\">1 2</CgPoint>"
                         "<CgPoint name=\"a3\">1 2</CgPoint></CgPoints>"));
    ASSERT_TRUE(r.loaded) << r.error;
    EXPECT_EQ(NamedPoints(*r.document), (std::vector<std::string>{"A1", "a3", "b2"}));
    EXPECT_NE(r.document->FindCgPoint("B2", false), nullptr);
    EXPECT_EQ(r.document->FindCgPoint("zz", true), nullptr);

    // P1 and p1 are one name.
    const auto dup = LoadLandXMLText(
        dir, WrapLandXML("<CgPoints><CgPoint name=\"P1\">1 2</CgPoint><CgPoint name=\"p1\">1 2</CgPoint></CgPoints>"));
    EXPECT_EQ(dup.error, "Two or more 'CgPoint' objects are using the same name p1.");
}

// Many names that share long beginnings, differ only past the eighth byte or in case, sort
// between the letters' cases ('_') or above ASCII: read from a file, and registered one by one
// from an empty index, each is found in any case and the order is CompareNoCase's.
TEST(LandXMLDocument, NameIndexHoldsManyNamesInOrder)
{
    std::vector<std::string> names;
    for (int i = 0; i < 400; ++i) {
        const std::string n = std::to_string(i);
        names.push_back("Station-" + n);
        names.push_back(i % 2 == 0 ? "STATION-" + n + "x" : "station-" + n + "X");
        names.push_back("st" + n);
        names.push_back("_" + n);
        names.push_back("\xC3\x89" + n);
    }
    names.push_back("Station-");
    names.push_back("Station");
    std::mt19937 shuffle(7);
    std::shuffle(names.begin(), names.end(), shuffle);
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end(),
              [](const std::string& a, const std::string& b) { return landxml::CompareNoCase(a, b) < 0; });
    auto swapCase = [](std::string name) {
        for (char& c : name)
            c = std::isupper(static_cast<unsigned char>(c)) ? char(std::tolower(static_cast<unsigned char>(c)))
                                                             : char(std::toupper(static_cast<unsigned char>(c)));
        return name;
    };
    auto check = [&](CLandXML& document) {
        EXPECT_EQ(document.GetNamedCgPointCount(), int(names.size()));
        EXPECT_EQ(NamedPoints(document), sorted);
        for (const std::string& name : names) {
            const CLandXMLCgPoint* point = document.FindCgPoint(swapCase(name), false);
            ASSERT_NE(point, nullptr) << name;
            EXPECT_EQ(point->GetName(), name);
        }
        EXPECT_EQ(document.FindCgPoint("Station-400", false), nullptr);
    };

    TempDir dir;
    std::string body = "<CgPoints>";
    for (const std::string& name : names)
        body += "<CgPoint name=\"" + name + "\">1 2</CgPoint>";
    const auto r = LoadLandXMLText(dir, WrapLandXML(body + "</CgPoints>"));
    ASSERT_TRUE(r.loaded) << r.error;
    check(*r.document);

    CLandXML grown;
    for (const std::string& name : names) {
        CLandXMLCgPoint* point = grown.NewCgPoint();
        point->SetNameKnownFree(name);
        grown.AddNamedCgPoint(point->GetName(), point);
    }
    check(grown);
}

TEST(LandXMLDocument, FindCgPointReadsOnDemandFromGroupsOnly)
{
    TempDir dir;
    const auto r = LoadLandXMLText(
        dir, WrapLandXML("<Survey><CgPoints><CgPoint name=\"S\">1 2</CgPoint></CgPoints></Survey>"
                         "<CgPoints><CgPoints><CgPoint name=\"deep\">5 6</CgPoint></CgPoints></CgPoints>"),
        [](CLandXML& d) { d.SetReadCgPoints(false); });
    ASSERT_TRUE(r.loaded) << r.error;
    CLandXMLCgPoint* deep = r.document->FindCgPoint("deep", true);
    ASSERT_NE(deep, nullptr);
    double x, y, z;
    ASSERT_TRUE(deep->GetCoordinates(x, y, z, 1.0));
    EXPECT_EQ(y, 5.0);
    EXPECT_EQ(r.document->FindCgPoint("deep", false), deep);
    // A point under Survey is not among the groups the search looks at.
    EXPECT_EQ(r.document->FindCgPoint("S", true), nullptr);
}

TEST(LandXMLDocument, NestingDepthIsLimited)
{
    TempDir dir;
    auto nested = [](const char* tag, const char* attributes, int depth, const std::string& inner) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += std::string("<") + tag + attributes + ">";
        text += inner;
        for (int i = 0; i < depth; ++i)
            text += std::string("</") + tag + ">";
        return text;
    };
    const auto ok = LoadLandXMLText(dir, WrapLandXML(nested("CgPoints", "", 200, "<CgPoint name=\"1\">1 2</CgPoint>")));
    EXPECT_TRUE(ok.loaded) << ok.error;

    const auto groups = LoadLandXMLText(dir, WrapLandXML(nested("CgPoints", "", 100000, "")));
    EXPECT_EQ(groups.error, "'CgPoints' elements are nested deeper than 256 levels.");

    const auto features =
        LoadLandXMLText(dir, WrapLandXML("<CgPoints>" + nested("Feature", " code=\"c\"", 100000, "") + "</CgPoints>"));
    EXPECT_EQ(features.error, "'Feature' elements are nested deeper than 256 levels.");
}

} // namespace

namespace {

TEST(LandXMLDocument, LoadingAgainStartsAfresh)
{
    morvel::test::TempDir dir;
    const std::string first = dir.file("first.xml");
    const std::string second = dir.file("second.xml");
    morvel::test::WriteAllText(first, morvel::test::WrapLandXML("<CgPoints><CgPoint name=\"A\">1 2</CgPoint></CgPoints>"));
    morvel::test::WriteAllText(second, morvel::test::WrapLandXML("<CgPoints><CgPoint name=\"B\">3 4</CgPoint></CgPoints>"));
    CLandXML document;
    std::string note;
    ASSERT_TRUE(document.LoadFile(first, note));
    ASSERT_TRUE(document.LoadFile(second, note));
    EXPECT_EQ(document.FindCgPoint("A", false), nullptr);
    ASSERT_NE(document.FindCgPoint("B", false), nullptr);
    EXPECT_EQ(document.FindCgPoint("B", false)->GetDesc(), "");
    EXPECT_EQ(document.GetNamedCgPointCount(), 1);
}

} // namespace
