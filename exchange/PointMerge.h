#pragma once

#include "core/Location.h"
#include "model/JobRawData.h"

#include <cstdint>
#include <string>

class CDataFileDoc;
class CReport;

// The one way imported points enter a job, shared by every point import (another job's file,
// ASCII, DXF, LandXML). An import:
//   1. builds the merge for the job, with its report (may be null) and its point-name option;
//   2. with the rename rules, hands over the rename map of the incoming names
//      (CPointRenameEngine::GetRenameMap);
//   3. calls BeginUndoStep once, before the first change;
//   4. calls MergePoint for each incoming point;
//   5. after a failure once the step is recorded, calls AbandonImport, which puts the job back
//      as it was before the import.
// The report is set up with BeginReport, before step 3.
class CPointMerge
{
public:
    // Actions shown in the report's "Action" column.
    static constexpr const char* ActionImported = "Imported";
    static constexpr const char* ActionRenamed = "Renamed (from %s)";
    static constexpr const char* ActionReplaced = "Replaced Existing";

    enum class Result
    {
        Merged,   // added, renamed or overwritten; reported and counted
        Refused,  // the job refused the point (a name it cannot hold, or one taken twice in the
                  // file); nothing changed, nothing reported or counted
        NoRename, // with the rename rules, the name has no entry in the rename map; nothing changed
    };

    // useRenameRules: true for point-name option 0 (rename by the job's rules), false for option
    // 1 (overwrite the point of the same name).
    CPointMerge(CDataFileDoc* document, CReport* report, bool useRenameRules);

    // "Imported Coordinates", the source line and the six columns, in the order every import
    // report shows them.
    static void BeginReport(CReport& report, const std::string& sourcePath);

    void SetRenameMap(PointRenameMap map) { m_renames = std::move(map); }

    // Records the one undo step of the import under the description. False when the job could
    // not be captured; the import must not go on then.
    bool BeginUndoStep(const std::string& description);
    // Puts the job back as it was when the step was recorded and removes the step. Nothing
    // happens when no step was recorded.
    void AbandonImport();

    // Location in metres; a missing elevation is the no-value. Names and descriptions longer
    // than a job holds are cut as the job stores them.
    Result MergePoint(const std::string& name, const CLocation& location, const std::string& description);

    int32_t GetCount() const { return m_count; }
    CDataFileDoc* GetDocument() const { return m_document; }

private:
    void WriteReportRow(const class CPointRecord& point, const std::string& action);

    CDataFileDoc* m_document; // not owned
    CReport* m_report;        // not owned; may be null
    bool m_useRenameRules;
    PointRenameMap m_renames;
    bool m_stepRecorded = false;
    int32_t m_count = 0;
};

// Cuts a name or description to what a job's record keeps (16 characters).
std::string CutToRecordText(const std::string& text);
