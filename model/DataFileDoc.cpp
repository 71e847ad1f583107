#include "model/DataFileDoc.h"

#include "core/ProgramHelpers.h"
#include "core/DataFileFormat.h"
#include "core/Geometry.h"
#include "core/Utf8.h"
#include "model/JobFileMathConversions.h"
#include "core/Location.h"
#include "core/NoValue.h"
#include "core/PointName.h"
#include "core/StatusProgress.h"
#include "model/DataFileDocSettings.h"
#include "model/DataFileDocShell.h"
#include "model/DataFileHiSelection.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileSmartHintManager.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/JobRawData.h"
#include "model/MorvelFileDoc.h"
#include "model/OpenDocuments.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordCells.h"
#include "model/RecordDatabase.h"
#include "platform/ActiveJobHooks.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "platform/ShellHooks.h"
#include "platform/View.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <limits>

namespace {

// Neither coordinate nor a present elevation may reach this far from the origin.
constexpr double kCoordinateLimit = 1e7;

// The framework's texts for an unnamed document and for its save prompt.
constexpr const char* kUntitled = "Untitled";
constexpr const char* kAskToSave = "Save changes to %1?";

std::string QuotedText(const char* format, const char* name)
{
    std::string text(format);
    const auto at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, name != nullptr ? name : "");
    return text;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool HasTemporaryJob()
{
    const ActiveJobHooks& hooks = GetActiveJobHooks();
    return hooks.hasTemporaryJob && hooks.hasTemporaryJob();
}

// A bulk change adds a history line per record; the stamp only changes once a second, so it is
// formatted once a second.
const std::string& LocalTimeStamp()
{
    thread_local std::time_t stamped = -1;
    thread_local std::string text;
    const std::time_t now = std::time(nullptr);
    if (now != stamped) {
        std::tm local{};
        localtime_r(&now, &local);
        char buffer[64];
        const size_t n = std::strftime(buffer, sizeof buffer, "%m-%d-%Y %H:%M:%S ", &local);
        text.assign(buffer, n);
        stamped = now;
    }
    return text;
}

RedBlackNode* NextLeaf(const CPointDatabase& points, RedBlackNode* leaf)
{
    RedBlackNode* pos = leaf;
    points.GetNextPoint(pos);
    return pos;
}

} // namespace

void InitRecordRef(RecordRef& ref)
{
    ref.record = nullptr;
    ref.index = -1;
}

int CompareRecordSequence(CRecord* a, CRecord* b)
{
    if (a == b)
        return 0;
    return a->GetSequenceNumber() > b->GetSequenceNumber() ? 1 : -1;
}

int CompareRecordTypes(const void* a, const void* b)
{
    const CRecord* ra = *static_cast<CRecord* const*>(a);
    const CRecord* rb = *static_cast<CRecord* const*>(b);
    const bool pa = ra->GetType() == kRecordTypePoint;
    const bool pb = rb->GetType() == kRecordTypePoint;
    if (ra->GetType() == rb->GetType())
        return 0;
    if (pa && !pb)
        return -1;
    if (pb && !pa)
        return 1;
    return 0;
}

CDataFileDoc::CDataFileDoc()
{
    m_hints = std::make_unique<CDataFileSmartHintManager>(this);
    m_undo = std::make_unique<CDataFileUndoManager>(this);
    m_format = std::make_unique<CDataFileFormat>(this);
    m_conversions = std::make_unique<CJobFileMathConversions>(this);
    m_records = std::make_unique<CRecordDatabase>(this);
    m_points = std::make_unique<CPointDatabase>(this);
    m_selOperator = std::make_unique<CDataFileSelOperator>(this);
    m_hiSelection = std::make_unique<CDataFileHiSelection>(m_records.get());
    m_lastPointName = "1";
    m_reserving = false;
    m_sorted.InvalidateCursor();
    m_sorted.SetDocument(this);
    m_sorted.SetCompare(&CompareRecordSequence);
}

