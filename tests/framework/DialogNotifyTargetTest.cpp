#include "framework/DialogNotifyTarget.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "platform/ShellHooks.h"

#include <gtest/gtest.h>

namespace {

class SwapCounter : public CDialogNotifyTarget
{
public:
    void SwapCoordinateFields(bool order) override { swaps.push_back(order); }
    std::vector<bool> swaps;
};

class FakeChip : public CSelectionChipBase
{
public:
    bool HasPickedObject() const override { return picked; }
    void ForgetPickedObject() override { picked = false; }
    bool picked = true;
};

class CountedFilter : public CSelectionFilterBase
{
public:
    explicit CountedFilter(int* deleted) : m_deleted(deleted) {}
    ~CountedFilter() override { ++*m_deleted; }

protected:
    bool AcceptLeaf(CRecord*) const override { return false; }
    uint32_t GetLeafCertainKinds() const override { return 0; }
    uint32_t GetLeafPossibleKinds() const override { return 0; }
    CSelectionFilterBase* CloneLeaf() const override { return new CountedFilter(m_deleted); }

private:
    int* m_deleted;
};

TEST(DialogNotifyTarget, CoordinateOrderFollowsThePreferenceOnce)
{
    CMorvelSettings settings;
    SetMorvelSettings(&settings);
    SwapCounter dialog;
    settings.SetCoordOrder(false);
    CInterested::Broadcast(nullptr, HintFormatSettingsChanged, 0);
    CInterested::Broadcast(nullptr, HintFormatSettingsChanged, 0); // same preference: nothing
    EXPECT_EQ(dialog.swaps, std::vector<bool>{false});
    EXPECT_FALSE(dialog.GetCoordOrderInEffect());
    settings.SetCoordOrder(true);
    CInterested::Broadcast(nullptr, HintFormatSettingsChanged, 0);
    EXPECT_EQ(dialog.swaps, (std::vector<bool>{false, true}));
    SetMorvelSettings(nullptr);
}

TEST(DialogNotifyTarget, ChipsRegisterOnceAndForgetPicksWhenTheJobCloses)
{
    CDialogNotifyTarget dialog;
    FakeChip a, b;
    EXPECT_EQ(dialog.RegisterChip(&a), 1);
    EXPECT_EQ(dialog.RegisterChip(&a), 0);
    EXPECT_EQ(dialog.RegisterChip(&b), 1);
    EXPECT_EQ(dialog.UnregisterChip(&b), 1);
    EXPECT_EQ(dialog.UnregisterChip(&b), 0);
    b.picked = true;
    dialog.OnNotify(nullptr, HintClosing, 0);
    EXPECT_FALSE(a.picked);
    EXPECT_TRUE(b.picked); // no longer registered
}

TEST(DialogNotifyTarget, ViewKindIsReadOnHint16)
{
    SetActiveViewHandler([](int32_t* kind) {
        *kind = ViewKindPrintPreview;
        return nullptr;
    });
    CDialogNotifyTarget dialog;
    EXPECT_EQ(dialog.GetActiveViewKind(), ViewKindNone);
    CInterested::Broadcast(nullptr, HintViewKindChanged, 0);
    EXPECT_EQ(dialog.GetActiveViewKind(), ViewKindPrintPreview);
    SetActiveViewHandler({});
}

TEST(SelectionFilterPtr, CountsShareAndDelete)
{
    CSelectionFilterPtr empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.Get(), nullptr);

    CDialogNotifyTarget dialog;
    CSelectionFilterPtr all = dialog.GetSelectionFilter();
    ASSERT_FALSE(all.IsEmpty());
    EXPECT_TRUE(all->Accept(nullptr));

    int deleted = 0;
    {
        CSelectionFilterPtr a(new CountedFilter(&deleted));
        CSelectionFilterPtr b = a;
        EXPECT_EQ(a->m_refCount, 2u);
        b = all; // b lets go of the counted filter
        EXPECT_EQ(a->m_refCount, 1u);
        EXPECT_EQ(deleted, 0);
    }
    EXPECT_EQ(deleted, 1);

    CSelectionFilterPtr c(new CountedFilter(&deleted));
    CSelectionFilterBase* raw = c.Detach();
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(raw->m_refCount, 0u);
    delete raw;
}

} // namespace
