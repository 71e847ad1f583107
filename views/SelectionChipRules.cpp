#include "views/SelectionChipRules.h"

#include "core/TextUtil.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/PointRecord.h"
#include "model/Selection.h"
#include "model/SelectionDescription.h"
#include "views/ObjectInfoText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {
constexpr std::size_t kLineWidth = 30;
constexpr int kMaxLines = 3;
} // namespace

void CSelectionNamesText::Add(std::string_view name)
{
    ++m_count;
    if (m_truncated)
        return;
    if (m_line.size() >= kLineWidth) {
        m_names += m_line + ",\n";
        m_line.clear();
        ++m_lines;
    }
    if (m_lines >= kMaxLines) {
        m_truncated = true;
        return;
    }
    m_line += m_line.empty() ? " " : ", ";
    m_line += name;
}

std::string CSelectionNamesText::GetText() const
{
    if (!m_truncated)
        return m_names + m_line;
    const std::string line = m_line.empty() ? " " : m_line;
    return m_names + (line.size() <= 26 ? line + "..." : line + "\n ...");
}

std::string BuildSelectionChipTipText(CSelectionDescription& description, CDataFileDoc* doc)
{
    if (doc == nullptr)
        return {};
    std::string text;
    if (description.IsSingle()) {
        const RecordRef& object = description.GetSelectionObject();
        if (object.record == nullptr || !BuildObjectInfoText(text, object, NoValue, NoValue, nullptr))
            // The kind bit -1 names the description's own kinds ("Point" for a point chip).
            description.GetName(text, -1);
        return text;
    }
    CSelectionFilterPtr filter(description.CreateFilter());
    // A filter sure to take every point need not be asked point by point.
    if (!filter.IsNull() && (filter->GetCertainKinds() & SelectionKindPoint) != 0)
        filter = CSelectionFilterPtr();
    CSelection* selection = doc->GetSelection();
    CSelectionOperator* op = doc->GetSelOperator();
    CSelectionNamesText names;
    int32_t count = -1;
    if (selection != nullptr) {
        CRecordCursor cursor = selection->GetFirst();
        while (CRecord* record = selection->GetNext(cursor)) {
            if (record->GetType() != kRecordTypePoint || (!filter.IsNull() && !filter->Accept(record)))
                continue;
            names.Add(static_cast<CPointRecord*>(record)->GetName());
            // Past the names the tip shows only the number is wanted. A job holds points alone, so
            // without a filter that is the size of the selection, which the operator keeps.
            if (names.IsTruncated() && filter.IsNull() && op != nullptr && op->GetCountUnfiltered() >= names.GetCount()) {
                count = op->GetCountUnfiltered();
                break;
            }
        }
    }
    if (count < 0)
        count = names.GetCount();
    if (count == 0)
        return "Nothing selected";
    return std::to_string(count) + " Point(s):\n" + names.GetText() + "\n";
}

std::string CheckSelectionChipOnSave(CSelectionDescription& description, bool optional)
{
    if (description.IsSingle()) {
        if (CDataFileDoc::GetActiveDoc() == nullptr)
            return {};
        RecordRef& object = description.GetSelectionObject();
        CSelectionFilterPtr filter(description.CreateFilter());
        if (object.record != nullptr && !filter.IsNull() && !filter->Accept(object.record))
            InitRecordRef(object);
        return object.record == nullptr && !optional ? "Nothing Selected." : std::string();
    }
    return !optional && !description.HasAny() ? "Nothing Selected." : std::string();
}

std::string CheckSelectionNumericNames(CSelectionDescription& description)
{
    // The record flags mirror the current selection: walking them in store order is much
    // quicker than the operator's entries, and the order does not matter for a yes or no.
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    CSelection* selection = doc != nullptr ? doc->GetSelection() : nullptr;
    if (selection == nullptr)
        return {};
    CSelectionFilterPtr filter(description.CreateFilter());
    CRecordCursor cursor = selection->GetFirst();
    while (CRecord* record = selection->GetNext(cursor)) {
        if (record->GetType() != kRecordTypePoint || (!filter.IsNull() && !filter->Accept(record)))
            continue;
        if (static_cast<CPointRecord*>(record)->HasNonNumericName())
            return "Selection contains alphanumeric point names.";
    }
    return {};
}

bool SelectionChipRefreshesOn(int32_t hint)
{
    return hint == 6 || hint == 17 || hint == 33 || hint == 36 || hint == 40 || hint == 43;
}

int32_t SelectionChipArrowWidth(int32_t iconWidth)
{
    return iconWidth * 2 / 3;
}

bool IsGlyphOnlyCaption(const std::string& caption)
{
    std::string upper = caption;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return upper.empty() || upper == "MOUSE" || upper == "TABLET" || upper == "B.MAP";
}

int32_t SelectionChipWidth(int32_t captionWidth, bool glyphOnly, int32_t iconWidth, int32_t arrowWidth)
{
    return (glyphOnly ? 0 : captionWidth) + iconWidth + arrowWidth + 2;
}

std::vector<AntPixel> MarchingAntsBorder(int32_t width, int32_t height, int32_t phase)
{
    std::vector<AntPixel> out;
    if (width <= 0 || height <= 0)
        return out;
    out.reserve(static_cast<std::size_t>(2 * (width + height)));
    int32_t counter = phase;
    auto put = [&](int32_t x, int32_t y) { out.push_back({x, y, (counter++ & 4) != 0}); };
    const int32_t r = width - 1;
    const int32_t b = height - 1;
    for (int32_t y = 0; y < b; ++y)
        put(0, y);
    for (int32_t x = 0; x < r; ++x)
        put(x, b);
    for (int32_t y = b; y > 0; --y)
        put(r, y);
    for (int32_t x = r; x > 0; --x)
        put(x, 0);
    return out;
}

std::vector<ArrowRow> ChipArrowRows(int32_t left, int32_t top, int32_t width, int32_t height)
{
    const int32_t x0 = left + (width - 10) / 2;
    const int32_t y0 = top + (height - 5) / 2;
    std::vector<ArrowRow> rows;
    for (int32_t i = 0; i < 5; ++i)
        rows.push_back({x0 + i, x0 + 9 - i, y0 + i});
    return rows;
}
