#include "TestUtil.h"
#include "landxml/LandXML.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "landxml/elements/LandXMLCgPoints.h"

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
