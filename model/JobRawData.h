#pragma once

#include "model/SettingsChangeFlags.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CDataFileDoc;
class CPointRecord;
class CRawDataRecord;
class CRawDataSetup;
class CReport;

// Old point name -> new point name.
using PointRenameMap = std::map<std::string, std::string>;

// The job's raw observation lines as the job document sees them. The raw-data container of the
// raw data layer implements it; the job document owns one, made by the installed factory, so the
// model never depends on the raw data classes. Operations that change one line report, on
// success, the text the job's history names the line by (the raw record's display text less its
// last character) and the line's 0-based index; the history adds 1 to the index. An operation a
// container does not provide refuses: it changes nothing and reports failure.
class CJobRawData
{
public:
    virtual ~CJobRawData() = default;

    // Number of raw lines.
    virtual int32_t GetLineCount() const = 0;

    // --- One line.
    // Appends an input-point line made from the point (name, northing, easting, elevation,
    // description), marked deleted when asked.
    virtual bool AppendInputPoint(const CPointRecord& point, bool deleted, std::string* text,
                                  int32_t* line) = 0;
    // The setup in force at the line (the units its values are written in); null outside the lines.
    virtual CRawDataSetup* GetSetup(int32_t line) = 0;
    // Makes room for that many more input-point lines before a bulk append; changes no line.
    virtual void ReserveInputPoints(std::size_t more) {}

    // Appends a calculated-coordinate (CC) line made from the point.
    virtual bool AppendCogoPoint(const CPointRecord& point, std::string* text, int32_t* line) { return false; }
    // Appends a copy of the record as the last line; false when the record cannot print its
    // text. deleted tells whether the line is marked deleted.
    virtual bool AppendRecord(const CRawDataRecord& record, std::string* text, int32_t* line,
                              bool* deleted) { return false; }
    // Appends a copy of the record's text as the last line.
    virtual bool AppendRecordText(const CRawDataRecord& record, std::string* text, int32_t* line) { return false; }
    // Replace the line by a copy of the record, or insert a copy before it; the setups of the
    // following lines are recomputed.
    virtual bool ReplaceRecord(int32_t line, const CRawDataRecord& record, std::string* text,
                               int32_t* at) { return false; }
    virtual bool InsertRecord(int32_t line, const CRawDataRecord& record, std::string* text,
                              int32_t* at) { return false; }

    // --- Several lines.
    // Number of lines removed.
    virtual int32_t RemoveRecords(const std::vector<int32_t>& lines) { return 0; }
    // Non-zero when any line changed.
    virtual int32_t SetRecordsDeleted(const std::vector<int32_t>& lines, bool deleted) { return 0; }
    // Turns the lines into comment notes, or notes back into their records; non-zero when any
    // line changed.
    virtual int32_t ToggleRecordsNote(const std::vector<int32_t>& lines, bool note) { return 0; }
    // True when any line changed.
    virtual bool RenamePoints(const PointRenameMap& renames) { return false; }
    // Drops every line and setup.
    virtual void Clear() {}

    // --- The whole raw data.
    // Appends the lines of a raw-data text file; the progress names the file, or the undo
    // buffer for a snapshot. False when the file cannot be opened or read.
    virtual bool LoadRawDataFromText(const std::string& path, bool snapshot) { return false; }
    // Writes every line followed by "\n" to exactly this path.
    virtual bool SaveRawDataToText(const std::string& path, bool snapshot) { return false; }
    // Replaces the lines by default raw data: the format comment, the settings comments and one
    // input-point line per job point in name order. With markModified the job is marked modified
    // with "Generated raw data".
    virtual bool GenerateRawData(bool markModified) { return false; }
    // Reduces the lines to the job's points; report and duplicates may be null.
    virtual void ReduceRawData(bool ignoreStorePoints, bool ignoreDeleted, CReport* report,
                               std::vector<std::string>* duplicates) {}
    // Replaces the lines by raw data made from the job's points and writes them to the path.
    virtual bool CreateRawDataFromPoints(const std::string& path) { return false; }
    // Appends comment lines describing the settings the flags select.
    virtual void AppendSettingsComments(const SettingsChangeFlags& flags) {}
};

// Makes the raw data of a job document; the raw data layer installs it at start-up, tests
// install theirs.
using JobRawDataFactory = std::function<std::unique_ptr<CJobRawData>(CDataFileDoc* owner)>;

// Installs the factory and returns the previous one.
JobRawDataFactory SetJobRawDataFactory(JobRawDataFactory factory);
// Null when no factory is installed.
std::unique_ptr<CJobRawData> CreateJobRawData(CDataFileDoc* owner);
