#include "FakeJob.h"
#include "FakeStatusBarHost.h"

#include "model/RedBlackTree.h"
#include "model/SpRecordRBTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <tuple>
#include <vector>

using morvel::test::FakeJob;

namespace {

struct TreeShape
{
    std::vector<const RedBlackNode*> leaves; // in-order
    int blackHeight = -1;
};

const RedBlackNode* Rightmost(const RedBlackNode* n)
{
    while (n->flags & kRedBlackBranch)
        n = n->link2;
    return n;
}

const RedBlackNode* Leftmost(const RedBlackNode* n)
{
    while (n->flags & kRedBlackBranch)
        n = n->link1;
    return n;
}

void CheckNode(const RedBlackNode* n, const RedBlackNode* parent, bool isRoot, bool isLeft, int blacks, TreeShape& shape)
{
    ASSERT_EQ(n->link3, parent);
    ASSERT_EQ(bool(n->flags & kRedBlackRoot), isRoot);
    ASSERT_EQ(bool(n->flags & kRedBlackLeftChild), !isRoot && isLeft);
    ASSERT_FALSE(n->flags & kRedBlackSentinel);
    const bool red = n->flags & kRedBlackRed;
    if (!red)
        ++blacks;
    if (!(n->flags & kRedBlackBranch)) {
        ASSERT_FALSE(red) << "leaves are black";
        if (shape.blackHeight < 0)
            shape.blackHeight = blacks;
        ASSERT_EQ(blacks, shape.blackHeight);
        ASSERT_EQ(GetRedBlackBlackDepth(n), blacks);
        shape.leaves.push_back(n);
        return;
    }
    ASSERT_NE(n->link1, nullptr);
    ASSERT_NE(n->link2, nullptr);
    if (red) {
        ASSERT_FALSE(n->link1->flags & kRedBlackRed) << "red node with red child";
        ASSERT_FALSE(n->link2->flags & kRedBlackRed) << "red node with red child";
    }
    ASSERT_EQ(RedBlackRouteLeft(n), Rightmost(n->link1));
    ASSERT_EQ(RedBlackRouteRight(n), Leftmost(n->link2));
    CheckNode(n->link1, n, false, true, blacks, shape);
    CheckNode(n->link2, n, false, false, blacks, shape);
}

// Checks every invariant of the tree; returns the leaves in chain order.
template <class Less>
std::vector<const RedBlackNode*> CheckTree(const RedBlackNode* tree, Less less)
{
    EXPECT_TRUE(tree->flags & kRedBlackSentinel);
    TreeShape shape;
    if (tree->link3 == tree) {
        EXPECT_EQ(tree->link1, tree);
        EXPECT_EQ(tree->link2, tree);
        return {};
    }
    const RedBlackNode* root = tree->link3;
    EXPECT_FALSE(root->flags & kRedBlackRed) << "root is black";
    CheckNode(root, tree, true, false, 0, shape);
    std::vector<const RedBlackNode*> chain;
    const RedBlackNode* prev = tree;
    for (const RedBlackNode* n = tree->link1; n != tree; prev = n, n = n->link1) {
        EXPECT_EQ(n->link2, prev);
        chain.push_back(n);
        if (chain.size() > shape.leaves.size())
            break;
    }
    EXPECT_EQ(tree->link2, prev);
    EXPECT_EQ(chain, shape.leaves) << "leaf chain differs from in-order leaves";
    for (std::size_t i = 1; i < chain.size(); ++i)
        EXPECT_TRUE(less(chain[i - 1], chain[i])) << "leaf chain out of order at " << i;
    return chain;
}

int CompareInts(const int* a, const int* b) { return *a < *b ? -1 : (*a > *b ? 1 : 0); }

bool IntLess(const RedBlackNode* a, const RedBlackNode* b)
{
    return *GetRedBlackNodeKey<const int*>(a) < *GetRedBlackNodeKey<const int*>(b);
}

} // namespace

