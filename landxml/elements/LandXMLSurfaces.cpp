#include "landxml/elements/LandXMLSurfaces.h"

#include "core/DecimalText.h"
#include "core/Parser.h"
#include "landxml/LandXMLText.h"

#include <cmath>

namespace {

std::string InvalidChild(const char* parent, const char* child)
{
    return landxml::FormatText("'%s' contains an invalid %s element.", {parent, child});
}

std::string NoValidChild(const char* parent, const char* child)
{
    return landxml::FormatText("%s contains no valid %s element.", {parent, child});
}

} // namespace

// ---- P

bool CLandXMLSurfaceP::Validate(pugi::xml_node element)
{
    if (!CLandXMLPointType::Validate(element))
        return false;
    double id = 0.0;
    if (!GetAttributeDouble(element, "id", id))
        return false;
    // A whole number that a 32-bit id can hold.
    if (!(id >= -2147483648.0 && id <= 2147483647.0) || std::trunc(id) != id)
        return false;
    m_id = static_cast<int32_t>(id);
    return true;
}

// ---- F

bool CLandXMLSurfaceF::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    // Single blanks separate, as stored files were written; two in a row give an empty token,
    // which is not a number.
    CParser parser(GetText(), " ", false);
    m_indices = {-1, -1, -1, -1};
    int count = 0;
    std::string token;
    while (parser.GetNextToken(token)) {
        double value = 0.0;
        if (!ReadDecimalDouble(token, value))
            break;
        if (count < 4) {
            const double truncated = std::trunc(value);
            m_indices[count] = truncated >= -2147483648.0 && truncated <= 2147483647.0 ? static_cast<int32_t>(truncated) : -1;
        }
        ++count;
        if (count > 4)
            break;
    }
    if (count < 3 || count > 4)
        RaiseErrorAtNode("'F' contains a list shorter than 3 or longer than 4.", GetElement());
    m_count = count;
    return true;
}

// ---- Pnts

CLandXMLSurfacePnts::~CLandXMLSurfacePnts()
{
    CLandXMLSurfacePnts::Reset();
}

void CLandXMLSurfacePnts::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_points.clear();
}

bool CLandXMLSurfacePnts::Read(pugi::xml_node element, CLandXML* document)
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
        } else if (tag == "P") {
            m_points.push_back(std::make_unique<CLandXMLSurfaceP>());
            if (!m_points.back()->Read(child, document))
                return false;
        }
    }
    if (m_points.size() < 3)
        RaiseErrorAtNode(landxml::FormatText("%s has fewer than %d %s elements.", {"'Pnts'", "3", "'P'"}), GetElement());
    return true;
}

// ---- Faces

CLandXMLSurfaceFaces::~CLandXMLSurfaceFaces()
{
    CLandXMLSurfaceFaces::Reset();
}

void CLandXMLSurfaceFaces::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_faces.clear();
}

bool CLandXMLSurfaceFaces::Read(pugi::xml_node element, CLandXML* document)
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
        } else if (tag == "F") {
            m_faces.push_back(std::make_unique<CLandXMLSurfaceF>());
            if (!m_faces.back()->Read(child, document))
                return false;
        }
    }
    if (m_faces.empty())
        RaiseErrorAtNode(landxml::FormatText("%s contains no %s element.", {"'Faces'", "'F'"}), GetElement());
    return true;
}

// ---- Definition

CLandXMLSurfaceDefinition::~CLandXMLSurfaceDefinition()
{
    CLandXMLSurfaceDefinition::Reset();
}

bool CLandXMLSurfaceDefinition::Validate(pugi::xml_node element)
{
    std::string type;
    return GetTagName(element) == "Definition" && GetAttributeText(element, "surfType", type)
        && (type == "TIN" || type == "grid");
}

void CLandXMLSurfaceDefinition::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_facesGroups.clear();
    m_points.Reset();
}

bool CLandXMLSurfaceDefinition::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    const pugi::xml_node points = SelectSingleElement("Pnts");
    if (points.empty() || !m_points.Read(points, document))
        RaiseErrorAtNode(NoValidChild("'Definition'", "'Pnts'"), GetElement());
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        if (GetTagName(child) != "Faces")
            continue;
        m_facesGroups.push_back(std::make_unique<CLandXMLSurfaceFaces>());
        if (!m_facesGroups.back()->Read(child, document))
            RaiseErrorAtNode(InvalidChild("Definition", "'Faces'"), GetElement());
    }
    std::string type;
    GetAttributeText("surfType", type);
    m_surfaceType = type == "TIN" ? kTIN : kGrid;
    return true;
}

// ---- Surface

CLandXMLSurface::~CLandXMLSurface()
{
    CLandXMLSurface::Reset();
}

bool CLandXMLSurface::Validate(pugi::xml_node element)
{
    std::string name;
    return GetTagName(element) == "Surface" && GetAttributeText(element, "name", name);
}

void CLandXMLSurface::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_sourceData.Reset();
    m_definition.Reset();
    m_watersheds.Reset();
    m_name.clear();
}

bool CLandXMLSurface::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    GetAttributeText("name", m_name);
    struct Part
    {
        const char* tag;
        const char* quoted;
        CXMLElement* member;
    };
    const Part parts[] = {{"SourceData", "'SourceData'", &m_sourceData},
                          {"Definition", "'Definition'", &m_definition},
                          {"Watersheds", "'Watersheds'", &m_watersheds}};
    for (const Part& part : parts) {
        const pugi::xml_node child = SelectSingleElement(part.tag);
        if (!child.empty() && !part.member->Read(child, document))
            RaiseErrorAtNode(NoValidChild("'Surface'", part.quoted), GetElement());
    }
    return true;
}

// ---- Surfaces

CLandXMLSurfaces::~CLandXMLSurfaces()
{
    CLandXMLSurfaces::Reset();
}

void CLandXMLSurfaces::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_surfaces.clear();
}

bool CLandXMLSurfaces::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        if (GetTagName(child) != "Surface")
            continue;
        m_surfaces.push_back(std::make_unique<CLandXMLSurface>());
        if (!m_surfaces.back()->Read(child, document))
            RaiseErrorAtNode(InvalidChild("Surfaces", "'Surface'"), GetElement());
    }
    return true;
}
