#include "views/RawDataListModel.h"

#include "core/ColoredTextLines.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/records/NikonRawDataSetup.h"
#include "rawdata/records/RawDataRecord.h"
#include "framework/RowRanges.h"

namespace {

CNikonRawDataRecord* RecordAt(const CRawDataFile& file, int32_t line)
{
    if (line < 0 || line >= file.GetLineCount())
        return nullptr;
    return file.GetRecord(line);
}

} // namespace

int32_t GetRecordTypeImage(int32_t type)
{
    switch (type) {
    case RecordTypeInvalid:
        return 0;
    case RecordTypeStation:
        return 1;
    case RecordTypeCtrlPoint:
    case RecordTypeSideShot:
        return 2;
    case RecordTypeUploadedCtrl:
    case RecordTypeUploadedPoint:
    case RecordTypeInputCtrl:
    case RecordTypeInputPoint:
    case RecordTypeCogo:
    case RecordTypeResection:
        return 4;
    case RecordTypeStakeOut:
        return 5;
    case RecordTypeComment:
        return 6;
    default:
        return -1;
    }
}

int32_t GetRawLineImage(const CRawDataFile& file, int32_t line)
{
    CNikonRawDataRecord* record = RecordAt(file, line);
    if (!record || !record->DescribeLong(nullptr, line, true, false, true))
        return 0;
    return GetRecordTypeImage(record_codes::GetTypeFromText(record->GetText()));
}

std::string_view CRawCellCache::GetCellText(const CRawDataFile& file, int32_t row, int32_t column)
{
    CNikonRawDataRecord* record = RecordAt(file, row);
    if (!record || column < 0)
        return {};
    Store& rows = *m_store;
    if (rows.size() <= size_t(row))
        rows.resize(size_t(row) + 1);
    std::vector<std::string>& entry = rows[size_t(row)];
    if (entry.empty()) {
        CColoredTextLines lines;
        record->DescribeLong(&lines, row, true, false, false);
        std::vector<std::string> cells;
        lines.GetText(cells);
        std::string packed;
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                packed += '\0';
            packed += cells[i];
        }
        entry.resize(1);
        entry[0] = std::move(packed);
        entry.shrink_to_fit();
    }
    std::string_view rest = entry[0];
    for (int32_t c = 0; c < column; ++c) {
        const size_t end = rest.find('\0');
        if (end == std::string_view::npos)
            return {};
        rest.remove_prefix(end + 1);
    }
    return rest.substr(0, rest.find('\0'));
}

size_t CRawCellCache::GetMemoryBytes() const
{
    auto granules = [](size_t bytes) { return bytes == 0 ? 0 : (bytes + 8 + 15) / 16 * 16; };
    size_t total = granules(m_store->capacity() * sizeof(std::vector<std::string>));
    for (const auto& entry : *m_store) {
        total += granules(entry.capacity() * sizeof(std::string));
        for (const std::string& text : entry)
            if (text.capacity() > 15)
                total += granules(text.capacity() + 1);
    }
    return total;
}

std::vector<std::string> RawListHeadings(const CRawDataFile& file, int32_t selectedRow, int32_t columns)
{
    if (columns < 1)
        columns = 1;
    std::vector<std::string> headings(size_t(columns), " ");
    headings[0] = "#";
    CNikonRawDataRecord* record = RecordAt(file, selectedRow);
    if (!record)
        return headings;
    if (columns > 1)
        headings[1] = "Type";
    CColoredTextLines lines;
    if (record->DescribeLong(&lines, selectedRow, true, false, true)) {
        std::vector<std::string> texts;
        lines.GetText(texts);
        for (int32_t c = 2; c < columns; ++c)
            if (size_t(c) < texts.size())
                headings[size_t(c)] = texts[size_t(c)];
    }
    for (std::string& heading : headings) {
        const size_t colon = heading.find(':');
        if (colon != std::string::npos)
            heading.erase(colon);
    }
    return headings;
}

CRawMenuState RawContextMenuState(const CRawDataFile& file, const std::vector<int32_t>& selectedRows)
{
    CRawMenuState state;
    const int32_t count = file.GetLineCount();
    state.remove = !selectedRows.empty();
    for (int32_t row : selectedRows) {
        CNikonRawDataRecord* record = RecordAt(file, row);
        if (!record)
            continue;
        if (record->IsDeleted())
            state.unmarkDeleted = true;
        else
            state.markDeleted = true;
        if (record->GetType() == RecordTypeComment)
            state.toRecord = true;
        else
            state.toComment = true;
    }
    if (selectedRows.size() == 1) {
        const int32_t row = selectedRows.front();
        state.insert = true;
        state.duplicate = true;
        state.moveUp = row > 0 && row < count;
        state.moveDown = row >= 0 && row + 1 < count;
    }
    return state;
}

std::vector<int32_t> RawLinesToDraw(int32_t mode, const std::vector<int32_t>& selectedRows, int32_t lineCount)
{
    std::vector<int32_t> lines;
    if (lineCount <= 0)
        return lines;
    switch (mode) {
    case RawDrawSelection:
        for (int32_t row : selectedRows)
            if (row >= 0 && row < lineCount)
                lines.push_back(row);
        break;
    case RawDrawProgressive: {
        int32_t last = selectedRows.empty() ? 0 : selectedRows.front();
        if (last < 0)
            last = 0;
        if (last >= lineCount)
            last = lineCount - 1;
        for (int32_t line = 0; line <= last; ++line)
            lines.push_back(line);
        break;
    }
    case RawDrawEverything:
        for (int32_t line = 0; line < lineCount; ++line)
            lines.push_back(line);
        break;
    default:
        break;
    }
    return lines;
}

void DrawRawLines(CRawDataFile& file, const std::vector<int32_t>& lines)
{
    const CNikonRawDataSetup* previous = nullptr;
    bool first = true;
    for (int32_t line : lines) {
        if (line < 0 || line >= file.GetLineCount())
            continue;
        const auto* setup = dynamic_cast<const CNikonRawDataSetup*>(file.GetSetup(line));
        if (first) {
            file.DrawSetup(line, uint32_t(-1));
            first = false;
        } else if (setup && previous) {
            uint32_t flags = 0;
            if (setup->CompareWith(*previous, &flags))
                file.DrawSetup(line, flags);
        }
        file.DrawRecord(line);
        previous = setup;
    }
}

bool PollRawSelection(const CRowRanges& selection, CRowRanges& seen, std::vector<int32_t>& seenRows)
{
    if (selection == seen)
        return false;
    seen = selection;
    seenRows = selection.GetRows();
    return true;
}
