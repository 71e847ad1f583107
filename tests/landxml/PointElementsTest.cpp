#include "LandXMLTestUtil.h"
#include "core/NoValue.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "landxml/elements/LandXMLCgPoints.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <string>

namespace {

using morvel::test::LoadLandXMLText;
using morvel::test::TempDir;
using morvel::test::WrapLandXML;

TEST(LandXMLParseCoordinates, Table)
{
    struct Case
    {
        const char* text;
        bool ok;
        double x, y, z;
    };
    const Case cases[] = {
        {"5000.0 2000.0 100.5", true, 2000.0, 5000.0, 100.5},
        {"5000.0 2000.0", true, 2000.0, 5000.0, NoValue},
        {"5000.0", false, NoValue, NoValue, NoValue},
        {"1 2 3 4", false, NoValue, NoValue, NoValue},
        {"1 2 word", true, 2.0, 1.0, NoValue},
        {"1 2 3 word 4", true, 2.0, 1.0, 3.0},
        // Pretty-printed files: any run of white space separates.
        {"1  2", true, 2.0, 1.0, NoValue},
        {"\n\t 1\n\t\t2\r\n 3 ", true, 2.0, 1.0, 3.0},
        {"1,5 2", false, NoValue, NoValue, NoValue},
        {"", false, NoValue, NoValue, NoValue},
        {"nan 1", false, NoValue, NoValue, NoValue},
        {"1e999 1", false, NoValue, NoValue, NoValue},
        // Plain words and the forms around them: signs, exponents, bare points, blanks the
        // number rule skips, words too long to take on sight, a second point.
        {"-12.5 007.250 1e2", true, 7.25, -12.5, 100.0},
        {"+1 -.5 5.", true, -0.5, 1.0, 5.0},
        {"\v1 2", true, 2.0, 1.0, NoValue},
        {"123456789012345678901234567890 -0.000000000000000000000000001", true, -1e-27, 1.2345678901234568e29,
         NoValue},
        {"1.5.5 2", false, NoValue, NoValue, NoValue},
        {"1 2-", false, NoValue, NoValue, NoValue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double x = 0, y = 0, z = 0;
        EXPECT_EQ(CLandXMLPointType::ParseCoordinates(c.text, x, y, z), c.ok);
        if (c.ok) {
            EXPECT_EQ(x, c.x);
            EXPECT_EQ(y, c.y);
            EXPECT_EQ(z, c.z);
        }
    }
}

// Coordinate words read by one division must give the very double the full reader gives: the
// words at the edges of that reading (2^53 digits, 22 fraction digits, 19 and 20 digits, where
// the gathered integer wraps) and a few that round awkwardly.
TEST(LandXMLParseCoordinates, PlainWordsMatchTheFullReader)
{
    const char* words[] = {"0.1", "0.3", "-0", "-0.0", "2.675", "1234567.8915", "9007199254740992",
                           "9007199254740993", "900719925474099.3", "90071992547409.95", "0.0000000000000000000001",
                           "0.00000000000000000000001", "4.9406564584124654", "9999999999999999999",
                           "18446744073709551617", "1844674407370955161.7", "-123456.7890123456789"};
    for (const char* word : words) {
        SCOPED_TRACE(word);
        const std::string text = std::string(word) + " " + word;
        double expected = 0;
        std::from_chars(word, word + std::strlen(word), expected);
        double x = 0, y = 0, z = 0;
        ASSERT_TRUE(CLandXMLPointType::ParseCoordinates(text, x, y, z));
        EXPECT_EQ(std::memcmp(&y, &expected, sizeof expected), 0) << y << " vs " << expected;
        EXPECT_EQ(std::memcmp(&x, &expected, sizeof expected), 0);
    }
}

struct Coordinates
{
    double x = 0, y = 0, z = 0;
};

Coordinates CoordinatesOf(const CLandXMLCgPoint* point, double scale = 1.0)
{
    Coordinates c;
    EXPECT_NE(point, nullptr);
    if (point != nullptr) {
        EXPECT_TRUE(point->GetCoordinates(c.x, c.y, c.z, scale));
    }
    return c;
}

// The attributes are found in one walk: in any order, the first of a repeated name counting, as a
// search for each would find them.
TEST(LandXMLCgPoint, AttributesInAnyOrder)
{
    TempDir dir;
    const auto r = LoadLandXMLText(dir, WrapLandXML(R"(<CgPoints>
        <CgPoint code="K" desc="D" pntSurv="sideShot" name="A" nam="x" pntRe="B" descr="y">1 2</CgPoint>
        <CgPoint name="B" desc="first" desc="second" pntRef="A" pntRef="C" code=""/>
        <CgPoint name="C">5 6</CgPoint>
      </CgPoints>)"));
    ASSERT_TRUE(r.loaded) << r.error;
    const CLandXMLCgPoint* a = r.document->FindCgPoint("A", false);
    const CLandXMLCgPoint* b = r.document->FindCgPoint("B", false);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->GetPntSurv(), CLandXMLCgPoint::kSurveySideShot);
    EXPECT_STREQ(a->GetDescText(), "D");
    EXPECT_STREQ(a->GetCodeText(), "K");
    EXPECT_EQ(a->GetReference(), nullptr);
    EXPECT_EQ(b->GetDesc(), "first");
    EXPECT_STREQ(b->GetDescText(), "first");
    EXPECT_STREQ(b->GetCodeText(), "");
    EXPECT_EQ(b->GetReference(), a);
    CLandXMLCgPoint unbound;
    EXPECT_STREQ(unbound.GetDescText(), "");
}

// Its group reads a plain point in one pass; what it leaves must be what the full reading of the
// same element leaves, for every form a plain point may take.
TEST(LandXMLCgPoint, GroupReadingMatchesTheFullReading)
{
    const char* points[] = {
        R"(<CgPoint name="P1" desc="D" code="K" pntSurv="monument">10.5 20.25 3</CgPoint>)",
        R"(<CgPoint pntSurv="control" name="P2">1 2</CgPoint>)",
        R"(<CgPoint name="P3" pntSurv="sideShot" pntRef="" desc="">-0 1e2</CgPoint>)",
        R"(<CgPoint name="P4" pntSurv="">1 <!-- split --> 2 <![CDATA[3]]></CgPoint>)",
        R"(<CgPoint name="A name longer than a short string">7 8 9<Extra/>10</CgPoint>)",
        R"(<CgPoint name="P6" code="c" code="second">
             5000.125   2000.5
           </CgPoint>)",
    };
    TempDir dir;
    std::string body = "<CgPoints>";
    for (const char* point : points)
        body += point;
    const auto r = LoadLandXMLText(dir, WrapLandXML(body + "</CgPoints>"));
    ASSERT_TRUE(r.loaded) << r.error;
    const auto& read = r.document->GetCgPointsGroups().at(0)->GetPoints();
    ASSERT_EQ(read.size(), std::size(points));
    for (const CLandXMLCgPoint* point : read) {
        SCOPED_TRACE(point->GetName());
        CLandXMLCgPoint full;
        ASSERT_TRUE(full.Read(point->GetElement(), nullptr));
        EXPECT_EQ(point->GetName(), full.GetName());
        EXPECT_EQ(r.document->FindCgPoint(full.GetName(), false), point);
        const Coordinates a = CoordinatesOf(point), b = CoordinatesOf(&full);
        EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
        EXPECT_EQ(point->GetPntSurv(), full.GetPntSurv());
        EXPECT_STREQ(point->GetDescText(), full.GetDescText());
        EXPECT_STREQ(point->GetCodeText(), full.GetCodeText());
        EXPECT_EQ(point->GetReference(), nullptr);
        EXPECT_EQ(point->GetDocument(), r.document.get());
        // The child cursor starts at the first child, as after a load.
        CLandXMLCgPoint& bound = const_cast<CLandXMLCgPoint&>(*point);
        pugi::xml_node child, fullChild;
        for (int pass = 0; pass < 2; ++pass) {
            const bool more = bound.GetNextChildElement(child);
            EXPECT_EQ(more, full.GetNextChildElement(fullChild));
            EXPECT_EQ(child, fullChild);
        }
    }
}

TEST(LandXMLCgPoint, ReferencesAndOwnCoordinates)
{
    TempDir dir;
    const auto r = LoadLandXMLText(dir, WrapLandXML(R"(<CgPoints>
        <CgPoint name="R" pntRef="12"/>
        <CgPoint name="same" pntRef=" 12 ">100.00005 200 10</CgPoint>
        <CgPoint name="differs" pntRef="12">100.1 200 10</CgPoint>
        <CgPoint name="flat" pntRef="12">100 200</CgPoint>
        <CgPoint name="12" pntSurv="control" desc="IP" code="C1">100 200 10</CgPoint>
        <CgPoint name="chain" pntRef="R"/>
        <CgPoint name="two">1 2</CgPoint>
        <CgPoint name="flatref" pntRef="two"/>
        <CgPoint name="deep">5 6 -3</CgPoint>
        <CgPoint name="low" pntRef="deep">5 6 -2.5</CgPoint>
        <CgPoint name="level" pntRef="deep">5 6 -3</CgPoint>
      </CgPoints>)"));
    ASSERT_TRUE(r.loaded) << r.error;
    CLandXML& doc = *r.document;

    const CLandXMLCgPoint* target = doc.FindCgPoint("12", false);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->GetPntSurv(), CLandXMLCgPoint::kSurveyControl);
    EXPECT_EQ(target->GetDesc(), "IP");
    EXPECT_EQ(target->GetCode(), "C1");
    EXPECT_FALSE(target->HasValidReference());

    const CLandXMLCgPoint* ref = doc.FindCgPoint("R", false);
    const Coordinates c = CoordinatesOf(ref, 0.3048);
    EXPECT_DOUBLE_EQ(c.x, 200 * 0.3048);
    EXPECT_DOUBLE_EQ(c.y, 100 * 0.3048);
    EXPECT_DOUBLE_EQ(c.z, 10 * 0.3048);
    EXPECT_EQ(ref->GetReference(), target);
    EXPECT_TRUE(ref->HasValidReference());
    EXPECT_EQ(ref->GetPntRef(), "12");

    // Own coordinates within 0.0001 keep the reference; differing ones stand alone.
    EXPECT_EQ(doc.FindCgPoint("same", false)->GetReference(), target);
    EXPECT_DOUBLE_EQ(CoordinatesOf(doc.FindCgPoint("same", false)).y, 100.00005);
    EXPECT_EQ(doc.FindCgPoint("differs", false)->GetReference(), nullptr);
    EXPECT_DOUBLE_EQ(CoordinatesOf(doc.FindCgPoint("differs", false)).y, 100.1);
    // One elevation present, the other absent, or both below zero and unlike: no reference. Alike
    // below zero, they keep it.
    EXPECT_EQ(doc.FindCgPoint("flat", false)->GetReference(), nullptr);
    EXPECT_EQ(doc.FindCgPoint("low", false)->GetReference(), nullptr);
    EXPECT_EQ(doc.FindCgPoint("level", false)->GetReference(), doc.FindCgPoint("deep", false));

    // A chain keeps the resolved values at every link.
    const CLandXMLCgPoint* chain = doc.FindCgPoint("chain", false);
    EXPECT_DOUBLE_EQ(CoordinatesOf(chain).x, 200.0);
    double x, y, z;
    ASSERT_TRUE(chain->GetReferencedCoordinates(x, y, z, 1.0));
    EXPECT_DOUBLE_EQ(x, 200.0);
    // Without elevation, none is scaled into being.
    const Coordinates flat = CoordinatesOf(doc.FindCgPoint("flatref", false), 2.0);
    EXPECT_EQ(flat.z, NoValue);
    EXPECT_EQ(flat.x, 4.0);

    // The point read early through the reference is the one its group lists; not read twice.
    const auto& points = doc.GetCgPointsGroups().front()->GetPoints();
    ASSERT_EQ(points.size(), 11u);
    EXPECT_EQ(points[4], target);
    EXPECT_EQ(doc.GetNamedCgPointCount(), 11);
}

TEST(LandXMLCgPoint, Refusals)
{
    TempDir dir;
    struct Case
    {
        const char* name;
        const char* body;
        const char* message;
    };
    const Case cases[] = {
        {"missing reference", R"(<CgPoint name="A" pntRef="B"/>)", "Point B does not exist."},
        {"reference outside the groups",
         R"(<CgPoint name="A" pntRef="B"/></CgPoints><Other><CgPoint name="B">1 2</CgPoint></Other><CgPoints>)",
         "Point B does not exist."},
        {"expression in a name", R"(<CgPoint name="A" pntRef='X"]|//*[@name="Y'/><CgPoint name="Y">1 2</CgPoint>)",
         "Point X\"]|//*[@name=\"Y does not exist."},
        {"self reference", R"(<CgPoint name="A" pntRef="A"/>)", "The 'pntRef' references of point A form a cycle."},
        {"two-point cycle", R"(<CgPoint name="A" pntRef="B"/><CgPoint name="B" pntRef="A"/>)",
         "The 'pntRef' references of point A form a cycle."},
        {"no coordinates", R"(<CgPoint name="A">1</CgPoint>)",
         "Point A contains neither valid coordinates nor a 'pntRef'."},
        {"unnamed without coordinates", R"(<CgPoint/>)",
         "'CgPoint' element contains neither valid coordinates nor a 'pntRef'."},
        {"four numbers", R"(<CgPoint name="A">1 2 3 4</CgPoint>)",
         "Point A contains neither valid coordinates nor a 'pntRef'."},
        {"duplicate name", R"(<CgPoint name="A">1 2</CgPoint><CgPoint name="A">3 4</CgPoint>)",
         "Two or more 'CgPoint' objects are using the same name A."},
        {"duplicate in another group",
         R"(<CgPoint name="A">1 2</CgPoint></CgPoints><CgPoints><CgPoint name="A">3 4</CgPoint>)",
         "Two or more 'CgPoint' objects are using the same name A."},
        {"pntSurv capital", R"(<CgPoint name="A" pntSurv="Control">1 2</CgPoint>)",
         "Fail to validate 'CgPoint' element"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = LoadLandXMLText(dir, WrapLandXML(std::string("<CgPoints>") + c.body + "</CgPoints>"));
        EXPECT_TRUE(r.threw);
        EXPECT_EQ(r.error, c.message);
    }
}

TEST(LandXMLCgPoint, ForwardReferenceToAPointWithoutCoordinatesIsRefused)
{
    TempDir dir;
    const auto r = LoadLandXMLText(
        dir, WrapLandXML(R"(<CgPoints><CgPoint name="A" pntRef="B"/><CgPoint name="B"/></CgPoints>)"));
    EXPECT_EQ(r.error, "Point B contains neither valid coordinates nor a 'pntRef'.");
}

TEST(LandXMLCgPoint, NamesWithQuotesAreFoundLiterally)
{
    TempDir dir;
    const auto r = LoadLandXMLText(dir, WrapLandXML(R"(<CgPoints>
        <CgPoint name="q1" pntRef='a"b'/><CgPoint name="q2" pntRef="c'd"/>
        <CgPoint name='a"b'>1 2</CgPoint><CgPoint name="c'd">3 4</CgPoint></CgPoints>)"));
    ASSERT_TRUE(r.loaded) << r.error;
    EXPECT_EQ(CoordinatesOf(r.document->FindCgPoint("q1", false)).y, 1.0);
    EXPECT_EQ(CoordinatesOf(r.document->FindCgPoint("q2", false)).y, 3.0);
}

TEST(LandXMLCgPoint, LongChainsStopAtTheLimitWithoutOverflow)
{
    TempDir dir;
    auto chain = [](int length) {
        std::string body = "<CgPoints>";
        for (int i = 0; i < length; ++i)
            body += "<CgPoint name=\"P" + std::to_string(i) + "\" pntRef=\"P" + std::to_string(i + 1) + "\"/>";
        body += "<CgPoint name=\"P" + std::to_string(length) + "\">1 2 3</CgPoint></CgPoints>";
        return WrapLandXML(body);
    };
    const auto shortChain = LoadLandXMLText(dir, chain(200));
    ASSERT_TRUE(shortChain.loaded) << shortChain.error;
    EXPECT_EQ(CoordinatesOf(shortChain.document->FindCgPoint("P0", false)).z, 3.0);

    const auto longChain = LoadLandXMLText(dir, chain(100000));
    EXPECT_TRUE(longChain.threw);
    EXPECT_NE(longChain.error.find("nested deeper than 256 levels"), std::string::npos) << longChain.error;

    // Backward references link any number of points without nesting.
    std::string body = "<CgPoints><CgPoint name=\"P0\">1 2 3</CgPoint>";
    for (int i = 1; i < 100000; ++i)
        body += "<CgPoint name=\"P" + std::to_string(i) + "\" pntRef=\"P" + std::to_string(i - 1) + "\"/>";
    const auto backward = LoadLandXMLText(dir, WrapLandXML(body + "</CgPoints>"));
    ASSERT_TRUE(backward.loaded) << backward.error;
    const CLandXMLCgPoint* last = backward.document->FindCgPoint("P99999", false);
    EXPECT_EQ(CoordinatesOf(last).z, 3.0);
    EXPECT_TRUE(last->HasValidReference());
}

} // namespace
