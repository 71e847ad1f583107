#pragma once

#include "landxml/XMLElement.h"

#include <string>
#include <string_view>
#include <vector>

// A PntList2D: a list of coordinate pairs in its text, read one tuple at a time. What the numbers
// mean is given by the element that holds the list. The text is split at runs of white space.
class CLandXMLPnt2DList : public CXMLElement
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "PntList2D".
    bool Validate(pugi::xml_node element) override { return IsTag(element, "PntList2D"); }
    void Reset() override;

    // The next tuple, times scale: the first number to x, the second to y, a third (3D) to z; for a
    // 2D list z is NoValue. False at the end, or when a tuple is incomplete.
    bool GetNextPoint(double& x, double& y, double& z, double scale);
    // The first tuple, without moving the walk of GetNextPoint.
    bool GetFirstPoint(double& x, double& y, double& z, double scale) const;
    // The last complete tuple; false when there is none or the list ends inside a tuple.
    bool GetLastPoint(double& x, double& y, double& z, double scale) const;
    // Starts the walk over.
    void Rewind() { m_next = 0; }

protected:
    // Numbers per tuple.
    virtual int TupleSize() const { return 2; }

private:
    // Reads the tuple at position; false when a number of it is missing or not a number.
    bool ReadTuple(std::size_t position, double& x, double& y, double& z, double scale) const;

    std::string m_text;
    std::vector<std::string_view> m_tokens;
    std::size_t m_next = 0;
};

// A PntList3D: the same with triples.
class CLandXMLPnt3DList : public CLandXMLPnt2DList
{
public:
    bool Validate(pugi::xml_node element) override { return IsTag(element, "PntList3D"); }

protected:
    int TupleSize() const override { return 3; }
};
