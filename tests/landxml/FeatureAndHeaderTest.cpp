#include "LandXMLTestUtil.h"
#include "landxml/elements/LandXMLCgPoints.h"
#include "landxml/elements/LandXMLFeature.h"
#include "landxml/elements/LandXMLProject.h"
#include "landxml/elements/LandXMLProperty.h"
#include "landxml/elements/LandXMLUnits.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

namespace {

using morvel::test::LoadLandXMLText;
using morvel::test::TempDir;
using morvel::test::WrapLandXML;

TEST(LandXMLFeature, PropertiesNestingAndExtension)
{
    TempDir dir;
    const auto r = LoadLandXMLText(dir, WrapLandXML(R"(<CgPoints>
      <Feature code="outer">
        <Property label="a" value="1"/><Property label="b"/>
        <KvlFeaProperty label="ignored here"/>
        <Feature code="inner"><Property label="c" value="3"/></Feature>
        <KVLFeaAttributes code="first"><Property label="x"/></KVLFeaAttributes>
        <KVLFeaAttributes code="k">
          <Property label="p"/>
          <KvlFeaProperty label="n" type="KvlFeaNumeric" KvlFeaType="KvlFeaNumeric" KvlFeaDecimal="3,5" KvlFeaUnit="m"/>
          <KvlFeaProperty label="s" type="KvlFeaNumeric" KvlFeaDecimal="x"/>
          <KvlFeaProperty label="m" KvlFeaType="KvlFeaMenu" KvlFeaDecimal="3"/>
        </KVLFeaAttributes>
      </Feature>
      <Feature code="bare"/>
      <Feature name="no code"/>
    </CgPoints>)"));
    ASSERT_TRUE(r.loaded) << r.error;
    const auto& features = r.document->GetCgPointsGroups().front()->GetFeatures();
    ASSERT_EQ(features.size(), 3u);
    EXPECT_EQ(features[2]->GetCode(), "");
    const CLandXMLFeature& outer = *features[0];
    EXPECT_EQ(outer.GetCode(), "outer");
    ASSERT_EQ(outer.GetProperties().size(), 2u);
    EXPECT_EQ(outer.GetProperties()[0]->GetValue(), "1");
    EXPECT_EQ(outer.GetProperties()[1]->GetValue(), "");
    EXPECT_FALSE(outer.GetProperties()[0]->IsKvlFeaProperty());
    ASSERT_EQ(outer.GetFeatures().size(), 1u);
    EXPECT_EQ(outer.GetFeatures()[0]->GetProperties()[0]->GetLabel(), "c");

    // The second extension replaces the first.
    const CLandXMLKvlFeature& extension = outer.GetExtension();
    EXPECT_EQ(extension.GetCode(), "k");
    const auto& props = extension.GetProperties();
    ASSERT_EQ(props.size(), 4u);
    EXPECT_FALSE(props[0]->IsKvlFeaProperty());
    struct Expected
    {
        int type;
        int decimals;
        const char* unit;
    };
    const Expected expected[] = {{CLandXMLKvlFeaProperty::kNumeric, 3, "m"},
                                 {CLandXMLKvlFeaProperty::kString, 0, ""},
                                 {CLandXMLKvlFeaProperty::kMenu, 3, ""}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(props[i + 1]->IsKvlFeaProperty());
        const auto& kvl = static_cast<const CLandXMLKvlFeaProperty&>(*props[i + 1]);
        EXPECT_EQ(kvl.GetKvlFeaType(), expected[i].type);
        EXPECT_EQ(kvl.GetKvlFeaDecimal(), expected[i].decimals);
        EXPECT_EQ(kvl.GetKvlFeaUnit(), expected[i].unit);
    }
    EXPECT_TRUE(features[1]->GetProperties().empty());
}

TEST(LandXMLFeature, ValidationFailures)
{
    TempDir dir;
    struct Case
    {
        const char* body;
        const char* message;
    };
    const Case cases[] = {
        {R"(<Feature code="c"><Property value="1"/></Feature>)", "Fail to validate 'Property' element"},
        {R"(<Feature code="c"><KVLFeaAttributes/></Feature>)", "Fail to validate 'KVLFeaAttributes' element"},
        {R"(<Feature code="c"><KVLFeaAttributes code="k"><KvlFeaProperty label="l" type="Other"/></KVLFeaAttributes></Feature>)",
         "Fail to validate 'KvlFeaProperty' element"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const auto r = LoadLandXMLText(dir, WrapLandXML(std::string("<CgPoints>") + c.body + "</CgPoints>"));
        EXPECT_EQ(r.error, c.message);
    }
}

TEST(LandXMLUnits, UnitSystemChoiceAndGetters)
{
    pugi::xml_document dom;
    ASSERT_TRUE(dom.load_string(R"(<R>
      <Units><Imperial linearUnit="foot" areaUnit="a" volumeUnit="v" temperatureUnit="t" pressureUnit="p"/>
             <Metric linearUnit="meter" areaUnit="squareMeter" volumeUnit="cubicMeter" temperatureUnit="celsius"
                     pressureUnit="mmHG" angularUnit="grads"/></Units>
      <Units><Imperial linearUnit="USSurveyFoot" areaUnit="a" volumeUnit="v" temperatureUnit="t" pressureUnit="p"
                       directionUnit="decimal degrees"/></Units>
      <Units/>
    </R>)"));
    pugi::xml_node units = dom.document_element().child("Units");
    CLandXMLUnits both;
    ASSERT_TRUE(both.Read(units, nullptr));
    EXPECT_EQ(both.GetLinearUnit(), "meter");
    EXPECT_EQ(both.GetAngularUnit(), "grads");
    EXPECT_EQ(both.GetDirectionUnit(), "");
    EXPECT_EQ(both.GetAreaUnit(), "squareMeter");
    EXPECT_EQ(both.GetVolumeUnit(), "cubicMeter");
    EXPECT_EQ(both.GetTemperatureUnit(), "celsius");
    EXPECT_EQ(both.GetPressureUnit(), "mmHG");

    units = units.next_sibling("Units");
    CLandXMLUnits imperial;
    ASSERT_TRUE(imperial.Read(units, nullptr));
    EXPECT_EQ(imperial.GetLinearUnit(), "USSurveyFoot");
    EXPECT_EQ(imperial.GetDirectionUnit(), "decimal degrees");

    // A getter on an element without a unit system.
    units = units.next_sibling("Units");
    CLandXMLUnits bare;
    EXPECT_THROW(bare.Read(units, nullptr), CLandXMLException);
    EXPECT_FALSE(bare.IsBound());

    // A unit system without any one of its five required units is refused.
    for (const char* missing : {"linearUnit", "areaUnit", "volumeUnit", "temperatureUnit", "pressureUnit"}) {
        SCOPED_TRACE(missing);
        pugi::xml_document one;
        ASSERT_TRUE(one.load_string(
            R"(<Units><Metric linearUnit="meter" areaUnit="a" volumeUnit="v" temperatureUnit="t" pressureUnit="p"/></Units>)"));
        one.document_element().child("Metric").remove_attribute(missing);
        CLandXMLUnits partial;
        EXPECT_THROW(partial.Read(one.document_element(), nullptr), CLandXMLException);
    }
}

TEST(LandXMLHeaderElements, ProjectApplicationCoordinateSystem)
{
    pugi::xml_document dom;
    ASSERT_TRUE(dom.load_string(R"(<R>
      <Project name="P"/><Project name=""/>
      <Application name="A"/><Application/>
      <CoordinateSystem><Start>10 20</Start></CoordinateSystem>
      <CoordinateSystem/>
      <CoordinateSystem><Start>10</Start></CoordinateSystem>
    </R>)"));
    const pugi::xml_node root = dom.document_element();
    CLandXMLProject project;
    EXPECT_TRUE(project.Read(root.child("Project"), nullptr));
    EXPECT_THROW(project.Read(root.child("Project").next_sibling("Project"), nullptr), CLandXMLException);
    CLandXMLApplication application;
    EXPECT_TRUE(application.Read(root.child("Application"), nullptr));
    EXPECT_THROW(application.Read(root.child("Application").next_sibling("Application"), nullptr), CLandXMLException);

    pugi::xml_node system = root.child("CoordinateSystem");
    CLandXMLCoordinateSystem coordinateSystem;
    EXPECT_TRUE(coordinateSystem.Read(system, nullptr));
    system = system.next_sibling("CoordinateSystem");
    try {
        coordinateSystem.Read(system, nullptr);
        FAIL();
    } catch (const CLandXMLException& e) {
        EXPECT_EQ(e.GetMessage(), "'CoordinateSystem' element does not contain 'Start' element.");
    }
    // A Start without coordinates makes the read false.
    system = system.next_sibling("CoordinateSystem");
    EXPECT_FALSE(coordinateSystem.Read(system, nullptr));
}

} // namespace
