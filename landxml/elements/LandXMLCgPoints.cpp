#include "landxml/elements/LandXMLCgPoints.h"

#include "landxml/LandXML.h"
#include "landxml/LandXMLText.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "landxml/elements/LandXMLFeature.h"

CLandXMLCgPoints::~CLandXMLCgPoints()
{
    CLandXMLCgPoints::Reset();
}

bool CLandXMLCgPoints::Validate(pugi::xml_node element)
{
    return IsTag(element, "CgPoints");
}

void CLandXMLCgPoints::Reset()
{
    CXMLElementWithFeatures::Reset();
    m_points.clear();
    m_groups.clear();
}

bool CLandXMLCgPoints::Read(pugi::xml_node element, CLandXML* document)
{
    CReadNestingGuard guard(*this, element, "'%s' elements are nested deeper than 256 levels.", "CgPoints");
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    // The point after the current one and its name, read early to start fetching its index slot.
    pugi::xml_node ahead;
    std::string_view aheadName;
    uint64_t aheadHash = 0;
    while (GetNextChildElement(child)) {
        // Points are nearly every child: asked first, they spare the other tags' comparisons.
        // The point read ahead was already found to be one.
        const bool isPoint = (child == ahead && !ahead.empty()) || IsTag(child, "CgPoint");
        if (!isPoint && IsTag(child, "Feature")) {
            if (!ReadFeature(child, document))
                return false;
        } else if (!isPoint && IsTag(child, "CgPoints")) {
            m_groups.push_back(std::make_unique<CLandXMLCgPoints>());
            if (!m_groups.back()->Read(child, document))
                return false;
        } else if (isPoint) {
            // A view of the document's own text: the name is copied once, into the point.
            const bool readAhead = child == ahead && !ahead.empty();
            const std::string_view name = readAhead ? aheadName : child.attribute("name").value();
            // The name's index hash, worked out once for the lookup and the registration.
            const uint64_t hash =
                readAhead ? aheadHash : document != nullptr ? CLandXML::HashCgPointName(name) : 0;
            if (document != nullptr) {
                ahead = child.next_sibling();
                if (IsTag(ahead, "CgPoint")) {
                    aheadName = ahead.attribute("name").value();
                    aheadHash = document->PrefetchCgPointName(aheadName);
                } else {
                    ahead = pugi::xml_node();
                }
            }
            bool free = false;
            if (!name.empty() && document != nullptr) {
                if (CLandXMLCgPoint* known = document->FindRegisteredCgPoint(name, hash)) {
                    // Read earlier because a reference named it: the same object, not read twice.
                    if (!known->IsSameElement(child))
                        RaiseErrorAtNode(
                            landxml::FormatText("Two or more 'CgPoint' objects are using the same name %s.", {name}),
                            child);
                    m_points.push_back(known);
                    continue;
                }
                free = true;
            }
            CLandXMLCgPoint* point = document != nullptr ? document->NewCgPoint() : nullptr;
            if (point == nullptr)
                continue; // a group read on its own has nobody to own its points
            m_points.push_back(point);
            if (free)
                point->SetNameKnownFree(name, hash);
            if (!point->Read(child, document))
                return false;
        }
    }
    return true;
}

int CLandXMLCgPoints::CountPoints() const
{
    int count = static_cast<int>(m_points.size());
    for (const auto& group : m_groups)
        count += group->CountPoints();
    return count;
}
