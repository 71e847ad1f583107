#include "model/SmartHintManager.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<const CSmartHintManager*>& Managers()
{
    static std::vector<const CSmartHintManager*> managers;
    return managers;
}
} // namespace

void CHintQueue::Append(const CHintObject& hint)
{
    m_items.push_back(hint);
    m_byCode[hint.code].push_back(std::prev(m_items.end()));
}

void CHintQueue::InsertBefore(Iterator pos, const CHintObject& hint)
{
    Iterator it = m_items.insert(pos, hint);
    auto& list = m_byCode[hint.code];
    if (list.empty()) {
        list.push_back(it);
        return;
    }
    // Rare: another hint of the code is queued. Rebuild its list in queue order.
    list.clear();
    for (Iterator i = m_items.begin(); i != m_items.end(); ++i)
        if (i->code == hint.code)
            list.push_back(i);
}

bool CHintQueue::Contains(int32_t code) const
{
    auto it = m_byCode.find(code);
    return it != m_byCode.end() && !it->second.empty();
}

CHintQueue::Iterator CHintQueue::FindFirst(int32_t code)
{
    auto it = m_byCode.find(code);
    if (it == m_byCode.end() || it->second.empty())
        return m_items.end();
    return it->second.front();
}

void CHintQueue::RemoveFirst(int32_t code)
{
    auto it = m_byCode.find(code);
    if (it == m_byCode.end() || it->second.empty())
        return;
    m_items.erase(it->second.front());
    it->second.pop_front();
}

void CHintQueue::RemoveAll(int32_t code)
{
    auto it = m_byCode.find(code);
    if (it == m_byCode.end())
        return;
    for (Iterator i : it->second)
        m_items.erase(i);
    m_byCode.erase(it);
}

void CHintQueue::Clear()
{
    m_items.clear();
    m_byCode.clear();
}

CSmartHintManager::CSmartHintManager()
{
    Managers().push_back(this);
}

CSmartHintManager::~CSmartHintManager()
{
    auto& m = Managers();
    m.erase(std::remove(m.begin(), m.end(), this), m.end());
}

bool CSmartHintManager::IsManagerRegistered(const CSmartHintManager* manager)
{
    const auto& m = Managers();
    return std::find(m.begin(), m.end(), manager) != m.end();
}

bool CSmartHintManager::IsRegistered() const
{
    return IsManagerRegistered(this);
}

bool CSmartHintManager::HasQueuedHint(int32_t code) const
{
    if (!IsRegistered())
        return false;
    return queue.Contains(code) || GlobalQueue().Contains(code);
}

void CSmartHintManager::RemoveQueuedHints(int32_t code)
{
    if (!IsRegistered())
        return;
    queue.RemoveAll(code);
    GlobalQueue().RemoveAll(code);
}

void CSmartHintManager::ClearQueue()
{
    queue.Clear();
}

CHintQueue& CSmartHintManager::GlobalQueue()
{
    static CHintQueue global;
    return global;
}
