#include "framework/TabPagesModel.h"
#include "framework/WizardModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using testing::ElementsAre;

namespace {

struct FakePage : CTabPage
{
    bool ExchangePage(bool save, uint8_t) override
    {
        (save ? saves : loads)++;
        return !save || valid;
    }
    void ShowPage(bool show) override { shown = show; }
    bool IsPageShown() const override { return shown; }
    bool valid = true;
    bool shown = false;
    int saves = 0;
    int loads = 0;
};

struct Tabs
{
    Tabs(int n)
    {
        for (int i = 0; i < n; ++i) {
            pages.push_back(std::make_unique<FakePage>());
            model.AddPage("Page " + std::to_string(i), pages.back().get());
        }
    }
    FakePage& operator[](int i) { return *pages[size_t(i)]; }
    std::vector<std::unique_ptr<FakePage>> pages;
    CTabPagesModel model;
};

} // namespace

TEST(TabPagesTest, LeavingAPageByMode)
{
    struct Case
    {
        int32_t mode;
        bool leaves;
        int saves;
    } cases[] = {{0, true, 0}, {1, false, 1}, {2, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Tabs tabs(3);
        tabs.model.SetValidationMode(c.mode);
        ASSERT_EQ(tabs.model.GetSelection(), 0);
        EXPECT_TRUE(tabs[0].shown);
        tabs[0].valid = false;
        EXPECT_EQ(tabs.model.SelectPage(2), c.leaves);
        EXPECT_EQ(tabs.model.GetSelection(), c.leaves ? 2 : 0);
        EXPECT_EQ(tabs[0].shown, !c.leaves);
        EXPECT_EQ(tabs[2].shown, c.leaves);
        EXPECT_EQ(tabs[0].saves, c.saves);
    }
}

TEST(TabPagesTest, ExchangeRangeAndTheFailingPageComesForward)
{
    Tabs tabs(3);
    tabs.model.SetValidationMode(CTabPagesModel::AllPages);
    tabs[1].valid = false;
    EXPECT_FALSE(tabs.model.Exchange(true, 0));
    EXPECT_EQ(tabs.model.GetSelection(), 1);
    EXPECT_TRUE(tabs[1].shown);
    EXPECT_FALSE(tabs[0].shown);
    EXPECT_EQ(tabs[2].saves, 0) << "the walk stops at the first failure";

    // Modes 0 and 1 exchange the shown page only; the failing page was validated only once.
    tabs.model.SetValidationMode(CTabPagesModel::ValidateOnLeave);
    EXPECT_FALSE(tabs.model.Exchange(true, 0));
    EXPECT_EQ(tabs[1].saves, 2);
    tabs[1].valid = true;
    EXPECT_TRUE(tabs.model.Exchange(true, 0));
    EXPECT_EQ(tabs[0].saves, 1);
}

TEST(TabPagesTest, RemovingPages)
{
    Tabs tabs(3);
    tabs.model.SelectPage(2);
    CTabPage* removed = tabs.model.RemovePage(2);
    EXPECT_EQ(removed, &tabs[2]);
    EXPECT_FALSE(tabs[2].shown);
    EXPECT_EQ(tabs.model.GetSelection(), 1) << "the new last tab is selected";
    EXPECT_EQ(tabs.model.RemovePage(5), nullptr);
    EXPECT_FALSE(tabs.model.RemovePage(&tabs[2]));
    EXPECT_EQ(tabs.model.InsertPage("Back", &tabs[2], 0), 0);
    EXPECT_EQ(tabs.model.FindPage(&tabs[0]), 1);
    EXPECT_EQ(tabs.model.GetSelection(), 2) << "the selection stays on its page";
    tabs.model.RemoveAllPages();
    EXPECT_EQ(tabs.model.GetCount(), 0);
    EXPECT_EQ(tabs.model.GetSelection(), -1);
}

namespace {

struct FakeWizard : CWizardHost
{
    explicit FakeWizard(std::vector<bool> enabled) : model(*this)
    {
        for (bool e : enabled) {
            model.AddPage(e);
            valid.push_back(true);
            shown.push_back(false);
        }
    }
    bool ExchangeWizardPage(int32_t index, bool save) override
    {
        if (save)
            validated.push_back(index);
        return !save || valid[size_t(index)];
    }
    void ShowWizardPage(int32_t index, bool show) override { shown[size_t(index)] = show; }
    void SetBackEnabled(bool enabled) override { back = enabled; }
    void SetNextText(const std::string& text) override { next = text; }
    void SetHintText(const std::string& text) override { hint = text; }
    void FinishWizard() override { ++finished; }

    CWizardModel model;
    std::vector<bool> valid;
    std::vector<bool> shown;
    std::vector<int32_t> validated;
    bool back = true;
    std::string next, hint;
    int finished = 0;
};

} // namespace

TEST(WizardTest, StartsOnTheFirstEnabledPage)
{
    FakeWizard w({false, true, true});
    w.model.Start();
    EXPECT_EQ(w.model.GetActivePage(), 1);
    EXPECT_THAT(w.shown, ElementsAre(false, true, false));
    EXPECT_FALSE(w.back) << "the page before is disabled";
    EXPECT_EQ(w.next, "&Next >");
    EXPECT_EQ(w.hint, "Press Next to continue");

    FakeWizard none({false, false});
    none.model.Start();
    EXPECT_EQ(none.model.GetActivePage(), 0);
}

TEST(WizardTest, NextValidatesBackNeverAndDisablingTheNextPageMeansFinish)
{
    FakeWizard w({true, true, true});
    w.model.Start();
    w.valid[0] = false;
    w.model.Next();
    EXPECT_EQ(w.model.GetActivePage(), 0) << "a failed Next stays";
    w.valid[0] = true;
    w.model.Next();
    EXPECT_EQ(w.model.GetActivePage(), 1);
    EXPECT_TRUE(w.back);

    w.model.SetPageEnabled(2, false);
    EXPECT_EQ(w.next, "&Finish");
    EXPECT_EQ(w.hint, "Press Finish when done");
    w.model.SetPageEnabled(1, false);
    EXPECT_TRUE(w.model.IsPageEnabled(1)) << "the current page keeps its flag";

    w.validated.clear();
    w.valid[1] = false;
    w.model.Back();
    EXPECT_EQ(w.model.GetActivePage(), 0);
    EXPECT_TRUE(w.validated.empty());

    w.valid[1] = true;
    w.model.Next();
    w.model.Next();
    EXPECT_EQ(w.finished, 1);
    EXPECT_THAT(w.validated, ElementsAre(0, 1));
}

TEST(WizardTest, ValidateAllPagesStopsOnTheFailingPage)
{
    FakeWizard w({true, true, true});
    w.model.Start();
    EXPECT_TRUE(w.model.ValidateAllPages());
    EXPECT_THAT(w.shown, ElementsAre(true, false, false));
    w.valid[1] = false;
    EXPECT_FALSE(w.model.ValidateAllPages());
    EXPECT_EQ(w.model.GetActivePage(), 1);
    EXPECT_THAT(w.shown, ElementsAre(false, true, false));
}
