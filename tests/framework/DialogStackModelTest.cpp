#include "framework/DialogStackModel.h"

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
struct FakeHost : CDialogStackHost
{
    const void* activeView = nullptr;
    std::vector<const void*> jobViews;
    std::vector<int32_t> hints;
    int exchangeResets = 0;
    int fileItemRefreshes = 0;

    const void* GetActiveView() override { return activeView; }
    bool IsJobView(const void* view) override
    {
        return std::find(jobViews.begin(), jobViews.end(), view) != jobViews.end();
    }
    void NotifyActiveJob(int32_t code, intptr_t) override { hints.push_back(code); }
    void ResetGraphicDataExchange() override { ++exchangeResets; }
    void RequestFileItemsRefresh() override { ++fileItemRefreshes; }
};

// Counts live panels so that a leak or a double free shows.
int livePanels = 0;

struct FakePanel : CStackPanel
{
    CDialogStackModel* model = nullptr;
    uint32_t id;
    std::string title;
    bool window = false;
    bool shown = false;
    bool reusable = true;
    bool agrees = true;
    bool closesWhenCovered = false;
    int canClose = 1;
    std::vector<bool> chipSelections;
    CStackPanel* tookOver = nullptr;
    std::vector<std::string>* log = nullptr;

    FakePanel(CDialogStackModel* m, uint32_t templateId, std::string t)
        : model(m), id(templateId), title(std::move(t))
    {
        ++livePanels;
    }
    ~FakePanel() override
    {
        --livePanels;
        if (model)
            model->ForgetPanel(this);
    }
    uint32_t GetTemplateId() const override { return id; }
    std::string GetTitle() const override { return title; }
    bool IsReusable() const override { return reusable; }
    bool CanReuse() override { return agrees; }
    bool ClosesWhenCovered() const override { return closesWhenCovered; }
    int CanCloseJob() override { return canClose; }
    bool HasWindow() const override { return window; }
    void CreatePanelWindow(uint32_t) override { window = true; }
    void ShowPanel(bool show) override { shown = show; }
    void TakeOver(CStackPanel* p) override { tookOver = p; }
    void ApplyChipSelection(bool sendHint) override { chipSelections.push_back(sendHint); }
    bool OnCovered(int32_t, const void*) override
    {
        if (!closesWhenCovered)
            return false;
        DestroyPanel();
        return true;
    }
    void DestroyPanel() override
    {
        if (log)
            log->push_back("destroyed " + title);
        model->RemoveDialog(this, nullptr);
        delete this;
    }
    void CloseFromBar() override
    {
        if (log)
            log->push_back("closed " + title);
        delete this;
    }
};

struct StackFixture : ::testing::Test
{
    FakeHost host;
    int viewA = 0, viewB = 0, preview = 0;
    std::unique_ptr<FakePanel> navigator;
    std::unique_ptr<CDialogStackModel> model;
    std::vector<std::string> messages;
    MessageBoxHandler previousHandler;

    void SetUp() override
    {
        livePanels = 0;
        host.jobViews = {&viewA, &viewB};
        host.activeView = &viewA;
        navigator = std::make_unique<FakePanel>(nullptr, 5000, "Shortcuts");
        navigator->window = true;
        model = std::make_unique<CDialogStackModel>(host, navigator.get());
        previousHandler = SetMessageBoxHandler([this](const std::string& text, uint32_t flags) {
            messages.push_back(text);
            EXPECT_EQ(MB_ICONERROR, flags & 0xF0);
            return 1;
        });
    }
    void TearDown() override
    {
        model->CloseAllDialogs();
        SetMessageBoxHandler(previousHandler);
        EXPECT_EQ(1, livePanels); // only the navigator
    }
    FakePanel* Make(uint32_t id, const std::string& title)
    {
        return new FakePanel(model.get(), id, title);
    }
    FakePanel* Push(uint32_t id, const std::string& title)
    {
        FakePanel* p = Make(id, title);
        model->PushDialog(p, id);
        return p;
    }
};
} // namespace

