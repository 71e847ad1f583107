// Feeds arbitrary bytes to the job's raw data file reader, reduces what it read once (with or
// without a report, taken from the input), and writes it back: the written file must read back to
// the same lines.
#include "core/Report.h"
#include "rawdata/JobRawDataFile.h"
#include "rawdata/RawDataReduction.h"
#include "rawdata/RawJob.h"
#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Read, reduced, written and read again: a station and a few shots are a whole job here.
    size = std::min<size_t>(FuzzInputSize(size), 256);
    const FuzzInputFile file(data, size);
    if (!file.IsReady())
        return 0;
    morvel::test::RawJob job;
    job.AddPoint("1", 2000, 1000, 100);
    if (!LoadRawDataFromText(job, job.raw, file.Path(), false))
        return 0;
    if (size % 2 == 0) {
        CReport report;
        std::vector<std::string> duplicates;
        ReduceRawData(job, job.raw, false, false, &report, &duplicates);
    } else {
        ReduceRawData(job, job.raw, true, true, nullptr, nullptr);
    }
    if (SaveRawDataToText(job, job.raw, file.Path(), false)) {
        morvel::test::RawJob back;
        if (!LoadRawDataFromText(back, back.raw, file.Path(), true) || back.raw.GetLineCount() != job.raw.GetLineCount())
            std::abort();
        for (int32_t i = 0; i < job.raw.GetLineCount(); ++i)
            if (back.Text(i) != job.Text(i) && job.Text(i).find('\r') == std::string::npos)
                std::abort();
    }
    return 0;
}