CDataFileDoc::~CDataFileDoc()
{
    // Nothing may reach a document that is going away.
    RemoveOpenDocument(this);
    // In this order: the parts reach each other while they go.
    m_hints.reset();
    m_undo.reset();
    m_format.reset();
    m_conversions.reset();
    // The grid order points at the records: empty it before the store frees them.
    ClearSortedIndex();
    m_records.reset(); // frees every record and the point-name tree
    m_points.reset();
    m_selOperator.reset();
    m_hiSelection.reset();
    m_rawData.reset();
}

void CDataFileDoc::SetRawDataFile(std::unique_ptr<CJobRawData> rawData) { m_rawData = std::move(rawData); }

CDataFileDoc* CDataFileDoc::GetActiveDoc(void*) { return CMorvelFileDoc::FindActiveJobDocument(); }

CView* CDataFileDoc::GetActiveDataFileView()
{
    int32_t kind = 2;
    CView* view = GetActiveViewAndKind(&kind);
    return view != nullptr && view->IsDataFileView() ? view : nullptr;
}

void CDataFileDoc::OnOpenDocumentsChanged()
{
    SetActiveJobValueSource(GetActiveDoc());
    ActiveJobHooks hooks = GetActiveJobHooks();
    hooks.isJobOpen = [] { return GetActiveDoc() != nullptr; };
    hooks.activeJobPath = [] {
        CDataFileDoc* doc = GetActiveDoc();
        return doc != nullptr ? doc->GetPathName() : std::string();
    };
    hooks.isActiveJobModified = [] {
        CDataFileDoc* doc = GetActiveDoc();
        return doc != nullptr && doc->IsModified();
    };
    SetActiveJobHooks(std::move(hooks));
    SetActiveHintManagerLookup([]() -> CDataFileSmartHintManager* {
        CDataFileDoc* doc = GetActiveDoc();
        return doc != nullptr ? doc->GetSmartHintManager() : nullptr;
    });
}

CSelection* CDataFileDoc::GetSelection() { return GetCurrentSelection(); }

CSelection* CDataFileDoc::GetCurrentSelection() const
{
    return m_selOperator != nullptr ? m_selOperator->GetSelection() : nullptr;
}

void CDataFileDoc::SetCurrentRecord(CRecord* record, int32_t index)
{
    m_current.record = record;
    m_current.index = index;
}

bool CDataFileDoc::GetCurrentRecord(RecordRef& out) const
{
    out = m_current;
    return (m_current.record != nullptr && m_current.record->Validate()) || m_current.index > 0;
}

bool CDataFileDoc::TakeCurrentRecord(RecordRef& out)
{
    const bool ok = GetCurrentRecord(out);
    m_current.record = nullptr;
    return ok;
}

void CDataFileDoc::ClearCurrentRecord() { InitRecordRef(m_current); }

void CDataFileDoc::SendHint(void* sender, int32_t code, intptr_t parameter)
{
    if (GetViewCount() > 0 && m_hints != nullptr)
        m_hints->AddHint(sender, code, parameter);
}

bool CDataFileDoc::AddRecord(CRecord* record)
{
    if (record == nullptr)
        return false;
    record->SetSequenceNumber(0);
    record->SetOwner(this);
    if (record->GetType() != kRecordTypePoint)
        return false;
    auto* point = static_cast<CPointRecord*>(record);
    // The store's and the grid's entries for a new record lie anywhere in their tables: both are
    // fetched while the name index files the point.
    if (m_records != nullptr)
        m_records->Prefetch(record);
    // In sequence order a new row goes last whenever it is filed: it waits until someone reads the rows.
    const uint32_t cell = RecordCells::NumberOf(record);
    const bool hold = m_sorted.GetCompare() == &CompareRecordSequence && cell != RecordCells::kNoNumber;
    if (!hold)
        m_sorted.Prefetch(record);
    if (!m_points->Add(point))
        return false;
    if (hold) {
        m_heldRows.push_back(cell);
        m_sorted.Number(record);
    } else {
        FileHeldRows();
        m_sorted.Insert(record);
    }
    SendHint(nullptr, HintPointAdded, 0);
    NoteModifiedWithParts({"Added Point '", point->GetName(), "'"});
    return true;
}

