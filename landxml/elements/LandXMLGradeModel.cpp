#include "landxml/elements/LandXMLGradeModel.h"

#include "landxml/LandXMLText.h"

CLandXMLGradeSurface::~CLandXMLGradeSurface()
{
    CLandXMLGradeSurface::Reset();
}

bool CLandXMLGradeSurface::Validate(pugi::xml_node element)
{
    std::string reference;
    if (!IsTag(element, "GradeSurface") || !GetAttributeText(element, "alignmentRef", reference))
        return false;
    m_alignmentRef = reference;
    return true;
}

void CLandXMLGradeSurface::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_zones.clear();
}

bool CLandXMLGradeSurface::Read(pugi::xml_node element, CLandXML* document)
{
    if (!ReadFeaturesAndChildren(element, document, "Zones", m_zones))
        return false;
    if (m_zones.empty())
        RaiseError(landxml::FormatText("%s is empty.", {"'Zones'"}));
    return true;
}

CLandXMLGradeModel::~CLandXMLGradeModel()
{
    CLandXMLGradeModel::Reset();
}

void CLandXMLGradeModel::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_gradeSurfaces.clear();
}

bool CLandXMLGradeModel::Read(pugi::xml_node element, CLandXML* document)
{
    if (!ReadFeaturesAndChildren(element, document, "GradeSurface", m_gradeSurfaces))
        return false;
    if (m_gradeSurfaces.empty())
        RaiseError(landxml::FormatText("%s is empty.", {"'GradeModel'"}));
    return true;
}
