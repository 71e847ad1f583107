#include "shell/RegenerationOffer.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

using morvel::test::TempDir;
using morvel::test::WriteAllText;

TEST(RegenerationOffer, OnlyAnEmptyJobWithObservationsBesideIt)
{
    const struct {
        const char* name;
        const char* raw; // null: no raw data file
        int64_t points;
        bool offered;
    } cases[] = {
        {"observations, no points", "CO,Morvel RAW data format V2.00\nST,1,2,1.5,0,0\nSS,3,1.5,10,0,90,t,\n", 0, true},
        {"a deleted store point", "*MP,1,1,2,3,X\n", 0, true},
        {"points already there", "SS,3,1.5,10,0,90,t,\n", 4, false},
        {"settings comments only", "CO,Morvel RAW data format V2.00\nCO,DIST UNITS: Metres\n", 0, false},
        {"unrecognized lines only", "XX,1\n\n", 0, false},
        {"no raw data file", nullptr, 0, false},
    };
    for (const auto& c : cases) {
        TempDir dir;
        if (c.raw)
            WriteAllText(dir.file("Field.Mvr"), c.raw);
        EXPECT_EQ(ShouldOfferRegeneration(dir.file("Field.Mvj"), c.points), c.offered) << c.name;
    }
}
