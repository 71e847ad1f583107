#pragma once

#include "landxml/XMLElement.h"
#include "landxml/XMLElementWithFeatures.h"

// The Project header element: tag "Project" with a non-empty name. Its feature list stays empty.
class CLandXMLProject : public CXMLElementWithFeatures
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    bool Validate(pugi::xml_node element) override;
};

// The Application header element: tag "Application" with a non-empty name.
class CLandXMLApplication : public CXMLElement
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    bool Validate(pugi::xml_node element) override;
};

// The CoordinateSystem header element, which must hold a Start point.
class CLandXMLCoordinateSystem : public CXMLElement
{
public:
    // Also reads the Start child as a point; throws when there is none.
    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "CoordinateSystem"); }
};
