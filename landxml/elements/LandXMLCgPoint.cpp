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

} // namespace

CLandXMLCgPoint::CLandXMLCgPoint() : CLandXMLPointType("CgPoint") {}

bool CLandXMLCgPoint::Validate(pugi::xml_node element)
{
    // One walk over the attributes instead of a search for each; the first of a name counts, as
    // a search would find it.
    pugi::xml_attribute nameAttribute, surveyAttribute, descAttribute, codeAttribute;
    m_pntRef = pugi::xml_attribute();
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
        const char* key = attribute.name();
        switch (key[0]) {
        case 'n':
            if (!nameAttribute && IsKey(key, "name"))
                nameAttribute = attribute;
            break;
        case 'p':
            if (!surveyAttribute && IsKey(key, "pntSurv"))
                surveyAttribute = attribute;
            else if (!m_pntRef && IsKey(key, "pntRef"))
                m_pntRef = attribute;
            break;
        case 'd':
            if (!descAttribute && IsKey(key, "desc"))
                descAttribute = attribute;
            break;
        case 'c':
            if (!codeAttribute && IsKey(key, "code"))
                codeAttribute = attribute;
            break;
        default: break;
        }
    }
    m_desc = descAttribute.value();
    m_code = codeAttribute.value();
    const bool tagKnown = m_nameKnownFree;
    if (!m_nameKnownFree) {
        const std::string_view name = nameAttribute.value();
        if (!name.empty() && m_document != nullptr && m_document->FindCgPoint(name, false) != nullptr)
            RaiseErrorAtNode(landxml::FormatText("There are at least two 'CgPoint' elements with name %s", {name}),
                             element);
        m_name.assign(name);
        m_nameHashKnown = false;
    }
    m_nameKnownFree = false;
    m_survey = kSurveyNone;
    const std::string_view survey = surveyAttribute.value();
    if (!survey.empty()) {
        if (survey == "monument")
            m_survey = kSurveyMonument;
        else if (survey == "control")
            m_survey = kSurveyControl;
        else if (survey == "sideShot")
            m_survey = kSurveySideShot;
        else
            return false;
    }
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
    return m_nameHashKnown ? document->AddNamedCgPoint(m_name, this, m_nameHash)
                           : document->AddNamedCgPoint(m_name, this);
}
