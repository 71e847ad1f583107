#include "views/PointRows.h"

#include "core/Format.h"
#include "core/PointName.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "model/DataFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

CPointRows* g_sortingView = nullptr;

namespace {
// Only the Points tab sorts; -1 = in sequence order. Shared by every job view.
int g_sortColumn[1] = {-1};

int BySequence(const CRecord* a, const CRecord* b)
{
    return a->GetSequenceNumber() > b->GetSequenceNumber() ? 1 : -1;
}

// While the whole index is sorted again, what every comparison would ask is asked once.
struct SortContext
{
    bool active = false;
    bool documentOpen = false;
    bool northingFirst = true;
};
SortContext g_sortContext;

bool NorthingFirst() { return g_sortContext.active ? g_sortContext.northingFirst : GetMorvelSettings().GetCoordOrder(); }

bool DocumentOpen() { return g_sortContext.active ? g_sortContext.documentOpen : CDataFileDoc::GetActiveDoc() != nullptr; }

class SortContextScope
{
public:
    SortContextScope()
    {
        g_sortContext.documentOpen = CDataFileDoc::GetActiveDoc() != nullptr;
        g_sortContext.northingFirst = GetMorvelSettings().GetCoordOrder();
        g_sortContext.active = true;
    }
    ~SortContextScope() { g_sortContext.active = false; }
};
} // namespace

CPointRows::~CPointRows() { Detach(); }

void CPointRows::Attach(CDataFileDoc* document)
{
    Detach();
    m_document = document;
}

void CPointRows::Detach()
{
    if (m_document != nullptr)
        m_document->GetSortedIndex()->SetCompare(&CompareRecordSequence);
    if (g_sortingView == this)
        g_sortingView = nullptr;
    m_document = nullptr;
}

int CPointRows::GetSortColumn() { return g_sortColumn[0]; }

void CPointRows::SetSortColumn(int column) { g_sortColumn[0] = column; }

bool CPointRows::GetDirection(int column) const
{
    return column >= 0 && column < MaxSortColumns && m_sortDescending[std::size_t(column)] != 0;
}

std::array<std::string, GridColumnCount> CPointRows::ColumnHeadings(const CMorvelSettings& settings)
{
    const bool northingFirst = settings.GetCoordOrder();
    return {"Point", northingFirst ? settings.GetYCaption() : settings.GetXCaption(),
            northingFirst ? settings.GetXCaption() : settings.GetYCaption(), settings.GetZCaption(), "Description"};
}

int CPointRows::Compare(CRecord* a, CRecord* b)
{
    if (a == b)
        return 0;
    const int column = g_sortColumn[0];
    int r = 0;
    if (column >= 0 && a->GetType() == kRecordTypePoint && b->GetType() == kRecordTypePoint &&
        DocumentOpen()) {
        const auto* pa = static_cast<const CPointRecord*>(a);
        const auto* pb = static_cast<const CPointRecord*>(b);
        const CLocation la = pa->GetLocation();
        const CLocation lb = pb->GetLocation();
        switch (column) {
        case 0:
            r = ComparePointNames(pa->GetName(), pb->GetName());
            break;
        case 1:
            r = NorthingFirst() ? CompareDoubles(la.y, lb.y) : CompareDoubles(la.x, lb.x);
            break;
        case 2:
            r = NorthingFirst() ? CompareDoubles(la.x, lb.x) : CompareDoubles(la.y, lb.y);
            break;
        case 3:
            r = CompareDoubles(la.z, lb.z);
            break;
        case 4:
            r = CompareTextNoCase(a->GetDescription(), b->GetDescription());
            break;
        default:
            break;
        }
    }
    return r != 0 ? r : BySequence(a, b);
}

