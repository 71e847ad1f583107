#include "landxml/elements/LandXMLCoordGeomComponent.h"

#include "core/ArcGeometry.h"
#include "core/Geometry.h"
#include "core/NoValue.h"
#include "landxml/LandXML.h"
#include "landxml/LandXMLText.h"
#include "landxml/elements/LandXMLCgPoint.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// The names of a chain's text, split at runs of white space.
std::vector<std::string> SplitNames(const std::string& text)
{
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && landxml::IsXmlSpace(text[i]))
            ++i;
        std::size_t end = i;
        while (end < text.size() && !landxml::IsXmlSpace(text[end]))
            ++end;
        if (end > i)
            names.push_back(text.substr(i, end - i));
        i = end;
    }
    return names;
}

bool IsRotation(const std::string& text)
{
    return text == "cw" || text == "ccw";
}

} // namespace

// ---- Component base

bool CLandXMLCoordGeomComponent::GetChildPoint(const char* tag, CLandXMLPointType& point) const
{
    const pugi::xml_node child = GetElement().child(tag);
    if (child.empty() || !point.Read(child, m_document)) {
        point.Reset();
        return false;
    }
    return true;
}

void CLandXMLCoordGeomComponent::Reset()
{
    CXMLElementWithFeatures::Reset();
    for (KnownPoint& known : m_known)
        known = KnownPoint();
}

bool CLandXMLCoordGeomComponent::GetChildCoordinates(const char* tag, double& x, double& y, double& z,
                                                     double scale) const
{
    static const char* const kTags[] = {"Start", "End", "Center", "PI"};
    int slot = 0;
    while (slot < 4 && std::strcmp(kTags[slot], tag) != 0)
        ++slot;
    if (slot == 4) {
        CLandXMLPointType point(tag);
        return GetChildPoint(tag, point) && point.GetCoordinates(x, y, z, scale);
    }
    KnownPoint& known = m_known[slot];
    if (!known.known) {
        CLandXMLPointType point(kTags[slot]);
        known.found = GetChildPoint(kTags[slot], point) && point.GetCoordinates(known.x, known.y, known.z, 1.0);
        known.known = true;
    }
    if (!known.found)
        return false;
    x = known.x * scale;
    y = known.y * scale;
    z = known.z > NoValueLimit ? known.z * scale : known.z;
    return true;
}

bool CLandXMLCoordGeomComponent::GetStart(double& x, double& y, double& z, double scale) const
{
    return GetChildCoordinates("Start", x, y, z, scale);
}

bool CLandXMLCoordGeomComponent::GetEnd(double& x, double& y, double& z, double scale) const
{
    return GetChildCoordinates("End", x, y, z, scale);
}

bool CLandXMLCoordGeomComponent::GetCenter(double& x, double& y, double& z, double scale) const
{
    return GetChildCoordinates("Center", x, y, z, scale);
}

bool CLandXMLCoordGeomComponent::GetPI(double& x, double& y, double& z, double scale) const
{
    return GetChildCoordinates("PI", x, y, z, scale);
}

bool CLandXMLCoordGeomComponent::IsDefinedByPointRefs() const
{
    for (const char* tag : {"Start", "End"}) {
        CLandXMLPointType point(tag);
        if (!GetChildPoint(tag, point) || !point.HasValidReference())
            return false;
        CLocation own;
        CLocation referenced;
        if (!point.GetCoordinates(own.x, own.y, own.z, 1.0)
            || !point.GetReferencedCoordinates(referenced.x, referenced.y, referenced.z, 1.0)
            || !own.IsEqual(referenced))
            return false;
    }
    return true;
}

void CLandXMLCoordGeomComponent::RequireStartAndEnd()
{
    for (const char* tag : {"Start", "End"}) {
        double x, y, z;
        if (!GetChildCoordinates(tag, x, y, z, 1.0))
            RaiseError(landxml::FormatText("%s contains no valid %s element.",
                                           {GetTagName(), std::string("'") + tag + "'"}));
    }
}

// ---- Line

bool CLandXMLCoordGeomLine::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    RequireStartAndEnd();
    return true;
}

// ---- IrregularLine

CLandXMLCoordGeomIrreLine::~CLandXMLCoordGeomIrreLine()
{
    CLandXMLCoordGeomIrreLine::Reset();
}

void CLandXMLCoordGeomIrreLine::Reset()
{
    CLandXMLCoordGeomComponent::Reset();
    m_pointList.reset();
}

