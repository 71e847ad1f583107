// Point and shot lines read in one walk on load file what the split and the number reader give:
// the same name, bits of each number, description and deleted mark, and nothing for a line they
// refuse.
#include "RawJob.h"
#include "core/NoValue.h"
#include "core/ValueText.h"
#include "rawdata/RawPointNameMap.h"
#include "rawdata/records/RawDataNikonObservationRecord.h"

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

// A shot sets the rod height its line reads as, and files the point its values observe.
TEST(PointLineFilingTest, OneWalkAppliesShotsAsTheSplitReads)
{
    const char* const lines[] = {
        "SS,10,1.5,50.0,45.0000,90.0000,10:00:00,A", "SS, 10 ,\t1.5 ,50, 45 ,90,, A ", "SS,10,1.5,50,45,90",
        "SS,10,,50,45,90,t,A", "SS,10,1.5,,45,90,t,A", "SS,10,1.5,50,,90,t,A", "SS,10,1.5,50,45,90,t,A,x",
        "SS,10,1.5,50,45,90,t,A,", "SS,10,1.5e0,50,45,90,t,A", "SS,10,-99900000,50,45,90,t,A",
        "SS,0,1.5,50,45,90,t,A", "SS,A-1,1.5,50,45,90,t,A", "CP,11,2,60.25,135.5,88.125,t,B",
        "F1,,1.5,50,45,90,t", "F1, x ,1.5,50,45,90,t", "F2,,1.5,50,45,90,t,extra", "*SS,12,1.5,50,45,90,t,C",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        RawJob job;
        job.AppendAll({"CO,DIST UNITS: Feet", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                       "CO,HA Raw Data: Azimuth", "MP,1,1000.0,2000.0,100.0,STN", "MP,2,1100.0,2000.0,,BS",
                       "ST,1,2,1.5,0.0000,0.0000"});
        const int32_t at = job.Append(line);
        ASSERT_EQ(at, 7);

        CRawDataNikonObservationRecord view(*job.raw.GetRecord(at));
        std::string_view values[7];
        const bool read = view.ValidateText(values);
        const double hr = read ? view.GetHR() : NoValue;
        EXPECT_TRUE(SameBits(job.Setup(at)->GetHR(), hr));
        const CRawPointNameMap& map = job.raw.GetPointNameMap();
        CLocation observed;
        const bool filed = read && HasValue(hr) && line[line[0] == '*' ? 1 : 0] != 'F' && HasValue(view.GetSD()) &&
                           view.GetObservedLocation(*job.Setup(at), &observed);
        EXPECT_EQ(map.GetNameCount(), filed ? 3u : 2u);
        const CRawPointNameMap::PointList* list = nullptr;
        if (!filed || !map.Lookup(view.GetPointName(), &list))
            continue;
        const CRawPointNameMap::Copy& copy = list->back();
        EXPECT_TRUE(SameBits(copy.location.x, observed.x));
        EXPECT_TRUE(SameBits(copy.location.y, observed.y));
        EXPECT_TRUE(SameBits(copy.location.z, observed.z));
        EXPECT_EQ(map.DescriptionOf(copy), view.GetFeatureCode());
        EXPECT_EQ(CRawPointNameMap::IsDeletedCopy(copy), line[0] == '*');
    }
}

} // namespace
