#include "views/RawDataListModel.h"

#include "core/ColoredTextLines.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/records/RawDataRecord.h"

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

const std::string& CRawCellCache::GetCellText(const CRawDataFile& file, int32_t row, int32_t column)
{
    static const std::string empty;
    CNikonRawDataRecord* record = RecordAt(file, row);
    if (!record || column < 0)
        return empty;
    if (m_rows.size() <= size_t(row))
        m_rows.resize(size_t(row) + 1);
    std::vector<std::string>& cells = m_rows[size_t(row)];
    if (cells.empty()) {
        CColoredTextLines lines;
        record->DescribeLong(&lines, row, true, false, false);
        lines.GetText(cells);
    }
    return size_t(column) < cells.size() ? cells[size_t(column)] : empty;
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
