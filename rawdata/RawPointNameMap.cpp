#include "rawdata/RawPointNameMap.h"

#include "core/TextUtil.h"
#include "model/PointRecord.h"
#include "rawdata/records/RawDataRecord.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <type_traits>

static_assert(std::is_trivially_copyable_v<CRawPointNameMap::Copy> &&
              std::is_trivially_destructible_v<CRawPointNameMap::Copy>);

CRawPointNameMap::PointList::PointList(PointList&& other) noexcept
    : m_count(other.m_count), m_nameAt(other.m_nameAt)
{
    // The union's bytes carry either the copy or the pointer to the copies apart.
    std::memcpy(static_cast<void*>(&m_first), &other.m_first, sizeof m_first);
    other.m_count = 0;
}

CRawPointNameMap::PointList& CRawPointNameMap::PointList::operator=(PointList&& other) noexcept
{
    if (this != &other) {
        if (Spilled())
            delete[] m_more;
        std::memcpy(static_cast<void*>(&m_first), &other.m_first, sizeof m_first);
        m_count = other.m_count;
        m_nameAt = other.m_nameAt;
        other.m_count = 0;
    }
    return *this;
}

void CRawPointNameMap::PointList::push_back(const Copy& copy)
{
    const uint32_t size = uint32_t(this->size());
    if (!Spilled()) {
        if (size == 0) {
            m_first = copy;
            m_count = 1;
            return;
        }
        Copy* more = new Copy[2];
        more[0] = m_first;
        more[1] = copy;
        m_more = more;
        m_count = SpilledBit | 2;
        return;
    }
    const uint32_t room = RoomFor(size);
    if (size == room) {
        Copy* more = new Copy[size_t(room) * 2];
        std::copy(m_more, m_more + size, more);
        delete[] m_more;
        m_more = more;
    }
    m_more[size] = copy;
    ++m_count;
}

CRawPointNameMap::~CRawPointNameMap() = default;

namespace {

// A name's hash. Point names are mostly a few characters, so a short one is read in two loads
// from inside it (overlapping, or three bytes for one to three characters) and mixed by one wide
// multiplication, a fraction of the library's hash's work; a long one still goes there.
size_t NameHash(std::string_view name)
{
    const size_t size = name.size();
    const auto* p = reinterpret_cast<const unsigned char*>(name.data());
    uint64_t a = 0, b = 0;
    if (size > 16) {
        return std::hash<std::string_view>()(name);
    } else if (size >= 8) {
        std::memcpy(&a, p, 8);
        std::memcpy(&b, p + size - 8, 8);
    } else if (size >= 4) {
        uint32_t first, last;
        std::memcpy(&first, p, 4);
        std::memcpy(&last, p + size - 4, 4);
        a = first;
        b = last;
    } else if (size > 0) {
        a = (uint64_t(p[0]) << 16) | (uint64_t(p[size / 2]) << 8) | p[size - 1];
    }
    // Both halves of the product: the table's slot takes the low bits and its tag the high ones.
    const unsigned __int128 product =
        static_cast<unsigned __int128>(a ^ 0xa0761d6478bd642full) * (b ^ size ^ 0xe7037ed1a0b428dbull);
    return size_t(uint64_t(product) ^ uint64_t(product >> 64));
}

} // namespace

std::string_view CRawPointNameMap::NameOf(const Entry& entry) const
{
    const char* at = m_names.data() + entry.list.m_nameAt;
    uint32_t size = uint8_t(*at++);
    if (size == 255) {
        std::memcpy(&size, at, sizeof size);
        at += sizeof size;
    }
    return {at, size};
}

uint32_t CRawPointNameMap::AddName(std::string_view name)
{
    const uint32_t at = uint32_t(m_names.size());
    if (name.size() < 255) {
        m_names += char(uint8_t(name.size()));
    } else {
        const uint32_t size = uint32_t(name.size());
        m_names += char(255);
        m_names.append(reinterpret_cast<const char*>(&size), sizeof size);
    }
    m_names += name;
    return at;
}

size_t CRawPointNameMap::Probe(std::string_view name, size_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    const uint8_t tag = SlotTag(hash);
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const uint8_t seen = m_tags[slot];
        if (seen == 0 || (seen == tag && NameOf(m_entries[m_slots[slot] - 1]) == name))
            return slot;
    }
}

