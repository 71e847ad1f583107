// Feeds arbitrary text to a job's raw data container line by line, as loading a raw data file
// does, then walks each line once, the way the raw data list or the map does, and edits it with
// line lists that mix good, repeated and impossible lines.
#include "core/ColoredTextLines.h"
#include "core/RawDataFormat.h"
#include "rawdata/RawJob.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    morvel::test::RawJob job;
    morvel::test::RecordingDrawTarget target;
    job.raw.SetDrawTarget(&target);
    job.AddPoint("1", 2000, 1000, 100);
    job.AddPoint("2", 2000, 1100, 100);
    job.AddPoint("1005", 2000, 1050, 100);

    size = FuzzLinesSize(size);
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start <= text.size() && job.raw.GetLineCount() < 20000) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        job.Append(line);
        start = end + 1;
    }
    job.raw.RecomputeSetups();

    const int32_t count = job.raw.GetLineCount();
    // Each line is walked once, by one of the walks in turn (the lines just outside included).
    for (int32_t line = -1; line <= count; ++line) {
        CColoredTextLines lines;
        switch ((line + 1 + int32_t(size)) % 5) {
        case 0: job.raw.FormatLineInfo(&lines, line, line % 2 == 0); break;
        case 1: job.raw.CheckLine(&lines, line); break;
        case 2: job.raw.CheckLine(nullptr, line); break;
        case 3: job.raw.DrawRecord(line); job.raw.DrawSetup(line, 0xF); break;
        default:
            if (CNikonRawDataRecord* record = job.raw.GetRecord(line))
                record->DescribeShort();
        }
    }

    // The stake-out states in line order, as the cut sheet walks them.
    const CStakeoutStateTable& table = job.raw.GetStakeoutTable();
    int32_t walked = 0, previous = -1;
    for (auto position = table.GetStartPosition(); position != 0;) {
        const CStakeoutState* state = nullptr;
        int32_t line = -1;
        if (!table.GetNext(position, &state, &line) || !state || line <= previous)
            std::abort();
        previous = line;
        ++walked;
        CColoredTextLines lines;
        state->AppendToReport(&lines, CRawDataFormat(job.Setup(line), true));
    }
    if (size_t(walked) != table.GetCount())
        std::abort();

    // Each edit recomputes the setups from its line on: an input makes one of the two kinds of
    // edit, marks or line changes, taken from the input.
    const int32_t mid = count / 2;
    if (size % 2 == 0) {
        job.raw.SetRecordsDeleted({mid, mid, -5, count, count + 7}, true);
        job.raw.ToggleRecordsNote({count - 1, 0, -1, count}, true);
        job.raw.ToggleRecordsNote({count - 1, 0}, false);
        job.raw.RenamePoints({{"1", "7"}, {"2", "1"}});
    } else {
        CNikonRawDataRecord replacement("MP,3,1000,2000,,X");
        job.raw.ReplaceRecord(mid, &replacement);
        job.raw.ReplaceRecord(count + 1, &replacement);
        job.raw.InsertRecord(count + 1, &replacement);
        job.raw.InsertRecord(0, &replacement);
        job.raw.RemoveRecords({count, 3, 3, -1, 1, INT32_MAX});
    }
    if (job.raw.GetLineCount() > 0 && job.raw.GetRecord(job.raw.GetLineCount() - 1)->GetLine() !=
                                          job.raw.GetLineCount() - 1)
        std::abort();
    return 0;
}