TEST(RedBlackTree, RandomInsertsAndDeletesKeepEveryInvariant)
{
    constexpr int kKeys = 40000;
    std::vector<int> keys(kKeys);
    for (int i = 0; i < kKeys; ++i)
        keys[i] = i;
    CRedBlackTree<const int*, void*> tree(&CompareInts);
    std::mt19937 rng(12345);
    std::vector<RedBlackNode*> leafOf(kKeys, nullptr);
    std::set<int> present;

    for (int round = 0; round < 3; ++round) {
        // Grow to about two thirds, then shrink to about a third, checking along the way.
        for (int step = 0; step < kKeys; ++step) {
            const int k = int(rng() % kKeys);
            const bool insert = (round % 2 == 0) ? (rng() % 3 != 0) : (rng() % 3 == 0);
            if (insert) {
                RedBlackNode* leaf = tree.Insert(&keys[k], &keys[k]);
                EXPECT_EQ(leaf == nullptr, present.count(k) == 1);
                if (leaf != nullptr) {
                    leafOf[k] = leaf;
                    present.insert(k);
                }
            } else if (present.count(k) == 1) {
                EXPECT_EQ(*tree.Remove(leafOf[k]), k);
                present.erase(k);
            }
            if (step % 5000 == 0) {
                auto chain = CheckTree(tree.GetHandle(), IntLess);
                ASSERT_EQ(chain.size(), present.size());
            }
        }
        auto chain = CheckTree(tree.GetHandle(), IntLess);
        ASSERT_EQ(chain.size(), present.size());
        auto it = present.begin();
        for (const RedBlackNode* leaf : chain)
            ASSERT_EQ(*GetRedBlackNodeKey<const int*>(leaf), *it++);
    }
    // Lookups agree with the set: found keys, and the insertion position for absent ones.
    for (int k = -1; k <= kKeys; k += 7) {
        int key = k;
        RedBlackNode* out = nullptr;
        const bool found = FindRedBlackNode(tree.GetHandle(), &key, out, &CompareInts);
        auto next = present.lower_bound(k);
        EXPECT_EQ(found, next != present.end() && *next == k);
        if (next == present.end())
            EXPECT_EQ(out, tree.GetHandle());
        else
            EXPECT_EQ(*GetRedBlackNodeKey<const int*>(out), *next);
    }
    // Emptying it leaf by leaf ends with a sentinel that points to itself three times.
    while (RedBlackNode* first = tree.GetFirstPosition())
        tree.Remove(first);
    RedBlackNode* sentinel = tree.GetHandle();
    EXPECT_EQ(sentinel->link1, sentinel);
    EXPECT_EQ(sentinel->link2, sentinel);
    EXPECT_EQ(sentinel->link3, sentinel);
}

TEST(RedBlackTree, AscendingAndDescendingRunsStayBalanced)
{
    constexpr int kKeys = 20000;
    std::vector<int> keys(kKeys);
    for (int i = 0; i < kKeys; ++i)
        keys[i] = i;
    CRedBlackTree<const int*, void*> up(&CompareInts), down(&CompareInts);
    for (int i = 0; i < kKeys; ++i) {
        up.Insert(&keys[i], nullptr);
        down.Insert(&keys[kKeys - 1 - i], nullptr);
    }
    for (auto* tree : {&up, &down}) {
        auto chain = CheckTree(tree->GetHandle(), IntLess);
        ASSERT_EQ(chain.size(), std::size_t(kKeys));
        int deepest = 0;
        for (const RedBlackNode* leaf : chain)
            deepest = std::max(deepest, GetRedBlackDepth(leaf));
        EXPECT_LE(deepest, 2 * 16); // 2 log2(n) bound of a red-black tree
    }
    RedBlackNode* pos = up.GetLastPosition();
    EXPECT_EQ(*up.GetPrev(pos), kKeys - 1);
    EXPECT_EQ(*up.GetPrev(pos), kKeys - 2);
}