void CDataFileDoc::FileHeldRows()
{
    if (m_heldRows.empty())
        return;
    // Held until filed: a failure leaves them to the next try, which refuses any filed already.
    std::vector<CRecord*> held;
    held.reserve(m_heldRows.size());
    for (const uint32_t cell : m_heldRows)
        held.push_back(static_cast<CRecord*>(RecordCells::CellAt(cell)));
    m_sorted.AppendNumbered(held);
    m_heldRows.clear();
}

void CDataFileDoc::ClearSortedIndex()
{
    m_heldRows.clear();
    m_sorted.Clear();
}

void CDataFileDoc::ReserveForPoints(std::size_t more)
{
    if (m_rawData != nullptr)
        m_rawData->ReserveInputPoints(more);
    // A point's line and its raw data line.
    m_history.Reserve(m_history.size() + 2 * more);
}

bool CDataFileDoc::RecordModified(CRecord* record)
{
    std::string text;
    if (record != nullptr && record->GetType() == kRecordTypePoint)
        text = QuotedText("Modified Point '%s'", static_cast<CPointRecord*>(record)->GetName());
    SetModifiedWithText(text.c_str(), true, !text.empty());
    return true;
}

bool CDataFileDoc::DeleteRecord(CRecord* record, bool logToRawData)
{
    if (record == nullptr)
        return false;
    // A record the store does not hold belongs to someone else: nothing here changes, and the
    // history must not name a point that is still there.
    if (!m_records->FindRecord(record).IsValid())
        return true;
    const bool isPoint = record->GetType() == kRecordTypePoint;
    std::string text;
    if (isPoint)
        text = QuotedText("Deleted Point '%s'", static_cast<CPointRecord*>(record)->GetName());
    SetModifiedWithText(text.c_str(), true, !text.empty());

    std::unique_ptr<CPointRecord> copy;
    if (isPoint) {
        auto* point = static_cast<CPointRecord*>(record);
        // Outside any job, so filling it does not reach back into this one.
        copy = std::make_unique<CPointRecord>(point->GetName(), point->GetDescription(), point->GetLocation(), true);

        // Unlinked by pointer, not by a name lookup: a name the job's check now refuses must not
        // leave the point in an index after it is freed.
        if (RedBlackNode* leaf = m_points->FindLeafOf(point))
            if (!m_points->Remove(leaf))
                m_points->Unlink(leaf);
    }
    CRecordCursor at = m_records->FindRecord(record);
    if (at.IsValid())
        m_records->RemoveAt(at);
    // The rows are numbered as if each had been filed when added, gaps included.
    FileHeldRows();
    if (RedBlackNode* row = m_sorted.FindLeaf(record))
        m_sorted.Remove(row);
    if (m_current.record == record)
        m_current.record = nullptr;

    // The selection reads the record's flags, so it is told while the record still lives.
    if (m_selOperator != nullptr)
        m_selOperator->RemoveObject(record);
    delete record;

    if (isPoint) {
        SendHint(nullptr, HintPointDeleted, 0);
        if (logToRawData)
            LogDeletedPoint(*copy);
    }
    return true;
}

void CDataFileDoc::LogDeletedPoint(const CPointRecord& copy)
{
    std::string lineText;
    int32_t line = -1;
    if (m_rawData != nullptr && m_rawData->AppendInputPoint(copy, true, &lineText, &line))
        NoteAppendedLine(lineText, line, true);
}

bool CDataFileDoc::AppendInputPointLine(const CPointRecord& point)
{
    // Taken out while in use, so a nested append would start from an empty text.
    std::string lineText = std::move(m_appendedText);
    int32_t line = -1;
    if (m_rawData == nullptr || !m_rawData->AppendInputPoint(point, false, &lineText, &line))
        return false;
    NoteAppendedLine(lineText, line, false);
    m_appendedText = std::move(lineText);
    return true;
}

