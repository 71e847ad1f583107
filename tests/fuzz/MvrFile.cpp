// Feeds arbitrary bytes to the job's raw data file reader, reduces what it read with and without
// a report, and writes it back: the written file must read back to the same lines.
#include "core/Report.h"
#include "rawdata/JobRawDataFile.h"
#include "rawdata/RawDataReduction.h"
#include "rawdata/RawJob.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char path[] = "/tmp/morvel-fuzz-mvr-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    close(fd);
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    {
        morvel::test::RawJob job;
        job.AddPoint("1", 2000, 1000, 100);
        if (LoadRawDataFromText(job, job.raw, path, false)) {
            CReport report;
            std::vector<std::string> duplicates;
            ReduceRawData(job, job.raw, false, false, &report, &duplicates);
            ReduceRawData(job, job.raw, true, true, nullptr, nullptr);
            if (SaveRawDataToText(job, job.raw, path, false)) {
                morvel::test::RawJob back;
                if (!LoadRawDataFromText(back, back.raw, path, true) ||
                    back.raw.GetLineCount() != job.raw.GetLineCount())
                    std::abort();
                for (int32_t i = 0; i < job.raw.GetLineCount(); ++i)
                    if (back.Text(i) != job.Text(i) && job.Text(i).find('\r') == std::string::npos)
                        std::abort();
            }
        }
    }
    std::remove(path);
    return 0;
}
