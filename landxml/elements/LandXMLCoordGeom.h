#pragma once

#include "landxml/XMLElementWithFeatures.h"
#include "landxml/elements/LandXMLCoordGeomComponent.h"

#include <memory>
#include <vector>

// A horizontal path: its segments in document order, each starting where the one before ended.
class CLandXMLCoordGeom : public CXMLElementWithFeatures
{
public:
    ~CLandXMLCoordGeom() override;

    // Reads the segments and checks their continuity within 0.0001 m; throws for a gap or for a
    // CoordGeom without segments.
    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "CoordGeom"); }
    void Reset() override;

    // True when every segment is defined by point references (also for no segments).
    bool AreAllDefinedByPointRefs() const;
    const std::vector<std::unique_ptr<CLandXMLCoordGeomComponent>>& GetComponents() const { return m_components; }

private:
    std::vector<std::unique_ptr<CLandXMLCoordGeomComponent>> m_components;
};
