#include "rawdata/RawDataFile.h"

#include "core/ColoredTextLines.h"
#include "core/RawDataSetup.h"
#include "model/DataFileDoc.h"
#include "rawdata/RawPointNameMap.h"
#include "rawdata/records/NikonRawDataSetup.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string HistoryText(const char* format, const std::string& label, int32_t line)
{
    char text[200];
    std::snprintf(text, sizeof text, format, label.c_str(), int(int64_t(line) + 1));
    return text;
}

// The lines that exist, each once, highest first.
std::vector<int32_t> ExistingLinesDescending(const std::vector<int32_t>& lines, int32_t count)
{
    std::vector<int32_t> out;
    out.reserve(lines.size());
    for (int32_t line : lines)
        if (line >= 0 && line < count)
            out.push_back(line);
    std::sort(out.begin(), out.end(), std::greater<>());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// Large enough that a 100,000-line file takes a few hundred blocks, small enough to stay below
// the allocator's mapped-chunk threshold, so a reload reuses the heap instead of faulting pages in.
constexpr std::size_t LineBlockSize = 64 * 1024;
// A line's text up to this long is kept beside its record in a block; a longer one (never a
// real raw line) goes to the heap so that a block always holds several lines.
constexpr std::size_t PlacedTextLimit = 4096;

} // namespace

void* CLineBlocks::Take(std::size_t size, std::size_t align)
{
    // Only records and texts up to PlacedTextLimit come here, each far smaller than a block.
    std::size_t at = (m_used + align - 1) & ~(align - 1);
    if (m_blocks.empty() || at + size > LineBlockSize) {
        m_blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(LineBlockSize));
        at = 0;
    }
    m_used = at + size;
    return m_blocks.back().get() + at;
}

void CLineBlocks::Release()
{
    for (auto& block : m_blocks)
        UnpoisonMemory(block.get(), LineBlockSize);
    m_blocks.clear();
    m_used = 0;
}

CRawDataFile* RawDataFileOf(const CDataFileDoc* doc)
{
    return doc ? dynamic_cast<CRawDataFile*>(doc->GetRawDataFile()) : nullptr;
}

CRawDataFile::CRawDataFile(CDataFileDoc* doc) : m_doc(doc)
{
    Reset();
}

CRawDataFile::~CRawDataFile() = default;

bool CRawDataFile::GetDocument(CDataFileDoc** doc) const
{
    if (doc)
        *doc = m_doc;
    return m_doc != nullptr;
}

CNikonRawDataRecord* CRawDataFile::GetRecord(int32_t line) const
{
    return line >= 0 && line < GetLineCount() ? m_records[size_t(line)].get() : nullptr;
}

CRawDataSetup* CRawDataFile::GetSetup(int32_t line)
{
    return line >= 0 && size_t(line) < m_setups.size() ? &m_setups[size_t(line)] : nullptr;
}

const CRawDataSetup* CRawDataFile::GetSetup(int32_t line) const
{
    return line >= 0 && size_t(line) < m_setups.size() ? &m_setups[size_t(line)] : nullptr;
}

namespace {

// A new record in the blocks and, for a text short enough, room for the text in the text blocks
// (null room: the text goes to the heap). The texts lie end to end, unaligned: beside their
// records each would be padded to the records' alignment.
CNikonRawDataRecord* NewPlacedRecord(CLineBlocks& blocks, CLineBlocks& texts, std::size_t textSize,
                                     void** textRoom)
{
    *textRoom = textSize <= PlacedTextLimit ? texts.Take(CRawTextHold::RoomFor(textSize), 1) : nullptr;
    return new (blocks.Take(sizeof(CNikonRawDataRecord), alignof(CNikonRawDataRecord))) CNikonRawDataRecord();
}

} // namespace

LineHolder<CNikonRawDataRecord> CRawDataFile::PlaceRecord(const CRawDataRecord* record, int32_t line)
{
    if (!record)
        return PlaceText({}, line);
    void* room = nullptr;
    LineHolder<CNikonRawDataRecord> copy(NewPlacedRecord(m_blocks, m_texts, record->GetText().size(), &room));
    copy->AssignFrom(*record, room);
    copy->SetDocument(m_doc);
    copy->SetLine(line);
    return copy;
}

