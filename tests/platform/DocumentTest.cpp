#include "FakeView.h"

#include "platform/Document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using ::testing::ElementsAre;

TEST(Document, PathGivesTheTitleAndReachesTheRecentList)
{
    std::vector<std::string> recent;
    CDocument::SetRecentFileHandler([&](const std::string& p) { recent.push_back(p); });
    CDocument doc;
    doc.SetPathName("/home/u/Jobs/North Field.mvj");
    doc.SetPathName("/tmp/untitled.mvj", false);
    CDocument::SetRecentFileHandler(nullptr);
    EXPECT_EQ(doc.GetTitle(), "untitled.mvj");
    EXPECT_THAT(recent, ElementsAre("/home/u/Jobs/North Field.mvj"));
}

TEST(Document, UpdateSkipsTheSenderAndSurvivesAViewClosingItself)
{
    std::vector<std::string> log;
    CDocument doc;
    FakeView a(&log, "a");
    auto b = std::make_unique<FakeView>(&log, "b");
    FakeView c(&log, "c");
    doc.AddView(&a);
    doc.AddView(b.get());
    doc.AddView(&c);
    doc.UpdateAllViews(&a, 39, 0);
    EXPECT_THAT(log, ElementsAre("b39", "c39"));

    log.clear();
    b->onUpdate = [&](intptr_t) { b.reset(); };
    doc.UpdateAllViews(nullptr, 40, 0);
    EXPECT_THAT(log, ElementsAre("a40", "b40", "c40"));
    EXPECT_EQ(doc.GetViewCount(), 2u);
}

TEST(Document, ViewsAndDocumentForgetEachOtherWhicheverGoesFirst)
{
    std::vector<std::string> log;
    FakeView v(&log);
    {
        CDocument doc;
        doc.AddView(&v);
        doc.AddView(&v);
        EXPECT_EQ(doc.GetViewCount(), 1u);
        EXPECT_EQ(v.GetDocument(), &doc);
        // Moving the view to another document detaches it from the first.
        CDocument other;
        other.AddView(&v);
        EXPECT_EQ(doc.GetViewCount(), 0u);
        EXPECT_EQ(doc.GetFirstView(), nullptr);
    }
    EXPECT_EQ(v.GetDocument(), nullptr);
}

TEST(Document, NewDocumentStartsCleanAndUnnamed)
{
    CDocument doc;
    doc.SetPathName("/tmp/a.mvj", false);
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), "");
}