void CDataFileDoc::NoteAppendedLine(const std::string& text, int32_t line, bool deleted)
{
    const char* opening = deleted ? "Added '(deleted)" : "Added '";
    std::string_view shown(text);
    // "(deleted)" says it in words; the line's own mark in front would only puzzle the reader.
    if (deleted && !shown.empty() && shown.front() == '*')
        shown.remove_prefix(1);
    const size_t nul = shown.find('\0');
    if (nul != std::string_view::npos) {
        // The history keeps a line up to its first NUL, as it always has.
        NoteModifiedWithParts({opening, shown.substr(0, nul)});
    } else {
        char number[24];
        const char* end = std::to_chars(number, number + sizeof number, int64_t(line) + 1).ptr;
        NoteModifiedWithParts({opening, shown, deleted ? "'  to raw data at line #" : "' to raw data at line #",
                               std::string_view(number, size_t(end - number))});
    }
    SendHint(nullptr, HintRawLineAppended, 0);
}

void CDataFileDoc::NoteChangedLine(const char* format, const std::string& text, int32_t line, int32_t from)
{
    for (size_t i = size_t(std::max(from, 0)); i < m_rawLines.size(); ++i)
        m_rawLines[i].clear();
    std::string history = QuotedText(format, text.c_str());
    const auto at = history.find("%d");
    if (at != std::string::npos)
        history.replace(at, 2, std::to_string(int64_t(line) + 1));
    SetModifiedWithText(history.c_str(), true, true);
    SendHint(nullptr, HintRawLinesChanged, 0);
}

bool CDataFileDoc::AppendRawDataRecord(const CRawDataRecord* record)
{
    if (record == nullptr || m_rawData == nullptr)
        return false;
    std::string text;
    int32_t line = -1;
    bool deleted = false;
    if (!m_rawData->AppendRecord(*record, &text, &line, &deleted))
        return false;
    NoteAppendedLine(text, line, deleted);
    return true;
}

bool CDataFileDoc::AppendRawDataRecordText(const CRawDataRecord* record)
{
    if (record == nullptr || m_rawData == nullptr)
        return false;
    std::string text;
    int32_t line = -1;
    if (!m_rawData->AppendRecordText(*record, &text, &line))
        return false;
    NoteAppendedLine(text, line, false);
    return true;
}

bool CDataFileDoc::ReplaceRawDataLine(int32_t line, const CRawDataRecord* record)
{
    if (record == nullptr || m_rawData == nullptr)
        return false;
    std::string text;
    int32_t at = line;
    if (!m_rawData->ReplaceRecord(line, *record, &text, &at))
        return false;
    NoteChangedLine("Replaced :%s in raw data at line #%d", text, at, line);
    return true;
}

bool CDataFileDoc::InsertRawDataLine(int32_t line, const CRawDataRecord* record)
{
    if (record == nullptr || m_rawData == nullptr)
        return false;
    std::string text;
    int32_t at = line;
    if (!m_rawData->InsertRecord(line, *record, &text, &at))
        return false;
    NoteChangedLine("Inserted '%s' in raw data at line #%d", text, at, line);
    return true;
}

int32_t CDataFileDoc::RemoveRawDataLines(const std::vector<int32_t>& lines)
{
    if (m_rawData == nullptr)
        return 0;
    const int32_t removed = m_rawData->RemoveRecords(lines);
    if (removed > 0) {
        for (int32_t i = 0; i < removed && m_rawLines.size() > 1; ++i)
            m_rawLines.pop_back();
        ReloadRawDataLines();
    }
    return removed;
}

bool CDataFileDoc::MarkRawDataLineDeleted(const std::vector<int32_t>& lines, bool deleted)
{
    const bool changed = m_rawData != nullptr && m_rawData->SetRecordsDeleted(lines, deleted) != 0;
    if (changed)
        ReloadRawDataLines();
    return changed;
}

bool CDataFileDoc::ConvertRawDataLineToNote(const std::vector<int32_t>& lines, bool note)
{
    const bool changed = m_rawData != nullptr && m_rawData->ToggleRecordsNote(lines, note) != 0;
    if (changed)
        ReloadRawDataLines();
    return changed;
}

