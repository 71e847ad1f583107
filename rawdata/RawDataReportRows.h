#pragma once

#include <cstdint>

class CProfile;
class CRawDataFile;
class CReport;

// What the raw data report lists: comment lines or not, comment lines only, line numbers.
struct CRawDataReportOptions
{
    bool notes = true;
    bool notesOnly = false;
    bool numbers = false;

    // From the profile section "RawDataReport" ("Notes", "NotesOnly", "Numbers").
    static CRawDataReportOptions Load(CProfile& profile);
    // All three keys; "Notes" alone when notesOnly is false.
    void Save(CProfile& profile) const;
    void SaveNotes(CProfile& profile) const;
};

// Fills the report: the title "Raw Data Report" over a spacer section, then one row per listed
// line with its short description (and its 1-based number when asked). Notes only applies while
// notes are included. Without raw data the table has no rows.
void BuildRawDataReport(CReport& report, CRawDataFile* file, const CRawDataReportOptions& options);
