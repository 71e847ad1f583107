#include "landxml/elements/LandXMLCgPoint.h"

#include "landxml/LandXML.h"
#include "landxml/LandXMLText.h"

namespace {

// Whether an attribute's name is exactly the literal; compared inline, since names are short and
// this runs for every attribute of every point.
bool IsKey(const char* key, const char* literal)
{
    while (*literal != '\0' && *key == *literal) {
        ++key;
        ++literal;
    }
    return *key == *literal;
}

// An attribute's text as the parser gives it, "" for an absent one.
const char* TextOf(const char* found)
{
    return found != nullptr ? found : "";
}

// The code of a pntSurv text, kSurveyNone for an empty one; false for a text that is none of them.
bool SurveyCode(std::string_view survey, int& code)
{
    code = CLandXMLCgPoint::kSurveyNone;
    if (survey.empty())
        return true;
    if (survey == "monument")
        code = CLandXMLCgPoint::kSurveyMonument;
    else if (survey == "control")
        code = CLandXMLCgPoint::kSurveyControl;
    else if (survey == "sideShot")
        code = CLandXMLCgPoint::kSurveySideShot;
    else
        return false;
    return true;
}

} // namespace

CLandXMLCgPoint::CLandXMLCgPoint() : CLandXMLPointType("CgPoint") {}

void CLandXMLCgPoint::FindAttributes(pugi::xml_node element, Attributes& found)
{
    // One walk over the attributes instead of a search for each; the first of a name counts, as
    // a search would find it.
    found = Attributes();
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
        const char* key = attribute.name();
        switch (key[0]) {
        case 'n':
            if (found.name == nullptr && IsKey(key, "name"))
                found.name = attribute.value();
            break;
        case 'p':
            if (found.survey == nullptr && IsKey(key, "pntSurv"))
                found.survey = attribute.value();
            else if (found.pntRef == nullptr && IsKey(key, "pntRef"))
                found.pntRef = attribute.value();
            break;
        case 'd':
            if (found.desc == nullptr && IsKey(key, "desc"))
                found.desc = attribute.value();
            break;
        case 'c':
            if (found.code == nullptr && IsKey(key, "code"))
                found.code = attribute.value();
            break;
        default: break;
        }
    }
}

bool CLandXMLCgPoint::Validate(pugi::xml_node element)
{
    Attributes found;
    FindAttributes(element, found);
    m_desc = TextOf(found.desc);
    m_code = TextOf(found.code);
    const bool tagKnown = m_nameKnownFree;
    if (!m_nameKnownFree) {
        const std::string_view name = TextOf(found.name);
        if (!name.empty() && m_document != nullptr && m_document->FindCgPoint(name, false) != nullptr)
            RaiseErrorAtNode(landxml::FormatText("There are at least two 'CgPoint' elements with name %s", {name}),
                             element);
        m_name.assign(name);
    }
    m_nameKnownFree = false;
    if (!SurveyCode(TextOf(found.survey), m_survey))
        return false;
    return tagKnown || IsTag(element, "CgPoint");
}

bool CLandXMLCgPoint::Read(pugi::xml_node element, CLandXML* document)
{
    // While its reference is resolved the point is pending: a chain of references that comes back
    // to it is a cycle, not a point to read afresh.
    CLandXML::PendingPointScope pending(document, *this, element);
    if (!CLandXMLPointType::Read(element, document)) {
        if (m_name.empty())
            RaiseError("'CgPoint' element contains neither valid coordinates nor a 'pntRef'.");
        RaiseError(landxml::FormatText("Point %s contains neither valid coordinates nor a 'pntRef'.", {m_name}));
    }
    if (document == nullptr)
        return true;
    if (m_name.empty())
        return document->AddUnnamedCgPoint(this);
    return document->AddNamedCgPoint(m_name, this);
}

bool CLandXMLCgPoint::ReadPlain(pugi::xml_node element, CLandXML* document, const Attributes& attributes,
                                std::string_view name, uint64_t hash)
{
    // Everything is checked before the point changes, so that any other point can still take the
    // full reading and its messages.
    if (attributes.pntRef != nullptr && attributes.pntRef[0] != '\0')
        return false;
    int survey = kSurveyNone;
    if (!SurveyCode(TextOf(attributes.survey), survey))
        return false;
    double x, y, z;
    std::string storage;
    if (!ParseCoordinates(GetTextView(element, storage), x, y, z))
        return false;
    Bind(element, document);
    SetOwnCoordinates(x, y, z);
    m_desc = TextOf(attributes.desc);
    m_code = TextOf(attributes.code);
    m_survey = survey;
    m_name.assign(name);
    m_nameKnownFree = false;
    document->AddNamedCgPoint(m_name, this, hash);
    return true;
}
