#include "landxml/elements/LandXMLFeature.h"

CLandXMLKvlFeature::~CLandXMLKvlFeature()
{
    CLandXMLKvlFeature::Reset();
}

bool CLandXMLKvlFeature::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        const std::string tag = GetTagName(child);
        if (tag == "Property")
            m_properties.push_back(std::make_unique<CLandXMLProperty>());
        else if (tag == "KvlFeaProperty")
            m_properties.push_back(std::make_unique<CLandXMLKvlFeaProperty>());
        else
            continue;
        if (!m_properties.back()->Read(child, document))
            return false;
    }
    return true;
}

bool CLandXMLKvlFeature::Validate(pugi::xml_node element)
{
    std::string code;
    return IsTag(element, "KVLFeaAttributes") && GetAttributeText(element, "code", code);
}

void CLandXMLKvlFeature::Reset()
{
    CXMLElement::Reset();
    m_properties.clear();
}

std::string CLandXMLKvlFeature::GetCode() const
{
    std::string text;
    GetAttributeText("code", text);
    return text;
}

CLandXMLFeature::~CLandXMLFeature()
{
    CLandXMLFeature::Reset();
}

bool CLandXMLFeature::Read(pugi::xml_node element, CLandXML* document)
{
    // Features nest to any depth in the format; the reader stops at a depth the stack can take.
    CReadNestingGuard guard(*this, element, "'%s' elements are nested deeper than 256 levels.", "Feature");
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        const std::string tag = GetTagName(child);
        if (tag == "Feature") {
            if (!ReadFeature(child, document))
                return false;
        } else if (tag == "Property") {
            m_properties.push_back(std::make_unique<CLandXMLProperty>());
            if (!m_properties.back()->Read(child, document))
                return false;
        } else if (tag == "KVLFeaAttributes") {
            if (!m_extension.Read(child, document))
                return false;
        }
    }
    return true;
}

bool CLandXMLFeature::Validate(pugi::xml_node element)
{
    // The code is optional in LandXML (a feature may carry only a name); requiring it refused
    // whole survey files over an element whose contents never reach the job.
    return IsTag(element, "Feature");
}

void CLandXMLFeature::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_properties.clear();
    m_extension.Reset();
}

std::string CLandXMLFeature::GetCode() const
{
    std::string text;
    GetAttributeText("code", text);
    return text;
}