LineHolder<CNikonRawDataRecord> CRawDataFile::PlaceText(std::string_view text, int32_t line)
{
    void* room = nullptr;
    LineHolder<CNikonRawDataRecord> copy(NewPlacedRecord(m_blocks, m_texts, text.size(), &room));
    copy->SetText(text, room);
    copy->SetDocument(m_doc);
    copy->SetLine(line);
    return copy;
}

char* CRawDataFile::TakeTextRoom(std::size_t most)
{
    if (most > PlacedTextLimit)
        return nullptr;
    return static_cast<char*>(m_texts.Take(CRawTextHold::RoomFor(most), 1)) + CRawTextHold::TextOffset;
}

LineHolder<CNikonRawDataRecord> CRawDataFile::PlacePrinted(char* chars, std::size_t size, std::size_t most,
                                                           int32_t line)
{
    m_texts.GiveBack(most - size);
    LineHolder<CNikonRawDataRecord> placed(
        new (m_blocks.Take(sizeof(CNikonRawDataRecord), alignof(CNikonRawDataRecord))) CNikonRawDataRecord());
    placed->SetPrintedText(chars, size);
    placed->SetDocument(m_doc);
    placed->SetLine(line);
    return placed;
}

int32_t CRawDataFile::PushPlaced(LineHolder<CNikonRawDataRecord> record)
{
    const int32_t count = GetLineCount();
    m_records.push_back(std::move(record));
    // Bound to this container, whichever raw data the document hands out.
    if (count > 0)
        m_setups.emplace_back(this, count, m_setups.back());
    else
        m_setups.emplace_back(this, count);
    return count;
}

int32_t CRawDataFile::AppendPlaced(LineHolder<CNikonRawDataRecord> record)
{
    const int32_t count = PushPlaced(std::move(record));
    m_setups.back().ApplyRecord(*m_records.back());
    return count;
}

int32_t CRawDataFile::AppendRecord(const CRawDataRecord* record)
{
    if (!record)
        return 0;
    return AppendPlaced(PlaceRecord(record, GetLineCount()));
}

int32_t CRawDataFile::AppendLineText(std::string_view text)
{
    return AppendPlaced(PlaceText(text, GetLineCount()));
}

int32_t CRawDataFile::ReplaceRecord(int32_t line, CRawDataRecord* record)
{
    if (!record)
        return 0;
    if (!m_doc || line < 0 || line >= GetLineCount())
        return -1;
    auto copy = PlaceRecord(record, line);
    record->AssignFrom(*copy);
    m_records[size_t(line)] = std::move(copy);
    RecomputeSetupsFrom(line);
    return line;
}

int32_t CRawDataFile::InsertRecord(int32_t line, CRawDataRecord* record)
{
    if (!record)
        return 0;
    if (!m_doc || line < 0 || line > GetLineCount())
        return -1;
    auto copy = PlaceRecord(record, line);
    record->AssignFrom(*copy);
    m_records.insert(m_records.begin() + line, std::move(copy));
    m_setups.InsertAt(size_t(line), this, line);
    RecomputeSetupsFrom(line);
    return line;
}

int32_t CRawDataFile::RemoveRecords(const std::vector<int32_t>& lines)
{
    const std::vector<int32_t> targets = ExistingLinesDescending(lines, GetLineCount());
    for (int32_t line : targets) {
        CNikonRawDataRecord& record = *m_records[size_t(line)];
        if (m_doc) {
            const std::string text = HistoryText("Remove :%s raw data record at line #%d", record.GetLabel(true), line);
            m_doc->SetModifiedWithText(text.c_str(), true, true);
        }
        m_records.erase(m_records.begin() + line);
        m_setups.EraseAt(size_t(line));
    }
    if (!targets.empty())
        RecomputeSetupsFrom(targets.back());
    return int32_t(targets.size());
}

int32_t CRawDataFile::SetRecordsDeleted(const std::vector<int32_t>& lines, bool deleted)
{
    const std::vector<int32_t> targets = ExistingLinesDescending(lines, GetLineCount());
    for (int32_t line : targets) {
        CNikonRawDataRecord& record = *m_records[size_t(line)];
        if (m_doc) {
            const std::string text =
                HistoryText(deleted ? "Mark Deleted :%s raw data record at line #%d"
                                    : "Un-Mark Deleted :%s raw data record at line #%d",
                            record.GetLabel(true), record.GetLine());
            m_doc->SetModifiedWithText(text.c_str(), true, true);
        }
        record.SetDeleted(deleted);
    }
    if (!targets.empty())
        RecomputeSetupsFrom(targets.back());
    return int32_t(targets.size());
}

