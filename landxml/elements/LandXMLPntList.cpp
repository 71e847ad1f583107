#include "landxml/elements/LandXMLPntList.h"

#include "core/DecimalText.h"
#include "core/NoValue.h"
#include "landxml/LandXMLText.h"

bool CLandXMLPnt2DList::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    m_text = GetText();
    m_tokens.clear();
    const std::string_view text(m_text);
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && landxml::IsXmlSpace(text[i]))
            ++i;
        std::size_t end = i;
        while (end < text.size() && !landxml::IsXmlSpace(text[end]))
            ++end;
        if (end > i)
            m_tokens.push_back(text.substr(i, end - i));
        i = end;
    }
    m_next = 0;
    return true;
}

void CLandXMLPnt2DList::Reset()
{
    CXMLElement::Reset();
    m_tokens.clear();
    m_text.clear();
    m_next = 0;
}

bool CLandXMLPnt2DList::ReadTuple(std::size_t position, double& x, double& y, double& z, double scale) const
{
    const int size = TupleSize();
    double values[3] = {0.0, 0.0, NoValue};
    for (int k = 0; k < size; ++k) {
        if (position + k >= m_tokens.size() || !ReadDecimalDouble(m_tokens[position + k], values[k]))
            return false;
    }
    x = values[0] * scale;
    y = values[1] * scale;
    z = size == 3 ? values[2] * scale : NoValue;
    return true;
}

bool CLandXMLPnt2DList::GetNextPoint(double& x, double& y, double& z, double scale)
{
    if (m_next >= m_tokens.size())
        return false;
    const std::size_t position = m_next;
    m_next += TupleSize();
    return ReadTuple(position, x, y, z, scale);
}

bool CLandXMLPnt2DList::GetFirstPoint(double& x, double& y, double& z, double scale) const
{
    return ReadTuple(0, x, y, z, scale);
}

bool CLandXMLPnt2DList::GetLastPoint(double& x, double& y, double& z, double scale) const
{
    const std::size_t size = static_cast<std::size_t>(TupleSize());
    bool found = false;
    double lx = 0, ly = 0, lz = NoValue;
    for (std::size_t position = 0;; position += size) {
        double first;
        if (position >= m_tokens.size() || !ReadDecimalDouble(m_tokens[position], first))
            break;
        if (!ReadTuple(position, lx, ly, lz, 1.0))
            return false; // the list breaks off inside a tuple
        found = true;
    }
    if (!found)
        return false;
    x = lx * scale;
    y = ly * scale;
    z = lz > NoValueLimit ? lz * scale : lz;
    return true;
}