bool CLandXMLCoordGeomIrreLine::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    RequireStartAndEnd();
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        const std::string tag = GetTagName(child);
        std::unique_ptr<CLandXMLPnt2DList> list;
        if (tag == "PntList2D")
            list = std::make_unique<CLandXMLPnt2DList>();
        else if (tag == "PntList3D")
            list = std::make_unique<CLandXMLPnt3DList>();
        else
            continue;
        if (!list->Read(child, document))
            return false;
        m_pointList = std::move(list);
        ResetChildIteration();
        break;
    }
    if (m_pointList == nullptr)
        RaiseError(landxml::FormatText("%s contains no valid %s element.", {"'IrregularLine'", "'PntList2D' or 'PntList3D'"}));
    return true;
}

// ---- Curve

bool CLandXMLCoordGeomCurve::Validate(pugi::xml_node element)
{
    if (!IsTag(element, "Curve"))
        return false;
    std::string rot;
    if (!GetAttributeText(element, "rot", rot) || !IsRotation(rot))
        return false;
    int present = 0;
    for (const char* tag : {"Start", "End", "Center", "PI"})
        if (element.child(tag))
            ++present;
    if (present < 3)
        RaiseErrorAtNode(landxml::FormatText("Fail to validate element '%s'.", {"Curve"}), element);
    return true;
}

bool CLandXMLCoordGeomCurve::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    int readable = 0;
    for (const char* tag : {"Start", "End", "Center", "PI"}) {
        double x, y, z;
        if (GetChildCoordinates(tag, x, y, z, 1.0))
            ++readable;
    }
    if (readable < 3)
        RaiseError(landxml::FormatText("Fail to validate element '%s'.", {"Curve"}));
    return true;
}

// A missing point is computed from the other three as written: reading guarantees that at most
// one of the four is missing, and the written ones never need a construction of their own.
bool CLandXMLCoordGeomCurve::GetStart(double& x, double& y, double& z, double scale) const
{
    if (CLandXMLCoordGeomComponent::GetStart(x, y, z, scale))
        return true;
    CLocation pi, end, center;
    if (!CLandXMLCoordGeomComponent::GetPI(pi.x, pi.y, pi.z, scale)
        || !CLandXMLCoordGeomComponent::GetEnd(end.x, end.y, end.z, scale)
        || !CLandXMLCoordGeomComponent::GetCenter(center.x, center.y, center.z, scale)
        || !ArcStartFromEnd(x, y, pi, end, center))
        return false;
    z = NoValue;
    return true;
}

bool CLandXMLCoordGeomCurve::GetEnd(double& x, double& y, double& z, double scale) const
{
    if (CLandXMLCoordGeomComponent::GetEnd(x, y, z, scale))
        return true;
    CLocation pi, start, center;
    if (!CLandXMLCoordGeomComponent::GetPI(pi.x, pi.y, pi.z, scale)
        || !CLandXMLCoordGeomComponent::GetStart(start.x, start.y, start.z, scale)
        || !CLandXMLCoordGeomComponent::GetCenter(center.x, center.y, center.z, scale)
        || !ArcEndFromStart(x, y, pi, start, center))
        return false;
    z = NoValue;
    return true;
}

bool CLandXMLCoordGeomCurve::GetCenter(double& x, double& y, double& z, double scale) const
{
    if (CLandXMLCoordGeomComponent::GetCenter(x, y, z, scale))
        return true;
    CLocation pi, start, end;
    if (!CLandXMLCoordGeomComponent::GetPI(pi.x, pi.y, pi.z, scale)
        || !CLandXMLCoordGeomComponent::GetStart(start.x, start.y, start.z, scale)
        || !CLandXMLCoordGeomComponent::GetEnd(end.x, end.y, end.z, scale)
        || !ArcCenterFromPI(x, y, pi, start, end))
        return false;
    z = NoValue;
    return true;
}

bool CLandXMLCoordGeomCurve::GetPI(double& x, double& y, double& z, double scale) const
{
    if (CLandXMLCoordGeomComponent::GetPI(x, y, z, scale))
        return true;
    CLocation start, end, center;
    if (!CLandXMLCoordGeomComponent::GetStart(start.x, start.y, start.z, scale)
        || !CLandXMLCoordGeomComponent::GetEnd(end.x, end.y, end.z, scale)
        || !CLandXMLCoordGeomComponent::GetCenter(center.x, center.y, center.z, scale)
        || !ArcPIFromEnds(x, y, start, end, center))
        return false;
    z = NoValue;
    return true;
}

