#include "landxml/elements/LandXMLCgPoint.h"

#include "landxml/LandXML.h"
#include "landxml/LandXMLText.h"

CLandXMLCgPoint::CLandXMLCgPoint() : CLandXMLPointType("CgPoint") {}

bool CLandXMLCgPoint::Validate(pugi::xml_node element)
{
    if (!m_nameKnownFree) {
        const std::string_view name = element.attribute("name").value();
        if (!name.empty() && m_document != nullptr && m_document->FindCgPoint(name, false) != nullptr)
            RaiseErrorAtNode(landxml::FormatText("There are at least two 'CgPoint' elements with name %s", {name}),
                             element);
        m_name.assign(name);
    }
    m_nameKnownFree = false;
    m_survey = kSurveyNone;
    const std::string_view survey = element.attribute("pntSurv").value();
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
    return IsTag(element, "CgPoint");
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
