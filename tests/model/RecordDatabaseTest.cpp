#include "FakeJob.h"

#include "model/DataFileDocObjectIterator.h"
#include "model/RecordDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using morvel::test::FakeJob;

namespace {

// A record kind the store does not take.
class OtherRecord : public CRecord
{
public:
    OtherRecord() { header.type = 2; }
    bool Validate() override { return true; }
    RecordHeader* GetHeader() override { return &header; }
    RecordHeader header;
};

class StoreSelection : public CRecordSelection
{
public:
    explicit StoreSelection(CRecordDatabase* store) : m_store(store) { m_store->AddSelection(this); }
    bool IsSelected(const CRecord*) const override { return false; }
    void Detach() override
    {
        ++detached;
        if (m_store != nullptr)
            m_store->RemoveSelection(this);
        m_store = nullptr;
    }
    int detached = 0;

private:
    CRecordDatabase* m_store;
};

class StubbornSelection : public CRecordSelection
{
public:
    bool IsSelected(const CRecord*) const override { return false; }
    void Detach() override { ++detached; }
    int detached = 0;
};

} // namespace

TEST(RecordStore, RefusesOtherKindsButSetsOwner)
{
    FakeJob job;
    OtherRecord other;
    EXPECT_FALSE(job.store->AddRecord(&other));
    EXPECT_TRUE(other.HasOwner());
    EXPECT_EQ(job.store->GetCount(0), 0);
    EXPECT_FALSE(job.store->AddRecord(nullptr));
}

TEST(RecordStore, RefusesARecordItAlreadyHolds)
{
    FakeJob job;
    CPointRecord* p = job.AddPoint("1");
    EXPECT_FALSE(job.store->AddRecord(p));
    EXPECT_EQ(job.store->GetCount(1), 1);
}

TEST(RecordStore, CountsAndCursorsByKind)
{
    FakeJob job;
    job.AddPoint("1", 0, 0);
    job.AddPoint("2", 5, 5);
    job.AddPoint("3", 50, 50);
    EXPECT_EQ(job.store->GetCount(0), 3);
    EXPECT_EQ(job.store->GetCount(1), 3);
    EXPECT_EQ(job.store->GetCount(2), 0);
    EXPECT_FALSE(job.store->GetFirstRecord(2).IsValid());
    EXPECT_FALSE(job.store->GetLastRecord(7).IsValid());

    CRecordCursor c = job.store->GetFirstRecord(1);
    EXPECT_TRUE(c.singleList);
    int n = 0;
    while (job.store->GetNextRecord(c))
        ++n;
    EXPECT_EQ(n, 3);
    EXPECT_EQ(job.store->GetNextRecord(c), nullptr);

    std::vector<std::string> back;
    c = job.store->GetLastRecord(0);
    while (CRecord* r = job.store->GetPrevRecord(c))
        back.push_back(static_cast<CPointRecord*>(r)->GetName());
    EXPECT_EQ(back, (std::vector<std::string>{"3", "2", "1"}));

    EXPECT_EQ(job.store->CountInside(0, 10, 10, 0, false), 2);
}

TEST(RecordStore, FindAndRemoveWithoutDeleting)
{
    FakeJob job;
    CPointRecord* a = job.AddPoint("1");
    CPointRecord* b = job.AddPoint("2");
    CRecordCursor c = job.store->FindRecord(b);
    ASSERT_TRUE(c.IsValid());
    EXPECT_EQ(job.store->GetAt(c), b);
    EXPECT_EQ(job.store->RemoveAt(c), b);
    EXPECT_FALSE(job.store->FindRecord(b).IsValid());
    EXPECT_FALSE(job.store->FindRecord(nullptr).IsValid());
    EXPECT_EQ(job.store->RemoveAt(CRecordCursor()), nullptr);
    EXPECT_FALSE(job.store->RemoveRecordAt(CRecordCursor()));
    EXPECT_TRUE(job.store->FindRecord(a).IsValid());
    job.sorted.Remove(job.sorted.FindLeaf(b));
    job.points.Remove(job.points.FindNode("2", true));
    delete b;
}

// Points the name index adds reach the store's own lookup later, a batch at a time: at every
// size around a batch's end each point is found at its place, a point held is refused again, and
// removing some leaves the others' order and places as a plain list gives them.
TEST(RecordStore, PointsTheIndexAddsAreFoundRefusedAndRemovedAtAnyCount)
{
    for (int count : {1, 4095, 4096, 4097, 9000}) {
        SCOPED_TRACE(count);
        FakeJob job;
        std::vector<CPointRecord*> model;
        for (int i = 0; i < count; ++i)
            model.push_back(job.AddPoint(std::to_string(i + 1).c_str()));
        // A record held already is refused, and the store still holds it once.
        EXPECT_FALSE(job.store->AddRecord(model.back()));
        EXPECT_EQ(job.store->GetCount(1), count);
        for (int i = count - 1; i >= 0; i -= 3) {
            const CRecordCursor at = job.store->FindRecord(model[size_t(i)]);
            ASSERT_TRUE(at.IsValid());
            EXPECT_EQ(job.store->GetAt(at), model[size_t(i)]);
        }
        // Every other point goes, newest first, then one more is added behind the rest.
        for (int i = count - 1; i >= 0; i -= 2) {
            CPointRecord* p = model[size_t(i)];
            model.erase(model.begin() + i);
            job.DeletePoint(p);
        }
        model.push_back(job.AddPoint("X"));
        std::vector<CRecord*> walked;
        CRecordCursor c = job.store->GetFirstRecord(0);
        while (CRecord* r = job.store->GetNextRecord(c))
            walked.push_back(r);
        EXPECT_EQ(walked, std::vector<CRecord*>(model.begin(), model.end()));
        for (CPointRecord* p : model)
            EXPECT_EQ(job.store->GetAt(job.store->FindRecord(p)), p);
    }
}

TEST(RecordStore, RemoveAllEmptiesTheNameIndex)
{
    FakeJob job;
    job.AddPoint("1");
    job.AddPoint("2");
    job.sorted.Clear();
    job.store->RemoveAll();
    EXPECT_EQ(job.store->GetCount(0), 0);
    EXPECT_EQ(job.points.GetCount(), 0);
    EXPECT_EQ(job.points.FindPoint("1", true), nullptr);
    EXPECT_NE(job.AddPoint("1"), nullptr);
}

TEST(RecordStore, DestructorDetachesEachSelectionOnce)
{
    auto* store = new CRecordDatabase(nullptr);
    StoreSelection a(store), b(store);
    StubbornSelection stubborn;
    store->AddSelection(&stubborn);
    store->IncrementBitUse(0);
    EXPECT_EQ(store->GetBitUseCount(0), 1u);
    EXPECT_EQ(store->GetBitUseCount(32), 0u);
    EXPECT_EQ(store->GetSelectionCount(), 3);
    delete store;
    EXPECT_EQ(a.detached, 1);
    EXPECT_EQ(b.detached, 1);
    EXPECT_EQ(stubborn.detached, 1);
}

TEST(ObjectIterator, WalksEveryRecordOnce)
{
    FakeJob job;
    CDataFileDocObjectIterator empty(&job);
    EXPECT_FALSE(empty.First());
    CRecord* out = reinterpret_cast<CRecord*>(&job);
    EXPECT_FALSE(empty.Next(out));
    EXPECT_EQ(out, nullptr);

    job.AddPoint("1");
    job.AddPoint("2");
    CDataFileDocObjectIterator it(&job);
    ASSERT_TRUE(it.First());
    int n = 0;
    while (it.Next(out))
        ++n;
    EXPECT_EQ(n, 2);
}
