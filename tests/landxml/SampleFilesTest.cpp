#include "TestUtil.h"
#include "landxml/LandXML.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "landxml/elements/LandXMLAlignments.h"
#include "landxml/elements/LandXMLCgPoints.h"
#include "landxml/elements/LandXMLParcels.h"
#include "landxml/elements/LandXMLSurfaces.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using morvel::test::SharedTestDataPath;

TEST(LandXMLSampleFiles, DocumentsLoadWithTheirPointsAndNotes)
{
    struct Case
    {
        const char* file;
        int named;
        int groups;
        const char* note;
    };
    const Case cases[] = {
        {"lx2gltf_partridge_survey_1_1.xml", 2896, 1, "This program skips the following elements:  PlanFeatures"},
        {"lx2gltf_subdivision_1_1.xml", 639, 1, "This program skips the following elements:  PipeNetworks ProfSurf"},
        {"tops_landxml_1_2.xml", 2, 1, ""},
        {"derived_landxml_1_0_from_tops.xml", 2, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CLandXML document;
        document.SetReadAlignmentsAndParcels(false);
        std::string note;
        try {
            ASSERT_TRUE(document.LoadFile(SharedTestDataPath(c.file), note));
        } catch (const CLandXMLException& e) {
            FAIL() << e.GetMessage();
        }
        EXPECT_EQ(document.GetNamedCgPointCount(), c.named);
        EXPECT_EQ(document.GetUnnamedCgPointCount(), 0);
        EXPECT_EQ(static_cast<int>(document.GetCgPointsGroups().size()), c.groups);
        EXPECT_EQ(note, c.note);
    }
}

} // namespace

namespace {

TEST(LandXMLSampleFiles, SubdivisionReadsWithEverySwitchOn)
{
    CLandXML document;
    document.SetReadGradeModels(true);
    document.SetReadSurfaces(true);
    std::string note;
    try {
        ASSERT_TRUE(document.LoadFile(SharedTestDataPath("lx2gltf_subdivision_1_1.xml"), note));
    } catch (const CLandXMLException& e) {
        FAIL() << e.GetMessage();
    }
    EXPECT_EQ(note, "This program skips the following elements:  PipeNetworks ProfSurf");
    EXPECT_EQ(document.GetNamedCgPointCount(), 639);

    ASSERT_EQ(document.GetAlignmentContainers().size(), 1u);
    const auto& alignments = document.GetAlignmentContainers()[0]->GetAlignments();
    EXPECT_EQ(alignments.size(), 6u);
    for (const auto& alignment : alignments) {
        SCOPED_TRACE(alignment->GetName());
        EXPECT_EQ(document.FindAlignment(alignment->GetName()), alignment.get());
        EXPECT_FALSE(alignment->GetCoordGeom().GetComponents().empty());
        EXPECT_FALSE(alignment->GetProfiles().empty());
    }

    ASSERT_EQ(document.GetParcelContainers().size(), 1u);
    EXPECT_EQ(document.GetParcelContainers()[0]->CountParcels(), 83);

    ASSERT_EQ(document.GetSurfaceContainers().size(), 1u);
    const auto& surfaces = document.GetSurfaceContainers()[0]->GetSurfaces();
    ASSERT_EQ(surfaces.size(), 2u);
    int points = 0;
    int faces = 0;
    for (const auto& surface : surfaces) {
        EXPECT_EQ(surface->GetDefinition().GetSurfaceType(), CLandXMLSurfaceDefinition::kTIN);
        points += static_cast<int>(surface->GetDefinition().GetPoints().GetPoints().size());
        for (const auto& group : surface->GetDefinition().GetFacesGroups())
            faces += static_cast<int>(group->GetFaces().size());
    }
    EXPECT_EQ(points, 3429);
    EXPECT_EQ(faces, 6525);
    EXPECT_EQ(document.GetTopLevelObjectCount(), 4);
}

} // namespace
