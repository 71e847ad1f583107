#include "model/PointRecord.h"
#include "model/SelectionFilter.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class OtherRecord : public CRecord
{
public:
    OtherRecord() { header.type = 2; }
    bool Validate() override { return true; }
    RecordHeader* GetHeader() override { return &header; }
    RecordHeader header;
};

// Accepts the records it was given; counts its deletions.
class ListFilter : public CSelectionFilterBase
{
public:
    ListFilter(CRecord* a, CRecord* b, int* deleted = nullptr) : m_a(a), m_b(b), m_deleted(deleted) {}
    ~ListFilter() override
    {
        if (m_deleted != nullptr)
            ++*m_deleted;
    }

protected:
    bool AcceptLeaf(CRecord* object) const override { return object == m_a || object == m_b; }
    uint32_t GetLeafCertainKinds() const override { return 0; }
    uint32_t GetLeafPossibleKinds() const override { return SelectionKindsAll; }
    CSelectionFilterBase* CloneLeaf() const override { return new ListFilter(m_a, m_b); }

private:
    CRecord* m_a;
    CRecord* m_b;
    int* m_deleted;
};

} // namespace

TEST(SelectionFilter, ChildrenAreFoldedStrictlyLeftToRight)
{
    CPointRecord p;
    CSelectionNullFilter all(true), none(false);
    CSelectionNullFilter expression(true);
    expression.Or(&none);
    expression.And(&none);
    // (all or none) and none: with "and" binding first it would accept.
    EXPECT_FALSE(expression.Accept(&p));

    CSelectionNullFilter other(false);
    other.And(&all);
    other.Or(&all);
    EXPECT_TRUE(other.Accept(&p)) << "(none and all) or all";
}

TEST(SelectionFilter, InvertGivesTheComplementAndTwiceTheOriginal)
{
    CPointRecord a, b, c;
    OtherRecord d;
    CRecord* objects[] = {&a, &b, &c, &d};

    // (a|b) and not (b|c) or d-kinds, as one expression.
    ListFilter expression(&a, &b);
    ListFilter bc(&b, &c);
    bc.Invert();
    expression.And(&bc);
    CSelectionMaskBitsFilterForDataFile others(nullptr, SelectionKindOther);
    expression.Or(&others);

    bool before[4];
    for (int i = 0; i < 4; ++i)
        before[i] = expression.Accept(objects[i]);
    EXPECT_TRUE(before[0]);
    EXPECT_FALSE(before[1]);
    EXPECT_FALSE(before[2]);
    EXPECT_TRUE(before[3]);

    expression.Invert();
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(expression.Accept(objects[i]), before[i]) << i;
    expression.Invert();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expression.Accept(objects[i]), before[i]) << i;

    // A negated leaf alone accepts what the leaf rejects.
    ListFilter single(&a, &a);
    single.Invert();
    EXPECT_FALSE(single.Accept(&a));
    EXPECT_TRUE(single.Accept(&b));
}

TEST(SelectionFilter, AndKeepsACopy)
{
    CPointRecord p;
    CSelectionNullFilter combined(true);
    CSelectionNullFilter part(true);
    combined.And(&part);
    part.Invert();
    EXPECT_TRUE(combined.Accept(&p));
    EXPECT_FALSE(part.Accept(&p));
    // And with no filter changes nothing.
    combined.And(nullptr);
    EXPECT_EQ(combined.GetChildCount(), 1u);
}

TEST(SelectionFilter, NullAndMaskFiltersAndTheirClones)
{
    CPointRecord point;
    OtherRecord other;
    CSelectionNullFilter none(false);
    std::unique_ptr<CSelectionFilterBase> noneCopy(none.Clone());
    EXPECT_FALSE(none.Accept(&point));
    EXPECT_FALSE(noneCopy->Accept(&point));
    EXPECT_TRUE(CSelectionNullFilter(true).Accept(&other));

    struct Case
    {
        uint32_t mask;
        bool point, other;
    };
    for (const Case c : {Case{0, false, false}, Case{2, true, false}, Case{1, false, true}, Case{3, true, true}}) {
        SCOPED_TRACE(c.mask);
        CSelectionMaskBitsFilterForDataFile filter(nullptr, c.mask);
        std::unique_ptr<CSelectionFilterBase> copy(filter.Clone());
        EXPECT_EQ(filter.Accept(&point), c.point);
        EXPECT_EQ(filter.Accept(&other), c.other);
        EXPECT_EQ(copy->Accept(&point), c.point);
        EXPECT_EQ(copy->Accept(&other), c.other);
        EXPECT_EQ(filter.GetCertainKinds(), c.mask);
        EXPECT_EQ(filter.GetPossibleKinds(), c.mask);
    }
    // The visible and temporary filters pass every record, and say nothing certain about kinds.
    CSelectionTemporaryRecordFilterForDataFile temporary(nullptr);
    EXPECT_TRUE(temporary.Accept(&other));
    EXPECT_EQ(temporary.GetCertainKinds(), 0u);
    EXPECT_EQ(temporary.GetPossibleKinds(), SelectionKindsAll);
}

TEST(SelectionFilter, KindBoundsFoldWithTheOperators)
{
    CSelectionMaskBitsFilterForDataFile points(nullptr, SelectionKindPoint);
    CSelectionMaskBitsFilterForDataFile others(nullptr, SelectionKindOther);
    CSelectionVisibleRecordFilterForDataFile visible(nullptr);

    CSelectionVisibleRecordFilterForDataFile visiblePoints(nullptr);
    visiblePoints.And(&points);
    EXPECT_EQ(visiblePoints.GetCertainKinds(), 0u);
    EXPECT_EQ(visiblePoints.GetPossibleKinds(), SelectionKindPoint);

    CSelectionMaskBitsFilterForDataFile either(nullptr, SelectionKindPoint);
    either.Or(&others);
    EXPECT_EQ(either.GetCertainKinds(), 3u);
    EXPECT_EQ(either.GetPossibleKinds(), 3u);

    // Negated, certain and possible swap and complement.
    points.Invert();
    EXPECT_EQ(points.GetCertainKinds(), ~SelectionKindPoint);
    EXPECT_EQ(points.GetPossibleKinds(), ~SelectionKindPoint);
    visible.Invert();
    EXPECT_EQ(visible.GetCertainKinds(), 0u);
    EXPECT_EQ(visible.GetPossibleKinds(), SelectionKindsAll);
}

TEST(SelectionFilterPtr, TheLastHandleDeletesTheFilter)
{
    int deleted = 0;
    {
        CSelectionFilterPtr first(new ListFilter(nullptr, nullptr, &deleted));
        EXPECT_EQ(first->m_refCount, 1u);
        {
            CSelectionFilterPtr second(first);
            CSelectionFilterPtr third;
            EXPECT_TRUE(third.IsNull());
            third = second;
            EXPECT_EQ(first->m_refCount, 3u);
            // Another handle made from the bare pointer shares the same count.
            CSelectionFilterPtr fourth(first.Get());
            EXPECT_EQ(first->m_refCount, 4u);
        }
        EXPECT_EQ(deleted, 0);
        first = first;
        EXPECT_EQ(first->m_refCount, 1u);
    }
    EXPECT_EQ(deleted, 1);
    CSelectionFilterPtr empty(nullptr);
    EXPECT_TRUE(empty.IsNull());
    EXPECT_EQ(empty.Get(), nullptr);
}
