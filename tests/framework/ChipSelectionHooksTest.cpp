#include "framework/DialogNotifyTarget.h"
#include "model/DataFileSelOperator.h"
#include "model/OpenDocuments.h"
#include "model/SelectionDescription.h"
#include "model/TestJobDoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace {

// A chip over a description of the active job's points, or holding one picked point.
class DescribedChip : public CSelectionChipBase
{
public:
    bool HasPickedObject() const override { return picked != nullptr; }
    void ForgetPickedObject() override { picked = nullptr; }
    CRecord* GetPickedObject() const override { return picked; }
    CSelectionFilterPtr GetChipFilter() const override { return CSelectionFilterPtr(description.CreateFilter()); }

    CSelectionDescription description;
    CRecord* picked = nullptr;
};

// A side panel with one chip (or none).
struct Panel
{
    explicit Panel(bool withChip)
    {
        if (withChip)
            dialog.RegisterChip(&chip);
    }
    DescribedChip chip;
    CDialogNotifyTarget dialog;
};

class ChipSelectionHooks : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 1; i <= 6; ++i)
            points[i] = job.AddPoint(std::to_string(i).c_str(), i, i);
        AddOpenDocument(&job);
        op = GetActiveSelectionOperator();
        ASSERT_NE(op, nullptr);
    }
    void TearDown() override { RemoveOpenDocument(&job); }

    void Select(std::initializer_list<int> names)
    {
        for (int n : names)
            op->SelectObject(points[n]);
    }
    std::set<std::string> Selected()
    {
        std::set<std::string> names;
        CSelectionCursor cursor;
        op->GetFirst(cursor, 0, CSelectionFilterPtr());
        while (cursor.IsValid())
            names.insert(static_cast<CPointRecord*>(op->GetNext(cursor, 0, CSelectionFilterPtr()))->GetName());
        return names;
    }

    morvel::test::TestJobDoc job;
    CPointRecord* points[7] = {};
    CDataFileSelOperator* op = nullptr;
};

TEST_F(ChipSelectionHooks, GoingToAnotherChipPanelAndBackKeepsEachPanelsSelection)
{
    using Names = std::set<std::string>;
    Panel a(true), b(true), plain(false);

    // The map's selection before the panel opened is the panel's.
    Select({1, 2});
    a.dialog.ApplyChipSelection(true);
    EXPECT_EQ(Selected(), (Names{"1", "2"}));

    // A covers itself with B: B starts empty and picks its own.
    a.dialog.OnDeactivateInBar();
    EXPECT_EQ(Selected(), Names{});
    b.dialog.ApplyChipSelection(false);
    EXPECT_EQ(Selected(), Names{});
    Select({3, 4, 5});

    // Back and forth: each finds what it left.
    b.dialog.OnDeactivateInBar();
    a.dialog.ApplyChipSelection(true);
    EXPECT_EQ(Selected(), (Names{"1", "2"}));
    a.dialog.OnDeactivateInBar();
    b.dialog.ApplyChipSelection(true);
    EXPECT_EQ(Selected(), (Names{"3", "4", "5"}));

    // A panel without chips leaves the map's selection alone.
    plain.dialog.OnDeactivateInBar();
    plain.dialog.ApplyChipSelection(false);
    EXPECT_EQ(Selected(), (Names{"3", "4", "5"}));
    EXPECT_FALSE(plain.dialog.HasActiveFilter());
    EXPECT_TRUE(plain.dialog.GetSelectionFilter()->Accept(points[1]));

    // A point deleted while A keeps it aside is simply gone when A comes back.
    b.dialog.OnDeactivateInBar();
    ASSERT_TRUE(job.DeleteRecord(points[1], false));
    a.dialog.ApplyChipSelection(true);
    EXPECT_EQ(Selected(), Names{"2"});
}

TEST_F(ChipSelectionHooks, PickedObjectsJoinTheSelectionAndAGoneDialogDropsWhatItKept)
{
    Panel single(true);
    single.chip.description.SetSingle(true);
    single.chip.picked = points[6];
    // A chip holding its one object adds no filter.
    EXPECT_FALSE(single.dialog.HasActiveFilter());
    single.dialog.ApplyChipSelection(false);
    EXPECT_TRUE(op->IsSelected(points[6]));

    auto gone = std::make_unique<Panel>(true);
    const uint64_t holder = gone->dialog.GetSelectionHolder();
    Select({2});
    gone->dialog.OnDeactivateInBar();
    EXPECT_TRUE(op->IsHolding(holder));
    EXPECT_FALSE(op->IsSelected(points[2]));
    gone.reset();
    EXPECT_FALSE(op->IsHolding(holder));
    // Its bit is free for the next panel, which holds nothing of the old one's.
    Panel next(true);
    next.dialog.OnDeactivateInBar();
    next.dialog.ApplyChipSelection(false);
    EXPECT_FALSE(op->IsSelected(points[2]));
}

TEST_F(ChipSelectionHooks, SelectDeselectAndToggleActOnlyThroughAChipFilter)
{
    using Names = std::set<std::string>;
    const Names all{"1", "2", "3", "4", "5", "6"};
    Panel chip(true), plain(false);
    Select({2});
    // Without a chip filter nothing is handed over and the selection stays.
    for (bool (CDialogNotifyTarget::*helper)() : {&CDialogNotifyTarget::SelectFiltered,
                                                  &CDialogNotifyTarget::DeselectFiltered,
                                                  &CDialogNotifyTarget::ToggleFiltered})
        EXPECT_FALSE((plain.dialog.*helper)());
    EXPECT_EQ(Selected(), Names{"2"});

    EXPECT_TRUE(chip.dialog.ToggleFiltered());
    EXPECT_EQ(Selected(), (Names{"1", "3", "4", "5", "6"}));
    EXPECT_TRUE(chip.dialog.SelectFiltered());
    EXPECT_EQ(Selected(), all);
    EXPECT_TRUE(chip.dialog.DeselectFiltered());
    EXPECT_EQ(Selected(), Names{});

    // With the job gone there is nothing to act on.
    RemoveOpenDocument(&job);
    EXPECT_FALSE(chip.dialog.SelectFiltered());
    AddOpenDocument(&job);
}

} // namespace
