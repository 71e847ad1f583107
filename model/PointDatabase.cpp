#include "model/PointDatabase.h"

#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/RecordOwner.h"

// The index hands no leaf out to be deleted, so its leaves can go with the tree's slabs.
CPointDatabase::CPointDatabase(CRecordOwner* owner) : m_owner(owner), m_tree(CreateRedBlackTree(true)) {}

CPointDatabase::~CPointDatabase() { Reset(false); }

void CPointDatabase::Reset(bool create)
{
    ++m_changes;
    DestroyRedBlackTree(m_tree);
    m_tree = create ? CreateRedBlackTree(true) : nullptr;
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
    return AddAt(point, PlaceFromLastMiss(point->GetName()));
}

bool CPointDatabase::AddInNameOrder(CPointRecord* point)
{
    if (!Admit(point))
        return false;
    // The sentinel as the place appends; an equal or smaller name takes the search, which also
    // refuses a name already held.
    const RedBlackNode* last = m_tree->link2;
    const bool after = last != m_tree && ComparePointNames(point->GetName(), GetRedBlackNodeKey<const char*>(last)) > 0;
    m_missPlace = nullptr;
    return AddAt(point, after ? m_tree : nullptr);
}

bool CPointDatabase::AddAt(CPointRecord* point, RedBlackNode* place)
{
    RedBlackNode* leaf = place != nullptr ? InsertRedBlackNode(place, point->GetName(), point)
                                          : InsertRedBlackUnique(m_tree, point->GetName(), point, &ComparePointNames);
    if (leaf == nullptr)
        return false;
    ++m_changes;
    if (m_owner != nullptr) {
        if (CRecordDatabase* store = m_owner->GetRecordDatabase()) {
            // Admit checked the name with this same owner a moment ago.
            const bool held = store->GetOwner() == m_owner ? store->AddValidatedRecord(point) : store->AddRecord(point);
            if (!held) {
                // The store refused it; an index entry nobody owns would dangle.
                Unlink(leaf);
                return false;
            }
        }
        m_owner->SetLastPointName(point->GetName());
    }
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
    ++m_changes;
    DeleteRedBlackNode(leaf);
}

RedBlackNode* CPointDatabase::PlaceFromLastMiss(const char* name) const
{
    RedBlackNode* place = m_missPlace;
    m_missPlace = nullptr;
    if (place == nullptr || m_missChanges != m_changes || m_tree == nullptr)
        return nullptr;
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
    RedBlackNode* node = nullptr;
    const bool found = FindRedBlackNode(m_tree, name.c_str(), node, &ComparePointNames);
    if (found)
        return node;
    m_missPlace = node;
    m_missChanges = m_changes;
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

int32_t CPointDatabase::GetCount() const
{
    int32_t count = 0;
    for (RedBlackNode* pos = GetFirstPosition(); pos != nullptr; GetNextPoint(pos))
        ++count;
    return count;
}

CPointRecord* CPointDatabase::GetLastPointByWalk() const
{
    CPointRecord* last = nullptr;
    for (RedBlackNode* pos = GetFirstPosition(); pos != nullptr;)
        last = GetNextPoint(pos);
    return last;
}
