// Point lines read in one walk on load file what the split and the number reader give: the same
// name, bits of each number, description and deleted mark, and nothing for a line they refuse.
#include "RawJob.h"
#include "core/NoValue.h"
#include "core/ValueText.h"
#include "rawdata/RawPointNameMap.h"

#include <gtest/gtest.h>

#include <cstring>

using morvel::test::RawJob;

namespace {

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(PointLineFilingTest, OneWalkFilesWhatTheSplitReads)
{
    const char* const lines[] = {
        "MP,7,5000.5000,1000.2500,100.0000,FENCE", "MP, 7 ,\t5000.5, 1000.25 ,100\t,TOP BANK ",
        "MP,7,123456789.12345678,1.5,2,F", "MP,7,-0,+1000.25,.5,F", "MP,7,5000.,1000.25,-.5,F",
        "MP,7,1.234567890123456789,1,2,F", "MP,7,12345678901234567890,1,2,F", "MP,7,5e3,1000.25,100,F",
        "MP,7,-99900000,1,2,F", "MP,7,-99899999.5,1,2,F", "MP,7,1,2,-99900000,F", "MP,7,\r1,2,3,F",
        "MP,7,1 2,3,4,F", "MP,7,1,2,3,F\r", "MP,7,1,2,,F", "MP,7,1,2", "MP,7,1,2,3", "MP,7,1,2,3,",
        "MP,7,1,2,3,F,", "MP,7,1,2,3,F,x", "MP,7,1,2,3,,", "MP,7,", "MP,", "MP,0,1,2,3,F",
        "MP,abcdefghijklmnop,1,2,3,F", "MP,abcdefghijklmnopq,1,2,3,F", "MP,\tA_1 ,1,2,3,F", "MP,A-1,1,2,3,F",
        "MP,,1,2,3,F", "*MP,7,1,2,3,F", "UC,7,1,2,3,F", "MP,7,1.,2.,3.,", "MP,7,-,2,3,F", "MP,7,.,2,3,F",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        RawJob job;
        job.Append("CO,DIST UNITS: Feet");
        const int32_t at = job.Append(line);
        ASSERT_EQ(at, 1);
        const std::string text = job.Text(at);

        std::string_view values[5];
        std::string name;
        double n = 0, e = 0, z = 0;
        const bool filed = SplitRawValues(text, values) >= 0 && ParsePointName(&name, values[0]) &&
                           ReadRawNumber(values[1], false, &n) && ReadRawNumber(values[2], false, &e) &&
                           ReadRawNumber(values[3], true, &z);
        const CRawPointNameMap& map = job.raw.GetPointNameMap();
        EXPECT_EQ(map.GetNameCount(), filed ? 1u : 0u);
        // Names of every length are looked for: none but the one filed is found.
        for (size_t size = 1; size <= 40; ++size)
            EXPECT_EQ(map.Lookup(std::string(size, 'Q'), nullptr), false);
        const CRawPointNameMap::PointList* list = nullptr;
        if (!filed || !map.Lookup(name, &list))
            continue;
        ASSERT_EQ(list->size(), 1u);
        const CRawPointNameMap::Copy& copy = list->front();
        const CRawDataSetup& setup = *job.Setup(at);
        EXPECT_TRUE(SameBits(copy.location.y, setup.DistanceToMetres(n)));
        EXPECT_TRUE(SameBits(copy.location.x, setup.DistanceToMetres(e)));
        EXPECT_TRUE(SameBits(copy.location.z, setup.DistanceToMetres(z)));
        EXPECT_EQ(map.DescriptionOf(copy), std::string(values[4]));
        EXPECT_EQ(CRawPointNameMap::LineOf(copy), at);
        EXPECT_EQ(CRawPointNameMap::IsDeletedCopy(copy), line[0] == '*');
    }
}

} // namespace