TEST(RedBlackTree, LeavesLinkedInOrderFormAValidTreeAtEverySize)
{
    std::vector<int> keys(1100);
    for (int i = 0; i < int(keys.size()); ++i)
        keys[i] = 2 * i; // odd keys are left free for inserts afterwards
    std::vector<int> sizes;
    for (int n = 0; n <= 70; ++n)
        sizes.push_back(n);
    for (int n : {127, 128, 129, 255, 256, 257, 1023, 1024, 1025})
        sizes.push_back(n);
    std::mt19937 rng(5);
    for (int n : sizes) {
        SCOPED_TRACE(n);
        CRedBlackTree<const int*, void*> tree(&CompareInts);
        // An old tree's branches handed in as spare: fewer, as many, or more than needed.
        for (int i = 0; i < (n * 3) % 17; ++i)
            tree.Insert(&keys[std::size_t(1099 - i)], nullptr);
        std::vector<RedBlackNode*> oldLeaves;
        for (RedBlackNode* pos = tree.GetFirstPosition(); pos != nullptr; tree.GetNext(pos))
            oldLeaves.push_back(pos);
        std::vector<RedBlackNode*> spare;
        TakeRedBlackBranches(tree.GetHandle(), spare);
        for (RedBlackNode* leaf : oldLeaves)
            delete leaf;

        std::vector<RedBlackNode*> leaves;
        for (int i = 0; i < n; ++i) {
            auto* leaf = new RedBlackNode;
            leaf->key = &keys[std::size_t(i)];
            leaves.push_back(leaf);
        }
        LinkRedBlackLeaves(tree.GetHandle(), leaves.data(), leaves.size(), spare);
        EXPECT_TRUE(spare.empty());
        auto chain = CheckTree(tree.GetHandle(), IntLess);
        ASSERT_EQ(chain, std::vector<const RedBlackNode*>(leaves.begin(), leaves.end()));
        int deepest = 0;
        for (const RedBlackNode* leaf : chain)
            deepest = std::max(deepest, GetRedBlackDepth(leaf));
        int log2 = 0;
        while ((2 << log2) <= n)
            ++log2;
        EXPECT_LE(deepest, log2 + 2) << "leaves one level apart at most";

        // The rebalancing code must take the built tree as its own.
        std::vector<int> odd(std::size_t(n) / 2 + 1);
        for (std::size_t i = 0; i < odd.size(); ++i) {
            odd[i] = int(2 * (rng() % std::size_t(n + 1)) + 1);
            tree.Insert(&odd[i], nullptr);
        }
        for (int i = 0; i < n / 2 && !leaves.empty(); ++i) {
            const std::size_t k = rng() % leaves.size();
            tree.Remove(leaves[k]);
            leaves.erase(leaves.begin() + std::ptrdiff_t(k));
        }
        CheckTree(tree.GetHandle(), IntLess);
    }
}

TEST(PointIndex, ExactAndInexactLookups)
{
    FakeJob job;
    CPointRecord* p2 = job.AddPoint("P2");
    CPointRecord* p10 = job.AddPoint("P10");
    CPointRecord* a = job.AddPoint("A");
    EXPECT_EQ(job.points.FindPoint("p002", true), p2);
    EXPECT_EQ(job.points.FindPoint("a", true), a);
    EXPECT_EQ(job.points.FindPoint("P3", true), nullptr);
    EXPECT_EQ(job.points.FindPoint("P3", false), p10);
    EXPECT_EQ(job.points.FindPoint("0A", false), a);
    EXPECT_EQ(job.points.FindPoint("Z", false), nullptr);
    for (const char* bad : {"", "ABCDEFGHIJKLMNOPQ", "P-1", "000"})
        EXPECT_EQ(job.points.FindNode(bad, false), nullptr) << bad;

    std::vector<std::string> order;
    for (RedBlackNode* pos = job.points.GetFirstPosition(); pos;)
        order.push_back(job.points.GetNextPoint(pos)->GetName());
    EXPECT_EQ(order, (std::vector<std::string>{"A", "P2", "P10"}));
    EXPECT_EQ(job.points.GetLastPointByWalk(), p10);
}

TEST(PointIndex, DuplicateNameLeavesEverythingAsItWas)
{
    FakeJob job;
    job.AddPoint("P7");
    job.lastPointName = "X";
    CPointRecord dup("p07", "", CLocation(), true);
    EXPECT_FALSE(job.points.Add(&dup));
    EXPECT_EQ(job.points.GetCount(), 1);
    EXPECT_EQ(job.store->GetCount(0), 1);
    EXPECT_EQ(job.lastPointName, "X");
}

TEST(PointIndex, OnlyLeafGoesToAnEmptyTree)
{
    FakeJob job;
    CPointRecord* p = job.AddPoint("1");
    EXPECT_TRUE(job.points.Remove(job.points.FindNode("1", true)));
    EXPECT_FALSE(job.points.Remove(nullptr));
    RedBlackNode* sentinel = job.points.GetHandle();
    EXPECT_EQ(sentinel->link1, sentinel);
    EXPECT_EQ(sentinel->link2, sentinel);
    EXPECT_EQ(sentinel->link3, sentinel);
    EXPECT_EQ(job.store->GetCount(0), 0);
    job.sorted.Remove(job.sorted.FindLeaf(p));
    delete p;
}

