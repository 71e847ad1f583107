#include "framework/GraphicDataExchange.h"
#include "framework/InputRules.h"

#include "core/NoValue.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace
{
struct FakeField : CGraphicDataTarget
{
    bool enabled = true;
    bool interactive = true;
    bool accepted = true;
    bool takes = true;
    int taken = 0;
    int dialogTold = 0;
    CGraphicDataExchange* resetInside = nullptr;

    bool IsTargetEnabled() const override { return enabled; }
    bool IsInteractive() const override { return interactive; }
    bool IsAcceptedByFrame() const override { return accepted; }
    bool TakeGraphicData(uint32_t) override
    {
        ++taken;
        if (resetInside)
            resetInside->Reset();
        return takes;
    }
    void NotifyDialog(uint32_t) override { ++dialogTold; }
};

struct ResettingReceiver : CGraphicDataReceiver
{
    CGraphicDataExchange& exchange;
    int* delivered;
    ResettingReceiver(CGraphicDataExchange& e, int* d) : exchange(e), delivered(d) {}
    void Deliver(uint32_t code) override
    {
        exchange.Reset(); // as the default tool coming back from inside a delivery does
        *delivered = static_cast<int>(code); // touches this object after the reset
    }
};
} // namespace

TEST(GraphicDataExchange, ResetLeavesNoValueAndNoTarget)
{
    CGraphicDataExchange exchange;
    FakeField field;
    ASSERT_TRUE(exchange.SetTarget(&field));
    exchange.SetMode(0);
    exchange.SetLocation(CLocation(1.0, 2.0, 3.0));
    exchange.SetPickTolerances(0.5, 0.5);
    for (int i = 0; i < CGraphicDataExchange::ValueCount; ++i)
        exchange.SetValue(i, 7.0);
    exchange.SetPickSuppressed(1);
    exchange.SetWord(1, 4);

    exchange.Reset();
    EXPECT_EQ(CGraphicDataExchange::NoMode, exchange.GetMode());
    EXPECT_FALSE(exchange.IsTargetActive());
    EXPECT_EQ(NoValue, exchange.GetLocation().x);
    EXPECT_EQ(NoValue, exchange.GetLocation().y);
    EXPECT_EQ(NoValue, exchange.GetLocation().z);
    EXPECT_EQ(0.0, exchange.GetToleranceX());
    EXPECT_EQ(0.0, exchange.GetToleranceY());
    EXPECT_EQ(0.0, exchange.GetValue(3));
    EXPECT_EQ(NoValue, exchange.GetValue(4));
    EXPECT_EQ(NoValue, exchange.GetValue(5));
    EXPECT_EQ(0, exchange.GetPickSuppressed());
    EXPECT_EQ(0, exchange.GetWord(1));
}

TEST(GraphicDataExchange, TargetQueriesFollowTheField)
{
    CGraphicDataExchange exchange;
    FakeField field;
    field.enabled = false;
    EXPECT_FALSE(exchange.SetTarget(&field));
    EXPECT_FALSE(exchange.IsTarget(&field));

    field.enabled = true;
    ASSERT_TRUE(exchange.SetTarget(&field));
    EXPECT_TRUE(exchange.TargetAcceptsToolPick());
    EXPECT_FALSE(exchange.TargetAcceptsLinePick());
    field.interactive = false;
    EXPECT_FALSE(exchange.TargetAcceptsToolPick());
    field.enabled = false; // a disabled field counts as absent
    EXPECT_EQ(nullptr, exchange.GetTarget());
}

TEST(GraphicDataExchange, RestoreReattachesOnlyWithTheSameMode)
{
    CGraphicDataExchange exchange;
    FakeField field;
    exchange.SetTarget(&field);
    exchange.SetMode(1);
    exchange.SaveTarget();
    exchange.RestoreTarget(1);
    EXPECT_TRUE(exchange.IsTarget(&field));
    EXPECT_EQ(1, exchange.GetMode());

    exchange.SaveTarget();
    exchange.RestoreTarget(3);
    EXPECT_FALSE(exchange.IsTargetActive());
    EXPECT_FALSE(exchange.HasSavedTarget());
    EXPECT_EQ(CGraphicDataExchange::NoMode, exchange.GetMode());

    // A field the main window no longer accepts is not taken back.
    exchange.SetTarget(&field);
    exchange.SetMode(1);
    exchange.SaveTarget();
    field.accepted = false;
    exchange.RestoreTarget(1);
    EXPECT_FALSE(exchange.IsTargetActive());
}

TEST(GraphicDataExchange, DialogHearsOnlyOfTakenValuesFromTheStillCurrentField)
{
    CGraphicDataExchange exchange;
    FakeField field;
    exchange.SetTarget(&field);
    field.takes = false;
    exchange.Deliver(1, true);
    EXPECT_EQ(1, field.taken);
    EXPECT_EQ(0, field.dialogTold);

    field.takes = true;
    exchange.Deliver(1, false);
    EXPECT_EQ(0, field.dialogTold);
    exchange.Deliver(1, true);
    EXPECT_EQ(1, field.dialogTold);

    field.resetInside = &exchange;
    exchange.Deliver(1, true);
    EXPECT_EQ(1, field.dialogTold);
}

TEST(GraphicDataExchange, AResetInsideTheReceiversDeliveryDoesNotFreeItEarly)
{
    CGraphicDataExchange exchange;
    int delivered = 0;
    exchange.SetReceiver(std::make_unique<ResettingReceiver>(exchange, &delivered));
    exchange.Deliver(7, true);
    EXPECT_EQ(7, delivered);
    EXPECT_EQ(nullptr, exchange.GetReceiver());
}

TEST(GraphicDataExchange, ADyingFieldLeavesNoLinkBehind)
{
    CGraphicDataExchange exchange;
    {
        FakeField field;
        exchange.SetTarget(&field);
        exchange.SetMode(1);
        exchange.SaveTarget();
    }
    EXPECT_FALSE(exchange.IsTargetActive());
    EXPECT_FALSE(exchange.HasSavedTarget());
    exchange.RestoreTarget(1);
    EXPECT_FALSE(exchange.IsTargetActive());

    // And a field that outlives its exchange does not reach back into it.
    FakeField survivor;
    {
        CGraphicDataExchange shortLived;
        shortLived.SetTarget(&survivor);
    }
}

TEST(InputRules, WheelDeltaAndDirection)
{
    EXPECT_EQ(-120, DecodeWheelDelta(0xFF88, true));
    EXPECT_EQ(120, DecodeWheelDelta(0x00780000u, false));
    EXPECT_EQ(-120, DecodeWheelDelta(0xFF880000u, false));
    EXPECT_EQ(EWheelStep::Previous, WheelStepFor(1));
    EXPECT_EQ(EWheelStep::Next, WheelStepFor(-1));
    EXPECT_EQ(EWheelStep::None, WheelStepFor(0));
}

TEST(InputRules, PopupStaysWithinTwoPixels)
{
    EXPECT_FALSE(CursorLeftPopup(100, 100, 102, 98));
    EXPECT_TRUE(CursorLeftPopup(100, 100, 103, 100));
    EXPECT_TRUE(CursorLeftPopup(100, 100, 100, 97));
}
