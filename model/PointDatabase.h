#pragma once

#include "model/RedBlackTree.h"

#include <cstdint>
#include <string>
#include <vector>

class CPointRecord;
class CRecordOwner;

// The job's point-name index: name -> point in natural name order, case-insensitive. Keys are the
// points' own name buffers, so a point leaves the index before its name changes. The record store
// owns the points, not the index.
class CPointDatabase
{
public:
    explicit CPointDatabase(CRecordOwner* owner);
    CPointDatabase(const CPointDatabase&) = delete;
    CPointDatabase& operator=(const CPointDatabase&) = delete;
    virtual ~CPointDatabase();

    void Reset(bool create);
    // Files the point under its name and appends it to the owner's record store; false for an
    // invalid or taken name, leaving index, store and last-used name as they were.
    bool Add(CPointRecord* point);
    // As Add; a point whose name sorts after every name held is appended without a search, as
    // the points of a saved job come in name order. Such appends are chained at once but hung in
    // the tree later, many in one pass (Settle, or the next search).
    // A bulk read tells the owner its last name once, at the end (noteLastName false).
    bool AddInNameOrder(CPointRecord* point, bool noteLastName = true);
    // Hangs the appends AddInNameOrder held back; every search and removal does so first.
    void Settle() const;
    // Takes the point out of the index and the record store; the point is not deleted.
    bool Remove(RedBlackNode* leaf);
    // Removes the leaf, deletes its point unless it is the new one, and adds the new point. False,
    // with nothing changed, when the leaf's point cannot be removed.
    bool Replace(RedBlackNode* leaf, CPointRecord* point);

    // Exact: the point of that name. Inexact: the first point whose name is equal or greater.
    // Null for a name the job refuses.
    RedBlackNode* FindNode(const std::string& name, bool exact) const;
    CPointRecord* FindPoint(const std::string& name, bool exact) const;
    // The leaf holding this very point, whatever the job's name check says; null when absent.
    RedBlackNode* FindLeafOf(const CPointRecord* point) const;

    RedBlackNode* GetFirstPosition() const;
    RedBlackNode* GetLastPosition() const;
    CPointRecord* GetNextPoint(RedBlackNode*& pos) const;
    CPointRecord* GetPrevPoint(RedBlackNode*& pos) const;
    CPointRecord* GetPointAt(const RedBlackNode* leaf) const;
    int32_t GetCount() const;
    CPointRecord* GetLastPointByWalk() const;

    RedBlackNode* GetHandle() const
    {
        Settle();
        return m_tree;
    }
    // Takes a leaf out of the index alone, leaving its point and the record store as they are.
    void Unlink(RedBlackNode* leaf);

private:
    // Where the last exact search that found nothing would have put the name: an import looks a
    // name up and then adds it, and the add reuses the place instead of searching again. Any
    // change to the index makes it stale.
    RedBlackNode* PlaceFromLastMiss(const char* name) const;
    // Binds the point to the owner; false when there is no index or the point is not valid.
    bool Admit(CPointRecord* point);
    // Files a validated point at place (null: searched for) and in the owner's store.
    bool AddAt(CPointRecord* point, RedBlackNode* place);
    // Hands a point just filed in the index to the owner's store; false when the store refuses it.
    bool HandToStore(CPointRecord* point, bool noteLastName = true);

    CRecordOwner* m_owner;
    RedBlackNode* m_tree;
    uint64_t m_changes = 0;
    // The leaves, hung or held back, counted as they come and go: saving, exporting and the job's
    // figures ask for the count, and a walk over the leaves reads the whole index.
    int32_t m_count = 0;
    mutable RedBlackNode* m_missPlace = nullptr;
    mutable uint64_t m_missChanges = 0;
    // The name that missed: the same name adds at the place without comparing again.
    mutable std::string m_missName;
    // Leaves chained last in key order but not yet hung in the tree, oldest first.
    mutable std::vector<RedBlackNode*> m_unhung;
};
