#include "LandXMLTestUtil.h"
#include "core/NoValue.h"
#include "landxml/elements/LandXMLAlignments.h"
#include "landxml/elements/LandXMLCrossSects.h"
#include "landxml/elements/LandXMLGradeModel.h"
#include "landxml/elements/LandXMLParcels.h"
#include "landxml/elements/LandXMLSurfaces.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using morvel::test::LoadLandXMLText;
using morvel::test::LoadResult;
using morvel::test::TempDir;
using morvel::test::WrapLandXML;

const char* const kGeometry = "<CoordGeom><Line><Start>0 0</Start><End>0 10</End></Line></CoordGeom>";

std::string Alignment(const std::string& name, const std::string& inner)
{
    return "<Alignment" + (name.empty() ? std::string() : " name=\"" + name + "\"") +
           " length=\"10\" staStart=\"0\">" + inner + "</Alignment>";
}

std::string ProfAlign(const std::string& inner)
{
    return Alignment("a", std::string(kGeometry) + "<Profile><ProfAlign name=\"p\">" + inner + "</ProfAlign></Profile>");
}

LoadResult LoadAll(const TempDir& dir, const std::string& body)
{
    return LoadLandXMLText(dir, WrapLandXML(body), [](CLandXML& d) {
        d.SetReadGradeModels(true);
        d.SetReadSurfaces(true);
    });
}

struct Case
{
    const char* name;
    std::string body;
    std::string message;
};

void ExpectRefusals(const Case* begin, const Case* end)
{
    TempDir dir;
    for (const Case* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->name);
        const auto r = LoadAll(dir, c->body);
        EXPECT_TRUE(r.threw);
        EXPECT_EQ(r.error, c->message);
    }
}

TEST(LandXMLAlignments, RefusalMessages)
{
    const Case cases[] = {
        {"same name", "<Alignments>" + Alignment("a1", kGeometry) + Alignment("a1", kGeometry) + "</Alignments>",
         "Two or more 'Alignment' are using the same name a1."},
        {"same name in another group, other case",
         "<Alignments>" + Alignment("Road", kGeometry) + "</Alignments><Alignments>" + Alignment("ROAD", kGeometry) +
             "</Alignments>",
         "Two or more 'Alignment' are using the same name ROAD."},
        {"no geometry", "<Alignments>" + Alignment("a", "") + "</Alignments>",
         "'Alignment' contains no 'CoordGeom' element."},
        {"profile first", "<Alignments>" + Alignment("a", "<Profile/>" + std::string(kGeometry)) + "</Alignments>",
         "'Alignment' contains no 'CoordGeom' element."},
        {"length not a number", "<Alignments><Alignment length=\"x\" staStart=\"0\"/></Alignments>",
         "Fail to validate 'Alignment' element"},
        {"first not PVI", "<Alignments>" + ProfAlign("<ParaCurve length=\"5\">1 2</ParaCurve><PVI>0 0</PVI>") + "</Alignments>",
         "First child element of 'ProfAlign' is not a 'PVI'."},
        {"feature first", "<Alignments>" + ProfAlign("<Feature/><PVI>0 0</PVI><PVI>1 1</PVI>") + "</Alignments>",
         "First child element of 'ProfAlign' is not a 'PVI'."},
        {"one PVI", "<Alignments>" + ProfAlign("<PVI>0 0</PVI>") + "</Alignments>",
         "'ProfAlign' has fewer than 2 child elements."},
        {"last not PVI",
         "<Alignments>" + ProfAlign("<PVI>0 0</PVI><ParaCurve length=\"5\">1 2</ParaCurve><Feature/>") + "</Alignments>",
         "Last child element of 'ProfAlign' is not a 'PVI'."},
        {"two blanks", "<Alignments>" + ProfAlign("<PVI>0  0</PVI><PVI>1 1</PVI>") + "</Alignments>",
         "'PVI' contains invalid station\\elevation data."},
        {"one number", "<Alignments>" + ProfAlign("<PVI>0 0</PVI><PVI>1</PVI>") + "</Alignments>",
         "'PVI' contains invalid station\\elevation data."},
        {"three numbers", "<Alignments>" + ProfAlign("<PVI>0 0 0</PVI><PVI>1 1</PVI>") + "</Alignments>",
         "'PVI' contains invalid station\\elevation data."},
        {"para curve of length 0", "<Alignments>" + ProfAlign("<PVI>0 0</PVI><ParaCurve length=\"0\">1 1</ParaCurve><PVI>2 2</PVI>") +
                                       "</Alignments>",
         "Fail to validate 'ParaCurve' element"},
        {"unsymmetric curve without lengthOut",
         "<Alignments>" + ProfAlign("<PVI>0 0</PVI><UnsymParaCurve lengthIn=\"1\">1 1</UnsymParaCurve><PVI>2 2</PVI>") +
             "</Alignments>",
         "Fail to validate 'UnsymParaCurve' element"},
        {"blank profile name",
         "<Alignments>" + Alignment("a", std::string(kGeometry) + "<Profile><ProfAlign name=\"  \"/></Profile>") + "</Alignments>",
         "Fail to validate 'ProfAlign' element"},
        {"cross section without station",
         "<Alignments>" + Alignment("a", std::string(kGeometry) + "<CrossSects><CrossSect/></CrossSects>") + "</Alignments>",
         "Fail to validate 'CrossSect' element"},
        {"cross section station a word",
         "<Alignments>" + Alignment("a", std::string(kGeometry) + "<CrossSects><CrossSect sta=\"x\"/></CrossSects>") +
             "</Alignments>",
         "Fail to validate 'CrossSect' element"},
        {"cross-section surface without name",
         "<Alignments>" + Alignment("a", std::string(kGeometry) + "<CrossSects><CrossSect sta=\"1\"><CrossSectSurf name=\"\"/>"
                                                                  "</CrossSect></CrossSects>") +
             "</Alignments>",
         "Fail to validate 'CrossSectSurf' element"},
    };
    ExpectRefusals(std::begin(cases), std::end(cases));
}

