#pragma once

#include "core/Location.h"
#include "model/PointRecord.h"

#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CDataFileDoc;

// The points the raw lines store or measure, by name: for each name the copies filed in line
// order. A copy keeps only what lookups answer (location, description) and its line in bits 0-30
// with the deleted mark in bit 31; the name is the key. Lookups answer as of a line: the latest
// copy filed at that line or earlier, unless deleted.
//
// A job files one copy for most names, so the names live in one flat table with room for one copy
// inline, and the descriptions (a few feature codes repeated on every line) are kept once each.
class CRawPointNameMap
{
public:
    static constexpr uint32_t DeletedBit = 0x80000000u;
    static constexpr uint32_t LineMask = 0x7FFFFFFFu;

    explicit CRawPointNameMap(CDataFileDoc* doc = nullptr) : m_doc(doc) {}
    ~CRawPointNameMap();
    CRawPointNameMap(const CRawPointNameMap&) = delete;
    CRawPointNameMap& operator=(const CRawPointNameMap&) = delete;

    // Nothing for a null point, one without plane coordinates, or one without name.
    void AddPoint(const CPointRecord* point, int32_t line, bool deleted);
    void AddPoint(std::string_view name, std::string_view description, const CLocation& location, int32_t line,
                  bool deleted);
    // The same with the name's hash as Prefetch gave it.
    void AddPoint(std::string_view name, size_t hash, std::string_view description, const CLocation& location,
                  int32_t line, bool deleted);
    struct Copy
    {
        CLocation location;
        uint32_t description = 0; // in the map's description list
        uint32_t lineAndDeleted = 0;
    };
    // The copies of one name in line order; the first is held in place.
    class PointList
    {
    public:
        PointList() : m_first() {}
        ~PointList()
        {
            if (Spilled())
                delete[] m_more;
        }
        PointList(PointList&& other) noexcept;
        PointList& operator=(PointList&& other) noexcept;
        PointList(const PointList&) = delete;
        PointList& operator=(const PointList&) = delete;

        size_t size() const { return m_count & CountMask; }
        bool empty() const { return size() == 0; }
        const Copy* begin() const { return Spilled() ? m_more : &m_first; }
        const Copy* end() const { return begin() + size(); }
        const Copy& front() const { return *begin(); }
        const Copy& back() const { return begin()[size() - 1]; }
        void push_back(const Copy& copy);
        void pop_back() { --m_count; }

    private:
        friend class CRawPointNameMap;
        // The room of the copies held apart: the allocation doubles from two, so it is the least
        // power of two not below the count (or more, after removals).
        static uint32_t RoomFor(uint32_t size) { return size <= 1 ? 1 : std::bit_ceil(size); }
        // Set in the count once the copies moved apart (they stay apart after removals).
        static constexpr uint32_t SpilledBit = 0x80000000u;
        static constexpr uint32_t CountMask = 0x7FFFFFFFu;
        bool Spilled() const { return (m_count & SpilledBit) != 0; }

        // The one copy in place, or all of them apart once there were two: most names have one,
        // and a pointer beside the copy would make every entry a fifth larger.
        union
        {
            Copy m_first;
            Copy* m_more;
        };
        uint32_t m_count = 0;
        // Where the map that holds the list keeps its name, in the word the room would take.
        uint32_t m_nameAt = 0;
    };
    bool Lookup(const std::string& name, const PointList** list) const;
    bool FindPoint(const std::string& name, int32_t limitLine, const Copy** point) const;
    bool HasPoint(const std::string& name, int32_t limitLine) const;
    bool GetPointLocation(const std::string& name, CLocation* location, int32_t limitLine) const;
    bool GetPointDescription(const std::string& name, std::string* description, int32_t limitLine) const;
    const std::string& DescriptionOf(const Copy& point) const { return *m_descriptions[point.description]; }
    void RemoveAll();
    // Forgets every copy filed at the line or later (the lines from there on are applied again).
    // The names stay in the map with empty lists, so applying the lines again allocates little.
    void RemoveFromLine(int32_t line);
    // Names with at least one copy.
    size_t GetNameCount() const;
    // Makes room for that many more names before a bulk add.
    void Reserve(size_t more);
    // Hands back the room a bulk add reserved and did not use (a file's lines that file no point).
    void ShrinkToFit();
    // Starts fetching the name's slot, so a filing that follows other work finds it in cache;
    // gives the name's hash for that filing.
    size_t Prefetch(std::string_view name) const;
    // Prefetch for the name a raw line's text would file: its second field, trimmed, looked for in
    // the first 64 characters (the line may run on into the next ones). Only a hint.
    void PrefetchLineName(std::string_view line) const;

    static int32_t LineOf(const Copy& point) { return int32_t(point.lineAndDeleted & LineMask); }
    static bool IsDeletedCopy(const Copy& point) { return (point.lineAndDeleted & DeletedBit) != 0; }

private:
    // The name's characters sit in one shared buffer after their length (one byte below 255, else
    // 255 and four bytes): most names are a few digits, and a string each would cost more than the
    // copy it files.
    struct Entry
    {
        PointList list;
    };
    std::string_view NameOf(const Entry& entry) const;
    uint32_t AddName(std::string_view name);
    // The slot of the name's entry (index + 1) or of the empty slot where it goes.
    size_t Probe(std::string_view name, size_t hash) const;
    // The table length for that many names.
    static size_t SlotsFor(size_t names);
    const Entry* Find(std::string_view name) const;
    void Rehash(size_t slots);
    uint32_t DescriptionIndex(std::string_view description);

    CDataFileDoc* m_doc;
    std::vector<Entry> m_entries;
    std::string m_names;
    // Per slot the entry index + 1 (0 for empty) and, apart, a byte of the name's hash with the
    // top bit set (0 for empty). A power of two long and at most three quarters full. A probe reads only the
    // bytes, a quarter of the table, which stay in cache while a long file streams past; most
    // mismatches are settled there without reading the index or the entry.
    std::vector<uint32_t> m_slots;
    std::vector<uint8_t> m_tags;
    static uint8_t SlotTag(size_t hash) { return uint8_t(0x80u | uint8_t(uint64_t(hash) >> 57)); }
    // The entry each copy went to, in filing order: lines are applied in order, so removing the
    // copies from a line on only looks at the tail.
    std::vector<uint32_t> m_filed;
    bool m_inLineOrder = true;
    std::unordered_map<std::string, uint32_t> m_descriptionIndex;
    std::vector<const std::string*> m_descriptions;
    uint32_t m_lastDescription = 0;
    uint32_t m_otherDescription = 0;
    // Where each description was last met, by a short hash of its text; checked again before use.
    static constexpr int kRecentBits = 10;
    std::array<uint32_t, size_t(1) << kRecentBits> m_recentDescriptions{};
};
