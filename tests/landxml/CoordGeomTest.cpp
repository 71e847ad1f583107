#include "LandXMLTestUtil.h"
#include "core/NoValue.h"
#include "landxml/elements/LandXMLAlignments.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "landxml/elements/LandXMLCoordGeom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

using morvel::test::LoadLandXMLText;
using morvel::test::LoadResult;
using morvel::test::TempDir;
using morvel::test::WrapLandXML;

// A document with one alignment around the given CoordGeom content, after the given points.
std::string AlignmentDocument(const std::string& coordGeom, const std::string& points = "")
{
    return WrapLandXML("<CgPoints>" + points + "</CgPoints><Alignments><Alignment name=\"a\" length=\"1\" staStart=\"0\">"
                       "<CoordGeom>" + coordGeom + "</CoordGeom></Alignment></Alignments>");
}

const CLandXMLCoordGeom& GeometryOf(const LoadResult& r)
{
    return r.document->GetAlignmentContainers().at(0)->GetAlignments().at(0)->GetCoordGeom();
}

TEST(LandXMLCoordGeom, RefusalMessages)
{
    TempDir dir;
    const std::string spiralAttributes = R"(length="100" radiusStart="INF" radiusEnd="500" rot="cw")";
    struct Case
    {
        const char* name;
        std::string coordGeom;
        const char* message;
    };
    const Case cases[] = {
        {"gap", "<Line><Start>0 0</Start><End>0 10</End></Line><Line><Start>0 10.0002</Start><End>5 5</End></Line>",
         "The segments defined in 'CoordGeom' element are discontinuous."},
        {"features only", R"(<Feature code="c"/>)", "'CoordGeom' is empty."},
        {"two of four", R"(<Curve rot="cw"><Start>0 1</Start><Center>0 0</Center></Curve>)",
         "Fail to validate element 'Curve'."},
        {"three written, two readable", R"(<Curve rot="cw"><Start>0 1</Start><Center>0 0</Center><End>1</End></Curve>)",
         "Fail to validate element 'Curve'."},
        {"no rotation", R"(<Curve><Start>0 1</Start><Center>0 0</Center><End>1 0</End></Curve>)",
         "Fail to validate 'Curve' element"},
        {"rotation in capitals", R"(<Curve rot="CW"><Start>0 1</Start><Center>0 0</Center><End>1 0</End></Curve>)",
         "Fail to validate 'Curve' element"},
        {"line without start", "<Line><End>0 10</End></Line>", "Line contains no valid 'Start' element."},
        {"line with unreadable end", "<Line><Start>0 0</Start><End>x</End></Line>", "Line contains no valid 'End' element."},
        {"spiral without PI", "<Spiral " + spiralAttributes + R"( spiType="clothoid"><Start>0 0</Start><End>1 1</End></Spiral>)",
         "'Spiral' contains no valid 'PI' element."},
        {"spiral type in capitals", "<Spiral " + spiralAttributes + R"( spiType="Clothoid"/>)", "Fail to validate 'Spiral' element"},
        {"spiral radius 0", R"(<Spiral length="100" radiusStart="INF" radiusEnd="0" rot="cw" spiType="clothoid"/>)",
         "Fail to validate 'Spiral' element"},
        {"spiral radius inf", R"(<Spiral length="100" radiusStart="inf" radiusEnd="5" rot="cw" spiType="clothoid"/>)",
         "Fail to validate 'Spiral' element"},
        {"spiral length words", R"(<Spiral length="abc def" radiusStart="INF" radiusEnd="5" rot="cw" spiType="clothoid"/>)",
         "Fail to validate 'Spiral' element"},
        {"spiral without type", R"(<Spiral length="1" radiusStart="INF" radiusEnd="5" rot="cw"/>)",
         "Fail to validate 'Spiral' element"},
        {"polyline without list", "<IrregularLine><Start>0 0</Start><End>1 1</End></IrregularLine>",
         "'IrregularLine' contains no valid 'PntList2D' or 'PntList3D' element."},
        {"chain of an unknown point", "<Chain>P1 P9</Chain>", "Fail to validate 'Chain' element"},
        {"chain naming by expression", R"(<Chain>x"]|//*[@name="P2</Chain>)", "Fail to validate 'Chain' element"},
        {"start by unknown reference", R"(<Line><Start pntRef="nope"/><End>1 1</End></Line>)", "Point nope does not exist."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = LoadLandXMLText(
            dir, AlignmentDocument(c.coordGeom, R"(<CgPoint name="P1">0 0</CgPoint><CgPoint name="P2">1 1</CgPoint>)"));
        EXPECT_TRUE(r.threw);
        EXPECT_EQ(r.error, c.message);
    }
}

TEST(LandXMLCoordGeom, ContinuityTolerance)
{
    TempDir dir;
    struct Case
    {
        const char* second;
        bool ok;
    };
    const Case cases[] = {
        {"<Start>10.00005 20 5</Start><End>0 0</End>", true},
        {"<Start>10 20.0002</Start><End>0 0</End>", false},
        {"<Start>10 20 99</Start><End>0 0</End>", true}, // a difference in elevation alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second);
        const auto r = LoadLandXMLText(
            dir, AlignmentDocument(std::string("<Line><Start>0 0</Start><End>10 20 1</End></Line><Line>") + c.second + "</Line>"));
        EXPECT_EQ(r.loaded, c.ok) << r.error;
    }
}

TEST(LandXMLCoordGeom, CurveConstructionsDirectlyAndThroughContinuity)
{
    TempDir dir;
    // A cw quarter circle of radius 10 about N 0 E 0 from N 10 E 0 to N 0 E 10 (PI at N 10 E 10),
    // given without its end; the line that follows starts at the computed end.
    const auto r = LoadLandXMLText(dir, AlignmentDocument(R"(
        <Curve rot="cw"><Start>10 0</Start><Center>0 0</Center><PI>10 10</PI></Curve>
        <Line><Start>0 10</Start><End>-5 10</End></Line>
        <Curve rot="ccw"><Start>-5 10</Start><End>-5 30</End><Center>-5 20</Center></Curve>
        <Curve rot="cw"><PI>-15 30</PI><End>-15 20</End><Center>-5 20</Center></Curve>)"));
    ASSERT_TRUE(r.loaded) << r.error;
    const auto& components = GeometryOf(r).GetComponents();
    ASSERT_EQ(components.size(), 4u);

    const auto& first = static_cast<const CLandXMLCoordGeomCurve&>(*components[0]);
    double x, y, z;
    ASSERT_TRUE(first.GetEnd(x, y, z, 1.0));
    EXPECT_NEAR(x, 10.0, 1e-9);
    EXPECT_NEAR(y, 0.0, 1e-9);
    EXPECT_EQ(z, NoValue);
    bool ccw = true;
    double angle = 0, radius = 0;
    ASSERT_TRUE(first.GetCurveParameters(ccw, angle, radius, 2.0));
    EXPECT_FALSE(ccw);
    EXPECT_NEAR(angle, std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(radius, 20.0, 1e-9);

    // Written Start, End and Center of a half circle: its tangents never meet, so there is no PI.
    const auto& third = static_cast<const CLandXMLCoordGeomCurve&>(*components[2]);
    EXPECT_FALSE(third.GetPI(x, y, z, 1.0));
    ASSERT_TRUE(third.GetCurveParameters(ccw, angle, radius, 1.0));
    EXPECT_NEAR(angle, std::numbers::pi, 1e-9);

    // The start built as the mirror image of the end in the line Center-PI.
    const auto& fourth = static_cast<const CLandXMLCoordGeomCurve&>(*components[3]);
    ASSERT_TRUE(fourth.GetStart(x, y, z, 1.0));
    EXPECT_NEAR(x, 30.0, 1e-9);
    EXPECT_NEAR(y, -5.0, 1e-9);
    ASSERT_TRUE(fourth.GetCurveParameters(ccw, angle, radius, 1.0));
    EXPECT_NEAR(angle, std::numbers::pi / 2, 1e-9);
}

TEST(LandXMLCoordGeom, CurveFromAnyThreeOfItsPoints)
{
    TempDir dir;
    // A quarter circle of radius 50 about N 100 E 200, from N 130 E 240 to N 60 E 230 with its PI
    // at N 90 E 270: no two coordinates alike, so a swapped pair or a wrong construction shows. A
    // written start keeps its elevation; a computed point has none.
    using Getter = bool (CLandXMLCoordGeomCurve::*)(double&, double&, double&, double) const;
    struct Known
    {
        const char* tag;
        const char* text;
        Getter get;
        double x, y, z;
    };
    const Known known[] = {{"Start", "130 240 5.5", &CLandXMLCoordGeomCurve::GetStart, 240, 130, 11},
                           {"End", "60 230", &CLandXMLCoordGeomCurve::GetEnd, 230, 60, NoValue},
                           {"Center", "100 200", &CLandXMLCoordGeomCurve::GetCenter, 200, 100, NoValue},
                           {"PI", "90 270", &CLandXMLCoordGeomCurve::GetPI, 270, 90, NoValue}};
    for (const Known& left : known) {
        for (const std::string rot : {"cw", "ccw"}) {
            SCOPED_TRACE(std::string("without ") + left.tag + ", " + rot);
            std::string curve = "<Curve rot=\"" + rot + "\">";
            for (const Known& k : known)
                if (&k != &left)
                    curve += std::string("<") + k.tag + ">" + k.text + "</" + k.tag + ">";
            const auto r = LoadLandXMLText(dir, AlignmentDocument(curve + "</Curve>"));
            ASSERT_TRUE(r.loaded) << r.error;
            const auto& arc = static_cast<const CLandXMLCoordGeomCurve&>(*GeometryOf(r).GetComponents().at(0));
            for (const Known& k : known) {
                double x = 0, y = 0, z = 0;
                ASSERT_TRUE((arc.*k.get)(x, y, z, 2.0)) << k.tag;
                EXPECT_NEAR(x, 2 * k.x, 1e-9) << k.tag;
                EXPECT_NEAR(y, 2 * k.y, 1e-9) << k.tag;
                EXPECT_EQ(z, &k == &left ? NoValue : k.z) << k.tag;
            }
            bool ccw = rot != "ccw";
            double angle = 0, radius = 0;
            ASSERT_TRUE(arc.GetCurveParameters(ccw, angle, radius, 2.0));
            EXPECT_EQ(ccw, rot == "ccw");
            EXPECT_NEAR(angle, ccw ? 3 * std::numbers::pi / 2 : std::numbers::pi / 2, 1e-12);
            EXPECT_NEAR(radius, 100.0, 1e-9);
        }
    }

    // Ends at radii that differ: no PI, no parameters; the alignment still reads.
    const auto r = LoadLandXMLText(
        dir, AlignmentDocument("<Curve rot=\"cw\"><Center>0 0</Center><Start>1 0</Start><End>0 1.0002</End></Curve>"));
    ASSERT_TRUE(r.loaded) << r.error;
    const auto& curve = static_cast<const CLandXMLCoordGeomCurve&>(*GeometryOf(r).GetComponents().at(0));
    double x, y, z, angle, radius;
    bool ccw;
    EXPECT_FALSE(curve.GetPI(x, y, z, 1.0));
    EXPECT_FALSE(curve.GetCurveParameters(ccw, angle, radius, 1.0));
}

TEST(LandXMLCoordGeom, UnknownStartSkipsTheContinuityCheck)
{
    TempDir dir;
    // The second curve's start cannot be built (its end's tangent is not perpendicular), so it is
    // not compared; the line after it is compared with the curve's written end.
    const auto r = LoadLandXMLText(dir, AlignmentDocument(R"(
        <Line><Start>0 0</Start><End>0 10</End></Line>
        <Curve rot="cw"><PI>50 50</PI><End>0 20</End><Center>5 20</Center></Curve>
        <Line><Start>0 20</Start><End>0 30</End></Line>
        <Chain/>
        <Line><Start>99 99</Start><End>0 30</End></Line>)"));
    EXPECT_TRUE(r.loaded) << r.error;
}

TEST(LandXMLCoordGeom, ChainsAndPointReferences)
{
    TempDir dir;
    const auto r = LoadLandXMLText(dir, AlignmentDocument(R"(
        <Line><Start pntRef="a&quot;b"/><End pntRef="c'd"/></Line>
        <Chain>  c'd   P3
           P4 </Chain>
        <IrregularLine><Start>20 21</Start><End>1 1</End><PntList3D>20 20 1  5 5 2
          1 1 3</PntList3D></IrregularLine>)",
                                                          R"(<CgPoint name='a"b'>0 0</CgPoint><CgPoint name="c'd">10 11</CgPoint>
        <CgPoint name="P3">15 16</CgPoint><CgPoint name="P4">20 21</CgPoint>)"));
    ASSERT_TRUE(r.loaded) << r.error;
    const CLandXMLCoordGeom& geometry = GeometryOf(r);
    ASSERT_EQ(geometry.GetComponents().size(), 3u);
    EXPECT_TRUE(geometry.GetComponents()[0]->IsDefinedByPointRefs());
    EXPECT_FALSE(geometry.GetComponents()[2]->IsDefinedByPointRefs());
    EXPECT_FALSE(geometry.AreAllDefinedByPointRefs());

    auto& chain = static_cast<CLandXMLCoordGeomChain&>(*geometry.GetComponents()[1]);
    EXPECT_TRUE(chain.IsDefinedByPointRefs());
    double x, y, z;
    ASSERT_TRUE(chain.GetStart(x, y, z, 2.0));
    EXPECT_EQ(y, 20.0);
    EXPECT_EQ(x, 22.0);
    ASSERT_TRUE(chain.GetEnd(x, y, z, 1.0));
    EXPECT_EQ(y, 20.0);
    EXPECT_EQ(x, 21.0);
    std::string walked;
    while (CLandXMLCgPoint* point = chain.GetNextChainPoint())
        walked += point->GetName() + ";";
    EXPECT_EQ(walked, "c'd;P3;P4;");
    chain.RewindChain();
    ASSERT_NE(chain.GetNextChainPoint(), nullptr);

    auto& polyline = static_cast<CLandXMLCoordGeomIrreLine&>(*geometry.GetComponents()[2]);
    CLandXMLPnt2DList* list = polyline.GetPointList();
    ASSERT_NE(list, nullptr);
    int count = 0;
    while (list->GetNextPoint(x, y, z, 2.0))
        ++count;
    EXPECT_EQ(count, 3);
    EXPECT_EQ(z, 6.0) << "the last point read, scaled";
    ASSERT_TRUE(list->GetLastPoint(x, y, z, 2.0));
    EXPECT_EQ(z, 6.0);
    ASSERT_TRUE(list->GetFirstPoint(x, y, z, 1.0));
    EXPECT_EQ(x, 20.0);

    // A line defined by references whose own text differs from the point is not.
    const auto own = LoadLandXMLText(dir, AlignmentDocument(R"(<Line><Start pntRef="P1">0 0</Start><End pntRef="P2"/></Line>)",
                                                            R"(<CgPoint name="P1">0 0</CgPoint><CgPoint name="P2">0 5</CgPoint>)"));
    ASSERT_TRUE(own.loaded) << own.error;
    EXPECT_TRUE(GeometryOf(own).AreAllDefinedByPointRefs());
    const auto differs = LoadLandXMLText(dir, AlignmentDocument(R"(<Line><Start pntRef="P1">0 1</Start><End pntRef="P2"/></Line>)",
                                                                R"(<CgPoint name="P1">0 0</CgPoint><CgPoint name="P2">0 5</CgPoint>)"));
    ASSERT_TRUE(differs.loaded) << differs.error;
    EXPECT_FALSE(GeometryOf(differs).AreAllDefinedByPointRefs());
}

TEST(LandXMLPointList, OddCountsAndBrokenTuples)
{
    pugi::xml_document dom;
    ASSERT_TRUE(dom.load_string("<R><PntList2D>1 2 3 4 5</PntList2D><PntList2D>1 2 x</PntList2D><PntList2D/></R>"));
    pugi::xml_node node = dom.document_element().first_child();
    CLandXMLPnt2DList odd;
    ASSERT_TRUE(odd.Read(node, nullptr));
    double x, y, z;
    int pairs = 0;
    while (odd.GetNextPoint(x, y, z, 1.0))
        ++pairs;
    EXPECT_EQ(pairs, 2);
    EXPECT_EQ(z, NoValue);
    EXPECT_FALSE(odd.GetLastPoint(x, y, z, 1.0));

    CLandXMLPnt2DList word;
    ASSERT_TRUE(word.Read(node.next_sibling(), nullptr));
    ASSERT_TRUE(word.GetLastPoint(x, y, z, 1.0));
    EXPECT_EQ(y, 2.0);

    CLandXMLPnt2DList empty;
    ASSERT_TRUE(empty.Read(node.next_sibling().next_sibling(), nullptr));
    EXPECT_FALSE(empty.GetFirstPoint(x, y, z, 1.0));
    EXPECT_FALSE(empty.GetLastPoint(x, y, z, 1.0));
    EXPECT_FALSE(empty.GetNextPoint(x, y, z, 1.0));
}

} // namespace
