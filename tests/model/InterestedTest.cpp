#include "model/Interested.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {
class Listener : public CInterested {
public:
    Listener(std::vector<std::string>* log, std::string name, bool reg = true)
        : CInterested(reg), m_log(log), m_name(std::move(name))
    {
    }
    bool IsInterested(int32_t code) override { return code != skipCode; }
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override
    {
        m_log->push_back(m_name + std::to_string(code));
        if (action)
            action(code);
    }
    int32_t skipCode = -1;
    std::function<void(int32_t)> action;

private:
    std::vector<std::string>* m_log;
    std::string m_name;
};

class InterestedTest : public ::testing::Test {
protected:
    void SetUp() override { baseCount = CInterested::GetRegisteredCount(); }
    void TearDown() override
    {
        CInterested::SetWindowCheck(nullptr);
        EXPECT_EQ(CInterested::GetRegisteredCount(), baseCount);
        EXPECT_EQ(CInterested::GetBroadcastDepth(), 0);
    }
    std::vector<std::string> log;
    int32_t baseCount = 0;
};
} // namespace

TEST_F(InterestedTest, RegisteredInterestedLiveObjectsAreCalledInRegistryOrder)
{
    Listener a(&log, "a"), b(&log, "b"), c(&log, "c"), hidden(&log, "h", false);
    b.skipCode = 39;
    int window = 0;
    c.SetWindow(&window);
    CInterested::SetWindowCheck([](const void*) { return false; });
    CInterested::Broadcast(nullptr, 39, 0);
    EXPECT_THAT(log, ElementsAre("a39"));
    EXPECT_TRUE(hidden.IsDead());
    // With the window alive again c hears it.
    CInterested::SetWindowCheck([](const void*) { return true; });
    log.clear();
    CInterested::Broadcast(nullptr, 40, 0);
    EXPECT_THAT(log, ElementsAre("a40", "b40", "c40"));
}

TEST_F(InterestedTest, ReceiverDestroyingItselfAndALaterOneKeepsTheWalkValid)
{
    Listener a(&log, "a");
    auto* self = new Listener(&log, "self");
    auto* later = new Listener(&log, "later");
    Listener z(&log, "z");
    self->action = [&](int32_t) {
        delete later;
        delete self;
    };
    CInterested::Broadcast(nullptr, 39, 0);
    EXPECT_THAT(log, ElementsAre("a39", "self39", "z39"));
    EXPECT_EQ(CInterested::GetRegisteredCount(), baseCount + 2);
    log.clear();
    CInterested::Broadcast(nullptr, 39, 0);
    EXPECT_THAT(log, ElementsAre("a39", "z39"));
}

// After a nested broadcast ends, the outer one is still walking: neither the nested broadcast's
// clean-up nor objects destroyed after it may shift or free the entries the outer walk uses.
TEST_F(InterestedTest, DestroyingAroundANestedBroadcastKeepsTheOuterWalkValid)
{
    auto* early = new Listener(&log, "e");
    auto* outer = new Listener(&log, "o");
    auto* victim = new Listener(&log, "v");
    Listener tail(&log, "t");
    outer->action = [&](int32_t code) {
        if (code != 39)
            return;
        delete early;
        EXPECT_EQ(CInterested::Broadcast(nullptr, 40, 0), 40);
        delete victim;
        delete outer;
    };
    CInterested::Broadcast(nullptr, 39, 0);
    EXPECT_THAT(log, ElementsAre("e39", "o39", "o40", "v40", "t40", "t39"));
    EXPECT_EQ(CInterested::GetRegisteredCount(), baseCount + 1);
    log.clear();
    CInterested::Broadcast(nullptr, 41, 0);
    EXPECT_THAT(log, ElementsAre("t41"));
}

TEST_F(InterestedTest, CodeStackRecordsNestingButNotARepeatOfTheInnermostCode)
{
    Listener a(&log, "a");
    std::vector<int32_t> seen;
    int32_t sameCodeResult = -2;
    a.action = [&](int32_t code) {
        if (code == 3) {
            seen = {CInterested::GetBroadcastDepth(), CInterested::GetBroadcastCode(0),
                    CInterested::GetBroadcastCode(1), CInterested::FindBroadcastCode(39),
                    CInterested::FindBroadcastCode(7)};
            return;
        }
        if (log.size() == 1) {
            sameCodeResult = CInterested::Broadcast(nullptr, 39, 0);
            CInterested::Broadcast(nullptr, 3, 0);
        }
    };
    EXPECT_EQ(CInterested::Broadcast(nullptr, 39, 0), 39);
    EXPECT_EQ(sameCodeResult, 0);
    EXPECT_THAT(seen, ElementsAre(2, 39, 3, 0, -1));
}

TEST_F(InterestedTest, ObjectRegisteredDuringABroadcastStaysRegistered)
{
    Listener a(&log, "a");
    std::unique_ptr<Listener> born;
    a.action = [&](int32_t) {
        if (!born)
            born = std::make_unique<Listener>(&log, "n");
    };
    CInterested::Broadcast(nullptr, 39, 0);
    log.clear();
    CInterested::Broadcast(nullptr, 40, 0);
    EXPECT_THAT(log, ElementsAre("a40", "n40"));
}