TEST(LandXMLAlignments, WhatIsAcceptedAndWhatPassesSilently)
{
    TempDir dir;
    std::string body = "<Alignments>";
    // Each non-clothoid spiral passes the alignment over unread, even an invalid one.
    for (const char* type : {"biquadratic", "bloss", "cosine", "cubic", "sinusoid", "revBiquadratic", "revBloss",
                             "revCosine", "revSinusoid"})
        body += Alignment(type, std::string("<CoordGeom><Line><Spiral spiType=\"") + type + "\"/></Line></CoordGeom>");
    body += Alignment("", kGeometry) + Alignment("", kGeometry);
    body += Alignment("withProfile", "<Start>0 0</Start>" + std::string(kGeometry) +
                                         "<Profile><ProfAlign name=\"p\"><PVI>0 0</PVI>"
                                         "<CircCurve length=\"5\" radius=\"100\">1 1</CircCurve><PVI>2 2</PVI></ProfAlign>"
                                         "<ProfAlign name=\"empty\"/><ProfSurf/></Profile><StaEquation/><CoordGeom/>"
                                         "<CrossSects><CrossSect sta=\"12.5 m\"><CrossSectSurf name=\"s\">"
                                         "<PntList2D>0 0 1 1</PntList2D>"
                                         "<KvlCrossSectSurfNodeNameList>outside</KvlCrossSectSurfNodeNameList>"
                                         "<Feature code=\"f1\"><KvlCrossSectSurfNodeNameList>A B</KvlCrossSectSurfNodeNameList></Feature>"
                                         "<Feature><KvlCrossSectSurfNodeNameList>C</KvlCrossSectSurfNodeNameList>"
                                         "<KvlCrossSectSurfNodeNameList>D</KvlCrossSectSurfNodeNameList></Feature>"
                                         "</CrossSectSurf></CrossSect></CrossSects>");
    body += Alignment("clothoid", "<CoordGeom><Spiral length=\"100\" radiusStart=\"INF\" radiusEnd=\"500\" rot=\"cw\" "
                                  "spiType=\"clothoid\"><Start>0 0</Start><End>1 1</End><PI>1 0</PI></Spiral></CoordGeom>");
    body += "</Alignments>";
    const auto r = LoadAll(dir, body);
    ASSERT_TRUE(r.loaded) << r.error;
    const auto& alignments = r.document->GetAlignmentContainers().at(0)->GetAlignments();
    ASSERT_EQ(alignments.size(), 4u);
    EXPECT_EQ(r.document->FindAlignment("cubic"), nullptr);
    EXPECT_EQ(r.document->FindAlignment("CLOTHOID"), alignments[3].get());

    const CLandXMLAlignment& withProfile = *alignments[2];
    EXPECT_TRUE(withProfile.GetStartPoint().IsBound());
    ASSERT_EQ(withProfile.GetProfiles().size(), 1u);
    // The empty vertical alignment is dropped; the circular curve is passed over.
    ASSERT_EQ(withProfile.GetProfiles()[0]->GetProfAligns().size(), 1u);
    EXPECT_EQ(withProfile.GetProfiles()[0]->GetProfAligns()[0]->GetComponents().size(), 2u);
    double station, elevation;
    ASSERT_TRUE(withProfile.GetProfiles()[0]->GetProfAligns()[0]->GetComponents()[1]->ReadStationElevation(station, elevation, 2.0));
    EXPECT_EQ(station, 4.0);

    const CLandXMLCrossSects& sects = *withProfile.GetCrossSects().at(0);
    EXPECT_EQ(sects.GetName(), "");
    EXPECT_EQ(sects.GetDesc(), "");
    const CLandXMLCrossSect& sect = *sects.GetCrossSections().at(0);
    EXPECT_EQ(sect.GetStation(), 12.5);
    const CLandXMLCrossSectSurf& surf = *sect.GetSurfaces().at(0);
    EXPECT_EQ(surf.GetPointLists().size(), 1u);
    ASSERT_EQ(surf.GetNodeNameLists().size(), 3u);
    EXPECT_EQ(surf.GetNodeNameLists()[0]->GetNodeNames(), "A B");
    EXPECT_EQ(surf.GetNodeNameLists()[2]->GetNodeNames(), "D");
}

