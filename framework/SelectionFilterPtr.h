#pragma once

#include <cstdint>

class CRecord;

// A filter that decides which objects a dialog's selection may take. The count of the handles
// that share it lives in the filter.
class CSelectionFilterBase
{
public:
    virtual ~CSelectionFilterBase() = default;

    virtual bool Accepts(const CRecord* record) const = 0;
    // An inactive filter takes no part in the selection.
    virtual bool IsActive() const { return true; }

    int32_t m_refCount = 0;
};

// Accepts every object.
class CSelectionNullFilter : public CSelectionFilterBase
{
public:
    bool Accepts(const CRecord*) const override { return true; }
};

// Counted handle to a filter: the last handle to let go deletes it.
class CSelectionFilterPtr
{
public:
    CSelectionFilterPtr() = default;
    explicit CSelectionFilterPtr(CSelectionFilterBase* filter) : m_filter(filter) { AddRef(); }
    CSelectionFilterPtr(const CSelectionFilterPtr& other) : m_filter(other.m_filter) { AddRef(); }
    CSelectionFilterPtr& operator=(const CSelectionFilterPtr& other)
    {
        if (other.m_filter != m_filter) {
            CSelectionFilterBase* keep = other.m_filter;
            if (keep)
                ++keep->m_refCount;
            Release();
            m_filter = keep;
        }
        return *this;
    }
    ~CSelectionFilterPtr() { Release(); }

    CSelectionFilterBase* Get() const { return m_filter; }
    CSelectionFilterBase* operator->() const { return m_filter; }
    bool IsEmpty() const { return m_filter == nullptr; }
    // Hands the filter out without deleting it; the handle is empty afterwards.
    CSelectionFilterBase* Detach()
    {
        CSelectionFilterBase* f = m_filter;
        if (f)
            --f->m_refCount;
        m_filter = nullptr;
        return f;
    }

private:
    void AddRef()
    {
        if (m_filter)
            ++m_filter->m_refCount;
    }
    void Release()
    {
        if (m_filter && --m_filter->m_refCount <= 0)
            delete m_filter;
        m_filter = nullptr;
    }

    CSelectionFilterBase* m_filter = nullptr;
};
