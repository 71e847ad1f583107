#include "rawdata/RawDataReportRows.h"

#include "core/Report.h"
#include "core/StatusProgress.h"
#include "platform/Profile.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/records/RawDataRecord.h"

#include <string>

namespace {
constexpr const char* Section = "RawDataReport";

// The report doubles backslashes as it stores a cell; a text without one is stored as it is,
// which saves copying it character by character.
void SetText(CReport& report, int32_t column, int32_t row, const std::string& text)
{
    report.SetCell(column, row, text, text.find('\\') == std::string::npos);
}
} // namespace

CRawDataReportOptions CRawDataReportOptions::Load(CProfile& profile)
{
    CRawDataReportOptions options;
    options.notes = profile.GetProfileInt(Section, "Notes", 1) != 0;
    options.notesOnly = profile.GetProfileInt(Section, "NotesOnly", 0) != 0;
    options.numbers = profile.GetProfileInt(Section, "Numbers", 0) != 0;
    return options;
}

void CRawDataReportOptions::SaveNotes(CProfile& profile) const
{
    profile.WriteProfileInt(Section, "Notes", notes ? 1 : 0);
}

void CRawDataReportOptions::Save(CProfile& profile) const
{
    SaveNotes(profile);
    profile.WriteProfileInt(Section, "NotesOnly", notesOnly ? 1 : 0);
    profile.WriteProfileInt(Section, "Numbers", numbers ? 1 : 0);
}

void BuildRawDataReport(CReport& report, CRawDataFile* file, const CRawDataReportOptions& options)
{
    report.Clear();
    report.AddHeaderLine("Raw Data Report");
    report.AddColumn("", 17);
    report.AddRow();

    CStatusProgress progress;
    progress.Begin("Generating Raw Data Report.");
    progress.SetPercent(0);

    report.NewSection();
    if (options.numbers)
        report.AddColumn("Line#", 66);
    report.AddColumn("Record", 18);

    const int32_t count = file ? file->GetLineCount() : 0;
    for (int32_t i = 0; i < count; ++i) {
        CNikonRawDataRecord* record = file->GetRecord(i);
        if (!record)
            continue;
        const bool comment = record->GetType() == RecordTypeComment;
        if (options.notes && options.notesOnly) {
            if (!comment)
                continue;
        } else if (!options.notes && comment) {
            continue;
        }
        const int32_t row = report.AddRow();
        if (options.numbers) {
            SetText(report, 0, row, std::to_string(i + 1));
            SetText(report, 1, row, record->DescribeShort());
        } else {
            SetText(report, 0, row, record->DescribeShort());
        }
        // Rounded to the nearest percent.
        progress.SetPercent(int32_t((int64_t(i) * 100 + count / 2) / count));
    }
    progress.End();
}