TEST(LandXMLCrossSects, ResetLeavesNoNodeListBehind)
{
    pugi::xml_document dom;
    ASSERT_TRUE(dom.load_string("<CrossSectSurf name=\"s\"><Feature><KvlCrossSectSurfNodeNameList>A</KvlCrossSectSurfNodeNameList>"
                                "</Feature></CrossSectSurf>"));
    CLandXMLCrossSectSurf surf;
    ASSERT_TRUE(surf.Read(dom.document_element(), nullptr));
    ASSERT_EQ(surf.GetNodeNameLists().size(), 1u);
    surf.Reset();
    EXPECT_TRUE(surf.GetNodeNameLists().empty());
    EXPECT_TRUE(surf.GetFeatures().empty());
    // Reading again starts from nothing.
    ASSERT_TRUE(surf.Read(dom.document_element(), nullptr));
    EXPECT_EQ(surf.GetNodeNameLists().size(), 1u);
}

TEST(LandXMLParcels, NestingCountsAndRefusals)
{
    TempDir dir;
    const auto r = LoadAll(dir, R"(<Parcels>
        <Parcel name="A"><Center>5 5</Center><CoordGeom><Line><Start>0 0</Start><End>0 10</End></Line></CoordGeom>
          <Parcels><Parcel name="A1"/><Parcel name="A2"><Parcels><Parcel name="A21"/></Parcels></Parcel></Parcels></Parcel>
        <Parcel name="B"><Feature code="f"/><CoordGeom/></Parcel>
      </Parcels>)");
    ASSERT_TRUE(r.loaded) << r.error;
    const CLandXMLParcels& parcels = *r.document->GetParcelContainers().at(0);
    EXPECT_EQ(parcels.CountParcels(), 5);
    const CLandXMLParcel& a = *parcels.GetParcels()[0];
    EXPECT_TRUE(a.GetCenter().IsBound());
    EXPECT_EQ(a.GetCoordGeom().GetComponents().size(), 1u);
    // A CoordGeom after a Feature is not read, and gives no message.
    const CLandXMLParcel& b = *parcels.GetParcels()[1];
    EXPECT_FALSE(b.GetCoordGeom().IsBound());
    EXPECT_EQ(b.GetFeatures().size(), 1u);

    const Case cases[] = {
        {"blank name", "<Parcels><Parcel name=\" \"/></Parcels>", "Fail to validate 'Parcel' element"},
        {"centre without coordinates", "<Parcels><Parcel name=\" P7 \"><Center>east</Center></Parcel></Parcels>",
         "The 'Center' of parcel P7 has no valid coordinates."},
        {"deep nesting",
         [] {
             std::string text;
             for (int i = 0; i < 100000; ++i)
                 text += "<Parcels><Parcel name=\"p\">";
             for (int i = 0; i < 100000; ++i)
                 text += "</Parcel></Parcels>";
             return text;
         }(),
         "'Parcel' elements are nested deeper than 256 levels."},
    };
    ExpectRefusals(std::begin(cases), std::end(cases));
}

