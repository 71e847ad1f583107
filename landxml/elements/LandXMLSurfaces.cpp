#include "landxml/elements/LandXMLSurfaces.h"

#include "landxml/LandXMLText.h"

#include <cmath>

namespace {

std::string InvalidChild(const char* parent, const char* child)
{
    return landxml::FormatText("'%s' contains an invalid %s element.", {parent, child});
}

// Room for every child: at least as many as there are children of the one tag, found without
// comparing names.
std::size_t CountChildren(pugi::xml_node element)
{
    return static_cast<std::size_t>(CXMLElement::GetChildCount(element));
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
    double values[4];
    std::string storage;
    const int count = landxml::ReadBlankSeparatedNumbers(GetTextView(GetElement(), storage), values, 4);
    m_indices = {-1, -1, -1, -1};
    for (int i = 0; i < count && i < 4; ++i) {
        const double truncated = std::trunc(values[i]);
        m_indices[i] = truncated >= -2147483648.0 && truncated <= 2147483647.0 ? static_cast<int32_t>(truncated) : -1;
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
    m_points.reset();
    m_count = 0;
}

bool CLandXMLSurfacePnts::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    m_points = std::make_unique<CLandXMLSurfaceP[]>(CountChildren(GetElement()));
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        if (IsTag(child, "P")) {
            if (!m_points[m_count++].Read(child, document))
                return false;
        } else if (IsTag(child, "Feature")) {
            if (!ReadFeature(child, document))
                return false;
        }
    }
    if (m_count < 3)
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
    m_faces.reset();
    m_count = 0;
}

bool CLandXMLSurfaceFaces::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    m_faces = std::make_unique<CLandXMLSurfaceF[]>(CountChildren(GetElement()));
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        if (IsTag(child, "F")) {
            if (!m_faces[m_count++].Read(child, document))
                return false;
        } else if (IsTag(child, "Feature")) {
            if (!ReadFeature(child, document))
                return false;
        }
    }
    if (m_count == 0)
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
    return IsTag(element, "Definition") && GetAttributeText(element, "surfType", type)
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
    return IsTag(element, "Surface") && GetAttributeText(element, "name", name);
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
    struct Child
    {
        const char* tag;
        const char* quoted;
        CXMLElement* member;
    };
    const Child children[] = {{"SourceData", "'SourceData'", &m_sourceData},
                          {"Definition", "'Definition'", &m_definition},
                          {"Watersheds", "'Watersheds'", &m_watersheds}};
    for (const Child& part : children) {
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
