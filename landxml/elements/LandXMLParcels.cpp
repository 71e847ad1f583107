#include "landxml/elements/LandXMLParcels.h"

#include "landxml/LandXMLText.h"

CLandXMLParcels::CLandXMLParcels() = default;

CLandXMLParcels::~CLandXMLParcels()
{
    CLandXMLParcels::Reset();
}

void CLandXMLParcels::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_parcels.clear();
}

bool CLandXMLParcels::Read(pugi::xml_node element, CLandXML* document)
{
    return ReadFeaturesAndChildren(element, document, "Parcel", m_parcels);
}

int CLandXMLParcels::CountParcels() const
{
    int count = static_cast<int>(m_parcels.size());
    for (const auto& parcel : m_parcels)
        count += parcel->GetParcels().CountParcels();
    return count;
}

CLandXMLParcel::CLandXMLParcel() : m_center("Center") {}

CLandXMLParcel::~CLandXMLParcel()
{
    CLandXMLParcel::Reset();
}

bool CLandXMLParcel::Validate(pugi::xml_node element)
{
    std::string name;
    return IsTag(element, "Parcel") && GetAttributeText(element, "name", name)
        && !landxml::TrimXmlSpace(name).empty();
}

void CLandXMLParcel::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_parcels.Reset();
    m_center.Reset();
    m_coordGeom.Reset();
}

bool CLandXMLParcel::Read(pugi::xml_node element, CLandXML* document)
{
    // Parcels nest to any depth in the format; the reader stops at a depth the stack can take.
    CReadNestingGuard guard(*this, element, "'%s' elements are nested deeper than 256 levels.", "Parcel");
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    bool have = GetNextChildElement(child);
    if (have && GetTagName(child) == "Center") {
        // A refusal must say what is wrong, as every other refused element does.
        if (!m_center.Read(child, document)) {
            std::string name;
            GetAttributeText("name", name);
            RaiseErrorAtNode(landxml::FormatText("The 'Center' of parcel %s has no valid coordinates.",
                                                 {landxml::TrimXmlSpace(name)}),
                             child);
        }
        have = GetNextChildElement(child);
    }
    if (have && GetTagName(child) == "CoordGeom") {
        if (!m_coordGeom.Read(child, document))
            return false;
        have = GetNextChildElement(child);
    }
    if (have && GetTagName(child) == "Parcels") {
        if (!m_parcels.Read(child, document))
            return false;
    }
    ResetChildIteration();
    while (GetNextChildElement(child))
        if (GetTagName(child) == "Feature" && !ReadFeature(child, document))
            return false;
    return true;
}
