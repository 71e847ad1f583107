#include "FakeJob.h"

#include "model/GenericSelectionOperator.h"
#include "model/ObjectIterator.h"
#include "model/Selection.h"
#include "model/SelectionScope.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

using morvel::test::FakeJob;
using testing::ElementsAre;
using testing::UnorderedElementsAre;

// --- Record-flag selections

TEST(RecordFlagSelection, BitsAreHandedOutLowestFreeFirstAndClearedByTheLastUser)
{
    FakeJob job;
    CPointRecord* p = job.AddPoint("1");
    CSelection first(job.store);
    auto second = std::make_unique<CSelection>(job.store);
    EXPECT_EQ(first.GetBit(), 0);
    EXPECT_EQ(second->GetBit(), 1);

    second->SetSelected(p, true);
    EXPECT_TRUE(p->TestFlags(2));
    second.reset();
    EXPECT_FALSE(p->TestFlags(2)) << "the last user clears its bit from every record";
    CSelection third(job.store);
    EXPECT_EQ(third.GetBit(), 1);

    // A second user of bit 1 keeps the records' bits while the other stays.
    third.SetSelected(p, true);
    {
        CSelection shared(job.store, 2);
        EXPECT_EQ(shared.GetBit(), 1);
        EXPECT_TRUE(shared.IsSelected(p));
    }
    EXPECT_TRUE(third.IsSelected(p));
    EXPECT_EQ(job.store->GetBitUseCount(1), 1u);
}

TEST(RecordFlagSelection, AThirtyThirdStaysDetached)
{
    FakeJob job;
    CPointRecord* p = job.AddPoint("1");
    std::vector<std::unique_ptr<CSelection>> all;
    for (int i = 0; i < 32; ++i)
        all.push_back(std::make_unique<CSelection>(job.store));
    EXPECT_EQ(all.back()->GetBit(), 31);
    all.back()->SetSelected(p, true);

    CSelection extra(job.store);
    EXPECT_FALSE(extra.IsBound());
    EXPECT_EQ(extra.GetBit(), -1);
    // Detached: nothing, and it does not disturb bit 31's holder.
    EXPECT_FALSE(extra.IsSelected(p));
    extra.SetSelected(p, false);
    EXPECT_TRUE(all.back()->IsSelected(p));
    EXPECT_EQ(extra.GetCount(), 0);
    EXPECT_FALSE(extra.GetFirst().IsValid());
    extra.ClearAll();
    EXPECT_TRUE(all.back()->IsSelected(p));
}

TEST(RecordFlagSelection, WalksInStoreOrder)
{
    FakeJob job;
    CPointRecord* a = job.AddPoint("A");
    CPointRecord* b = job.AddPoint("B");
    CPointRecord* c = job.AddPoint("C");
    CSelection selection(job.store);
    selection.SetSelected(c, true);
    selection.SetSelected(a, true);
    EXPECT_EQ(selection.GetCount(), 2);

    CRecordCursor cursor = selection.GetFirst();
    EXPECT_EQ(selection.GetAt(cursor), a);
    std::vector<CRecord*> walked;
    while (cursor.IsValid())
        walked.push_back(selection.GetNext(cursor));
    EXPECT_THAT(walked, ElementsAre(a, c));

    // A cursor on a record without the bit gives nothing.
    CRecordCursor onB = job.store->FindRecord(b);
    EXPECT_EQ(selection.GetAt(onB), nullptr);
    EXPECT_EQ(selection.GetNext(onB), nullptr);

    selection.ClearAll();
    EXPECT_EQ(selection.GetCount(), 0);
}

// --- Entries

TEST(SelectionEntry, ExtraBitsGrowInWordsAndLeaveTheLowBitsAlone)
{
    CMaskBitsSelectionObject entry(nullptr);
    entry.SetBit(3, true);
    entry.SetBit(100, true);
    EXPECT_EQ(entry.GetExtraCapacity(), 96);
    EXPECT_TRUE(entry.TestBit(100));
    EXPECT_FALSE(entry.TestBit(99));
    EXPECT_FALSE(entry.TestBit(200));
    EXPECT_EQ(entry.GetLowBits(), 1u << 3);

    entry.SetBit(3, false);
    EXPECT_TRUE(entry.IsAnySet()) << "a bit in the extra words counts";
    entry.SetBit(100, false);
    EXPECT_FALSE(entry.IsAnySet());
    // Clearing far beyond the words needs no room.
    entry.SetBit(500, false);
    EXPECT_EQ(entry.GetExtraCapacity(), 96);
    entry.SetBit(40, true);
    EXPECT_TRUE(entry.TestBit(40));
    EXPECT_EQ(entry.GetExtraCapacity(), 96);
}