const CRawPointNameMap::Entry* CRawPointNameMap::Find(std::string_view name) const
{
    if (m_slots.empty())
        return nullptr;
    const size_t slot = Probe(name, NameHash(name));
    return m_tags[slot] == 0 ? nullptr : &m_entries[m_slots[slot] - 1];
}

void CRawPointNameMap::Rehash(size_t slots)
{
    // Fresh tables: assign() would keep the old room when the table shrinks.
    m_slots = std::vector<uint32_t>(slots, 0);
    m_tags = std::vector<uint8_t>(slots, 0);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const std::string_view name = NameOf(m_entries[i]);
        const size_t hash = NameHash(name);
        const size_t slot = Probe(name, hash);
        m_tags[slot] = SlotTag(hash);
        m_slots[slot] = uint32_t(i + 1);
    }
}

void CRawPointNameMap::Reserve(size_t more)
{
    const size_t names = m_entries.size() + more;
    m_entries.reserve(names);
    m_filed.reserve(m_filed.size() + more);
    const size_t slots = SlotsFor(names);
    if (slots > m_slots.size())
        Rehash(slots);
}

size_t CRawPointNameMap::SlotsFor(size_t names)
{
    // At most three quarters full: the tag bytes settle most of a probe, so it stays short.
    size_t slots = 16;
    while (slots * 3 < names * 4)
        slots *= 2;
    return slots;
}

void CRawPointNameMap::ShrinkToFit()
{
    // Only room worth copying a table for: a file that names a point on nearly every line keeps it.
    auto shrink = [](auto& table) {
        if (table.capacity() - table.size() > table.capacity() / 16)
            table.shrink_to_fit();
    };
    shrink(m_entries);
    shrink(m_names);
    shrink(m_filed);
    // The slots were sized for a name on every line.
    const size_t slots = SlotsFor(m_entries.size());
    if (slots < m_slots.size())
        Rehash(slots);
}

size_t CRawPointNameMap::Prefetch(std::string_view name) const
{
    const size_t hash = NameHash(name);
    if (!m_slots.empty()) {
        const size_t slot = hash & (m_slots.size() - 1);
        __builtin_prefetch(m_tags.data() + slot);
        __builtin_prefetch(m_slots.data() + slot);
    }
    return hash;
}

void CRawPointNameMap::PrefetchLineName(std::string_view line) const
{
    const char* at = line.data();
    const char* const end = at + std::min<size_t>(line.size(), 64);
    while (at != end && *at != ',')
        ++at;
    if (at == end)
        return;
    const char* start = ++at;
    while (at != end && *at != ',' && *at != '\r' && *at != '\n')
        ++at;
    Prefetch(TrimRawValue(std::string_view(start, size_t(at - start))));
}

uint32_t CRawPointNameMap::DescriptionIndex(std::string_view description)
{
    // Runs of lines repeat one feature code, or go back and forth between two: the last two
    // answer before the table is asked.
    // Descriptions from one list are mostly as long as each other and differ at their ends.
    auto is = [&](uint32_t index) {
        if (index >= m_descriptions.size())
            return false;
        const std::string& held = *m_descriptions[index];
        return held.size() == description.size() &&
               (held.empty() || (held.back() == description.back() && held == description));
    };
    if (is(m_lastDescription))
        return m_lastDescription;
    if (is(m_otherDescription)) {
        std::swap(m_lastDescription, m_otherDescription);
        return m_lastDescription;
    }
    // A job's descriptions come from a short list: where this one was last met is tried before
    // the table, which hashes it in full.
    uint32_t& recent = m_recentDescriptions[textutil::RecentTextSlot<kRecentBits>(description)];
    if (!is(recent)) {
        const auto [it, added] = m_descriptionIndex.try_emplace(std::string(description), uint32_t(m_descriptions.size()));
        if (added)
            m_descriptions.push_back(&it->first);
        recent = it->second;
    }
    m_otherDescription = m_lastDescription;
    m_lastDescription = recent;
    return recent;
}

void CRawPointNameMap::AddPoint(const CPointRecord* point, int32_t line, bool deleted)
{
    if (!point)
        return;
    AddPoint(point->GetName(), point->GetDescription(), point->GetLocation(), line, deleted);
}

void CRawPointNameMap::AddPoint(std::string_view name, std::string_view description, const CLocation& location,
                                int32_t line, bool deleted)
{
    AddPoint(name, NameHash(name), description, location, line, deleted);
}