TEST(PointIndex, ReplaceSwapsPointsButKeepsOneItCannotRemove)
{
    FakeJob job;
    CPointRecord* old = job.AddPoint("1");
    job.AddPoint("A1");
    job.sorted.Remove(job.sorted.FindLeaf(old)); // the grid index is the document's to update
    auto* fresh = new CPointRecord("9", "", CLocation(), false);
    EXPECT_TRUE(job.points.Replace(job.points.FindNode("1", true), fresh));
    EXPECT_EQ(job.points.FindPoint("9", true), fresh);
    EXPECT_EQ(job.points.FindPoint("1", true), nullptr);
    EXPECT_EQ(job.NamesInStoreOrder(), (std::vector<std::string>{"A1", "9"}));

    // Under a digits-only rule A1 can no longer be removed; it must stay in the store, not be freed.
    job.digitsOnly = true;
    CPointRecord other("5", "", CLocation(), false);
    EXPECT_FALSE(job.points.Replace(job.points.GetLastPosition(), &other));
    EXPECT_EQ(job.NamesInStoreOrder(), (std::vector<std::string>{"A1", "9"}));
    EXPECT_EQ(job.points.GetCount(), 2);
}

namespace {

int CompareByEasting(CRecord* a, CRecord* b)
{
    const double ea = static_cast<CPointRecord*>(a)->GetEasting();
    const double eb = static_cast<CPointRecord*>(b)->GetEasting();
    return ea < eb ? -1 : (ea > eb ? 1 : 0);
}

// The status-bar calls other than progress positions.
std::vector<std::string> StatusTexts(FakeStatusBarHost& host)
{
    std::vector<std::string> texts;
    for (const std::string& call : host.Take())
        if (call.rfind("pos:", 0) != 0)
            texts.push_back(call);
    return texts;
}

} // namespace

TEST(SortedIndex, RowsAcrossTheWholeRangeAndBeyond)
{
    FakeJob job;
    constexpr int kRows = 1000;
    std::vector<CPointRecord*> points;
    for (int i = 1; i <= kRows; ++i)
        points.push_back(job.AddPoint(std::to_string(i).c_str()));
    ASSERT_EQ(job.sorted.GetCount(), kRows);
    for (int row = 0; row < kRows; ++row)
        ASSERT_EQ(job.sorted.GetAt(row), points[row]) << row;
    // Back one step, then a jump, then past either end.
    EXPECT_EQ(job.sorted.GetAt(kRows - 2), points[kRows - 2]);
    EXPECT_EQ(job.sorted.GetAt(3), points[3]);
    EXPECT_EQ(job.sorted.GetAt(kRows), nullptr);
    EXPECT_EQ(job.sorted.GetAt(-1), nullptr);
    EXPECT_EQ(job.sorted.GetAt(500), points[500]);
    EXPECT_EQ(job.sorted.IndexOf(points[500]), 500);
    std::mt19937 rng(3);
    for (int i = 0; i < 2000; ++i) {
        const int row = int(rng() % (kRows + 20)) - 10;
        ASSERT_EQ(job.sorted.GetAt(row), (row >= 0 && row < kRows) ? points[row] : nullptr) << row;
    }
    CSpRecordRBTree empty;
    EXPECT_EQ(empty.GetAt(0), nullptr);
}

TEST(SortedIndex, CountsOnlyRealInsertions)
{
    FakeJob job;
    CPointRecord* p = job.AddPoint("1");
    const int32_t seq = p->GetSequenceNumber();
    EXPECT_EQ(job.sorted.Insert(p), nullptr);
    EXPECT_EQ(job.sorted.Insert(nullptr), nullptr);
    EXPECT_EQ(job.sorted.GetCount(), 1);
    EXPECT_EQ(p->GetSequenceNumber(), seq);
    EXPECT_EQ(job.sorted.GetAt(1), nullptr);
    EXPECT_EQ(job.sorted.Remove(nullptr), nullptr);
    EXPECT_EQ(job.sorted.GetCount(), 1);
}