bool CDataFileDoc::RenamePointsInRawData(const PointRenameMap& renames)
{
    const bool changed = m_rawData != nullptr && m_rawData->RenamePoints(renames);
    if (changed)
        ReloadRawDataLines();
    return changed;
}

void CDataFileDoc::ReloadRawDataLines()
{
    for (auto& cells : m_rawLines)
        cells.clear();
    SendHint(nullptr, HintRawLinesChanged, 0);
}

bool CDataFileDoc::CreateRawDataFromPoints(CDataFileDoc* target, const std::string& path)
{
    if (target == nullptr || target->GetRawDataFile() == nullptr)
        return false;
    return target->GetRawDataFile()->CreateRawDataFromPoints(path);
}

void CDataFileDoc::AppendSettingsComments(CDataFileDoc* target, const SettingsChangeFlags& flags)
{
    if (target != nullptr && target->GetRawDataFile() != nullptr)
        target->GetRawDataFile()->AppendSettingsComments(flags);
}

std::vector<CPointRecord*> CDataFileDoc::CollectSelectedPoints()
{
    std::vector<CPointRecord*> points;
    CSelection* selection = GetCurrentSelection();
    if (selection == nullptr)
        return points;
    RedBlackNode* pos = m_points->GetFirstPosition();
    while (CPointRecord* point = m_points->GetNextPoint(pos))
        if (selection->IsSelected(point))
            points.push_back(point);
    return points;
}

bool CDataFileDoc::MovePoints(const std::vector<CPointRecord*>& points, const std::vector<CLocation>& moved)
{
    for (const CLocation& at : moved) {
        // NaN fails the comparison too, so it is refused with the far values.
        const bool nearEnough = std::fabs(at.x) < kCoordinateLimit && std::fabs(at.y) < kCoordinateLimit &&
                                (at.z <= NoValueLimit || std::fabs(at.z) < kCoordinateLimit);
        if (!nearEnough)
            return false;
    }
    for (size_t i = 0; i < points.size(); ++i) {
        points[i]->SetLocation(moved[i], true);
        std::string lineText;
        int32_t line = -1;
        if (m_rawData != nullptr && m_rawData->AppendCogoPoint(*points[i], &lineText, &line))
            NoteAppendedLine(lineText, line, false);
    }
    return true;
}

bool CDataFileDoc::TranslatePoints(const CLocation& offset)
{
    const std::vector<CPointRecord*> points = CollectSelectedPoints();
    std::vector<CLocation> moved;
    moved.reserve(points.size());
    for (const CPointRecord* point : points) {
        CLocation at = point->GetLocation();
        at.x += offset.x;
        at.y += offset.y;
        // An offset without an elevation leaves the elevations as they are rather than
        // dropping them.
        if (at.z > NoValueLimit && offset.z > NoValueLimit)
            at.z += offset.z;
        moved.push_back(at);
    }
    return MovePoints(points, moved);
}

bool CDataFileDoc::RotatePoints(double originEasting, double originNorthing, double angle)
{
    const std::vector<CPointRecord*> points = CollectSelectedPoints();
    const CLocation centre(originEasting, originNorthing, NoValue);
    std::vector<CLocation> moved;
    moved.reserve(points.size());
    for (const CPointRecord* point : points) {
        CLocation at = point->GetLocation();
        RotatePoint(&at, &centre, angle);
        moved.push_back(at);
    }
    return MovePoints(points, moved);
}

bool CDataFileDoc::ScalePoints(double originEasting, double originNorthing, double originElevation, double easting,
                               double northing, double elevation)
{
    const std::vector<CPointRecord*> points = CollectSelectedPoints();
    const CLocation centre(originEasting, originNorthing, originElevation);
    std::vector<CLocation> moved;
    moved.reserve(points.size());
    for (const CPointRecord* point : points) {
        CLocation at = point->GetLocation();
        ScalePoint(&at, &centre, easting, northing, elevation);
        moved.push_back(at);
    }
    return MovePoints(points, moved);
}

