#pragma once

#include "model/HintObject.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <list>
#include <unordered_map>

// A queue of hints that finds the first hint of a code without a walk, so a burst of thousands of
// hints stays linear.
class CHintQueue {
public:
    using Iterator = std::list<CHintObject>::iterator;

    bool IsEmpty() const { return m_items.empty(); }
    size_t GetCount() const { return m_items.size(); }
    const CHintObject& Front() const { return m_items.front(); }
    Iterator begin() { return m_items.begin(); }
    Iterator end() { return m_items.end(); }

    void Append(const CHintObject& hint);
    void InsertBefore(Iterator pos, const CHintObject& hint);
    bool Contains(int32_t code) const;
    // The first hint of the code, or end().
    Iterator FindFirst(int32_t code);
    void RemoveFirst(int32_t code);
    void RemoveAll(int32_t code);
    void Clear();

private:
    std::list<CHintObject> m_items;
    // For every code, its hints in queue order.
    std::unordered_map<int32_t, std::deque<Iterator>> m_byCode;
};

// Base of the per-document hint queue. Every manager is listed in a program-wide registry, so a
// flush can notice that a delivered hint destroyed its manager. Codes of the global order wait in
// one queue shared by all managers.
class CSmartHintManager {
public:
    CSmartHintManager();
    virtual ~CSmartHintManager();
    CSmartHintManager(const CSmartHintManager&) = delete;
    CSmartHintManager& operator=(const CSmartHintManager&) = delete;

    virtual bool IsIdle() = 0;
    virtual bool AddHint(void* sender, int32_t code, intptr_t parameter) = 0;
    virtual bool Flush() = 0;

    bool IsRegistered() const;
    // True when this manager's queue or the global queue holds the code.
    bool HasQueuedHint(int32_t code) const;
    // Removes every hint of the code from this manager's queue and from the global queue.
    void RemoveQueuedHints(int32_t code);
    void ClearQueue();

    static bool IsManagerRegistered(const CSmartHintManager* manager);

protected:
    static CHintQueue& GlobalQueue();

    bool busy = false;
    CHintQueue queue;
};
