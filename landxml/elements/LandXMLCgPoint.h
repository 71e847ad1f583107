#pragma once

#include "landxml/elements/LandXMLPointType.h"

#include <cstdint>
#include <string>
#include <string_view>

// A coordinate-geometry point, named or not: the only element whose contents reach the job.
// Every CgPoint read registers itself with the document, which owns it.
class CLandXMLCgPoint : public CLandXMLPointType
{
public:
    // Codes of pntSurv.
    static constexpr int kSurveyNone = 0;
    static constexpr int kSurveyMonument = 1;
    static constexpr int kSurveyControl = 2;
    static constexpr int kSurveySideShot = 3;

    CLandXMLCgPoint();

    // A point with neither coordinates nor a reference is refused with a message: its group has
    // nothing better to say about it.
    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "CgPoint"; pntSurv, when present, is "monument", "control" or "sideShot". A name the
    // document already holds throws "There are at least two 'CgPoint' elements with name %s".
    bool Validate(pugi::xml_node element) override;

    // Its group has just found the element to be a CgPoint, read its name and found it free:
    // Validate need not compare the tag, read the name or look it up again.
    void SetNameKnownFree(std::string_view name)
    {
        m_name.assign(name);
        m_nameKnownFree = true;
        m_nameHashKnown = false;
    }
    // The same, with the name's index hash (CLandXML::HashCgPointName) for its registration.
    void SetNameKnownFree(std::string_view name, uint64_t hash)
    {
        SetNameKnownFree(name);
        m_nameHash = hash;
        m_nameHashKnown = true;
    }

    // The description and code as the element holds them, "" when absent: the attributes were
    // found while the element was read, and a bulk import need not search for them again.
    const char* GetDescText() const { return IsBound() ? m_desc : ""; }
    const char* GetCodeText() const { return IsBound() ? m_code : ""; }

    bool HasName() const { return !m_name.empty(); }
    const std::string& GetName() const { return m_name; }
    int GetPntSurv() const { return m_survey; }

protected:
    pugi::xml_attribute GetPntRefAttribute() const override { return m_pntRef; }

private:
    std::string m_name;
    // What Validate found on the element it accepted. The texts are the document's own, kept as
    // pointers so that a bulk import reads them without touching the attribute nodes again; the
    // reader never changes a point's attributes.
    pugi::xml_attribute m_pntRef;
    const char* m_desc = "";
    const char* m_code = "";
    int m_survey = kSurveyNone;
    bool m_nameKnownFree = false;
    bool m_nameHashKnown = false;
    uint64_t m_nameHash = 0;
};
