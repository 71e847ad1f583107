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

    // The texts of the attributes a point's reading looks at, each the first of its name, found in
    // one walk; null for an attribute that is absent. Plain pointers: handles would each be
    // made by a call into the parser's library.
    struct Attributes
    {
        const char* name = nullptr;
        const char* survey = nullptr;
        const char* desc = nullptr;
        const char* code = nullptr;
        const char* pntRef = nullptr;
    };
    static void FindAttributes(pugi::xml_node element, Attributes& found);

    // Reads a point its group found to be a fresh CgPoint with that free name (hash as
    // CLandXML::HashCgPointName gives) and those attributes, when it is a plain one: own valid
    // coordinates, no reference, a pntSurv that is absent or known. The point ends as Read would
    // leave it, registered. False, with the point untouched, for any other: Read it then.
    bool ReadPlain(pugi::xml_node element, CLandXML* document, const Attributes& attributes, std::string_view name,
                   uint64_t hash);

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
    }

    // The description and code as the element holds them, "" when absent: the attributes were
    // found while the element was read, and a bulk import need not search for them again.
    const char* GetDescText() const { return IsBound() ? m_desc : ""; }
    const char* GetCodeText() const { return IsBound() ? m_code : ""; }

    bool HasName() const { return !m_name.empty(); }
    const std::string& GetName() const { return m_name; }
    int GetPntSurv() const { return m_survey; }

private:
    // First: they fill the padding at the end of the base.
    bool m_nameKnownFree = false;
    int m_survey = kSurveyNone;
    std::string m_name;
    // What Validate found on the element it accepted. The texts are the document's own, kept as
    // pointers so that a bulk import reads them without touching the attribute nodes again; the
    // reader never changes a point's attributes.
    const char* m_desc = "";
    const char* m_code = "";
};
