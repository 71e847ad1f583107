#include "model/PointDatabase.h"

#include "core/PointName.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/RecordOwner.h"

#include <cstddef>
#include <cstring>

// The index hands no leaf out to be deleted, so its leaves can go with the tree's slabs.
CPointDatabase::CPointDatabase(CRecordOwner* owner) : m_owner(owner), m_tree(CreateRedBlackTree(true)) {}

CPointDatabase::~CPointDatabase() { Reset(false); }

void CPointDatabase::Reset(bool create)
{
    ++m_changes;
    // The held-back leaves go with the tree's storage.
    m_unhung.clear();
    DestroyRedBlackTree(m_tree);
    m_tree = create ? CreateRedBlackTree(true) : nullptr;
    m_count = 0;
}

bool CPointDatabase::Admit(CPointRecord* point)
{
    if (point == nullptr || m_tree == nullptr)
        return false;
    point->SetOwner(m_owner);
    return point->Validate();
}

bool CPointDatabase::Add(CPointRecord* point)
{
    if (!Admit(point))
        return false;
    Settle();
    return AddAt(point, PlaceFromLastMiss(point->GetName()));
}

bool CPointDatabase::AddInNameOrder(CPointRecord* point, bool noteLastName)
{
    if (!Admit(point))
        return false;
    // The sentinel as the place appends; an equal or smaller name takes the search, which also
    // refuses a name already held.
    RedBlackNode* last = m_tree->link2;
    const bool after = last == m_tree || ComparePointNames(point->GetName(), GetRedBlackNodeKey<const char*>(last)) > 0;
    m_missPlace = nullptr;
    if (!after) {
        Settle();
        return AddAt(point, nullptr);
    }
    // Chained now, hung with the others later: a rebalancing insert each would cost more than
    // the whole read of the point.
    RedBlackNode* leaf = NewRedBlackLeaf(m_tree);
    try {
        m_unhung.push_back(leaf);
    } catch (...) {
        FreeRedBlackLeaf(m_tree, leaf);
        throw;
    }
    leaf->key = point->GetName();
    leaf->value = point;
    leaf->link1 = m_tree;
    leaf->link2 = last;
    last->link1 = leaf;
    m_tree->link2 = leaf;
    ++m_changes;
    ++m_count;
    const auto unchain = [this, leaf, last]() {
        last->link1 = m_tree;
        m_tree->link2 = last;
        m_unhung.pop_back();
        FreeRedBlackLeaf(m_tree, leaf);
        --m_count;
    };
    bool held = false;
    try {
        held = HandToStore(point, noteLastName);
    } catch (...) {
        unchain();
        throw;
    }
    if (!held)
        unchain();
    return held;
}

void CPointDatabase::Settle() const
{
    if (m_unhung.empty())
        return;
    // Relinking walks every leaf, hanging one by one rebalances each: relink only when the
    // held-back leaves are at least as many as those hung, so the work stays in proportion.
    std::vector<RedBlackNode*> leaves;
    for (RedBlackNode* n = m_tree->link1; n != m_unhung.front() && leaves.size() <= m_unhung.size(); n = n->link1)
        leaves.push_back(n);
    const std::size_t hung = leaves.size();
    if (hung > m_unhung.size()) {
        std::size_t done = 0;
        try {
            for (; done < m_unhung.size(); ++done)
                HangRedBlackLeafLast(m_tree, m_unhung[done]);
        } catch (...) {
            m_unhung.erase(m_unhung.begin(), m_unhung.begin() + std::ptrdiff_t(done));
            throw;
        }
        std::vector<RedBlackNode*>().swap(m_unhung);
        return;
    }
    // Every node is had before the tree is taken apart, so running out of memory leaves it as it was.
    std::vector<RedBlackNode*> spare;
    try {
        // With nothing hung yet the held-back leaves are all the leaves, linked where they lie.
        if (hung > 0)
            leaves.reserve(hung + m_unhung.size());
        spare.reserve(hung + m_unhung.size());
        // Blank nodes serve as branches: linking writes every word of a branch.
        for (std::size_t i = 0; i < m_unhung.size(); ++i)
            spare.push_back(NewRedBlackLeaf(m_tree));
    } catch (...) {
        for (RedBlackNode* n : spare)
            FreeRedBlackLeaf(m_tree, n);
        throw;
    }
    if (hung > 0)
        leaves.insert(leaves.end(), m_unhung.begin(), m_unhung.end());
    const std::vector<RedBlackNode*>& all = hung > 0 ? leaves : m_unhung;
    TakeRedBlackBranches(m_tree, spare);
    LinkRedBlackLeaves(m_tree, all.data(), all.size(), spare);
    // A read's worth of room is not kept for the job's life.
    std::vector<RedBlackNode*>().swap(m_unhung);
}

bool CPointDatabase::AddAt(CPointRecord* point, RedBlackNode* place)
{
    RedBlackNode* leaf = place != nullptr ? InsertRedBlackNode(place, point->GetName(), point)
                                          : InsertRedBlackUnique(m_tree, point->GetName(), point, &ComparePointNames);
    if (leaf == nullptr)
        return false;
    ++m_changes;
    ++m_count;
    if (!HandToStore(point)) {
        // The store refused it; an index entry nobody owns would dangle.
        Unlink(leaf);
        return false;
    }
    return true;
}

