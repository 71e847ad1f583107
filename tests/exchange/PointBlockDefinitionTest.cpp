#include "exchange/PointBlockDefinition.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Items = std::vector<CPointBlockItem>;
constexpr uint32_t N = PointBlockName, D = PointBlockDescription, E = PointBlockElevation, B = PointBlockBlank;

CPointBlockDefinition Make(const Items& items)
{
    CPointBlockDefinition definition;
    definition.RemoveAll();
    for (const CPointBlockItem& item : items)
        definition.Append(item);
    return definition;
}

} // namespace

TEST(PointBlockDefinition, ReadsTexts)
{
    struct Case
    {
        const char* text;
        Items items;
    };
    const Case cases[] = {
        {"", {{N, true}, {D, true}, {E, false}, {B, false}}},
        {"N1D1E0", {{N, true}, {D, true}, {E, false}, {B, false}}},
        // Leading Blanks go; the missing kinds and one Blank follow unchecked.
        {" 1 0N1", {{N, true}, {D, false}, {E, false}, {B, false}}},
        {"N1N0", {{N, true}, {D, false}, {E, false}, {B, false}}},
        {"X1E1", {{E, true}, {N, false}, {D, false}, {B, false}}},
        {"N", {{N, false}, {D, false}, {E, false}, {B, false}}},
        {"E1 1N0 0D1", {{E, true}, {B, true}, {N, false}, {B, false}, {D, true}, {B, false}}},
        // Any check character but '1' is unchecked.
        {"NxD1", {{N, false}, {D, true}, {E, false}, {B, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        CPointBlockDefinition definition;
        definition.FromText(c.text);
        EXPECT_EQ(definition.GetItems(), c.items);
    }
}

TEST(PointBlockDefinition, WritesTextsThatReadBackTheSame)
{
    struct Case
    {
        Items items;
        const char* text;
    };
    const Case cases[] = {
        {{{N, true}, {D, true}, {E, false}, {B, false}}, "N1D1E0"},
        {{{N, true}, {B, true}, {D, false}, {B, true}, {B, false}}, "N1 1D0E0"},
        {{{B, false}}, "N0D0E0"},
        {{}, "N0D0E0"},
        // Only the first item of a kind is written.
        {{{E, true}, {E, false}, {N, false}, {D, true}}, "E1N0D1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CPointBlockDefinition written = Make(c.items);
        EXPECT_EQ(written.ToText(), c.text);
        CPointBlockDefinition read;
        read.FromText(c.text);
        EXPECT_EQ(read.ToText(), c.text);
    }
    EXPECT_EQ(CPointBlockDefinition().ToText(), "N1D1E0");
}

TEST(PointBlockDefinition, CheckedKindsAndCopies)
{
    CPointBlockDefinition definition;
    EXPECT_TRUE(definition.HasCheckedName());
    EXPECT_TRUE(definition.HasCheckedDescription());
    EXPECT_FALSE(definition.HasCheckedElevation());

    definition.FromText("N0 1E1");
    EXPECT_FALSE(definition.HasCheckedName());
    EXPECT_FALSE(definition.HasCheckedDescription());
    EXPECT_TRUE(definition.HasCheckedElevation());

    CPointBlockDefinition copy;
    copy = definition;
    definition.RemoveAll();
    EXPECT_EQ(copy.ToText(), "N0 1E1D0");
    EXPECT_EQ(definition.GetCount(), 0u);
    EXPECT_FALSE(definition.HasCheckedElevation());
}
