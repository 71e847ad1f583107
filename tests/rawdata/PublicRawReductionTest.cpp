#include "rawdata/RawJob.h"
#include "TestUtil.h"

#include "core/Report.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "rawdata/JobRawDataFile.h"
#include "rawdata/RawDataReduction.h"
#include "rawdata/RawTextImport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The public raw files, received and reduced, give the points they always gave, to the last digit:
// a digest of every point's name, full-precision coordinates and description in name order, taken
// before the containers and indexes under the reduction were reworked for speed.
TEST(PublicRawReduction, PointsStayTheSameToTheLastDigit)
{
    const MessageBoxHandler previous = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
    CMorvelSettings settings;
    SetMorvelSettings(&settings);
    const struct
    {
        const char* file;
        int points;
        uint64_t digest;
        // The shots whose packed angles read 60 minutes or seconds or more, as the analysis names them.
        std::vector<std::string> oddAngles;
    } cases[] = {
        {"geoeasy_nikon_dtm322_sample.raw", 5, 0xf02019c41d0324efull,
         {"SS,3,1.200,330.706,326.027,20.320,07:13:46,SIGN", "SS,4,1.250,379.193,300.847,29.084,07:14:24,TREE",
          "SO,1003,1.240,331.220,326.783,19.998,07:18:17,"}},
        {"tops_nikon_raw_v200.raw", 83, 0x2accbae64d6c7be3ull, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        morvel::test::TempDir dir;
        JobSettingsValues values;
        InitJobSettingsValues(values);
        std::string output;
        ImportRawText(values, morvel::test::ReadAllText(morvel::test::SharedTestDataPath(c.file)), output, false);
        morvel::test::WriteAllText(dir.file("job.Mvr"), output);
        morvel::test::RawJob job;
        ASSERT_TRUE(LoadRawDataFromText(job, job.raw, dir.file("job.Mvr"), false));
        CReport report;
        ReduceRawData(job, job.raw, false, false, &report, nullptr);

        // The seed the digests were pinned with (one digit short of the usual offset).
        uint64_t digest = 1469598103934665603ull;
        int points = 0;
        CPointDatabase* index = job.GetPointDatabase();
        for (RedBlackNode* pos = index->GetFirstPosition(); pos != nullptr; ++points) {
            const CPointRecord* p = index->GetNextPoint(pos);
            const CLocation at = p->GetLocation();
            char line[256];
            std::snprintf(line, sizeof line, "%s|%.17g|%.17g|%.17g|%s\n", p->GetName(), at.x, at.y, at.z,
                          p->GetDescription());
            digest = morvel::test::Fnv1a(line, digest);
        }
        EXPECT_EQ(points, c.points);
        EXPECT_EQ(digest, c.digest);
        std::vector<std::string> odd;
        const std::string warning = " WARNING: Angle with 60 or more minutes or seconds: ";
        for (const auto& section : report.GetSections())
            for (const auto& row : section->rows)
                if (!row.empty() && row[0].find(warning) != std::string::npos)
                    odd.push_back(row[0].substr(row[0].find(warning) + warning.size()));
        EXPECT_EQ(odd, c.oddAngles);
    }
    SetMorvelSettings(nullptr);
    SetMessageBoxHandler(previous);
}

} // namespace
