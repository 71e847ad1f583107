#pragma once

#include "landxml/XMLElementWithFeatures.h"
#include "landxml/elements/LandXMLZones.h"

#include <memory>
#include <string>
#include <vector>

// A grade surface along an alignment (named by alignmentRef, not looked up), made of zones.
class CLandXMLGradeSurface : public CXMLElementWithFeatures
{
public:
    ~CLandXMLGradeSurface() override;

    // Throws "'Zones' is empty." without a Zones child. A Start child has no effect.
    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "GradeSurface" with an alignmentRef.
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    const std::string& GetAlignmentRef() const { return m_alignmentRef; }
    const std::vector<std::unique_ptr<CLandXMLZones>>& GetZones() const { return m_zones; }

private:
    std::vector<std::unique_ptr<CLandXMLZones>> m_zones;
    std::string m_alignmentRef;
};

// A grade model: its grade surfaces.
class CLandXMLGradeModel : public CXMLElementWithFeatures
{
public:
    ~CLandXMLGradeModel() override;

    // Throws "'GradeModel' is empty." without a GradeSurface child.
    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "GradeModel"); }
    void Reset() override;

    const std::vector<std::unique_ptr<CLandXMLGradeSurface>>& GetGradeSurfaces() const { return m_gradeSurfaces; }

private:
    std::vector<std::unique_ptr<CLandXMLGradeSurface>> m_gradeSurfaces;
};
