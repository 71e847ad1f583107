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
    // The point after the current one and its attributes, read early to start fetching its
    // name's index slot; each point's attributes are walked once.
    pugi::xml_node ahead;
    CLandXMLCgPoint::Attributes current, aheadAttributes;
    std::string_view aheadName;
    uint64_t aheadHash = 0;
    while (GetNextChildElement(child)) {
        // Points are nearly every child: asked first, they spare the other tags' comparisons.
        // The point read ahead was already found to be one.
        const bool readAhead = child == ahead && !ahead.empty();
        const bool isPoint = readAhead || IsTag(child, "CgPoint");
        if (!isPoint && IsTag(child, "Feature")) {
            if (!ReadFeature(child, document))
                return false;
        } else if (!isPoint && IsTag(child, "CgPoints")) {
            m_groups.push_back(std::make_unique<CLandXMLCgPoints>());
            if (!m_groups.back()->Read(child, document))
                return false;
        } else if (isPoint) {
            if (document == nullptr)
                continue; // a group read on its own has nobody to own its points
            if (readAhead)
                current = aheadAttributes;
            else
                CLandXMLCgPoint::FindAttributes(child, current);
            // A view of the document's own text: the name is copied once, into the point.
            const std::string_view name = readAhead ? aheadName : current.name != nullptr ? current.name : "";
            // The name's index hash, worked out once for the lookup and the registration.
            const uint64_t hash = readAhead ? aheadHash : CLandXML::HashCgPointName(name);
            ahead = child.next_sibling();
            if (IsTag(ahead, "CgPoint")) {
                CLandXMLCgPoint::FindAttributes(ahead, aheadAttributes);
                aheadName = aheadAttributes.name != nullptr ? aheadAttributes.name : "";
                aheadHash = document->PrefetchCgPointName(aheadName);
            } else {
                ahead = pugi::xml_node();
            }
            bool free = false;
            if (!name.empty()) {
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
            CLandXMLCgPoint* point = document->NewCgPoint();
            m_points.push_back(point);
            if (free) {
                // The usual point, plain coordinates under a new name, is read in one pass.
                if (point->ReadPlain(child, document, current, name, hash))
                    continue;
                point->SetNameKnownFree(name);
            }
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
