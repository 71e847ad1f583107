#include "landxml/elements/LandXMLAlignments.h"

#include "landxml/LandXML.h"
#include "landxml/LandXMLText.h"

namespace {

// A number attribute greater than 0; a first word that is not a number counts as 0.
bool IsPositive(pugi::xml_node element, const char* name)
{
    double value = 0.0;
    return CXMLElement::GetAttributeDouble(element, name, value) && value > 0;
}

} // namespace

// ---- Profile alignment component

bool CLandXMLProfAlignComponent::Validate(pugi::xml_node element)
{
    const std::string tag = GetTagName(element);
    if (tag == "PVI")
        return true;
    if (tag == "ParaCurve")
        return IsPositive(element, "length");
    if (tag == "UnsymParaCurve")
        return IsPositive(element, "lengthIn") && IsPositive(element, "lengthOut");
    if (tag == "CircCurve")
        return IsPositive(element, "length") && IsPositive(element, "radius");
    return false;
}

bool CLandXMLProfAlignComponent::ReadStationElevation(double& station, double& elevation, double scale) const
{
    double values[2] = {0.0, 0.0};
    std::string storage;
    if (landxml::ReadBlankSeparatedNumbers(GetTextView(GetElement(), storage), values, 2) != 2)
        return false;
    station = values[0] * scale;
    elevation = values[1] * scale;
    return true;
}

bool CLandXMLProfAlignComponent::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    double station, elevation;
    if (!ReadStationElevation(station, elevation, 1.0))
        RaiseError(landxml::FormatText("'%s' contains invalid station\\elevation data.", {GetTagName()}));
    return true;
}

// ---- Profile alignment

CLandXMLProfAlign::~CLandXMLProfAlign()
{
    CLandXMLProfAlign::Reset();
}

bool CLandXMLProfAlign::Validate(pugi::xml_node element)
{
    std::string name;
    return IsTag(element, "ProfAlign") && GetAttributeText(element, "name", name)
        && !landxml::TrimXmlSpace(name).empty();
}

void CLandXMLProfAlign::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_components.clear();
}

bool CLandXMLProfAlign::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    bool first = true;
    std::string lastTag;
    while (GetNextChildElement(child)) {
        const std::string tag = GetTagName(child);
        if (first && tag != "PVI")
            RaiseError(landxml::FormatText("First child element of %s is not a %s.", {"'ProfAlign'", "'PVI'"}));
        first = false;
        if (tag == "PVI" || tag == "ParaCurve" || tag == "UnsymParaCurve") {
            m_components.push_back(std::make_unique<CLandXMLProfAlignComponent>());
            if (!m_components.back()->Read(child, document))
                return false;
            lastTag = tag;
        } else if (tag == "Feature") {
            if (!ReadFeature(child, document))
                return false;
        }
    }
    if (m_components.empty())
        return true;
    if (m_components.size() < 2)
        RaiseError(landxml::FormatText("%s has fewer than %d child elements.", {"'ProfAlign'", "2"}));
    if (lastTag != "PVI")
        RaiseError(landxml::FormatText("Last child element of %s is not a %s.", {"'ProfAlign'", "'PVI'"}));
    return true;
}

// ---- Profile

CLandXMLProfile::~CLandXMLProfile()
{
    CLandXMLProfile::Reset();
}

void CLandXMLProfile::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_profAligns.clear();
}

bool CLandXMLProfile::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        const std::string tag = GetTagName(child);
        if (tag == "ProfAlign") {
            m_profAligns.push_back(std::make_unique<CLandXMLProfAlign>());
            if (!m_profAligns.back()->Read(child, document))
                return false;
            if (m_profAligns.back()->GetComponents().empty())
                m_profAligns.pop_back();
        } else if (tag == "Feature") {
            if (!ReadFeature(child, document))
                return false;
        }
    }
    return true;
}

// ---- Alignment

CLandXMLAlignment::CLandXMLAlignment() : m_start("Start") {}

CLandXMLAlignment::~CLandXMLAlignment()
{
    CLandXMLAlignment::Reset();
}

bool CLandXMLAlignment::Validate(pugi::xml_node element)
{
    double value = 0.0;
    return IsTag(element, "Alignment") && GetAttributeDouble(element, "length", value)
        && GetAttributeDouble(element, "staStart", value);
}

void CLandXMLAlignment::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_profiles.clear();
    m_crossSects.clear();
    m_start.Reset();
    m_coordGeom.Reset();
}

bool CLandXMLAlignment::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    bool have = GetNextChildElement(child);
    if (have && GetTagName(child) == "Start") {
        if (!m_start.Read(child, document))
            return false;
        have = GetNextChildElement(child);
    }
    if (!have || GetTagName(child) != "CoordGeom")
        RaiseError(landxml::FormatText("%s contains no %s element.", {"'Alignment'", "'CoordGeom'"}));
    if (!m_coordGeom.Read(child, document))
        return false;
    while (GetNextChildElement(child)) {
        const std::string tag = GetTagName(child);
        if (tag == "Profile") {
            m_profiles.push_back(std::make_unique<CLandXMLProfile>());
            if (!m_profiles.back()->Read(child, document))
                return false;
        } else if (tag == "Feature") {
            if (!ReadFeature(child, document))
                return false;
        } else if (tag == "CrossSects") {
            m_crossSects.push_back(std::make_unique<CLandXMLCrossSects>());
            if (!m_crossSects.back()->Read(child, document))
                return false;
        }
    }
    std::string name;
    GetAttributeText("name", name);
    if (!name.empty() && document != nullptr && document->FindAlignment(name) != nullptr)
        RaiseErrorAtNode(landxml::FormatText("Two or more '%s' are using the same name %s.", {"Alignment", name}),
                         GetElement());
    m_name = name;
    if (!m_name.empty() && document != nullptr)
        document->AddAlignment(m_name, this);
    return true;
}

// ---- Alignments

CLandXMLAlignments::~CLandXMLAlignments()
{
    CLandXMLAlignments::Reset();
}

void CLandXMLAlignments::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_alignments.clear();
}

bool CLandXMLAlignments::Read(pugi::xml_node element, CLandXML* document)
{
    // An alignment whose geometry holds, at any depth, a spiral of one of the nine types other
    // than the clothoid is passed over. One compiled question for all nine.
    static const pugi::xpath_query unreadSpirals(
        "CoordGeom//Spiral[@spiType=\"cosine\" or @spiType=\"biquadratic\" or @spiType=\"bloss\" or "
        "@spiType=\"cubic\" or @spiType=\"sinusoid\" or @spiType=\"revBiquadratic\" or @spiType=\"revBloss\" or "
        "@spiType=\"revCosine\" or @spiType=\"revSinusoid\"]");
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        const std::string tag = GetTagName(child);
        if (tag == "Feature") {
            if (!ReadFeature(child, document))
                return false;
        } else if (tag == "Alignment") {
            if (!child.select_node(unreadSpirals).node().empty())
                continue;
            m_alignments.push_back(std::make_unique<CLandXMLAlignment>());
            if (!m_alignments.back()->Read(child, document))
                return false;
        }
    }
    return true;
}
