#include "landxml/elements/LandXMLCrossSects.h"

#include "landxml/LandXMLText.h"

namespace {

std::string InvalidChild(const char* parent, const char* child)
{
    return landxml::FormatText("'%s' contains an invalid %s element.", {parent, child});
}

} // namespace

// ---- Surface feature

CLandXMLCrossSectSurfFeature::~CLandXMLCrossSectSurfFeature()
{
    CLandXMLCrossSectSurfFeature::Reset();
}

void CLandXMLCrossSectSurfFeature::Reset()
{
    CLandXMLFeature::Reset();
    m_nodeNameLists.clear();
}

bool CLandXMLCrossSectSurfFeature::Read(pugi::xml_node element, CLandXML* document)
{
    if (!CLandXMLFeature::Read(element, document))
        return false;
    m_nodeNameLists.clear();
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        if (GetTagName(child) != "KvlCrossSectSurfNodeNameList")
            continue;
        m_nodeNameLists.push_back(std::make_unique<CLandXMLKvlCrossSectSurfNodeList>());
        if (!m_nodeNameLists.back()->Read(child, document))
            return false;
    }
    return true;
}

// ---- Surface

CLandXMLCrossSectSurf::~CLandXMLCrossSectSurf()
{
    CLandXMLCrossSectSurf::Reset();
}

bool CLandXMLCrossSectSurf::Validate(pugi::xml_node element)
{
    std::string name;
    return IsTag(element, "CrossSectSurf") && GetAttributeText(element, "name", name);
}

void CLandXMLCrossSectSurf::Reset()
{
    // The gathered entries point into the features: they go first, so none outlives its list.
    m_nodeNameLists.clear();
    CXMLElementWithFeatures::Reset();
    m_name.clear();
    m_pointLists.clear();
}

bool CLandXMLCrossSectSurf::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    GetAttributeText("name", m_name);
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        const std::string tag = GetTagName(child);
        if (tag == "PntList2D") {
            m_pointLists.push_back(std::make_unique<CLandXMLPnt2DList>());
            if (!m_pointLists.back()->Read(child, document))
                RaiseErrorAtNode(InvalidChild("CrossSectSurf", "'PntList2D'"), GetElement());
        } else if (tag == "Feature") {
            auto feature = std::make_unique<CLandXMLCrossSectSurfFeature>();
            CLandXMLCrossSectSurfFeature* read = feature.get();
            m_features.push_back(std::move(feature));
            if (!read->Read(child, document))
                return false;
            for (const auto& list : read->GetNodeNameLists())
                m_nodeNameLists.push_back(list.get());
        }
    }
    return true;
}

// ---- Cross section

CLandXMLCrossSect::~CLandXMLCrossSect()
{
    CLandXMLCrossSect::Reset();
}

bool CLandXMLCrossSect::Validate(pugi::xml_node element)
{
    double sta = 0.0;
    return IsTag(element, "CrossSect") && GetAttributeDouble(element, "sta", sta);
}

void CLandXMLCrossSect::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_surfaces.clear();
}

bool CLandXMLCrossSect::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        if (GetTagName(child) != "CrossSectSurf")
            continue;
        m_surfaces.push_back(std::make_unique<CLandXMLCrossSectSurf>());
        if (!m_surfaces.back()->Read(child, document))
            RaiseErrorAtNode(InvalidChild("CrossSect", "'CrossSectSurf'"), GetElement());
    }
    m_sta = 0.0;
    GetAttributeDouble("sta", m_sta);
    return true;
}

// ---- Cross sections

CLandXMLCrossSects::~CLandXMLCrossSects()
{
    CLandXMLCrossSects::Reset();
}

void CLandXMLCrossSects::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_crossSections.clear();
}

bool CLandXMLCrossSects::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        if (GetTagName(child) != "CrossSect")
            continue;
        m_crossSections.push_back(std::make_unique<CLandXMLCrossSect>());
        if (!m_crossSections.back()->Read(child, document))
            RaiseErrorAtNode(InvalidChild("CrossSects", "'CrossSect'"), GetElement());
    }
    m_name.clear();
    GetAttributeText("name", m_name);
    m_desc.clear();
    GetAttributeText("desc", m_desc);
    return true;
}
