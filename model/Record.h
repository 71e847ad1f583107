#pragma once

#include "core/Location.h"
#include "core/PointName.h"

#include <cstddef>
#include <cstdint>

class CRecordOwner;

// Texts held by records (names, descriptions) are at most this many characters.
constexpr int kRecordTextChars = static_cast<int>(MaxPointNameChars);
// UTF-8 needs up to four bytes a character, plus the terminating zero.
constexpr std::size_t kRecordTextBytes = kRecordTextChars * 4 + 1;

// Copies at most kRecordTextChars characters of src (UTF-8, never splitting a character) into dst,
// which holds kRecordTextBytes bytes, and terminates it. A null src gives the empty text.
void CopyRecordText(char* dst, const char* src);

struct RecordHeader
{
    uint16_t type = 0; // 1 = point
    char description[kRecordTextBytes] = {};
    uint32_t flags = 0; // bit i: member of the selection bound to bit i of the record store
    int32_t sequence = 0; // grid order, given by the sorted record index
    CRecordOwner* owner = nullptr;

    // Copies type, description and owner; flags and sequence stay. A null source does nothing.
    void CopyFrom(const RecordHeader* source);
};

constexpr uint16_t kRecordTypePoint = 1;

class CRecord
{
public:
    virtual ~CRecord() = default;

    virtual bool Validate() = 0;
    virtual void AddToExtents(CExtent2D& extent) {}
    virtual bool IsInside(double left, double top, double right, double bottom, bool flag) { return false; }
    virtual void Draw(bool flag);
    virtual void DrawAlternate(bool flag);
    virtual RecordHeader* GetHeader() = 0;
    const RecordHeader* GetHeader() const { return const_cast<CRecord*>(this)->GetHeader(); }

    uint16_t GetType() const { return GetHeader()->type; }
    const char* GetDescription() const { return GetHeader()->description; }
    void SetDescription(const char* text);

    // True when any bit of the mask is set.
    bool TestFlags(uint32_t mask) const { return (GetHeader()->flags & mask) != 0; }
    void SetFlags(uint32_t mask, bool on);
    // Changes with every SetFlags on any record: a walk that brought the flags into step may be
    // skipped while it has not moved (and no record came or went).
    static uint64_t GetFlagsGeneration();

    bool SetOwner(CRecordOwner* owner);
    bool GetOwner(CRecordOwner*& out) const;
    bool HasOwner() const { return GetHeader()->owner != nullptr; }

    int32_t GetSequenceNumber() const { return GetHeader()->sequence; }
    void SetSequenceNumber(int32_t sequence) { GetHeader()->sequence = sequence; }

    // Whether the owner's current selection holds this record.
    bool IsSelected() const;
    // Marks the owning job modified without a history entry; always true.
    bool MarkModified();

private:
    void DrawWith(int drawFlag, bool flag);
};
