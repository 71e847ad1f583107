#include "cogo/AnchorChain.h"
#include "cogo/AngleOperations.h"
#include "cogo/CoordinateSiblings.h"
#include "core/NoValue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numbers>
#include <set>
#include <sstream>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

// Splits on single dashes and knows the points A, B, C and 12, as the job's splitter would.
bool SplitKnown(const std::string& text, int count, std::vector<std::string>* names)
{
    static const std::set<std::string> known = {"A", "B", "C", "12"};
    names->clear();
    std::stringstream in(text);
    std::string name;
    while (std::getline(in, name, '-')) {
        if (!known.count(name))
            return false;
        names->push_back(name);
    }
    return static_cast<int>(names->size()) == count;
}

} // namespace

TEST(AnchorChain, ClicksBuildTheChainAndAFullChainStartsAgain)
{
    struct Case
    {
        const char* name;
        std::string text;
        int points;
        std::string picked;
        AnchorChainStep::Kind kind;
        std::string result;
    };
    const Case cases[] = {
        {"empty field starts a chain", "", 2, "A", AnchorChainStep::NewChain, "A-"},
        {"second point of a distance completes it", "A-", 2, "B", AnchorChainStep::Complete, "A-B"},
        {"trailing blanks are ignored", "A-  ", 2, "B", AnchorChainStep::Complete, "A-B"},
        {"second point of an angle right grows it", "A-", 3, "B", AnchorChainStep::Grow, "A-B-"},
        {"third point of an angle right completes it", "A-B-", 3, "C", AnchorChainStep::Complete, "A-B-C"},
        {"the same point twice is refused", "A-", 2, "A", AnchorChainStep::Duplicate, "A-"},
        {"a complete chain restarts", "A-B", 2, "C", AnchorChainStep::NewChain, "C-"},
        {"a complete angle chain restarts", "A-B-C", 3, "12", AnchorChainStep::NewChain, "12-"},
        {"a typed number restarts", "12.345", 2, "A", AnchorChainStep::NewChain, "A-"},
        {"an unknown name restarts", "Q-", 2, "A", AnchorChainStep::NewChain, "A-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AnchorChainStep step = NextAnchorChainStep(c.text, c.points, c.picked, SplitKnown);
        EXPECT_EQ(step.kind, c.kind);
        EXPECT_EQ(step.text, c.result);
    }
    const AnchorChainStep dup = NextAnchorChainStep("A-B-", 3, "B", SplitKnown);
    EXPECT_EQ(dup.message, "Point B is a duplicate point label.\n");
    EXPECT_EQ(NextAnchorChainStep("A-B-", 3, "C", SplitKnown).previousName, "B");
}

TEST(AngleOperations, QuarterTurnsFollowTheFieldsSense)
{
    const double q = std::numbers::pi / 2.0;
    struct Case
    {
        AngleFieldKind kind;
        double add;
    };
    // Horizontal angles and zenith angles turn the other way from the angles right.
    const Case cases[] = {{AngleFieldKind::HorizontalAngle, -q},
                          {AngleFieldKind::Zenith, -q},
                          {AngleFieldKind::AngleRight, q},
                          {AngleFieldKind::SignedAngleRight, q},
                          {AngleFieldKind::PlainAngle, q}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        // An empty field starts from 0.
        EXPECT_DOUBLE_EQ(AddQuarterTurn(c.kind, 0.0), c.add);
        EXPECT_DOUBLE_EQ(SubtractQuarterTurn(c.kind, 1.0), 1.0 - c.add);
        EXPECT_DOUBLE_EQ(AddAngleOffset(c.kind, 1.0, 0.25), c.add > 0 ? 1.25 : 0.75);
        EXPECT_EQ(AddQuarterTurn(c.kind, NoValue), NoValue);
        EXPECT_EQ(SubtractQuarterTurn(c.kind, NoValue), NoValue);
        EXPECT_EQ(AddAngleOffset(c.kind, NoValue, 0.25), NoValue);
        EXPECT_EQ(AddAngleOffset(c.kind, 1.0, NoValue), 1.0);
    }
    EXPECT_DOUBLE_EQ(AddHalfTurn(0.5), 0.5 + std::numbers::pi);
    EXPECT_EQ(AddHalfTurn(NoValue), NoValue);
}

TEST(AngleOperations, ScaleFactorAndTheStartOfAnEmptyField)
{
    EXPECT_DOUBLE_EQ(ApplyScaleFactor(100.0, true, 0.9996), 99.96);
    EXPECT_DOUBLE_EQ(ApplyScaleFactor(100.0, false, 0.9996), 100.0);
    EXPECT_EQ(ApplyScaleFactor(NoValue, true, 0.9996), NoValue);

    double v = 5.0;
    ASSERT_TRUE(MenuStartValueForUnreadText(true, true, &v));
    EXPECT_EQ(v, NoValue); // an empty distance stays empty
    ASSERT_TRUE(MenuStartValueForUnreadText(true, false, &v));
    EXPECT_EQ(v, 0.0);
    EXPECT_FALSE(MenuStartValueForUnreadText(false, false, &v)); // a bad text is reported
}

TEST(CoordinateSiblings, APickFillsTheFieldsAfterItInTheOrderInEffect)
{
    using K = CoordFieldKind;
    const std::vector<K> nez = {K::Other, K::Northing, K::Easting, K::Elevation, K::Other};
    const std::vector<K> enz = {K::Easting, K::Northing, K::Elevation};
    EXPECT_THAT(CoordinateSiblingsFilled(nez, 1, true), ElementsAre(2u, 3u));
    EXPECT_THAT(CoordinateSiblingsFilled(nez, 2, true), ElementsAre(3u));
    EXPECT_THAT(CoordinateSiblingsFilled(nez, 3, true), IsEmpty());
    EXPECT_THAT(CoordinateSiblingsFilled(enz, 0, false), ElementsAre(1u, 2u));
    EXPECT_THAT(CoordinateSiblingsFilled(enz, 1, false), ElementsAre(2u));
    // The wrong order for the preference: the run ends at once.
    EXPECT_THAT(CoordinateSiblingsFilled(enz, 0, true), IsEmpty());
    // Another field in between ends the run.
    EXPECT_THAT(CoordinateSiblingsFilled({K::Northing, K::Other, K::Elevation}, 0, true), IsEmpty());
    EXPECT_THAT(CoordinateSiblingsFilled({K::Northing, K::Easting, K::Other}, 0, true), ElementsAre(1u));

    EXPECT_EQ(CoordinateSiblingToUnmark(nez, 2, true), 1u);
    EXPECT_EQ(CoordinateSiblingToUnmark(nez, 1, true), nez.size());
    EXPECT_EQ(CoordinateSiblingToUnmark(enz, 1, false), 0u);
}