// --- The container, over plain records that need not be in any job.

namespace {

class Obj : public CRecord
{
public:
    bool Validate() override { return true; }
    RecordHeader* GetHeader() override { return &header; }
    RecordHeader header;
};

class ListIterator : public CObjectIterator
{
public:
    explicit ListIterator(const std::vector<CRecord*>& objects) : m_objects(objects) {}
    bool First() override
    {
        m_at = 0;
        return !m_objects.empty();
    }
    bool Next(CRecord*& out) override
    {
        out = m_at < m_objects.size() ? m_objects[m_at++] : nullptr;
        return out != nullptr;
    }

private:
    const std::vector<CRecord*>& m_objects;
    size_t m_at = 0;
};

// Records each Synchronize; mirrors nothing.
class TestContainer : public CGenericSelectionOperator
{
public:
    void Synchronize(bool fromObjects, CRecord* key) override { syncs.push_back(key); }
    int GetCurrentBit() const override { return 0; }
    int GetReservedBitCount() const override { return 2; }
    std::unique_ptr<CObjectIterator> CreateObjectIterator() override { return std::make_unique<ListIterator>(objects); }
    bool IsObjectValid(CRecord* key) override { return std::count(objects.begin(), objects.end(), key) != 0; }
    CSelectionObjectBase* CreateSelectionObject(CRecord* key) override { return new CMaskBitsSelectionObject(key); }

    std::vector<CRecord*> Walk(int bit)
    {
        std::vector<CRecord*> out;
        CSelectionIterator it = CreateIterator(bit, nullptr);
        CRecord* key = nullptr;
        if (it.First())
            while (it.Next(key))
                out.push_back(key);
        return out;
    }

    std::vector<CRecord*> objects;
    std::vector<CRecord*> syncs;
};

struct Objects
{
    Obj a, b, c, d;
};

} // namespace

TEST(SelectionContainer, SettingTheCurrentBitMirrorsOnceAndOnlyOnAChange)
{
    TestContainer box;
    Obj a;
    box.SetBit(&a, 0);
    EXPECT_EQ(box.GetEntryCount(), 1);
    EXPECT_THAT(box.syncs, ElementsAre(&a));
    box.SetBit(&a, 0);
    EXPECT_EQ(box.syncs.size(), 1u);
    // A scratch bit is not mirrored.
    box.SetBit(&a, 5);
    EXPECT_EQ(box.syncs.size(), 1u);
    EXPECT_TRUE(box.TestBit(&a, 5));

    box.ClearBit(&a, 0);
    EXPECT_THAT(box.syncs, ElementsAre(&a, &a));
    box.ClearBit(&a, 0);
    EXPECT_EQ(box.syncs.size(), 2u);

    box.syncs.clear();
    box.ClearAll(5, nullptr);
    EXPECT_TRUE(box.syncs.empty()) << "a scratch bit is never mirrored";
    box.ClearAll(0, nullptr);
    EXPECT_THAT(box.syncs, ElementsAre(nullptr));

    // Keys without an entry.
    Obj stranger;
    EXPECT_FALSE(box.TestBit(&stranger, 0));
    EXPECT_TRUE(box.ClearBit(&stranger, 0));
    EXPECT_TRUE(box.RemoveObject(&stranger));
    EXPECT_EQ(box.GetEntryCount(), 1);
}

TEST(SelectionContainer, APurgeKeepsOnlyEntriesWithABitAndAnObject)
{
    TestContainer box;
    Objects o;
    box.objects = {&o.a, &o.b};
    box.Select(&o.a);
    box.Select(&o.b);
    box.Deselect(&o.b); // an entry with no bit
    box.SetBit(&o.c, 3); // an entry whose object is gone
    ASSERT_EQ(box.GetEntryCount(), 3);
    box.RemoveObject(nullptr);
    EXPECT_EQ(box.GetEntryCount(), 1);
    EXPECT_TRUE(box.IsSelected(&o.a));
}