bool CPointDatabase::HandToStore(CPointRecord* point, bool noteLastName)
{
    if (m_owner == nullptr)
        return true;
    if (CRecordDatabase* store = m_owner->GetRecordDatabase()) {
        // Admit checked the name with this same owner a moment ago.
        const bool held = store->GetOwner() == m_owner ? store->AddValidatedRecord(point) : store->AddRecord(point);
        if (!held)
            return false;
    }
    if (noteLastName)
        m_owner->SetLastPointName(point->GetName());
    return true;
}

bool CPointDatabase::Remove(RedBlackNode* leaf)
{
    CPointRecord* point = leaf != nullptr ? GetPointAt(leaf) : nullptr;
    if (point == nullptr || !point->Validate())
        return false;
    Unlink(leaf);
    CRecordDatabase* store = m_owner != nullptr ? m_owner->GetRecordDatabase() : nullptr;
    if (store == nullptr)
        return true;
    return store->RemoveRecordAt(store->FindRecord(point));
}

bool CPointDatabase::Replace(RedBlackNode* leaf, CPointRecord* point)
{
    CPointRecord* old = leaf != nullptr ? GetPointAt(leaf) : nullptr;
    // A point that could not be taken out is still held by the store: freeing it would leave the
    // store with a dangling record.
    if (old != nullptr && !Remove(leaf))
        return false;
    if (old != point)
        delete old;
    if (!Add(point))
        return false;
    point->SetOwner(m_owner);
    return true;
}

void CPointDatabase::Unlink(RedBlackNode* leaf)
{
    Settle();
    ++m_changes;
    DeleteRedBlackNode(leaf);
    --m_count;
}

RedBlackNode* CPointDatabase::PlaceFromLastMiss(const char* name) const
{
    RedBlackNode* place = m_missPlace;
    m_missPlace = nullptr;
    if (place == nullptr || m_missChanges != m_changes || m_tree == nullptr)
        return nullptr;
    // The place was found for the name up to its first zero byte, as it is compared here.
    if (std::strcmp(m_missName.c_str(), name) == 0)
        return place;
    // The place must still lie strictly between its neighbours for this very name.
    const RedBlackNode* before = place->link2;
    if (place != m_tree && ComparePointNames(name, GetRedBlackNodeKey<const char*>(place)) >= 0)
        return nullptr;
    if (before != m_tree && ComparePointNames(GetRedBlackNodeKey<const char*>(before), name) >= 0)
        return nullptr;
    return place;
}

RedBlackNode* CPointDatabase::FindNode(const std::string& name, bool exact) const
{
    if (m_owner == nullptr || m_tree == nullptr || !m_owner->IsValidPointName(name.c_str()))
        return nullptr;
    Settle();
    RedBlackNode* node = nullptr;
    const bool found = FindRedBlackNode(m_tree, name.c_str(), node, &ComparePointNames);
    if (found)
        return node;
    m_missPlace = node;
    m_missChanges = m_changes;
    m_missName = name;
    if (exact || node == m_tree)
        return nullptr;
    return node;
}

CPointRecord* CPointDatabase::FindPoint(const std::string& name, bool exact) const
{
    RedBlackNode* node = FindNode(name, exact);
    return node != nullptr ? GetPointAt(node) : nullptr;
}

RedBlackNode* CPointDatabase::FindLeafOf(const CPointRecord* point) const
{
    if (point == nullptr || m_tree == nullptr)
        return nullptr;
    Settle();
    RedBlackNode* node = nullptr;
    if (!FindRedBlackNode(m_tree, point->GetName(), node, &ComparePointNames))
        return nullptr;
    return GetPointAt(node) == point ? node : nullptr;
}

RedBlackNode* CPointDatabase::GetFirstPosition() const
{
    return (m_tree == nullptr || m_tree->link1 == m_tree) ? nullptr : m_tree->link1;
}

RedBlackNode* CPointDatabase::GetLastPosition() const
{
    return (m_tree == nullptr || m_tree->link2 == m_tree) ? nullptr : m_tree->link2;
}

CPointRecord* CPointDatabase::GetNextPoint(RedBlackNode*& pos) const
{
    if (pos == nullptr)
        return nullptr;
    CPointRecord* point = GetPointAt(pos);
    pos = pos->link1 == m_tree ? nullptr : pos->link1;
    return point;
}

CPointRecord* CPointDatabase::GetPrevPoint(RedBlackNode*& pos) const
{
    if (pos == nullptr)
        return nullptr;
    CPointRecord* point = GetPointAt(pos);
    pos = pos->link2 == m_tree ? nullptr : pos->link2;
    return point;
}

CPointRecord* CPointDatabase::GetPointAt(const RedBlackNode* leaf) const
{
    return leaf != nullptr ? static_cast<CPointRecord*>(leaf->value) : nullptr;
}

int32_t CPointDatabase::GetCount() const { return m_count; }

CPointRecord* CPointDatabase::GetLastPointByWalk() const
{
    CPointRecord* last = nullptr;
    for (RedBlackNode* pos = GetFirstPosition(); pos != nullptr;)
        last = GetNextPoint(pos);
    return last;
}