bool CDataFileDoc::DeleteObjects(bool log)
{
    CStatusProgress progress;
    CSelection* selection = GetCurrentSelection();
    if (selection == nullptr || selection->GetCount() == 0)
        return true;
    // Deleting takes records out of the store the selection walks, so the walk comes first.
    std::vector<CRecord*> records;
    CRecordCursor cursor = selection->GetFirst();
    while (CRecord* record = selection->GetNext(cursor))
        records.push_back(record);

    const int64_t count = int64_t(records.size());
    int64_t done = 0;
    progress.Begin("Deleting non-point objects...");
    for (CRecord*& record : records) {
        if (record->GetType() == kRecordTypePoint)
            continue;
        DeleteRecord(record, true);
        record = nullptr;
        progress.SetPercent(MulDiv(++done, 100, count));
    }
    progress.Begin("Deleting point objects...");
    for (CRecord* record : records) {
        if (record == nullptr)
            continue;
        DeleteRecord(record, log);
        progress.SetPercent(MulDiv(++done, 100, count));
    }
    return true;
}

bool CDataFileDoc::ContainsRecord(const CRecord* record, uint16_t type) const
{
    if (record == nullptr || !m_records->FindRecord(record).IsValid())
        return false;
    return type == 0 || record->GetType() == type;
}

bool CDataFileDoc::GetRecordDistance(CRecord*& record, double easting, double northing, double& distance) const
{
    distance = NoValue;
    if (record != nullptr && record->GetType() == kRecordTypePoint) {
        const CLocation at = static_cast<CPointRecord*>(record)->GetLocation();
        distance = at.HorizontalDistance(CLocation(easting, northing, NoValue));
    }
    return distance > NoValueLimit;
}

void CDataFileDoc::SyncHighlight(CRecord* record)
{
    CSelection* current = GetCurrentSelection();
    if (current == nullptr || m_hiSelection == nullptr || record == nullptr)
        return;
    m_hiSelection->Select(record, current->IsSelected(record));
}

std::string CDataFileDoc::MakeUniquePointName(const std::string& base)
{
    std::string name = base.empty() ? m_lastPointName : base;
    auto advance = [this](std::string& n) {
        while (m_points->FindNode(n, true) != nullptr) {
            std::string next = NextFreePointName(n, true, 1);
            // No further name can be made (every number taken): stop rather than spin.
            if (next == n)
                break;
            n = std::move(next);
        }
    };
    advance(name);
    if (!m_reserving)
        return name;
    for (size_t guard = 0; IsReservedName(name) && guard <= m_reservedNames.size(); ++guard) {
        std::string next = NextFreePointName(name, true, 1);
        if (next == name)
            break;
        name = std::move(next);
        advance(name);
    }
    m_reservedNames.push_front(name);
    return name;
}

bool CDataFileDoc::IsReservedName(const std::string& name) const
{
    for (const std::string& reserved : m_reservedNames)
        if (EqualNoCase(reserved, name))
            return true;
    return false;
}

void CDataFileDoc::EndNameReservation()
{
    m_reservedNames.clear();
    m_reserving = false;
}

std::string CDataFileDoc::NextFreePointName(const std::string& base, bool untilFree, int32_t step)
{
    std::string s = base.empty() ? std::string("1") : base;

    RedBlackNode* p = m_points->FindNode(s, true);
    p = p != nullptr ? NextLeaf(*m_points, p) : m_points->FindNode(s, false);

    if (IsAsciiLetter(s.back()))
        s += '1';

    size_t digitsAt = s.size();
    while (digitsAt > 0 && IsAsciiDigit(s[digitsAt - 1]))
        --digitsAt;
    std::string prefix = s.substr(0, digitsAt);
    int64_t n = 0;
    if (digitsAt < s.size()) {
        const auto [end, ec] = std::from_chars(s.data() + digitsAt, s.data() + s.size(), n);
        // A run too long for a number cannot be counted on: start the count again.
        if (ec != std::errc())
            n = 0;
    }

    for (;;) {
        if (step > 0 && n > std::numeric_limits<int64_t>::max() - step)
            break;
        n += step;
        if (n <= 0)
            break;
        std::string number = std::to_string(n);
        if (number.size() > MaxPointNameChars) {
            n = 1;
            number = "1";
            p = m_points->GetFirstPosition();
        } else if (Utf8CharCount(prefix) + number.size() > MaxPointNameChars) {
            prefix.resize(Utf8PrefixBytes(prefix, MaxPointNameChars - number.size()));
        }
        s = prefix + number;
        if (p == nullptr)
            break;
        const int r = ComparePointNames(s.c_str(), m_points->GetPointAt(p)->GetName());
        p = NextLeaf(*m_points, p);
        if (!(r >= 0 && untilFree))
            break;
    }
    return s;
}

