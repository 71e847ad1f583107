#include "views/ObjectIdOwner.h"

#include <algorithm>

CObjectIdOwner::~CObjectIdOwner()
{
    // A watcher may stop watching while it hears; take the list first.
    std::vector<Watcher*> watchers = std::move(m_watchers);
    m_watchers.clear();
    for (Watcher* watcher : watchers)
        watcher->OnObjectIdOwnerGone(this);
}

void CObjectIdOwner::AddWatcher(Watcher* watcher)
{
    if (watcher && std::find(m_watchers.begin(), m_watchers.end(), watcher) == m_watchers.end())
        m_watchers.push_back(watcher);
}

void CObjectIdOwner::RemoveWatcher(Watcher* watcher)
{
    m_watchers.erase(std::remove(m_watchers.begin(), m_watchers.end(), watcher), m_watchers.end());
}

void CObjectIdOwner::Watcher::WatchOwner(CObjectIdOwner*& held, CObjectIdOwner* owner)
{
    if (owner == held)
        return;
    if (held)
        held->RemoveWatcher(this);
    held = owner;
    if (held)
        held->AddWatcher(this);
}