TEST(SortedIndex, RebuildWithTiesKeepsEveryRowInOrder)
{
    FakeJob job;
    // Eastings with many ties; rows should end sorted by easting, ties in their old row order.
    const double eastings[] = {3, 1, 2, 1, 3, 2, 1, 3};
    std::vector<CPointRecord*> points;
    for (int i = 0; i < 8; ++i)
        points.push_back(job.AddPoint(std::to_string(i + 1).c_str(), eastings[i], 0));
    FakeStatusBarHost host;
    job.sorted.SetCompare(&CompareByEasting);
    job.sorted.Rebuild();
    ASSERT_EQ(job.sorted.GetCount(), 8);
    std::vector<std::string> names;
    for (int row = 0; row < 8; ++row)
        names.push_back(static_cast<CPointRecord*>(job.sorted.GetAt(row))->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"2", "4", "7", "3", "6", "1", "5", "8"}));
    // Each record's new sequence number is its row before the re-sort.
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(job.sorted.GetAt(row)->GetSequenceNumber(), std::stoi(names[row]) - 1);
    EXPECT_EQ(StatusTexts(host), (std::vector<std::string>{"text:Checking...", "text:Sorting...", "end"}));

    // A record added later goes after the rows it ties with.
    CPointRecord* late = job.AddPoint("9", 1, 0);
    EXPECT_EQ(job.sorted.GetAt(3), late);

    // Already in order: nothing is re-sorted.
    host.Take();
    job.sorted.Rebuild();
    EXPECT_EQ(StatusTexts(host), (std::vector<std::string>{"text:Checking...", "end"}));
    CheckTree(job.sorted.GetHandle(), [](const RedBlackNode*, const RedBlackNode*) { return true; });
}

// The single sort must give exactly the rows, and sequence numbers, that filing the records one
// by one in their old row order gives.
TEST(SortedIndex, OneSortGivesTheRowsOfOneByOneInserts)
{
    FakeJob job;
    std::mt19937 rng(17);
    std::vector<CPointRecord*> points;
    for (int i = 0; i < 3000; ++i) // few distinct eastings, so most rows tie
        points.push_back(job.AddPoint(std::to_string(rng() % 1000000).c_str(), double(rng() % 40), 0));
    points.erase(std::remove(points.begin(), points.end(), nullptr), points.end());
    auto rowsOf = [](CSpRecordRBTree& tree) {
        std::vector<std::pair<CRecord*, int32_t>> rows;
        for (int32_t row = 0; row < tree.GetCount(); ++row)
            rows.emplace_back(tree.GetAt(row), tree.GetAt(row)->GetSequenceNumber());
        return rows;
    };
    auto insertedOneByOne = [&](const std::vector<CRecord*>& order) {
        CSpRecordRBTree reference;
        reference.SetCompare(job.sorted.GetCompare());
        for (CRecord* record : order)
            reference.Insert(record);
        return rowsOf(reference);
    };
    auto checkShape = [&] {
        CheckTree(job.sorted.GetHandle(), [](const RedBlackNode* a, const RedBlackNode* b) {
            auto* pa = GetRedBlackNodeKey<CPointRecord*>(a);
            auto* pb = GetRedBlackNodeKey<CPointRecord*>(b);
            return pa->GetEasting() != pb->GetEasting() ? pa->GetEasting() < pb->GetEasting()
                                                         : pa->GetSequenceNumber() < pb->GetSequenceNumber();
        });
    };
    FakeStatusBarHost host;

    // Rebuild: the rows as they stand, re-sorted.
    std::vector<CRecord*> before;
    for (int32_t row = 0; row < job.sorted.GetCount(); ++row)
        before.push_back(job.sorted.GetAt(row));
    job.sorted.SetCompare(&CompareByEasting);
    const auto expected = insertedOneByOne(before);
    job.sorted.Rebuild();
    EXPECT_EQ(rowsOf(job.sorted), expected);
    checkShape();

    // AssignFrom: a shuffled set with a record given twice, a null, a record not held before,
    // and held records left out, which lose their rows.
    std::vector<CRecord*> given(points.begin(), points.end());
    std::shuffle(given.begin(), given.end(), rng);
    CPointRecord* dropped = static_cast<CPointRecord*>(given.back());
    given.resize(given.size() - 100);
    CRecord* twice = given[500];
    given.insert(given.begin() + 10, twice);
    given.insert(given.begin() + 20, nullptr);
    auto* outsider = new CPointRecord("X", "", CLocation(7, 0, NoValue), true);
    given.push_back(outsider);
    const auto expectedAssigned = insertedOneByOne(given);
    job.sorted.AssignFrom(given);
    EXPECT_EQ(rowsOf(job.sorted), expectedAssigned);
    EXPECT_EQ(job.sorted.GetCount(), int32_t(points.size()) - 100 + 1);
    EXPECT_EQ(job.sorted.FindLeaf(dropped), nullptr);
    ASSERT_NE(job.sorted.FindLeaf(outsider), nullptr);
    EXPECT_EQ(job.sorted.GetAt(job.sorted.IndexOf(outsider)), outsider);
    checkShape();

    // Later inserts and deletes work on the built tree as on any other.
    CPointRecord* late = job.AddPoint("late", 7, 0);
    ASSERT_NE(late, nullptr);
    EXPECT_EQ(job.sorted.GetAt(job.sorted.IndexOf(outsider) + 1), late);
    job.sorted.Remove(job.sorted.FindLeaf(outsider));
    delete outsider;
    checkShape();
}