std::string Zone(const std::string& attributes)
{
    return "<GradeModel><GradeSurface alignmentRef=\"a\"><Zones side=\"left\"><Zone " + attributes +
           "/></Zones></GradeSurface></GradeModel>";
}

const char* const kZone =
    "staStart=\"0\" startWidth=\"3.5\" startVertValue=\"-0.02\" startVertType=\"slope\" category=\"road surface\"";

TEST(LandXMLGradeModel, ZonesAndRefusals)
{
    TempDir dir;
    const auto r = LoadAll(dir, "<GradeModel><GradeSurface alignmentRef=\"a\"><Start/><Zones side=\"both\">"
                                "<Zone " + std::string(kZone) + " priority=\"2.9\"><ZoneWidth staStart=\"0\" staEnd=\"5\" "
                                "startWidth=\"1\"/><ZoneSlope staStart=\"0\" staEnd=\"5\" endVertValue=\"1\" "
                                "endVertType=\"vertical distance\"/><ZoneHinge/></Zone>"
                                "<Zone staStart=\"0\" startWidth=\"1\" startVertValue=\"1\" startVertType=\"vertical distance\" "
                                "category=\"road curb-gutter\" priority=\"-2.9\" staEnd=\"40\"/></Zones></GradeSurface></GradeModel>");
    ASSERT_TRUE(r.loaded) << r.error;
    const CLandXMLGradeSurface& surface = *r.document->GetGradeModels().at(0)->GetGradeSurfaces().at(0);
    EXPECT_EQ(surface.GetAlignmentRef(), "a");
    const CLandXMLZones& zones = *surface.GetZones().at(0);
    EXPECT_EQ(zones.GetSide(), CLandXMLZones::kBoth);
    const CLandXMLZone& first = *zones.GetZones().at(0);
    EXPECT_EQ(first.priority, 2);
    EXPECT_EQ(first.staEnd, NoValue);
    EXPECT_TRUE(first.startValueIsSlope);
    EXPECT_EQ(first.startWidth, 3.5);
    EXPECT_FALSE(first.GetSlopes().at(0)->endValueIsSlope);
    EXPECT_EQ(first.GetWidths().at(0)->staEnd, 5.0);
    const CLandXMLZone& second = *zones.GetZones().at(1);
    EXPECT_EQ(second.priority, -2);
    EXPECT_EQ(second.staEnd, 40.0);
    EXPECT_EQ(second.category, "road curb-gutter");

    // Off by default: the same document read with default switches holds no grade model.
    const auto off = LoadLandXMLText(dir, WrapLandXML("<GradeModel/>"));
    ASSERT_TRUE(off.loaded) << off.error;
    EXPECT_TRUE(off.document->GetGradeModels().empty());

    const std::string zone = kZone;
    const Case cases[] = {
        {"no surface", "<GradeModel><Feature/></GradeModel>", "'GradeModel' is empty."},
        {"start only", "<GradeModel><GradeSurface alignmentRef=\"a\"><Start/></GradeSurface></GradeModel>", "'Zones' is empty."},
        {"hinges only", "<GradeModel><GradeSurface alignmentRef=\"a\"><Zones side=\"right\"><ZoneHinge/></Zones>"
                        "</GradeSurface></GradeModel>",
         "'Zones' is empty."},
        {"no alignmentRef", "<GradeModel><GradeSurface alignmentRef=\"\"/></GradeModel>", "Fail to validate 'GradeSurface' element"},
        {"side", "<GradeModel><GradeSurface alignmentRef=\"a\"><Zones side=\"Left\"/></GradeSurface></GradeModel>",
         "Fail to validate 'Zones' element"},
        {"category capitals", Zone("staStart=\"0\" startWidth=\"1\" startVertValue=\"1\" startVertType=\"slope\" "
                                   "category=\"Road Surface\" priority=\"1\""),
         "Fail to validate 'Zone' element"},
        {"no priority", Zone(zone), "Fail to validate 'Zone' element"},
        {"slope capital", Zone("staStart=\"0\" startWidth=\"1\" startVertValue=\"1\" startVertType=\"Slope\" "
                               "category=\"ditch\" priority=\"1\""),
         "Fail to validate 'Zone' element"},
        {"width without staEnd",
         "<GradeModel><GradeSurface alignmentRef=\"a\"><Zones side=\"left\"><Zone " + zone +
             " priority=\"1\"><ZoneWidth staStart=\"0\" startWidth=\"1\"/></Zone></Zones></GradeSurface></GradeModel>",
         "Fail to validate 'ZoneWidth' element"},
    };
    ExpectRefusals(std::begin(cases), std::end(cases));
}

