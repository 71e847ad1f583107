#include "views/ObjectIdPages.h"

#include "views/ObjectInfoText.h"

#include <algorithm>
#include <cstdlib>

int32_t CObjectIdPages::BuildPages(const std::vector<RecordRef>& objects, double worldX, double worldY,
                                   CObjectIdOwner* owner)
{
    Clear();
    const size_t n = objects.size();
    for (size_t i = 0; i < n; ++i) {
        std::string text;
        if (!BuildObjectInfoText(text, objects[i], worldX, worldY, owner))
            continue;
        CObjectIdPage page;
        page.object = objects[i];
        if (n > 1)
            page.text.AddLine("Selection\t" + std::to_string(i + 1) + " of " + std::to_string(n) + "\n",
                              SelectionLineColor);
        page.text.AddLineDefaultColor(text);
        m_pages.push_back(std::move(page));
    }
    m_current = m_pages.empty() ? -1 : 0;
    return GetCount();
}

void CObjectIdPages::SetTip(CColoredTextLines text)
{
    m_pages.clear();
    m_pages.push_back(CObjectIdPage{std::move(text), RecordRef{}});
    m_current = 0;
}

void CObjectIdPages::Clear()
{
    m_pages.clear();
    m_current = -1;
}

const CObjectIdPage* CObjectIdPages::GetCurrentPage() const
{
    if (m_current < 0 || m_current >= GetCount())
        return nullptr;
    return &m_pages[size_t(m_current)];
}

bool CObjectIdPages::Step(bool forward)
{
    const int32_t n = GetCount();
    if (n < 2 || m_current < 0)
        return false;
    m_current = forward ? (m_current + 1) % n : (m_current + n - 1) % n;
    return true;
}

bool ParseColorSwatch(const std::string& right, int32_t& index, std::string& shown)
{
    if (right.empty() || right[0] != '\r')
        return false;
    size_t at = 1;
    while (at < right.size() && (right[at] == ' ' || right[at] == '\t'))
        ++at;
    const std::string rest = right.substr(at);
    const bool negative = !rest.empty() && rest[0] == '-';
    // Digits only, and no more than a palette needs, so a long number cannot overflow.
    int64_t value = 0;
    for (size_t i = negative ? 1 : 0; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i)
        value = std::min<int64_t>(value * 10 + (rest[i] - '0'), 1000000);
    index = int32_t(std::clamp<int64_t>(value, 0, 255));
    shown = negative ? "(" + std::to_string(value) + ")" : rest;
    return true;
}

std::vector<CTipLine> SplitTipLines(const CColoredTextLines& page)
{
    std::vector<CTipLine> out;
    for (const CColoredTextLines::Line& block : page.Lines()) {
        size_t start = 0;
        while (start < block.text.size()) {
            size_t end = block.text.find('\n', start);
            if (end == std::string::npos)
                end = block.text.size();
            std::string line = block.text.substr(start, end - start);
            if (line.empty())
                break;
            CTipLine tip;
            tip.color = block.color;
            const size_t tab = line.find('\t');
            tip.hasTab = tab != std::string::npos;
            tip.left = tip.hasTab ? line.substr(0, tab) : line;
            if (tip.hasTab)
                tip.right = line.substr(tab + 1);
            tip.swatch = ParseColorSwatch(tip.right, tip.swatchIndex, tip.right);
            out.push_back(std::move(tip));
            start = end + 1;
        }
    }
    return out;
}

CTipMetrics MeasureTip(const std::vector<CTipLine>& lines, const std::function<DevicePoint(const std::string&)>& measure,
                       bool withIcons)
{
    CTipMetrics m;
    const DevicePoint swatch = measure(SwatchSizeText);
    for (const CTipLine& line : lines) {
        const DevicePoint left = measure(line.hasTab ? line.left + "     " : line.left);
        const DevicePoint right = measure(line.right);
        m.leftWidth = std::max(m.leftWidth, left.x);
        m.rightWidth = std::max({m.rightWidth, right.x, swatch.x});
        m.lineHeight = std::max({m.lineHeight, left.y, right.y});
        ++m.lineCount;
    }
    m.box = DevicePoint{m.leftWidth + m.rightWidth + 2 * TipMargin, m.lineCount * m.lineHeight + 2 * TipMargin};
    if (withIcons) {
        m.box.x += 40;
        m.box.y = std::max(m.box.y, 40);
    }
    m.window = DevicePoint{m.box.x + TipShadow, m.box.y + TipShadow};
    return m;
}

DevicePoint PlaceBesideCursor(DevicePoint position, DevicePoint size, const DeviceRect& parent)
{
    DevicePoint at = position;
    if (at.x + size.x > parent.right)
        at.x = position.x - 16 - size.x;
    if (at.x < parent.left)
        at.x = parent.left;
    if (at.y + size.y > parent.bottom)
        at.y = position.y - 16 - size.y;
    if (at.y < parent.top)
        at.y = parent.top;
    return at;
}
