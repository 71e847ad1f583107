#include "landxml/elements/LandXMLCoordGeom.h"

#include "core/NoValue.h"
#include "landxml/LandXMLText.h"

#include <cmath>

namespace {

constexpr double kContinuityTolerance = 0.0001;

std::unique_ptr<CLandXMLCoordGeomComponent> NewComponent(const std::string& tag)
{
    if (tag == "Line")
        return std::make_unique<CLandXMLCoordGeomLine>();
    if (tag == "IrregularLine")
        return std::make_unique<CLandXMLCoordGeomIrreLine>();
    if (tag == "Curve")
        return std::make_unique<CLandXMLCoordGeomCurve>();
    if (tag == "Spiral")
        return std::make_unique<CLandXMLCoordGeomSpiral>();
    if (tag == "Chain")
        return std::make_unique<CLandXMLCoordGeomChain>();
    return nullptr;
}

} // namespace

CLandXMLCoordGeom::~CLandXMLCoordGeom()
{
    CLandXMLCoordGeom::Reset();
}

void CLandXMLCoordGeom::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_components.clear();
}

bool CLandXMLCoordGeom::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    double previousX = NoValue;
    double previousY = NoValue;
    ResetChildIteration();
    pugi::xml_node child;
    while (GetNextChildElement(child)) {
        const std::string tag = GetTagName(child);
        if (tag == "Feature") {
            if (!ReadFeature(child, document))
                return false;
            continue;
        }
        std::unique_ptr<CLandXMLCoordGeomComponent> component = NewComponent(tag);
        if (component == nullptr)
            continue;
        m_components.push_back(std::move(component));
        CLandXMLCoordGeomComponent& segment = *m_components.back();
        if (!segment.Read(child, document))
            return false;
        // A segment whose start cannot be worked out (an arc whose missing start cannot be
        // constructed, a chain without names) is not compared; nor is the segment after one
        // whose end is unknown.
        double x, y, z;
        if (previousX > NoValueLimit && segment.GetStart(x, y, z, 1.0)
            && (std::fabs(x - previousX) >= kContinuityTolerance || std::fabs(y - previousY) >= kContinuityTolerance))
            RaiseError("The segments defined in 'CoordGeom' element are discontinuous.");
        if (segment.GetEnd(x, y, z, 1.0)) {
            previousX = x;
            previousY = y;
        } else {
            previousX = previousY = NoValue;
        }
    }
    if (m_components.empty())
        RaiseError(landxml::FormatText("%s is empty.", {"'CoordGeom'"}));
    return true;
}

bool CLandXMLCoordGeom::AreAllDefinedByPointRefs() const
{
    for (const auto& component : m_components)
        if (!component->IsDefinedByPointRefs())
            return false;
    return true;
}
