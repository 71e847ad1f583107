#include "model/ZoomUndoStack.h"

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records the windows replayed on it.
class Target : public CZoomWindowTarget
{
public:
    bool OnZoomUndo808E(const CWorldRect& w) override
    {
        undone.push_back(w.x1);
        return true;
    }
    bool OnZoomRedo808F(const CWorldRect& w) override
    {
        redone.push_back(w.x1);
        return true;
    }
    std::vector<double> undone, redone;
};

std::unique_ptr<CZoomOperation> Zoom(double from, double to)
{
    return std::make_unique<CZoomOperation>(CWorldRect{from, from + 10, 0, 10}, CWorldRect{to, to + 10, 0, 10});
}

} // namespace

TEST(ZoomHistory, UndoAndRedoReplayTheWindowsOnTheTarget)
{
    Target target;
    CZoomUndoStack stack;
    stack.SetTarget(&target);
    EXPECT_FALSE(stack.CanUndo());
    stack.PushIfChanged(Zoom(0, 1));
    stack.PushIfChanged(Zoom(1, 2));
    ASSERT_TRUE(stack.CanUndo());
    stack.Undo();
    stack.Undo();
    EXPECT_EQ(target.undone, (std::vector<double>{1, 0}));
    EXPECT_FALSE(stack.CanUndo());
    ASSERT_TRUE(stack.CanRedo());
    stack.Redo();
    EXPECT_EQ(target.redone, (std::vector<double>{1}));
    // A new push drops the step that could still be redone.
    stack.PushIfChanged(Zoom(1, 5));
    EXPECT_FALSE(stack.CanRedo());
    EXPECT_EQ(stack.GetCount(), 2);
}

TEST(ZoomHistory, UnchangedWindowsAreNotKept)
{
    CZoomUndoStack stack;
    stack.PushIfChanged(Zoom(3, 3.00009));
    EXPECT_EQ(stack.GetCount(), 0);
    stack.PushIfChanged(Zoom(3, 3.0001));
    EXPECT_EQ(stack.GetCount(), 1);
    stack.PushIfChanged(nullptr);
    EXPECT_EQ(stack.GetCount(), 1);
}

TEST(ZoomHistory, TheOldestStepGoesWhenTheIndexReachesTheCapacity)
{
    CZoomUndoStack stack;
    for (int i = 0; i < 150; ++i)
        stack.PushIfChanged(Zoom(i, i + 1));
    EXPECT_EQ(stack.GetCount(), 101);
    EXPECT_EQ(stack.GetCurrentIndex(), 100);
    EXPECT_DOUBLE_EQ(stack.GetAt(0)->GetExtent(0)->x1, 49);
}

TEST(ZoomHistory, ScalingKeepsTheSmallerXAndTheLargerY)
{
    CZoomUndoStack stack;
    stack.Push(std::make_unique<CZoomOperation>(CWorldRect{0, 10, 20, 0}, CWorldRect{10, 0, 0, 20}));
    stack.ScaleExtents(2.0, 0.5);
    const CWorldRect& a = *stack.GetAt(0)->GetExtent(0);
    const CWorldRect& b = *stack.GetAt(0)->GetExtent(1);
    EXPECT_DOUBLE_EQ(a.x1, 0);
    EXPECT_DOUBLE_EQ(a.x2, 20);
    EXPECT_DOUBLE_EQ(a.y1, 20);
    EXPECT_DOUBLE_EQ(a.y2, 10);
    EXPECT_DOUBLE_EQ(b.x1, 20);
    EXPECT_DOUBLE_EQ(b.x2, 0);
    EXPECT_DOUBLE_EQ(b.y1, 10);
    EXPECT_DOUBLE_EQ(b.y2, 20);
}

TEST(ZoomHistory, PushingNothingTellsTheUser)
{
    std::vector<std::string> shown;
    auto old = SetMessageBoxHandler([&](const std::string& text, uint32_t) {
        shown.push_back(text);
        return IDOK;
    });
    CUndoStack stack;
    stack.Push(nullptr);
    SetMessageBoxHandler(old);
    EXPECT_EQ(stack.GetCount(), 0);
    EXPECT_EQ(shown, (std::vector<std::string>{"Sorry, the operation could not be undone."}));
    std::string text;
    stack.GetUndoText(text);
    EXPECT_EQ(text, "Undo");
}