// A job just read is filed in its given order by the in-order build: the rows, numbers, row
// states and shape of AssignFrom in sequence order, with a null and a record given twice; into a
// tree already filed it is AssignFrom itself.
TEST(SortedIndex, InOrderBuildGivesTheRowsOfAssignFrom)
{
    FakeJob job;
    std::vector<CRecord*> given;
    for (int i = 0; i < 1500; ++i)
        given.push_back(job.AddPoint(("P" + std::to_string(i)).c_str(), double(i % 7), 0));
    given.insert(given.begin() + 3, nullptr);
    given.insert(given.begin() + 700, given[600]);
    auto rowsOf = [](CSpRecordRBTree& tree) {
        std::vector<std::tuple<CRecord*, int32_t, int32_t>> rows;
        for (int32_t row = tree.GetCount(); row-- > 0;) { // backwards: the far jumps use the checkpoints
            int32_t value = 0;
            tree.Lookup(tree.GetAt(row), value);
            rows.emplace_back(tree.GetAt(row), tree.GetAt(row)->GetSequenceNumber(), value);
        }
        return rows;
    };
    for (bool filedBefore : {false, true}) {
        SCOPED_TRACE(filedBefore ? "filed before" : "empty");
        CSpRecordRBTree reference, built;
        if (filedBefore)
            for (CSpRecordRBTree* tree : {&reference, &built})
                tree->Insert(given[10]);
        reference.AssignFrom(given);
        const auto expected = rowsOf(reference);
        built.AssignInOrder(given);
        EXPECT_EQ(rowsOf(built), expected);
        EXPECT_EQ(built.GetCount(), int32_t(given.size()) - 2);
        EXPECT_EQ(built.IndexOf(given[1499]), 1497);
        CheckTree(built.GetHandle(), [](const RedBlackNode* a, const RedBlackNode* b) {
            return GetRedBlackNodeKey<CRecord*>(a)->GetSequenceNumber() < GetRedBlackNodeKey<CRecord*>(b)->GetSequenceNumber();
        });
        // Rows filed later follow the built ones.
        CPointRecord* late = job.AddPoint("late", 1, 0);
        ASSERT_NE(built.Insert(late), nullptr);
        EXPECT_EQ(built.GetAt(built.GetCount() - 1), late);
        job.DeletePoint(late);
    }
}