TEST_F(StackFixture, HundredAndOnePanelsPassTheNextIsRefusedAndFreed)
{
    for (int i = 0; i < 101; ++i)
        EXPECT_TRUE(model->PushDialog(Make(9000 + i, "P"), 9000 + i));
    EXPECT_EQ(101u, model->GetStackCount());
    EXPECT_TRUE(messages.empty());

    EXPECT_FALSE(model->PushDialog(Make(8000, "Too many"), 8000));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("There is currently too many dialog bar functions open.  Close some and try again.", messages[0]);
    EXPECT_EQ(101u, model->GetStackCount());
    EXPECT_EQ(102, livePanels);

    // Another view has a stack of its own.
    host.activeView = &preview;
    EXPECT_TRUE(model->PushDialog(Make(124, "Intersection"), 124));
}

TEST_F(StackFixture, SameTemplateIsReusedWhenBothAgreeElseReplaced)
{
    FakePanel* add = Push(1745, "Add Point");
    Push(303, "Edit Point");

    FakePanel* second = Make(1745, "Add Point again");
    EXPECT_FALSE(model->PushDialog(second, 1745));
    EXPECT_EQ(second, add->tookOver); // compared only, the new one is gone
    EXPECT_EQ(add, model->GetCurrent());
    EXPECT_EQ(2u, model->GetStackCount());

    add->agrees = false;
    std::vector<std::string> log;
    add->log = &log;
    FakePanel* third = Make(1745, "Add Point third");
    EXPECT_TRUE(model->PushDialog(third, 0x10000 | 1745)); // only the low 16 bits name the template
    EXPECT_EQ(std::vector<std::string>{"destroyed Add Point"}, log);
    EXPECT_EQ(third, model->GetCurrent());
    EXPECT_EQ(2u, model->GetStackCount());
}

TEST_F(StackFixture, SwitchTitlesLeaveOutCloseWhenCoveredAndItVanishesWhenCovered)
{
    Push(303, "Edit Point");
    FakePanel* temp = Push(124, "Intersection");
    temp->closesWhenCovered = true;
    EXPECT_EQ((std::vector<std::string>{"Shortcuts", "Edit Point"}), model->GetStackTitles());

    Push(5396, "Inverse");
    EXPECT_EQ((std::vector<std::string>{"Shortcuts", "Inverse", "Edit Point"}), model->GetStackTitles());
    EXPECT_FALSE(model->IsDialogOpen(124));
}

TEST_F(StackFixture, ClosingTheTopShowsTheNextThenTheNavigator)
{
    FakePanel* edit = Push(303, "Edit Point");
    FakePanel* inverse = Push(5396, "Inverse");
    EXPECT_FALSE(edit->shown);
    inverse->DestroyPanel();
    EXPECT_EQ(edit, model->GetCurrent());
    EXPECT_TRUE(edit->shown);
    edit->DestroyPanel();
    EXPECT_TRUE(model->IsNavigatorShown());
    EXPECT_TRUE(model->AreAllStacksEmpty());
}