namespace {

// Compare's order for a whole index of points, each key read once instead of at every
// comparison; ties go by position, which is sequence order when the index is filed anew.
// compare answers as strcmp does, so keys that tie (most descriptions) cost one call, not two.
template <class Key, class Compare>
void SortPositions(std::vector<std::pair<Key, uint32_t>>& keys, std::vector<uint32_t>& order, Compare compare)
{
    std::sort(keys.begin(), keys.end(), [&compare](const auto& a, const auto& b) {
        const int r = compare(a.first, b.first);
        return r != 0 ? r < 0 : a.second < b.second;
    });
    order.reserve(keys.size());
    for (const auto& key : keys)
        order.push_back(key.second);
}

// A coordinate as an unsigned word that sorts as the number does; negative zero is zero, as
// under Compare.
uint64_t OrderedBits(double value)
{
    if (value == 0)
        value = 0;
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits >> 63 ? ~bits : bits | (uint64_t(1) << 63);
}

struct CoordinateKey
{
    uint64_t bits;
    uint32_t position;
    bool operator<(const CoordinateKey& other) const
    {
        return bits != other.bits ? bits < other.bits : position < other.position;
    }
};

// Coordinates are spread into buckets by their leading bits in one pass and each small bucket is
// sorted where it sits in cache; equal coordinates keep position order, as Compare's sequence
// tie-break asks.
void SortCoordinateKeys(std::vector<CoordinateKey>& keys, std::vector<uint32_t>& order)
{
    constexpr int BucketBits = 16;
    if (keys.empty())
        return;
    uint64_t low = UINT64_MAX, high = 0;
    for (const CoordinateKey& key : keys) {
        low = std::min(low, key.bits);
        high = std::max(high, key.bits);
    }
    int shift = 0;
    while (shift < 64 && ((high - low) >> shift) >= (uint64_t(1) << BucketBits))
        ++shift;
    const auto bucketOf = [low, shift](const CoordinateKey& key) { return std::size_t((key.bits - low) >> shift); };
    std::vector<uint32_t> starts((std::size_t(1) << BucketBits) + 1, 0);
    for (const CoordinateKey& key : keys)
        ++starts[bucketOf(key) + 1];
    for (std::size_t b = 1; b < starts.size(); ++b)
        starts[b] += starts[b - 1];
    std::vector<CoordinateKey> spread(keys.size());
    std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
    for (const CoordinateKey& key : keys)
        spread[next[bucketOf(key)]++] = key;
    for (std::size_t b = 0; b + 1 < starts.size(); ++b)
        if (starts[b + 1] - starts[b] > 1)
            std::sort(spread.begin() + starts[b], spread.begin() + starts[b + 1]);
    order.reserve(spread.size());
    for (const CoordinateKey& key : spread)
        order.push_back(key.position);
}

bool SortPointsByKeys(CRecord* const* records, std::size_t count, std::vector<uint32_t>& order)
{
    const int column = g_sortColumn[0];
    if (column < 0 || column >= GridColumnCount || !DocumentOpen())
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (records[i] == nullptr || records[i]->GetType() != kRecordTypePoint)
            return false;
    const auto point = [records](std::size_t i) { return static_cast<const CPointRecord*>(records[i]); };
    if (column == 0) {
        std::vector<std::pair<const char*, uint32_t>> keys;
        keys.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            keys.emplace_back(point(i)->GetName(), uint32_t(i));
        SortPositions(keys, order, [](const char* a, const char* b) { return ComparePointNames(a, b); });
        return true;
    }
    if (column == 4) {
        std::vector<std::pair<std::string, uint32_t>> keys;
        keys.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            keys.emplace_back(records[i]->GetDescription(), uint32_t(i));
        SortPositions(keys, order,
                      [](const std::string& a, const std::string& b) { return CompareTextNoCase(a, b); });
        return true;
    }
    const bool northingFirst = NorthingFirst();
    std::vector<CoordinateKey> keys;
    keys.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        // The location closes the record: ask for that line of a record a few rows ahead.
        constexpr std::size_t Ahead = 8;
        if (i + Ahead < count)
            __builtin_prefetch(reinterpret_cast<const char*>(point(i + Ahead)) + sizeof(CPointRecord) - sizeof(CLocation));
        const CLocation at = point(i)->GetLocation();
        const double key = column == 3 ? at.z : (column == 1) == northingFirst ? at.y : at.x;
        // A NaN is equal to everything under Compare, which no key order can copy.
        if (std::isnan(key))
            return false;
        keys.push_back({OrderedBits(key), uint32_t(i)});
    }
    SortCoordinateKeys(keys, order);
    return true;
}

} // namespace

void CPointRows::InstallCompare()
{
    g_sortingView = this;
    CSpRecordRBTree* sorted = m_document->GetSortedIndex();
    sorted->SetCompare(&CPointRows::Compare);
    sorted->SetKeySort(&CPointRows::Compare, &SortPointsByKeys);
}

int32_t CPointRows::GetCount() const { return m_document ? m_document->GetSortedIndex()->GetCount() : 0; }

int32_t CPointRows::RowToSortedIndex(int32_t row) const
{
    if (m_document == nullptr)
        return -1;
    const int32_t count = GetCount();
    const int column = g_sortColumn[0];
    if (column >= 0 && column < MaxSortColumns && m_sortDescending[std::size_t(column)] == 0)
        row = count - row - 1;
    return row >= 0 && row < count ? row : -1;
}

CPointRecord* CPointRows::GetPointAtRow(int32_t row) const
{
    const int32_t index = RowToSortedIndex(row);
    if (index < 0)
        return nullptr;
    CRecord* record = m_document->GetSortedIndex()->GetAt(index);
    return record && record->GetType() == kRecordTypePoint ? static_cast<CPointRecord*>(record) : nullptr;
}

bool CPointRows::IsRowSelected(int32_t row) const
{
    const CPointRecord* point = GetPointAtRow(row);
    return point != nullptr && point->IsSelected();
}

