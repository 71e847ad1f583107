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
            if (!found.name && IsKey(key, "name"))
                found.name = attribute;
            break;
        case 'p':
            if (!found.survey && IsKey(key, "pntSurv"))
                found.survey = attribute;
            else if (!found.pntRef && IsKey(key, "pntRef"))
                found.pntRef = attribute;
            break;
        case 'd':
            if (!found.desc && IsKey(key, "desc"))
                found.desc = attribute;
            break;
        case 'c':
            if (!found.code && IsKey(key, "code"))
                found.code = attribute;
            break;
        default: break;
        }
    }
}

bool CLandXMLCgPoint::Validate(pugi::xml_node element)
{
    Attributes found;
    FindAttributes(element, found);
    m_desc = found.desc.value();
    m_code = found.code.value();
    const bool tagKnown = m_nameKnownFree;
    if (!m_nameKnownFree) {
        const std::string_view name = found.name.value();
        if (!name.empty() && m_document != nullptr && m_document->FindCgPoint(name, false) != nullptr)
            RaiseErrorAtNode(landxml::FormatText("There are at least two 'CgPoint' elements with name %s", {name}),
                             element);
        m_name.assign(name);
    }
    m_nameKnownFree = false;
    if (!SurveyCode(found.survey.value(), m_survey))
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
    if (attributes.pntRef && attributes.pntRef.value()[0] != '\0')
        return false;
    int survey = kSurveyNone;
    if (!SurveyCode(attributes.survey.value(), survey))
        return false;
    double x, y, z;
    std::string storage;
    if (!ParseCoordinates(GetTextView(element, storage), x, y, z))
        return false;
    Bind(element, document);
    SetOwnCoordinates(x, y, z);
    m_desc = attributes.desc.value();
    m_code = attributes.code.value();
    m_survey = survey;
    m_name.assign(name);
    m_nameKnownFree = false;
    document->AddNamedCgPoint(m_name, this, hash);
    return true;
}
