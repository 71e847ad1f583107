#pragma once

#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/RecordOwner.h"
#include "model/SpRecordRBTree.h"

#include <string>
#include <vector>

namespace morvel::test {

// A job as the records see it: a real store and real indexes, with the document's calls recorded.
class FakeJob : public CRecordOwner
{
public:
    FakeJob() { sorted.SetDocument(this); }
    ~FakeJob() override
    {
        sorted.Clear();
        delete store; // deletes the records and the name tree
        store = nullptr;
    }

    bool IsValidPointName(const char* name) override
    {
        if (digitsOnly)
            for (const char* p = name; *p; ++p)
                if (*p < '0' || *p > '9')
                    return false;
        return ::IsValidPointName(name);
    }
    void SetModifiedWithText(const char* text, bool modified, bool addHistory) override
    {
        ++modifiedCalls;
        lastModified = modified;
    }
    CRecordSelection* GetSelection() override { return selection; }
    CRecordDatabase* GetRecordDatabase() override { return store; }
    CPointDatabase* GetPointDatabase() override { return &points; }
    bool AddRecord(CRecord* record) override
    {
        auto* point = static_cast<CPointRecord*>(record);
        if (record->GetType() != kRecordTypePoint || !points.Add(point))
            return false;
        sorted.Insert(record);
        return true;
    }
    void SetLastPointName(const std::string& name) override { lastPointName = name; }

    CPointRecord* AddPoint(const char* name, double e = 0, double n = 0)
    {
        auto* p = new CPointRecord(name, "", CLocation(e, n, NoValue), true);
        if (AddRecord(p))
            return p;
        delete p;
        return nullptr;
    }
    // What the document does to delete a point: out of both indexes and the store, then freed.
    void DeletePoint(CPointRecord* p)
    {
        points.Remove(points.FindNode(p->GetName(), true));
        delete p;
        sorted.Remove(sorted.FindLeaf(p));
    }
    std::vector<std::string> NamesInStoreOrder()
    {
        std::vector<std::string> names;
        CRecordCursor c = store->GetFirstRecord(0);
        while (CRecord* r = store->GetNextRecord(c))
            names.push_back(static_cast<CPointRecord*>(r)->GetName());
        return names;
    }

    bool digitsOnly = false;
    int modifiedCalls = 0;
    bool lastModified = false;
    std::string lastPointName = "1";
    CRecordSelection* selection = nullptr;
    CPointDatabase points{this};
    CRecordDatabase* store = new CRecordDatabase(this);
    CSpRecordRBTree sorted;
};

} // namespace morvel::test