void CDataFileDoc::BuildSortedIndex()
{
    if (m_selOperator != nullptr)
        m_selOperator->InvalidateCount();
    CBusyCursor busy;
    CStatusProgress progress;
    progress.Begin("Loading...");

    FileHeldRows();
    const int64_t total = int64_t(m_records->GetCount(0)) + (m_rawData != nullptr ? m_rawData->GetLineCount() : 0);
    int64_t i = 0;
    CRecordCursor cursor = m_records->GetFirstRecord(0);
    if (m_sorted.IsUnnumbered()) {
        // Nothing filed yet: the rows are built in one pass, in the order inserting them one by
        // one would give.
        std::vector<CRecord*> rows;
        rows.reserve(std::size_t(m_records->GetCount(0)));
        // The store's points list is all it holds, as a rule: then no record is read to learn its kind.
        const bool onlyPoints = m_records->GetCount(1) == m_records->GetCount(0);
        if (onlyPoints) {
            m_records->AppendAllInOrder(rows);
            i += int64_t(rows.size());
            // Every record is taken: the walk below has none left.
            cursor = CRecordCursor();
        } else {
            while (CRecord* record = m_records->GetNextRecord(cursor)) {
                ++i;
                if (record->GetType() == kRecordTypePoint)
                    rows.push_back(record);
            }
        }
        // In sequence order, rows numbered as given are sorted already: saying so spares a
        // check that reads every record again.
        if (m_sorted.GetCompare() == &CompareRecordSequence)
            m_sorted.AssignInOrder(rows);
        else
            m_sorted.AssignFrom(rows);
        progress.SetPercent(MulDiv(i, 100, total));
    }
    while (CRecord* record = m_records->GetNextRecord(cursor)) {
        ++i;
        if (record->GetType() != kRecordTypePoint)
            continue;
        m_sorted.Insert(record);
        progress.SetPercent(MulDiv(i, 100, total));
    }

    if (RedBlackNode* last = m_points->GetLastPosition())
        m_lastPointName = NextFreePointName(m_points->GetPointAt(last)->GetName(), true, 1);

    SetModifiedWithText("", false, false);
}

void CDataFileDoc::SetModifiedFlag(bool modified)
{
    CDocument::SetModifiedFlag(modified);
    SendHint(nullptr, HintModifiedState, 0);
}

void CDataFileDoc::SetModifiedWithText(const char* text, bool modified, bool addHistory)
{
    if (addHistory) {
        const bool given = text != nullptr && *text != '\0';
        AppendHistoryLine(given ? std::string_view(text) : (modified ? "Modified:" : "Saved Job"));
    }
    CDocument::SetModifiedFlag(modified);
    SendHint(nullptr, HintModifiedState, 0);
}

bool CDataFileDoc::AddHistoryEntry(const std::string& text)
{
    if (!text.empty())
        AppendHistoryLine(text);
    return true;
}

void CDataFileDoc::NoteModifiedWithParts(std::initializer_list<std::string_view> parts)
{
    m_history.Append(LocalTimeStamp(), parts);
    CDocument::SetModifiedFlag(true);
    SendHint(nullptr, HintModifiedState, 0);
}

void CDataFileDoc::AppendHistoryLine(std::string_view text)
{
    m_history.Append(LocalTimeStamp(), text);
}

