#pragma once

#include "landxml/XMLElement.h"

#include <string>
#include <string_view>

class CLandXMLCgPoint;

// A point given by its own coordinate text ("northing easting [elevation]") or by a reference
// (pntRef) to a named CgPoint. The class of every point a geometry element carries (Start, End,
// Center, PI, ...) and the base of CgPoint and of the surface point P.
//
// Coordinates are held in the order easting (x), northing (y), elevation (z); a coordinate not
// given is NoValue. Once read, a point keeps the coordinates it stands for (its own, or those it
// took through its reference), so asking for them never walks a chain of references.
class CLandXMLPointType : public CXMLElement
{
public:
    // The tag name is a text that lives as long as the program (a literal).
    explicit CLandXMLPointType(const char* tagName);

    // Reads the coordinate text and resolves pntRef; false for a point with neither coordinates
    // nor a reference (the element holding it says what is missing).
    bool Read(pugi::xml_node element, CLandXML* document) override;
    // The element's tag is this object's tag name.
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    // The point's coordinates times scale (the elevation only when present); false before the
    // point was read.
    bool GetCoordinates(double& x, double& y, double& z, double scale) const;
    // The coordinates of the referenced point; false without a reference or on a cycle.
    bool GetReferencedCoordinates(double& x, double& y, double& z, double scale) const;
    // True when there is a reference and following the references never returns to a point passed.
    bool HasValidReference() const;
    CLandXMLCgPoint* GetReference() const { return m_reference; }

    std::string GetPntRef() const;
    std::string GetDesc() const;
    std::string GetCode() const;
    const char* GetTagNameMember() const { return m_tagName; }

    // Coordinate text to easting (x), northing (y) and elevation (z); the text is split at runs of
    // XML white space and read up to the first word that is not a number. True for two or three
    // numbers; x, y and z are NoValue where nothing was read.
    static bool ParseCoordinates(std::string_view text, double& x, double& y, double& z);

protected:
    // The point's own coordinates, as a reading without a reference leaves them.
    void SetOwnCoordinates(double x, double y, double z)
    {
        m_reference = nullptr;
        m_x = x;
        m_y = y;
        m_z = z;
        m_hasCoordinates = true;
    }
    // The element's pntRef attribute; a class that has already found it while validating says so.
    virtual pugi::xml_attribute GetPntRefAttribute() const { return GetElement().attribute("pntRef"); }

private:
    const char* m_tagName;
    CLandXMLCgPoint* m_reference = nullptr;
    double m_x;
    double m_y;
    double m_z;
    // Last, so that a derived class's small members fill the padding after it.
    bool m_hasCoordinates = false;
};