// Filing the rows anew after points were added, deleted or taken out and given back since the
// last filing: every row is found, in the order given, and nothing freed is read on the way.
TEST(SortedIndex, RefilingAfterEditsFindsEveryRow)
{
    struct Edit
    {
        const char* what;
        int deletes;
        int adds;
        int returns;
    };
    for (const Edit& edit : {Edit{"no edit", 0, 0, 0}, Edit{"adds", 0, 50, 0}, Edit{"deletes", 50, 0, 0},
                             Edit{"deletes then adds", 50, 50, 0}, Edit{"rows back", 0, 0, 40},
                             Edit{"rows back and adds", 20, 50, 40}}) {
        SCOPED_TRACE(edit.what);
        FakeJob job;
        job.sorted.SetCompare(&CompareByEasting);
        std::mt19937 rng(3);
        std::vector<CPointRecord*> points;
        for (int i = 0; i < 600; ++i)
            points.push_back(job.AddPoint(("P" + std::to_string(i)).c_str(), double(rng() % 30), 0));
        std::shuffle(points.begin(), points.end(), rng);
        job.sorted.AssignFrom(std::vector<CRecord*>(points.begin(), points.end()));
        for (int i = 0; i < edit.deletes; ++i) {
            job.DeletePoint(points.back());
            points.pop_back();
        }
        // Rows taken out whose points live on and come back, as an undone delete brings them.
        for (int i = 0; i < edit.returns; ++i)
            job.sorted.Remove(job.sorted.FindLeaf(points[std::size_t(i) * 7]));
        for (int i = 0; i < edit.adds; ++i)
            points.push_back(job.AddPoint(("Q" + std::to_string(i)).c_str(), double(rng() % 30), 0));
        std::shuffle(points.begin(), points.end(), rng);
        const std::vector<CRecord*> given(points.begin(), points.end());
        job.sorted.AssignFrom(given);

        std::vector<CRecord*> expected = given;
        std::stable_sort(expected.begin(), expected.end(),
                         [](CRecord* a, CRecord* b) { return CompareByEasting(a, b) < 0; });
        std::vector<CRecord*> rows;
        for (int32_t row = 0; row < job.sorted.GetCount(); ++row)
            rows.push_back(job.sorted.GetAt(row));
        EXPECT_EQ(rows, expected);
        for (std::size_t i = 0; i < given.size(); ++i)
            ASSERT_EQ(given[i]->GetSequenceNumber(), int32_t(i));
        CheckTree(job.sorted.GetHandle(), [](const RedBlackNode* a, const RedBlackNode* b) {
            CRecord* ra = GetRedBlackNodeKey<CRecord*>(a);
            CRecord* rb = GetRedBlackNodeKey<CRecord*>(b);
            const int r = CompareByEasting(ra, rb);
            return r != 0 ? r < 0 : ra->GetSequenceNumber() < rb->GetSequenceNumber();
        });
    }
}

TEST(SortedIndex, RowStates)
{
    FakeJob job;
    job.AddPoint("1");
    job.AddPoint("2");
    bool on = true;
    EXPECT_FALSE(job.sorted.GetRowState(0, on));
    job.sorted.SetRowState(1, true);
    job.sorted.SetRowState(5, true);
    ASSERT_TRUE(job.sorted.GetRowState(1, on));
    EXPECT_TRUE(on);
    int32_t value = 0;
    EXPECT_TRUE(job.sorted.Lookup(job.sorted.GetAt(1), value));
    EXPECT_EQ(value, 1);
    job.sorted.ResetRowStates();
    EXPECT_FALSE(job.sorted.GetRowState(1, on));
}

TEST(SortedIndex, ManyDeletesKeepIndexesInStep)
{
    FakeJob job;
    constexpr int kPoints = 3000;
    std::vector<CPointRecord*> points;
    for (int i = 1; i <= kPoints; ++i)
        points.push_back(job.AddPoint(std::to_string(i).c_str()));
    std::mt19937 rng(7);
    std::shuffle(points.begin(), points.end(), rng);
    for (int i = 0; i < kPoints / 2; ++i)
        job.DeletePoint(points[i]);
    EXPECT_EQ(job.sorted.GetCount(), kPoints / 2);
    EXPECT_EQ(job.points.GetCount(), kPoints / 2);
    EXPECT_EQ(job.store->GetCount(0), kPoints / 2);
    auto chain = CheckTree(job.sorted.GetHandle(), [](const RedBlackNode* a, const RedBlackNode* b) {
        return GetRedBlackNodeKey<CRecord*>(a)->GetSequenceNumber() < GetRedBlackNodeKey<CRecord*>(b)->GetSequenceNumber();
    });
    EXPECT_EQ(chain.size(), std::size_t(kPoints / 2));
    CheckTree(job.points.GetHandle(), [](const RedBlackNode* a, const RedBlackNode* b) {
        return ComparePointNames(GetRedBlackNodeKey<const char*>(a), GetRedBlackNodeKey<const char*>(b)) < 0;
    });
}
