#include "landxml/elements/LandXMLZones.h"

#include "core/NoValue.h"
#include "landxml/LandXMLText.h"

#include <cmath>
#include <limits>

namespace {

// A required number attribute; a first word that is not a number reads as 0.
bool RequiredNumber(pugi::xml_node element, const char* name, double& value)
{
    value = 0.0;
    return CXMLElement::GetAttributeDouble(element, name, value);
}

// "slope" or "vertical distance"; false for anything else.
bool VerticalType(pugi::xml_node element, const char* name, bool& isSlope)
{
    std::string text;
    if (!CXMLElement::GetAttributeText(element, name, text))
        return false;
    if (text == "slope")
        isSlope = true;
    else if (text == "vertical distance")
        isSlope = false;
    else
        return false;
    return true;
}

const char* const kCategories[] = {"road surface", "road subsurface", "road shoulder", "road foreSlope",
                                   "road backSlope", "road curb-gutter", "bridge surface", "sidewalk",
                                   "ground", "ditch", "wall", "channel"};

} // namespace

bool CLandXMLZoneWidth::Validate(pugi::xml_node element)
{
    return IsTag(element, "ZoneWidth") && RequiredNumber(element, "staStart", staStart)
        && RequiredNumber(element, "staEnd", staEnd) && RequiredNumber(element, "startWidth", startWidth);
}

bool CLandXMLZoneSlope::Validate(pugi::xml_node element)
{
    return IsTag(element, "ZoneSlope") && RequiredNumber(element, "staStart", staStart)
        && RequiredNumber(element, "staEnd", staEnd) && RequiredNumber(element, "endVertValue", endVertValue)
        && VerticalType(element, "endVertType", endValueIsSlope);
}

CLandXMLZone::~CLandXMLZone()
{
    CLandXMLZone::Reset();
}

void CLandXMLZone::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_widths.clear();
    m_slopes.clear();
}

bool CLandXMLZone::Validate(pugi::xml_node element)
{
    if (!IsTag(element, "Zone"))
        return false;
    if (!RequiredNumber(element, "staStart", staStart) || !RequiredNumber(element, "startWidth", startWidth)
        || !RequiredNumber(element, "startVertValue", startVertValue)
        || !VerticalType(element, "startVertType", startValueIsSlope))
        return false;
    double value = 0.0;
    if (!RequiredNumber(element, "priority", value))
        return false;
    // Truncated toward zero, and kept within the integer's range.
    const double truncated = std::trunc(value);
    if (truncated >= 2147483647.0)
        priority = std::numeric_limits<int32_t>::max();
    else if (truncated <= -2147483648.0)
        priority = std::numeric_limits<int32_t>::min();
    else
        priority = static_cast<int32_t>(truncated);
    std::string text;
    if (!GetAttributeText(element, "category", text))
        return false;
    bool known = false;
    for (const char* c : kCategories)
        known = known || text == c;
    if (!known)
        return false;
    category = text;
    staEnd = NoValue;
    double end = 0.0;
    if (GetAttributeDouble(element, "staEnd", end))
        staEnd = end;
    return true;
}

bool CLandXMLZone::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        const std::string tag = GetTagName(child);
        if (tag == "Feature") {
            if (!ReadFeature(child, document))
                return false;
        } else if (tag == "ZoneWidth") {
            m_widths.push_back(std::make_unique<CLandXMLZoneWidth>());
            if (!m_widths.back()->Read(child, document))
                return false;
        } else if (tag == "ZoneSlope") {
            m_slopes.push_back(std::make_unique<CLandXMLZoneSlope>());
            if (!m_slopes.back()->Read(child, document))
                return false;
        }
    }
    return true;
}

CLandXMLZones::~CLandXMLZones()
{
    CLandXMLZones::Reset();
}

void CLandXMLZones::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_zones.clear();
}

bool CLandXMLZones::Validate(pugi::xml_node element)
{
    std::string side;
    if (!IsTag(element, "Zones") || !GetAttributeText(element, "side", side))
        return false;
    if (side == "left")
        m_side = kLeft;
    else if (side == "right")
        m_side = kRight;
    else if (side == "both")
        m_side = kBoth;
    else
        return false;
    return true;
}

bool CLandXMLZones::Read(pugi::xml_node element, CLandXML* document)
{
    if (!ReadFeaturesAndChildren(element, document, "Zone", m_zones))
        return false;
    if (m_zones.empty())
        RaiseError(landxml::FormatText("%s is empty.", {"'Zones'"}));
    return true;
}