bool CDataFileDoc::OnNewDocument()
{
    m_lastPointName = "1";
    m_reserving = false;
    DeleteContents();
    BuildSortedIndex();
    SendHint(nullptr, HintNewBegin, 0);
    SendHint(nullptr, HintNewEnd, 0);
    return true;
}

void CDataFileDoc::OnCloseDocument()
{
    // Closing the other documents must not come back to close this one again.
    if (m_closing)
        return;
    m_closing = true;
    CDataFileDocShell& shell = GetDataFileDocShell();
    SendHint(nullptr, HintClosing, 0);
    shell.ResetStackingBar(0);
    if (m_undo != nullptr)
        m_undo->RemoveAll();
    CDocument::OnCloseDocument();
    RemoveOpenDocument(this);
    for (CDocument* other : GetOpenDocuments())
        if (other != this && IsOpenDocument(other))
            other->OnCloseDocument();
    shell.RestoreNoJobState();
    m_closing = false;
}

bool CDataFileDoc::SaveModified()
{
    CDataFileDocShell& shell = GetDataFileDocShell();
    if (shell.GetStackingBarState() == 2)
        return false;
    if (!IsModified())
        return true;

    std::string name;
    if (GetPathName().empty())
        name = GetTitle().empty() ? kUntitled : GetTitle();
    else
        name = std::filesystem::path(GetPathName()).stem().string();
    const bool temporary = HasTemporaryJob();
    if (temporary)
        name = kUntitled;

    std::string prompt = kAskToSave;
    prompt.replace(prompt.find("%1"), 2, name);

    switch (shell.PromptSaveModified(prompt, m_history.Lines())) {
    case IDCANCEL:
        return false;
    case IDNO:
        AddHistoryEntry("No changes saved");
        return true;
    case IDYES:
        if (temporary) {
            int result = 0;
            if (!shell.SaveTemporaryJobAs(&result)) {
                AddHistoryEntry("File Save FAILED");
                return false;
            }
            return result != CDataFileDocShell::SaveAsCancelled;
        }
        if (!DoFileSave()) {
            AddHistoryEntry("File Save FAILED");
            return false;
        }
        return true;
    default:
        return true;
    }
}

void CDataFileDoc::SetPathName(const std::string& path, bool addToRecentFiles)
{
    CDataFileDocShell& shell = GetDataFileDocShell();
    CDocument::SetPathName(path, addToRecentFiles && !HasTemporaryJob());
    shell.RefreshStackingBarCaptions();
}

void CDataFileDoc::ShowJobFileView()
{
    CDataFileDocShell& shell = GetDataFileDocShell();
    CView* first = GetFirstView();
    if (first == nullptr || !first->IsDataFileView())
        return;
    CDocTemplate* docTemplate = GetJobDocTemplate();
    if (docTemplate == nullptr || !shell.HasMainWindow())
        return;
    if (GetActiveDataFileView() != nullptr)
        shell.SendJobFileViewCommand();
    shell.ActivateTemplateView(docTemplate, 0);
}

const CMathConversions& CDataFileDoc::GetMathConversions() const { return *m_conversions; }

const CFormat& CDataFileDoc::GetDataFileFormat() const { return *m_format; }

int CDataFileDoc::GetSurveyUnits() const
{
    CDataFileDocSettings* settings = const_cast<CDataFileDoc*>(this)->GetJobSettings();
    return settings != nullptr ? settings->GetSurveyUnits() : CDataFileDocSettings::DefaultDistanceUnit;
}

int CDataFileDoc::GetAngleUnits() const
{
    CDataFileDocSettings* settings = const_cast<CDataFileDoc*>(this)->GetJobSettings();
    return settings != nullptr ? settings->GetAngleUnits() : CDataFileDocSettings::DefaultAngleUnit;
}

bool CDataFileDoc::FindPointLocation(const std::string& name, CLocation* location) const
{
    const CPointRecord* point = m_points->FindPoint(name, true);
    if (point == nullptr)
        return false;
    if (location != nullptr)
        *location = point->GetLocation();
    return true;
}
