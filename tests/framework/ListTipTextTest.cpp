#include "framework/ListTipText.h"

#include <gtest/gtest.h>

TEST(ListTipText, OneLinePerColumnAndNothingForEmptyRows)
{
    EXPECT_EQ(MakeListTipText({{"Name", "P12"}, {"", "fence"}, {"Elev", ""}}), "Name\tP12\n  \tfence\nElev\t\n");
    EXPECT_EQ(MakeListTipText({{"Name", ""}, {"Elev", ""}}), "");
    EXPECT_EQ(MakeListTipText({}), "");
}