TEST_F(StackFixture, SharedPanelsFollowToASecondJobViewOthersStay)
{
    FakePanel* edit = Push(303, "Edit Point");
    FakePanel* cogo = Push(124, "Intersection");
    model->OnHint(nullptr, 16, 0);
    host.activeView = &viewB;
    model->OnHint(nullptr, 17, 0);
    EXPECT_EQ(std::vector<CStackPanel*>{edit}, model->GetStack(&viewB));
    EXPECT_EQ(edit, model->GetCurrent());

    // Closing view B keeps the panel still stacked for view A.
    std::vector<std::string> log;
    edit->log = &log;
    model->OnHint(&viewB, 18, 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ((std::vector<CStackPanel*>{edit, cogo}), model->GetStack(&viewA));

    // Closing view A closes both.
    cogo->log = &log;
    host.activeView = &viewA;
    model->OnHint(&viewA, 18, 0);
    EXPECT_EQ((std::vector<std::string>{"closed Edit Point", "closed Intersection"}), log);
    EXPECT_EQ(navigator.get(), model->GetCurrent());
}

TEST_F(StackFixture, NavigatorChosenSticksAcrossViewChanges)
{
    FakePanel* edit = Push(303, "Edit Point");
    model->ActivateStackEntry(0);
    model->OnHint(nullptr, 29, 0);
    EXPECT_EQ(1, host.exchangeResets);

    model->OnHint(nullptr, 16, 0);
    host.activeView = &viewB;
    model->OnHint(nullptr, 17, 0);
    EXPECT_TRUE(model->IsNavigatorShown());

    model->ActivateStackEntry(1);
    EXPECT_EQ(edit, model->GetCurrent());
    EXPECT_FALSE(model->IsNavigatorChosen());
    model->OnHint(nullptr, 16, 0);
    host.activeView = &viewA;
    model->OnHint(nullptr, 17, 0);
    EXPECT_EQ(edit, model->GetCurrent());
}

TEST_F(StackFixture, PrintPreviewTakesNoSharedPanelAndJobCloseIsAsked)
{
    // Every panel a job view takes, and none of the others (Point in Direction, Intersection).
    for (uint32_t id : {725u, 5349u, 5600u, 6993u, 646u, 647u, 5371u, 654u, 5453u, 5396u, 1745u, 303u, 5493u, 749u,
                        5631u, 1723u, 6966u, 6997u, 6999u, 7000u, 721u}) {
        EXPECT_TRUE(model->IsDialogAllowedInView(&viewA, id)) << id;
        EXPECT_FALSE(model->IsDialogAllowedInView(&preview, id)) << id;
        EXPECT_FALSE(model->IsDialogAllowedInView(nullptr, id)) << id;
    }
    for (uint32_t id : {124u, 126u, 722u, 7001u})
        EXPECT_FALSE(model->IsDialogAllowedInView(&viewA, id)) << id;

    FakePanel* edit = Push(303, "Edit Point");
    EXPECT_EQ(1, model->QueryCanCloseJob());
    edit->canClose = 2;
    EXPECT_EQ(2, model->QueryCanCloseJob());
}

TEST_F(StackFixture, APanelFreedFromOutsideLeavesEveryStack)
{
    for (int i = 0; i < 101; ++i)
        Push(9000 + i, "P");
    model->OnHint(nullptr, 16, 0);
    host.activeView = &viewB;
    model->OnHint(nullptr, 17, 0);
    FakePanel* shared = Push(303, "Edit Point");
    host.activeView = &viewA;
    ASSERT_EQ(shared, model->GetStack(&viewA).front());

    delete shared; // as when the main window goes first
    EXPECT_FALSE(model->IsDialogOpen(303));
    EXPECT_EQ(101u, model->GetStackCount());
    EXPECT_EQ(model->GetStack(&viewA).front(), model->GetTopDialog());
    EXPECT_NE(shared, model->GetTopDialog());
}

TEST_F(StackFixture, PanelShownAppliesTheTopPanelsChipsAndFileHintAsksTheMainWindow)
{
    FakePanel* edit = Push(303, "Edit Point");
    FakePanel* add = Push(1745, "Add Point");
    // Showing a panel tells the job, whose hint comes back to the top panel only.
    EXPECT_EQ(20, host.hints.back());
    model->OnHint(nullptr, 20, 0);
    EXPECT_EQ(std::vector<bool>{true}, add->chipSelections);
    EXPECT_TRUE(edit->chipSelections.empty());

    // A top panel whose window is gone is left alone.
    add->window = false;
    model->OnHint(nullptr, 20, 0);
    EXPECT_EQ(1u, add->chipSelections.size());
    add->window = true;

    EXPECT_EQ(0, host.fileItemRefreshes);
    model->OnHint(nullptr, 27, 0);
    EXPECT_EQ(1, host.fileItemRefreshes);
}