TEST(SelectionContainer, WalksInTheOrderEntriesWereMade)
{
    TestContainer box;
    Objects o;
    box.Select(&o.c);
    box.Select(&o.a);
    box.Select(&o.b);
    EXPECT_THAT(box.Walk(0), ElementsAre(&o.c, &o.a, &o.b));
    // Selecting again does not move an entry.
    box.Deselect(&o.c);
    box.Select(&o.c);
    EXPECT_THAT(box.Walk(-1), ElementsAre(&o.c, &o.a, &o.b));
    EXPECT_EQ(box.CountBit(0, nullptr), 3);
}

TEST(SelectionContainer, BulkOperationsOnTwoBits)
{
    // Entries: a in bit 2 only, b in 3 only, c in both, d in neither.
    struct Case
    {
        const char* name;
        void (*op)(TestContainer&);
        std::vector<char> expected; // objects with bit 4 (or 3 for subtract)
        int bit;
    };
    const Case cases[] = {
        {"copy", [](TestContainer& t) { t.CopyBit(2, 4, nullptr); }, {'a', 'c'}, 4},
        {"and", [](TestContainer& t) { t.AndBits(2, 3, 4, nullptr); }, {'c'}, 4},
        {"or", [](TestContainer& t) { t.OrBits(2, 3, 4, nullptr); }, {'a', 'b', 'c'}, 4},
        {"xor", [](TestContainer& t) { t.XorBits(2, 3, 4, nullptr); }, {'a', 'b'}, 4},
        {"subtract", [](TestContainer& t) { t.SubtractBit(2, 3, nullptr); }, {'b'}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestContainer box;
        Objects o;
        box.objects = {&o.a, &o.b, &o.c, &o.d};
        box.SetBit(&o.a, 2);
        box.SetBit(&o.b, 3);
        box.SetBit(&o.c, 2);
        box.SetBit(&o.c, 3);
        box.SetBit(&o.d, 7);
        box.SetBit(&o.d, 4); // overwritten by every op that writes bit 4
        c.op(box);
        std::vector<char> got;
        const std::pair<CRecord*, char> names[] = {{&o.a, 'a'}, {&o.b, 'b'}, {&o.c, 'c'}, {&o.d, 'd'}};
        for (const auto& [key, name] : names)
            if (box.TestBit(key, c.bit))
                got.push_back(name);
        EXPECT_EQ(got, c.expected);
        EXPECT_TRUE(box.syncs.empty()) << "no scratch write is mirrored";
    }
}

TEST(SelectionContainer, SelectAllAndInvertWalkEveryObject)
{
    TestContainer box;
    Objects o;
    box.SelectAll(0, nullptr);
    EXPECT_TRUE(box.syncs.empty()) << "nothing at all without objects";

    box.objects = {&o.a, &o.b, &o.c};
    box.Select(&o.b);
    box.syncs.clear();
    box.InvertAll(0, nullptr);
    EXPECT_THAT(box.syncs, ElementsAre(nullptr));
    EXPECT_THAT(box.Walk(0), UnorderedElementsAre(&o.a, &o.c));
    box.SelectAll(0, nullptr);
    EXPECT_EQ(box.CountBit(0, nullptr), 3);
    EXPECT_EQ(box.GetEntryCount(), 3);
}

TEST(SelectionContainer, TheCachedCountFollowsSingleChangesAndRecountsAfterBulkWrites)
{
    TestContainer box;
    Objects o;
    box.objects = {&o.a, &o.b, &o.c};
    EXPECT_EQ(box.GetCountUnfiltered(), 0);
    box.Select(&o.a);
    box.Select(&o.b);
    box.Select(&o.b);
    EXPECT_TRUE(box.IsCountKnown());
    EXPECT_EQ(box.GetCountUnfiltered(), 2);
    box.Deselect(&o.a);
    box.RemoveObject(&o.b);
    EXPECT_TRUE(box.IsCountKnown());
    EXPECT_EQ(box.GetCountUnfiltered(), 0);

    box.SelectAll(0, nullptr);
    EXPECT_FALSE(box.IsCountKnown());
    EXPECT_EQ(box.GetCountUnfiltered(), 3);
    // A scratch write leaves it alone.
    box.SelectAll(4, nullptr);
    EXPECT_TRUE(box.IsCountKnown());

    // Changes before the first count are not mistaken for a total.
    TestContainer fresh;
    fresh.objects = {&o.a};
    fresh.Deselect(&o.a);
    fresh.Select(&o.a);
    EXPECT_EQ(fresh.GetCountUnfiltered(), 1);
}

TEST(SelectionIterator, SurvivesItsContainerAndTheRemovalOfItsEntry)
{
    Objects o;
    auto box = std::make_unique<TestContainer>();
    box->Select(&o.a);
    box->Select(&o.b);
    box->Select(&o.c);
    CSelectionIterator it = box->CreateIterator(-1, nullptr);
    ASSERT_TRUE(it.First());
    CSelectionIterator copy(it);
    box->RemoveObject(&o.a); // the entry the iterator rests on
    CRecord* key = nullptr;
    ASSERT_TRUE(it.Next(key));
    EXPECT_EQ(key, &o.b);
    // The copy starts without a position.
    EXPECT_FALSE(copy.Next(key));
    EXPECT_TRUE(copy.First());

    box.reset();
    EXPECT_EQ(it.GetContainer(), nullptr);
    EXPECT_FALSE(it.Next(key));
    EXPECT_FALSE(copy.First());
}

// --- Scopes

TEST(SelectionScope, TheFiveEndsOfSavedABCAndNewCD)
{
    struct Case
    {
        int mode;
        std::set<char> expected;
    };
    const Case cases[] = {
        {CSelectionScope::Restore, {'a', 'b', 'c'}}, {CSelectionScope::Intersect, {'c'}},
        {CSelectionScope::Union, {'a', 'b', 'c', 'd'}}, {CSelectionScope::Subtract, {'a', 'b'}},
        {CSelectionScope::Keep, {'c', 'd'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        TestContainer box;
        Objects o;
        box.objects = {&o.a, &o.b, &o.c, &o.d};
        box.Select(&o.a);
        box.Select(&o.b);
        box.Select(&o.c);
        CSelectionScope scope(&box);
        scope.Begin(true);
        EXPECT_EQ(scope.GetBit(), 2);
        EXPECT_EQ(box.CountBit(0, nullptr), 0);
        box.Select(&o.c);
        box.Select(&o.d);
        scope.End(c.mode, nullptr);
        EXPECT_FALSE(scope.IsOpen());
        std::set<char> got;
        const std::pair<CRecord*, char> names[] = {{&o.a, 'a'}, {&o.b, 'b'}, {&o.c, 'c'}, {&o.d, 'd'}};
        for (const auto& [key, name] : names) {
            if (box.IsSelected(key))
                got.insert(name);
            EXPECT_FALSE(box.TestBit(key, 2)) << "the scratch bit is left clear";
        }
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(box.GetCount(), 2);
    }
}

TEST(SelectionScope, NestedScopesTakeTheNextBitsAndGiveThemBack)
{
    TestContainer box;
    Objects o;
    box.objects = {&o.a, &o.b};
    box.Select(&o.a);
    {
        CSelectionScope outer(&box);
        CSelectionScope inner(&box);
        outer.Begin(false);
        inner.Begin(true);
        EXPECT_EQ(outer.GetBit(), 2);
        EXPECT_EQ(inner.GetBit(), 3);
        box.Select(&o.b);
        inner.End(CSelectionScope::Union, nullptr);
        outer.End(CSelectionScope::Keep, nullptr);
    }
    EXPECT_TRUE(box.IsSelected(&o.a));
    EXPECT_TRUE(box.IsSelected(&o.b));
    CSelectionScope next(&box);
    next.Begin(false);
    EXPECT_EQ(next.GetBit(), 2);

    // Beginning an open scope first restores what it saved.
    box.Deselect(&o.a);
    next.Begin(true);
    EXPECT_EQ(next.GetBit(), 2);
    next.Cancel();
    EXPECT_TRUE(box.IsSelected(&o.a));
    EXPECT_TRUE(box.IsSelected(&o.b));
    next.Cancel();
    EXPECT_EQ(box.GetCount(), 2);
}
