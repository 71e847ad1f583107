#include "rawdata/FieldDataJob.h"

#include "core/Report.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "rawdata/ReductionNotice.h"

#include <cstdio>

FieldDataJobResult WriteFieldDataJob(const std::string& converted, const std::string& stagedRaw,
                                     const std::string& stagedJob, std::vector<std::string>* duplicates,
                                     std::string* notice)
{
    {
        FILE* f = std::fopen(stagedRaw.c_str(), "wb");
        bool written = f != nullptr && std::fwrite(converted.data(), 1, converted.size(), f) == converted.size();
        if (f != nullptr)
            written = std::fclose(f) == 0 && written;
        if (!written)
            return FieldDataJobResult::RawNotWritten;
    }
    CMorvelFileDoc document;
    if (!document.LoadRawDataFromText(stagedRaw, false))
        return FieldDataJobResult::JobNotWritten;
    // The analysis is kept only for what the person is told when the job opens.
    CReport analysis;
    document.ReduceRawData(false, false, &analysis, duplicates);
    if (!document.ExportSelection(stagedJob, false, false, nullptr))
        return FieldDataJobResult::JobNotWritten;
    if (notice != nullptr)
        *notice = DescribeFieldDataReduction(analysis, size_t(document.GetPointDatabase()->GetCount()));
    return FieldDataJobResult::Written;
}