bool CLandXMLCoordGeomCurve::GetCurveParameters(bool& counterClockwise, double& centralAngle, double& radius,
                                                double scale) const
{
    CLocation start, end, center;
    if (!GetStart(start.x, start.y, start.z, scale) || !GetEnd(end.x, end.y, end.z, scale)
        || !GetCenter(center.x, center.y, center.z, scale))
        return false;
    std::string rot;
    GetAttributeText("rot", rot);
    counterClockwise = rot == "ccw";

    double unused;
    const double r1 = DistanceDirectionXY(start.x, start.y, center.x, center.y, &unused);
    const double r2 = DistanceDirectionXY(end.x, end.y, center.x, center.y, &unused);
    if (std::fabs(r1 - r2) >= LengthTolerance)
        return false;
    const double r = (r1 + r2) / 2;
    if (r < LengthTolerance)
        return false;
    double delta;
    if (!AngleAtMiddlePoint(start.x, start.y, center.x, center.y, end.x, end.y, &delta))
        return false;
    constexpr double kTwoPi = 2 * std::numbers::pi;
    delta = std::fmod(delta, kTwoPi);
    if (delta < 0)
        delta += kTwoPi;
    if (delta > std::numbers::pi)
        delta = kTwoPi - delta;
    // The centre on the left of the chord means the short way turns counter-clockwise; a curve
    // that turns the other way goes the long way round.
    if (IsLeftOf(center.x, center.y, start.x, start.y, end.x, end.y) != counterClockwise)
        delta = kTwoPi - delta;
    centralAngle = delta;
    radius = r;
    return true;
}

// ---- Spiral

bool CLandXMLCoordGeomSpiral::Validate(pugi::xml_node element)
{
    if (!IsTag(element, "Spiral"))
        return false;
    double length = 0.0;
    if (!GetAttributeDouble(element, "length", length) || !(length > 0))
        return false;
    for (const char* name : {"radiusEnd", "radiusStart"}) {
        double radius = 0.0;
        std::string text;
        bool empty = true;
        if (!GetAttributeDouble(element, name, radius, text, empty))
            return false;
        if (!empty ? !(radius > 0) : text != "INF")
            return false;
    }
    std::string text;
    if (!GetAttributeText(element, "rot", text) || !IsRotation(text))
        return false;
    if (!GetAttributeText(element, "spiType", text))
        return false;
    for (const char* type : {"biquadratic", "bloss", "clothoid", "cosine", "sinusoid", "revBiquadratic", "revBloss",
                             "revCosine", "revSinusoid"})
        if (text == type)
            return true;
    return false;
}

bool CLandXMLCoordGeomSpiral::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    RequireStartAndEnd();
    double x, y, z;
    if (!CLandXMLCoordGeomComponent::GetPI(x, y, z, 1.0))
        RaiseError(landxml::FormatText("%s contains no valid %s element.", {"'Spiral'", "'PI'"}));
    return true;
}

// ---- Chain

bool CLandXMLCoordGeomChain::Validate(pugi::xml_node element)
{
    if (!IsTag(element, "Chain") || m_document == nullptr)
        return false;
    for (const std::string& name : SplitNames(GetText(element)))
        if (!m_document->HasCgPointElement(name))
            return false;
    return true;
}

bool CLandXMLCoordGeomChain::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    m_names = SplitNames(GetText());
    m_next = 0;
    return true;
}

void CLandXMLCoordGeomChain::Reset()
{
    CLandXMLCoordGeomComponent::Reset();
    m_names.clear();
    m_next = 0;
}

bool CLandXMLCoordGeomChain::GetNamedPoint(const std::string& name, double& x, double& y, double& z,
                                           double scale) const
{
    CLandXMLCgPoint* point = m_document != nullptr ? m_document->FindCgPoint(name, true) : nullptr;
    if (point == nullptr)
        const_cast<CLandXMLCoordGeomChain*>(this)->RaiseError(landxml::FormatText("Point %s does not exist.", {name}));
    return point->GetCoordinates(x, y, z, scale);
}

bool CLandXMLCoordGeomChain::GetStart(double& x, double& y, double& z, double scale) const
{
    return !m_names.empty() && GetNamedPoint(m_names.front(), x, y, z, scale);
}

bool CLandXMLCoordGeomChain::GetEnd(double& x, double& y, double& z, double scale) const
{
    return !m_names.empty() && GetNamedPoint(m_names.back(), x, y, z, scale);
}

CLandXMLCgPoint* CLandXMLCoordGeomChain::GetNextChainPoint()
{
    if (m_next >= m_names.size() || m_document == nullptr)
        return nullptr;
    return m_document->FindCgPoint(m_names[m_next++], true);
}
