// Feeds each line of arbitrary text to the raw line grammar as a job's raw data would: split,
// validation, both descriptions, notes, the deleted mark, rebuilding, and every settings comment
// reader and printer.
#include "core/ColoredTextLines.h"
#include "model/TestJobDoc.h"
#include "rawdata/records/RawDataNikonCommentRecord.h"
#include "rawdata/records/RawDataRecord.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition, const std::string& text)
{
    if (!condition) {
        std::fprintf(stderr, "failed on line: %s\n", text.c_str());
        std::abort();
    }
}

// Each settings reader tokenizes the whole comment: a line goes through one reader and its
// printer, taken in turn, so over a run every reader sees every kind of comment.
void ExerciseComment(CNikonRawDataRecord& record, int32_t turn)
{
    CRawDataNikonCommentRecord c(record);
    int32_t i = 0;
    bool b = false;
    double d = 0;
    std::string name;
    double n = 0, e = 0, z = 0;
    switch (turn % 12) {
    case 0: c.ParseDistUnits(i); break;
    case 1: c.ParseAngleUnits(i); break;
    case 2: c.ParseZeroAzimuth(i); break;
    case 3: c.ParseHaRawData(i); break;
    case 4: c.ParseCrCoefficient(b); break;
    case 5: c.ParseCrAdjustment(i); break;
    case 6: c.ParseSeaLevelAdjustment(i); break;
    case 7: c.ParseScaleAdjustment(b); break;
    case 8: c.ParseScaleFactor(d); break;
    case 9: c.ParseCoordOrder(i); break;
    case 10: c.IsJobComment(&name); break;
    default: c.ParseStakeoutDeltas(name, n, e, z);
    }
    c.UpdateText(record.GetLine());
    Check(CNikonRawDataRecord(c.GetText()).GetFieldCount() == 1, c.GetText());
    switch (turn % 12) {
    case 0: c.PrintDistUnits(i); break;
    case 1: c.PrintAngleUnits(i); break;
    case 2: c.PrintZeroAzimuth(i); break;
    case 3: c.PrintHaRawData(i); break;
    case 4: c.PrintCrCoefficient(b); break;
    case 5: c.PrintCrAdjustment(i); break;
    case 6: c.PrintSeaLevelAdjustment(i); break;
    case 7: c.PrintScaleAdjustment(b); break;
    case 8: c.PrintScaleFactor(d); break;
    case 9: c.PrintCoordOrder(i); break;
    default: break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The units cycle through all their pairs within a dozen lines.
    size = FuzzLinesSize(size);
    // The records only read the job (its setup, whose units change line by line): one job serves
    // every input.
    static morvel::test::TestJobDoc doc;
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    int32_t line = 0;
    while (start <= text.size() && line < 5000) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string lineText = text.substr(start, end - start);
        if (!lineText.empty() && lineText.back() == '\r')
            lineText.pop_back();
        start = end + 1;

        doc.rawData.setup.distanceCode = line % 4 - 1;
        doc.rawData.setup.angleCode = line % 3;
        CNikonRawDataRecord record(lineText);
        record.SetDocument(&doc);
        record.SetLine(line++);
        const int32_t count = record.GetFieldCount();
        record.CheckLayout(record.GetType());
        record.Validate();
        CColoredTextLines lines;
        const bool longLabels = line % 2 == 0; // one description per line, both kinds over the lines
        record.DescribeLong(&lines, record.GetLine(), longLabels, true, longLabels);
        record.DescribeShort();
        std::string message;
        record.CanInterpret(&message);
        record.Canonicalize();
        if (record.GetType() == RecordTypeComment)
            ExerciseComment(record, line + int32_t(size));

        CNikonRawDataRecord copy(record);
        if (copy.GetFieldCount() > 0) {
            copy.RebuildText();
            Check(copy.GetFieldCount() == count || record.GetType() == RecordTypeComment, copy.GetText());
        }
        const bool deleted = copy.IsDeleted();
        copy.SetDeleted(!deleted);
        copy.SetDeleted(deleted);
        const std::string before = copy.GetText();
        if (copy.ToggleNote(true))
            Check(copy.ToggleNote(false) && copy.GetText() == before, before);
        copy.RenamePoints({{"1", "2"}});
    }
    // A rename writes a history line into the shared job; left there, every input would grow the
    // heap and set off a leak search.
    doc.ClearHistoryList();
    return 0;
}