std::string CPointRows::GetCellText(int32_t row, int column) const
{
    const int32_t index = RowToSortedIndex(row);
    if (index < 0)
        return {};
    CSpRecordRBTree* sorted = m_document->GetSortedIndex();
    CRecord* record = sorted->GetAt(index);
    if (record == nullptr || record->GetType() != kRecordTypePoint)
        return {};
    const auto* point = static_cast<const CPointRecord*>(record);
    sorted->SetRowState(index, point->IsSelected());
    const CLocation location = point->GetLocation();
    const CFormat& format = static_cast<const CDataFileDoc*>(m_document)->GetDataFileFormat();
    const bool northingFirst = NorthingFirst();
    switch (column) {
    case 0:
        return point->GetName();
    case 1:
        return format.FormatCoordinate(northingFirst ? location.y : location.x, false, false);
    case 2:
        return format.FormatCoordinate(northingFirst ? location.x : location.y, false, false);
    case 3:
        return location.IsValid3D() ? format.FormatElevation(location.z, false, false) : "---";
    case 4:
        return point->GetDescription();
    default:
        return {};
    }
}

void CPointRows::RebuildSortOrder()
{
    if (m_document == nullptr)
        return;
    CSpRecordRBTree* sorted = m_document->GetSortedIndex();
    SortContextScope context;
    InstallCompare();
    CRecordDatabase* records = m_document->GetRecordDatabase();
    if (records == nullptr) {
        sorted->Clear();
        return;
    }
    const int32_t count = records->GetCount(0);
    CStatusProgress progress;
    if (count > 0)
        progress.Begin("Sorting points...");
    // Gathered first and filed in one sort: inserting each point descends the tree at random.
    std::vector<CRecord*> points;
    points.reserve(std::size_t(std::max(count, 0)));
    // Each point's sort key is read while its record is at hand for the type, not in a pass of
    // its own over records that have left the cache by then.
    const int column = g_sortColumn[0];
    bool byKeys = column >= 0 && column < GridColumnCount && DocumentOpen();
    const bool northingFirst = NorthingFirst();
    std::vector<CoordinateKey> keys;
    std::vector<std::pair<const char*, uint32_t>> names;
    std::vector<std::pair<std::string, uint32_t>> descriptions;
    if (byKeys && column == 0)
        names.reserve(points.capacity());
    else if (byKeys && column == 4)
        descriptions.reserve(points.capacity());
    else if (byKeys)
        keys.reserve(points.capacity());
    CRecordCursor cursor = records->GetFirstRecord(0);
    // Records lie apart in memory: one a few places on along the list is asked for ahead.
    CRecordCursor ahead = cursor;
    constexpr int Ahead = 6;
    for (int k = 0; k < Ahead; ++k)
        records->GetNextRecord(ahead);
    int64_t i = 0;
    while (CRecord* record = records->GetNextRecord(cursor)) {
        if (const CRecord* next = records->GetNextRecord(ahead)) {
            __builtin_prefetch(next);
            __builtin_prefetch(reinterpret_cast<const char*>(next) + sizeof(CPointRecord) - sizeof(CLocation));
        }
        progress.SetPercent(MulDiv(i++, 100, count));
        if (record->GetType() != kRecordTypePoint)
            continue;
        points.push_back(record);
        if (!byKeys)
            continue;
        if (points.size() > UINT32_MAX) {
            byKeys = false;
            continue;
        }
        const auto* point = static_cast<const CPointRecord*>(record);
        const uint32_t position = uint32_t(points.size() - 1);
        if (column == 0) {
            names.emplace_back(point->GetName(), position);
        } else if (column == 4) {
            descriptions.emplace_back(point->GetDescription(), position);
        } else {
            const CLocation at = point->GetLocation();
            const double key = column == 3 ? at.z : (column == 1) == northingFirst ? at.y : at.x;
            // A NaN is equal to everything under Compare, which no key order can copy.
            if (std::isnan(key))
                byKeys = false;
            else
                keys.push_back({OrderedBits(key), position});
        }
    }
    if (!byKeys) {
        sorted->AssignFrom(points);
        return;
    }
    std::vector<uint32_t> order;
    if (column == 0)
        SortPositions(names, order, [](const char* a, const char* b) { return ComparePointNames(a, b); });
    else if (column == 4)
        SortPositions(descriptions, order,
                      [](const std::string& a, const std::string& b) { return CompareTextNoCase(a, b); });
    else
        SortCoordinateKeys(keys, order);
    sorted->AssignFrom(points, &order);
}

void CPointRows::ResortPoints()
{
    if (m_document == nullptr)
        return;
    SortContextScope context;
    InstallCompare();
    m_document->GetSortedIndex()->Rebuild();
}

bool CPointRows::SortByColumn(int column, bool toggle, int32_t itemCount)
{
    if (column < 0 || column >= MaxSortColumns)
        return false;
    uint8_t& direction = m_sortDescending[std::size_t(column)];
    if (itemCount <= 0 || m_document == nullptr) {
        if (toggle)
            direction = direction ? 0 : 1;
        g_sortColumn[0] = column;
        return false;
    }
    m_document->GetSortedIndex()->InvalidateCursor();
    if (column == g_sortColumn[0]) {
        ResortPoints();
        if (toggle)
            direction = direction ? 0 : 1;
        return true;
    }
    if (toggle)
        direction = direction ? 0 : 1;
    g_sortColumn[0] = column;
    RebuildSortOrder();
    return true;
}