int32_t CRawDataFile::ToggleRecordsNote(const std::vector<int32_t>& lines, bool toNote)
{
    int32_t count = 0;
    int32_t first = GetLineCount();
    for (int32_t line : lines) {
        CNikonRawDataRecord* record = GetRecord(line);
        if (!record || !record->ToggleNote(toNote))
            continue;
        if (m_doc) {
            const std::string text = HistoryText(toNote ? ":%s raw data record changed to note at line #%d"
                                                        : "Note changed to :%s raw data record at line #%d",
                                                 record->GetLabel(true), record->GetLine());
            m_doc->SetModifiedWithText(text.c_str(), true, true);
        }
        first = std::min(first, line);
        ++count;
    }
    if (count > 0)
        RecomputeSetupsFrom(first);
    return count;
}

bool CRawDataFile::RenamePoints(const RenameMap& names)
{
    bool changed = false;
    for (auto& record : m_records)
        changed = record->RenamePoints(names) || changed;
    if (changed)
        RecomputeSetups();
    return changed;
}

void CRawDataFile::Clear()
{
    m_records.clear();
    m_setups.clear();
    m_blocks.Release();
    m_texts.Release();
    ClearMaps();
}

void CRawDataFile::Reset()
{
    m_drawTarget = nullptr;
    m_records.clear();
    m_setups.clear();
    m_blocks.Release();
    m_texts.Release();
    m_records.reserve(2048);
}

void CRawDataFile::DrawRecord(int32_t line)
{
    if (CNikonRawDataRecord* record = GetRecord(line))
        record->DrawOnMap();
}

void CRawDataFile::DrawSetup(int32_t line, uint32_t flags)
{
    if (CRawDataSetup* setup = GetSetup(line))
        setup->AddStationPreview(flags);
}

bool CRawDataFile::DescribeLine(CColoredTextLines* lines, int32_t line, bool longLabels, bool withSetup,
                                bool wholeLabels)
{
    CNikonRawDataRecord* record = GetRecord(line);
    return record && record->DescribeLong(lines, line, longLabels, withSetup, wholeLabels);
}

bool CRawDataFile::CheckLine(CColoredTextLines* lines, int32_t line)
{
    CNikonRawDataRecord* record = GetRecord(line);
    return record && record->CheckAgainstJob(lines);
}

bool CRawDataFile::FormatLineInfo(CColoredTextLines* lines, int32_t line, bool longLabels)
{
    CColoredTextLines description;
    if (!lines || !DescribeLine(&description, line, longLabels, true, true))
        return false;
    lines->RemoveAll();
    auto addWithTab = [lines](const CColoredTextLines::Line& l) {
        std::string text = l.text;
        const size_t colon = text.find(": ");
        if (colon != std::string::npos)
            text.insert(colon + 1, "\t");
        lines->AddLine(text + "\n", l.color);
    };
    const auto& all = description.Lines();
    for (size_t i = 1; i < all.size(); ++i) {
        if (i == 1) {
            std::string label = all[i].text;
            if (!label.empty())
                label.pop_back();
            lines->AddLine("Line #" + std::to_string(int64_t(line) + 1) + "\n", MakeRgb(0, 128, 0));
            lines->AddLineDefaultColor(std::string(RawSeparatorLine) + "\n");
            lines->AddLine("Record Type:\t" + label + "\n", TitleTextColor);
        } else {
            addWithTab(all[i]);
        }
    }
    CColoredTextLines check;
    if (CheckLine(&check, line))
        for (const auto& l : check.Lines())
            addWithTab(l);
    return true;
}

void CRawDataFile::ReserveInputPoints(std::size_t more)
{
    m_records.reserve(m_records.size() + more);
    GetPointNameMap().Reserve(more);
}

void CRawDataFile::ReserveLines(std::size_t more)
{
    m_records.reserve(m_records.size() + more);
}

bool CRawDataFile::AppendInputPoint(const CPointRecord& point, bool deleted, std::string* text, int32_t* line)
{
    CRawDataNikonInputPointRecord record;
    record.SetFromPoint(&point);
    record.SetDeleted(deleted);
    const int32_t index = AddRecord(&record);
    if (index < 0)
        return false;
    if (text)
        *text = m_records[size_t(index)]->GetText();
    if (line)
        *line = index;
    return true;
}
