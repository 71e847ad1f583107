#pragma once

#include "core/Location.h"
#include "core/PointName.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

class CRecordOwner;

// Texts held by records (names, descriptions) are at most this many characters.
constexpr int kRecordTextChars = static_cast<int>(MaxPointNameChars);
// UTF-8 needs up to four bytes a character, plus the terminating zero.
constexpr std::size_t kRecordTextBytes = kRecordTextChars * 4 + 1;

// Copies at most kRecordTextChars characters of src (UTF-8, never splitting a character) into dst,
// which holds kRecordTextBytes bytes, and terminates it. A null src gives the empty text.
void CopyRecordText(char* dst, const char* src);

// Owners by a small number: a job holds one record per point, and two bytes for its job instead
// of a pointer keep a point record to one cache line. A number stays the owner's while the owner
// lives (CRecordOwner gives it back as it goes); 0 is no owner.
uint16_t GetRecordOwnerNumber(CRecordOwner* owner);
void ForgetRecordOwner(CRecordOwner* owner);
extern CRecordOwner* const* g_recordOwners;
inline CRecordOwner* GetRecordOwner(uint16_t number) { return number == 0 ? nullptr : g_recordOwners[number]; }

// What every record keeps in the same shape: the store, the selections and the grid read it in
// their walks. Widest first, so a job of many records carries no padding between them.
struct RecordState
{
    uint32_t flags = 0; // bit i: member of the selection bound to bit i of the record store
    int32_t sequence = 0; // grid order, given by the sorted record index
    uint16_t type = 0; // 1 = point
    uint16_t owner = 0; // the owner's number (GetRecordOwnerNumber); 0: none
    // A point's description, as its place in CSharedTexts (0: none).
    uint32_t sharedText = 0;
};

// A record kept whole in one header, description included.
struct RecordHeader : RecordState
{
    char description[kRecordTextBytes] = {};

    // Copies type, description and owner; flags and sequence stay. A null source does nothing.
    void CopyFrom(const RecordHeader* source);
};

// Texts many records hold alike (a few feature codes repeated on every point), each kept once
// with a count of its holders and let go with the last. A text's place stays its own while it is
// held; the model is used from one thread.
class CSharedTexts
{
public:
    // The place of the text as CopyRecordText cuts it, held once more; 0 for the empty text.
    static uint32_t Hold(const char* text);
    static void Hold(uint32_t place);
    static void Release(uint32_t place);
    static const char* Text(uint32_t place) { return s_texts[place]; }

private:
    friend class CSharedTextList;
    static const char* const* s_texts;
};

// A record's short text (a name, a description), as CopyRecordText cuts it. A job holds one per
// point and most are a few characters, so up to 15 bytes live in the object itself and only a
// longer text takes a heap block of its own. The last byte tells which: it is zero while the text
// is inside (the terminator or the padding after it).
class CRecordText
{
public:
    CRecordText() { std::memset(m_bytes, 0, sizeof m_bytes); }
    CRecordText(const CRecordText& other) : CRecordText() { Assign(other.c_str()); }
    CRecordText& operator=(const CRecordText& other)
    {
        if (this != &other)
            Assign(other.c_str());
        return *this;
    }
    ~CRecordText() { Release(); }

    const char* c_str() const { return IsHeld() ? Held() : m_bytes; }
    // As CopyRecordText stores it; null is the empty text. The source may be this text itself.
    void Assign(const char* text);

private:
    static constexpr std::size_t kInside = 16;
    bool IsHeld() const { return m_bytes[kInside - 1] != 0; }
    char* Held() const
    {
        char* held;
        std::memcpy(&held, m_bytes, sizeof held);
        return held;
    }
    void Release()
    {
        if (IsHeld())
            delete[] Held();
    }

    alignas(char*) char m_bytes[kInside];
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
    // A record that returns a whole RecordHeader keeps its description there; one that keeps it
    // elsewhere overrides GetDescription and StoreDescription.
    virtual RecordState* GetHeader() = 0;
    const RecordState* GetHeader() const { return const_cast<CRecord*>(this)->GetHeader(); }

    uint16_t GetType() const { return GetHeader()->type; }
    virtual const char* GetDescription() const;
    void SetDescription(const char* text);

    // True when any bit of the mask is set.
    bool TestFlags(uint32_t mask) const { return (GetHeader()->flags & mask) != 0; }
    void SetFlags(uint32_t mask, bool on);
    // Changes with every SetFlags on any record: a walk that brought the flags into step may be
    // skipped while it has not moved (and no record came or went).
    static uint64_t GetFlagsGeneration();

    bool SetOwner(CRecordOwner* owner)
    {
        // Filing a point sets the same owner more than once on its way in.
        RecordState* header = GetHeader();
        if (owner == nullptr || GetRecordOwner(header->owner) != owner)
            header->owner = GetRecordOwnerNumber(owner);
        return true;
    }
    bool GetOwner(CRecordOwner*& out) const;
    bool HasOwner() const { return GetHeader()->owner != 0; }

    int32_t GetSequenceNumber() const { return GetHeader()->sequence; }
    void SetSequenceNumber(int32_t sequence) { GetHeader()->sequence = sequence; }

    // Whether the owner's current selection holds this record.
    bool IsSelected() const;
    // Marks the owning job modified without a history entry; always true.
    bool MarkModified();

protected:
    // Stores the text as CopyRecordText cuts it.
    virtual void StoreDescription(const char* text);

private:
    void DrawWith(int drawFlag, bool flag);
};
