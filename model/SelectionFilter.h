#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CDataFileDoc;
class CRecord;

// Object kinds are bits.
inline constexpr uint32_t SelectionKindOther = 1;
inline constexpr uint32_t SelectionKindPoint = 2;
inline constexpr uint32_t SelectionKindsAll = 0xFFFFFFFFu;

// A test that decides which objects a selection operation touches. A filter is a leaf test
// (negated or not) followed by children joined with "and" or "or", evaluated strictly left to
// right with short cuts: a and b or c is (a and b) or c.
class CSelectionFilterBase
{
public:
    enum enumSelectionOperator : uint8_t { opAnd = 0, opOr = 1 };

    CSelectionFilterBase() = default;
    CSelectionFilterBase(const CSelectionFilterBase&) = delete;
    CSelectionFilterBase& operator=(const CSelectionFilterBase&) = delete;
    virtual ~CSelectionFilterBase() = default;

    virtual bool Accept(CRecord* object) const;
    // Kinds the expression accepts for sure, and kinds it may accept.
    virtual uint32_t GetCertainKinds() const;
    virtual uint32_t GetPossibleKinds() const;
    // A deep copy of the whole expression; the copy's count of handles starts at 0.
    virtual CSelectionFilterBase* Clone() const;

    // Afterwards the expression accepts exactly what it rejected before.
    void Invert();
    // Append a copy of the filter; later changes to it do not reach this one.
    void And(const CSelectionFilterBase* filter);
    void Or(const CSelectionFilterBase* filter);

    bool IsNegated() const { return m_negated != 0; }
    void SetNegated(bool negated) { m_negated = negated ? 1 : 0; }
    size_t GetChildCount() const { return m_children.size(); }

    // Kept by CSelectionFilterPtr.
    uint32_t m_refCount = 0;

protected:
    virtual bool AcceptLeaf(CRecord* object) const = 0;
    virtual uint32_t GetLeafCertainKinds() const = 0;
    virtual uint32_t GetLeafPossibleKinds() const = 0;
    virtual CSelectionFilterBase* CloneLeaf() const = 0;

private:
    void Append(const CSelectionFilterBase* filter, enumSelectionOperator op);

    std::vector<std::unique_ptr<CSelectionFilterBase>> m_children;
    std::vector<enumSelectionOperator> m_operators;
    uint8_t m_negated = 0;
};

// Accepts everything, or (acceptAll false) nothing.
class CSelectionNullFilter : public CSelectionFilterBase
{
public:
    explicit CSelectionNullFilter(bool acceptAll = true) { SetNegated(!acceptAll); }

protected:
    bool AcceptLeaf(CRecord*) const override { return true; }
    uint32_t GetLeafCertainKinds() const override { return SelectionKindsAll; }
    uint32_t GetLeafPossibleKinds() const override { return SelectionKindsAll; }
    CSelectionFilterBase* CloneLeaf() const override { return new CSelectionNullFilter(true); }
};

// A test of a record's state; what it accepts is not known by kind.
class CSelectionGenericRecordFilter : public CSelectionFilterBase
{
protected:
    uint32_t GetLeafCertainKinds() const override { return 0; }
    uint32_t GetLeafPossibleKinds() const override { return SelectionKindsAll; }
};

// Records shown on the map. Records are never hidden, so every record passes.
class CSelectionVisibleRecordFilterForDataFile : public CSelectionGenericRecordFilter
{
public:
    explicit CSelectionVisibleRecordFilterForDataFile(CDataFileDoc* document) : m_document(document) {}

protected:
    bool AcceptLeaf(CRecord*) const override { return true; }
    CSelectionFilterBase* CloneLeaf() const override
    {
        return new CSelectionVisibleRecordFilterForDataFile(m_document);
    }

private:
    CDataFileDoc* m_document;
};

// Temporary records. No record is made temporary, and this filter, as it always has, passes every
// record; callers that mean "not temporary" invert it.
class CSelectionTemporaryRecordFilterForDataFile : public CSelectionGenericRecordFilter
{
public:
    explicit CSelectionTemporaryRecordFilterForDataFile(CDataFileDoc* document) : m_document(document) {}

protected:
    bool AcceptLeaf(CRecord*) const override { return true; }
    CSelectionFilterBase* CloneLeaf() const override
    {
        return new CSelectionTemporaryRecordFilterForDataFile(m_document);
    }

private:
    CDataFileDoc* m_document;
};

// Objects whose kind bits all lie in the mask; mask 0 accepts nothing.
class CSelectionMaskBitsFilter : public CSelectionFilterBase
{
public:
    explicit CSelectionMaskBitsFilter(uint32_t mask) : m_mask(mask) {}
    uint32_t GetMask() const { return m_mask; }
    virtual uint32_t GetObjectKinds(CRecord* object) const = 0;

protected:
    bool AcceptLeaf(CRecord* object) const override;
    uint32_t GetLeafCertainKinds() const override { return m_mask; }
    uint32_t GetLeafPossibleKinds() const override { return m_mask; }

private:
    uint32_t m_mask;
};

// Kinds of a job's records: 2 for a point, 1 for anything else.
class CSelectionMaskBitsFilterForDataFile : public CSelectionMaskBitsFilter
{
public:
    CSelectionMaskBitsFilterForDataFile(CDataFileDoc* document, uint32_t mask)
        : CSelectionMaskBitsFilter(mask), m_document(document)
    {
    }
    uint32_t GetObjectKinds(CRecord* object) const override;

protected:
    CSelectionFilterBase* CloneLeaf() const override
    {
        return new CSelectionMaskBitsFilterForDataFile(m_document, GetMask());
    }

private:
    CDataFileDoc* m_document;
};

// Counted handle to a filter: the last handle to let go deletes it.
class CSelectionFilterPtr
{
public:
    CSelectionFilterPtr() = default;
    // Takes a share of the filter (the filter may already be shared).
    explicit CSelectionFilterPtr(CSelectionFilterBase* filter) : m_filter(filter) { AddRef(); }
    CSelectionFilterPtr(const CSelectionFilterPtr& other) : m_filter(other.m_filter) { AddRef(); }
    CSelectionFilterPtr(CSelectionFilterPtr&& other) noexcept : m_filter(other.m_filter) { other.m_filter = nullptr; }
    CSelectionFilterPtr& operator=(CSelectionFilterPtr other) noexcept
    {
        std::swap(m_filter, other.m_filter);
        return *this;
    }
    ~CSelectionFilterPtr() { Release(); }

    CSelectionFilterBase* Get() const { return m_filter; }
    CSelectionFilterBase* operator->() const { return m_filter; }
    bool IsNull() const { return m_filter == nullptr; }
    bool IsEmpty() const { return m_filter == nullptr; }
    // Hands the filter out without deleting it; the handle is empty afterwards.
    CSelectionFilterBase* Detach()
    {
        CSelectionFilterBase* filter = m_filter;
        if (filter != nullptr)
            --filter->m_refCount;
        m_filter = nullptr;
        return filter;
    }

private:
    void AddRef()
    {
        if (m_filter != nullptr)
            ++m_filter->m_refCount;
    }
    void Release()
    {
        if (m_filter != nullptr && --m_filter->m_refCount == 0)
            delete m_filter;
        m_filter = nullptr;
    }

    CSelectionFilterBase* m_filter = nullptr;
};
