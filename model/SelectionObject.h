#pragma once

#include <cstdint>
#include <list>
#include <memory>

class CRecord;
class CSelectionObjectBase;

using SelectionEntryList = std::list<CSelectionObjectBase*>;

// One object's membership of a container's selections: a bit per selection.
class CSelectionObjectBase
{
public:
    explicit CSelectionObjectBase(CRecord* key) : m_key(key) {}
    CSelectionObjectBase(const CSelectionObjectBase&) = delete;
    CSelectionObjectBase& operator=(const CSelectionObjectBase&) = delete;
    virtual ~CSelectionObjectBase() = default;

    virtual bool TestBit(int bit) const = 0;
    virtual void SetBit(int bit, bool on) = 0;
    virtual bool IsAnySet() const = 0;

    CRecord* GetKey() const { return m_key; }

private:
    friend class CSelectionContainer;

    CRecord* m_key;
    // Where the container lists the entry, so it can be unlinked without a search.
    SelectionEntryList::iterator m_listPos{};
};

// The usual entry: 32 bits inline, further bits in words allocated when first set.
class CMaskBitsSelectionObject : public CSelectionObjectBase
{
public:
    explicit CMaskBitsSelectionObject(CRecord* key) : CSelectionObjectBase(key) {}

    bool TestBit(int bit) const override;
    void SetBit(int bit, bool on) override;
    bool IsAnySet() const override;

    // Bits the extra words hold, a multiple of 32.
    int32_t GetExtraCapacity() const { return m_extraCapacity; }
    uint32_t GetLowBits() const { return m_lowBits; }

private:
    uint32_t m_lowBits = 0;
    std::unique_ptr<uint32_t[]> m_extra;
    int32_t m_extraCapacity = 0;
};
