#include "exchange/PointBlockDefinition.h"

#include <algorithm>

namespace {

constexpr char kLetters[] = {'N', 'D', 'E', ' '};

} // namespace

CPointBlockDefinition::CPointBlockDefinition()
{
    SetDefault();
}

void CPointBlockDefinition::SetDefault()
{
    m_items = {{PointBlockName, true}, {PointBlockDescription, true}, {PointBlockElevation, false},
               {PointBlockBlank, false}};
}

bool CPointBlockDefinition::HasChecked(uint32_t kind) const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [kind](const CPointBlockItem& item) { return item.checked && item.kind == kind; });
}

std::string CPointBlockDefinition::ToText() const
{
    std::string text;
    bool written[3] = {false, false, false};
    for (const CPointBlockItem& item : m_items) {
        if (item.kind < PointBlockBlank) {
            if (written[item.kind])
                continue;
            written[item.kind] = true;
        } else if (item.kind != PointBlockBlank) {
            continue;
        }
        text += kLetters[item.kind];
        text += item.checked ? '1' : '0';
    }
    while (text.size() >= 2 && text[text.size() - 2] == ' ')
        text.resize(text.size() - 2);
    for (uint32_t kind = 0; kind < PointBlockBlank; ++kind)
        if (!written[kind]) {
            text += kLetters[kind];
            text += '0';
        }
    return text;
}

void CPointBlockDefinition::FromText(const std::string& text)
{
    m_items.clear();
    if (text.empty()) {
        SetDefault();
        return;
    }
    bool seen[3] = {false, false, false};
    for (size_t i = 0; i < text.size(); i += 2) {
        uint32_t kind = 0;
        while (kind < 4 && kLetters[kind] != text[i])
            ++kind;
        if (kind == 4 || (kind < PointBlockBlank && seen[kind]))
            continue;
        if (i + 1 >= text.size())
            break; // a letter without its check digit adds nothing
        if (kind < PointBlockBlank)
            seen[kind] = true;
        m_items.push_back({kind, text[i + 1] == '1'});
    }
    const auto firstKept = std::find_if(m_items.begin(), m_items.end(),
                                        [](const CPointBlockItem& item) { return item.kind != PointBlockBlank; });
    m_items.erase(m_items.begin(), firstKept);
    for (uint32_t kind = 0; kind < PointBlockBlank; ++kind)
        if (!seen[kind])
            m_items.push_back({kind, false});
    m_items.push_back({PointBlockBlank, false});
}