void CRawPointNameMap::AddPoint(std::string_view name, size_t hash, std::string_view description,
                                const CLocation& location, int32_t line, bool deleted)
{
    if (!location.HasPlaneCoordinates() || name.empty() || line < 0)
        return;
    if ((m_entries.size() + 1) * 4 > m_slots.size() * 3)
        Rehash(std::max<size_t>(16, m_slots.size() * 2));
    const size_t slot = Probe(name, hash);
    // Lines are applied in order, so the list stays sorted by line; a re-applied line replaces
    // nothing because RemoveFromLine ran first.
    const uint32_t lineAndDeleted = (uint32_t(line) & LineMask) | (deleted ? DeletedBit : 0u);
    if (m_inLineOrder && !m_filed.empty()) {
        const PointList& last = m_entries[m_filed.back()].list;
        if (!last.empty() && LineOf(last.back()) > line)
            m_inLineOrder = false;
    }
    const uint32_t describedAs = DescriptionIndex(description);
    uint32_t index = 0;
    if (m_tags[slot] == 0) {
        // A new name's entry is written once, its copy in place: the entries are fresh memory on
        // a load, and a copy built apart and then moved in waited on those writes.
        index = uint32_t(m_entries.size());
        const uint32_t nameAt = AddName(name);
        PointList& list = m_entries.emplace_back().list;
        list.m_first.location = location;
        list.m_first.description = describedAs;
        list.m_first.lineAndDeleted = lineAndDeleted;
        list.m_count = 1;
        list.m_nameAt = nameAt;
        m_tags[slot] = SlotTag(hash);
        m_slots[slot] = index + 1;
    } else {
        index = m_slots[slot] - 1;
        m_entries[index].list.push_back(Copy{location, describedAs, lineAndDeleted});
    }
    if (m_inLineOrder)
        m_filed.push_back(index);
}

bool CRawPointNameMap::Lookup(const std::string& name, const PointList** list) const
{
    const Entry* entry = Find(name);
    if (!entry || entry->list.empty())
        return false;
    if (list)
        *list = &entry->list;
    return true;
}

bool CRawPointNameMap::FindPoint(const std::string& name, int32_t limitLine, const Copy** point) const
{
    if (limitLine < 0)
        return false;
    const Entry* entry = Find(name);
    if (!entry)
        return false;
    const PointList& list = entry->list;
    // The first copy filed after the limit; the one before it is the latest at or before it.
    const Copy* after = std::upper_bound(list.begin(), list.end(), limitLine,
                                         [](int32_t limit, const Copy& p) { return limit < LineOf(p); });
    if (after == list.begin())
        return false;
    const Copy& found = *(after - 1);
    if (IsDeletedCopy(found) || !found.location.HasPlaneCoordinates())
        return false;
    if (point)
        *point = &found;
    return true;
}

bool CRawPointNameMap::HasPoint(const std::string& name, int32_t limitLine) const
{
    return FindPoint(name, limitLine, nullptr);
}

bool CRawPointNameMap::GetPointLocation(const std::string& name, CLocation* location, int32_t limitLine) const
{
    const Copy* point = nullptr;
    if (!FindPoint(name, limitLine, &point))
        return false;
    *location = point->location;
    return true;
}

bool CRawPointNameMap::GetPointDescription(const std::string& name, std::string* description,
                                           int32_t limitLine) const
{
    const Copy* point = nullptr;
    if (!FindPoint(name, limitLine, &point))
        return false;
    *description = DescriptionOf(*point);
    return true;
}

void CRawPointNameMap::RemoveAll()
{
    m_entries.clear();
    m_names.clear();
    m_slots.clear();
    m_tags.clear();
    m_filed.clear();
    m_inLineOrder = true;
    m_descriptionIndex.clear();
    m_descriptions.clear();
}

void CRawPointNameMap::RemoveFromLine(int32_t line)
{
    if (m_inLineOrder) {
        // The copies at the line or later are the last ones filed.
        while (!m_filed.empty()) {
            PointList& list = m_entries[m_filed.back()].list;
            if (list.empty() || LineOf(list.back()) < line)
                break;
            list.pop_back();
            m_filed.pop_back();
        }
        return;
    }
    // Some line was filed out of order: every list is looked at, and the filing order is no
    // longer kept.
    m_filed.clear();
    for (Entry& entry : m_entries)
        while (!entry.list.empty() && LineOf(entry.list.back()) >= line)
            entry.list.pop_back();
}

size_t CRawPointNameMap::GetNameCount() const
{
    size_t count = 0;
    for (const Entry& entry : m_entries)
        count += entry.list.empty() ? 0 : 1;
    return count;
}
