#include "landxml/elements/LandXMLProject.h"

#include "landxml/elements/LandXMLPointType.h"

bool CLandXMLProject::Validate(pugi::xml_node element)
{
    std::string name;
    return IsTag(element, "Project") && GetAttributeText(element, "name", name);
}

bool CLandXMLApplication::Validate(pugi::xml_node element)
{
    std::string name;
    return IsTag(element, "Application") && GetAttributeText(element, "name", name);
}

bool CLandXMLCoordinateSystem::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    const pugi::xml_node start = GetElement().child("Start");
    if (!start)
        RaiseErrorAtNode("'CoordinateSystem' element does not contain 'Start' element.", GetElement());
    CLandXMLPointType point("Start");
    return point.Read(start, document);
}
