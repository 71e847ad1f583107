#include "core/ColoredTextLines.h"

bool CColoredTextLines::GetNext(size_t& position, std::string& text, uint32_t& color) const
{
    if (position == 0 || position > m_lines.size())
        return false;
    const Line& line = m_lines[position - 1];
    text = line.text;
    color = line.color;
    position = position < m_lines.size() ? position + 1 : 0;
    return true;
}

void CColoredTextLines::GetText(std::vector<std::string>& out) const
{
    out.clear();
    out.reserve(m_lines.size());
    for (const Line& line : m_lines)
        out.push_back(line.text);
}