std::string Surface(const std::string& definition)
{
    return "<Surfaces><Surface name=\"s\">" + definition + "</Surface></Surfaces>";
}

const char* const kPoints = "<Pnts><P id=\"1\">0 0 0</P><P id=\"2\">0 1 0</P><P id=\"-3\">1 0 0</P></Pnts>";

TEST(LandXMLSurfaces, DefinitionsFacesAndRefusals)
{
    TempDir dir;
    const auto r = LoadAll(dir, "<Surfaces><Feature/><Surface name=\"tin\"><SourceData/><Definition surfType=\"TIN\">" +
                                    std::string(kPoints) +
                                    "<Faces><F>1 2 -3</F><F>1 2 3 4.7</F></Faces></Definition><Watersheds/></Surface>"
                                    "<Surface name=\"grid\"><Definition surfType=\"grid\">" + kPoints +
                                    "</Definition></Surface><Surface name=\"bare\"/></Surfaces><Surfaces/>");
    ASSERT_TRUE(r.loaded) << r.error;
    const auto& surfaces = r.document->GetSurfaceContainers().at(0)->GetSurfaces();
    ASSERT_EQ(surfaces.size(), 3u);
    const CLandXMLSurfaceDefinition& tin = surfaces[0]->GetDefinition();
    EXPECT_EQ(tin.GetSurfaceType(), CLandXMLSurfaceDefinition::kTIN);
    EXPECT_EQ(tin.GetPoints().GetPoints()[2].GetId(), -3);
    const auto& faces = tin.GetFacesGroups().at(0)->GetFaces();
    EXPECT_EQ(faces[0].GetCount(), 3);
    EXPECT_EQ(faces[0].GetIndices()[3], -1);
    EXPECT_EQ(faces[1].GetCount(), 4);
    EXPECT_EQ(faces[1].GetIndices()[3], 4);
    EXPECT_EQ(surfaces[1]->GetDefinition().GetSurfaceType(), CLandXMLSurfaceDefinition::kGrid);
    EXPECT_FALSE(surfaces[2]->GetDefinition().IsBound());

    const Case cases[] = {
        {"two points", Surface("<Definition surfType=\"TIN\"><Pnts><P id=\"1\"/><P id=\"2\"/></Pnts></Definition>"),
         "'Pnts' has fewer than 3 'P' elements."},
        {"no points", Surface("<Definition surfType=\"TIN\"/>"), "'Definition' contains no valid 'Pnts' element."},
        {"tin in lower case", Surface("<Definition surfType=\"tin\"/>"), "Fail to validate 'Definition' element"},
        {"fractional id", Surface("<Definition surfType=\"TIN\"><Pnts><P id=\"1.5\"/></Pnts></Definition>"),
         "Fail to validate 'P' element"},
        {"no id", Surface("<Definition surfType=\"TIN\"><Pnts><P/></Pnts></Definition>"), "Fail to validate 'P' element"},
        {"faces without F", Surface("<Definition surfType=\"TIN\">" + std::string(kPoints) + "<Faces/></Definition>"),
         "'Faces' contains no 'F' element."},
        {"two indices", Surface("<Definition surfType=\"TIN\">" + std::string(kPoints) + "<Faces><F>1 2</F></Faces></Definition>"),
         "'F' contains a list shorter than 3 or longer than 4."},
        {"five indices",
         Surface("<Definition surfType=\"TIN\">" + std::string(kPoints) + "<Faces><F>1 2 3 4 5</F></Faces></Definition>"),
         "'F' contains a list shorter than 3 or longer than 4."},
        {"two blanks", Surface("<Definition surfType=\"TIN\">" + std::string(kPoints) + "<Faces><F>1  2 3</F></Faces></Definition>"),
         "'F' contains a list shorter than 3 or longer than 4."},
        {"unnamed surface", "<Surfaces><Surface name=\"\"/></Surfaces>", "Fail to validate 'Surface' element"},
    };
    ExpectRefusals(std::begin(cases), std::end(cases));
}

} // namespace
