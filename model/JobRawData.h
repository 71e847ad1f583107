#pragma once

#include "model/SettingsChangeFlags.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CDataFileDoc;
class CPointRecord;
class CRawDataRecord;
class CReport;

// Old point name -> new point name.
using PointRenameMap = std::map<std::string, std::string>;

// The job's raw observation lines as the job document sees them. The raw-data container of the
// raw data layer implements it; the job document owns one, made by the installed factory, so the
// model never depends on the raw data classes. Operations that change one line report, on
// success, the text the job's history names the line by (the raw record's display text less its
// last character) and the line's 0-based index; the history adds 1 to the index.
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
    // Appends a calculated-coordinate (CC) line made from the point.
    virtual bool AppendCogoPoint(const CPointRecord& point, std::string* text, int32_t* line) = 0;
    // Appends a copy of the record as the last line; false when the record cannot print its
    // text. deleted tells whether the line is marked deleted.
    virtual bool AppendRecord(const CRawDataRecord& record, std::string* text, int32_t* line,
                              bool* deleted) = 0;
    // Appends a copy of the record's text as the last line.
    virtual bool AppendRecordText(const CRawDataRecord& record, std::string* text, int32_t* line) = 0;
    // Replace the line by a copy of the record, or insert a copy before it; the setups of the
    // following lines are recomputed.
    virtual bool ReplaceRecord(int32_t line, const CRawDataRecord& record, std::string* text,
                               int32_t* at) = 0;
    virtual bool InsertRecord(int32_t line, const CRawDataRecord& record, std::string* text,
                              int32_t* at) = 0;

    // --- Several lines; each answers whether anything changed.
    // Number of lines removed.
    virtual int32_t RemoveRecords(const std::vector<int32_t>& lines) = 0;
    virtual bool SetRecordsDeleted(const std::vector<int32_t>& lines, bool deleted) = 0;
    // Turns the lines into comment notes, or notes back into their records.
    virtual bool ToggleRecordsNote(const std::vector<int32_t>& lines, bool note) = 0;
    virtual bool RenamePoints(const PointRenameMap& renames) = 0;
    // Drops every line and setup.
    virtual void Clear() = 0;

    // --- The whole raw data.
    // Appends the lines of a raw-data text file; the progress names the file, or the undo
    // buffer for a snapshot. False when the file cannot be opened or read.
    virtual bool LoadRawDataFromText(const std::string& path, bool snapshot) = 0;
    // Writes every line followed by "\n" to exactly this path.
    virtual bool SaveRawDataToText(const std::string& path, bool snapshot) = 0;
    // Replaces the lines by default raw data: the format comment, the settings comments and one
    // input-point line per job point in name order. With markModified the job is marked modified
    // with "Generated raw data".
    virtual bool GenerateRawData(bool markModified) = 0;
    // Reduces the lines to the job's points; report and duplicates may be null.
    virtual void ReduceRawData(bool ignoreStorePoints, bool ignoreDeleted, CReport* report,
                               std::vector<std::string>* duplicates) = 0;
    // Replaces the lines by raw data made from the job's points and writes them to the path.
    virtual bool CreateRawDataFromPoints(const std::string& path) = 0;
    // Appends comment lines describing the settings the flags select.
    virtual void AppendSettingsComments(const SettingsChangeFlags& flags) = 0;
};

// Makes the raw data of a job document; the raw data layer installs it at start-up, tests
// install theirs.
using JobRawDataFactory = std::function<std::unique_ptr<CJobRawData>(CDataFileDoc* owner)>;

// Installs the factory and returns the previous one.
JobRawDataFactory SetJobRawDataFactory(JobRawDataFactory factory);
// Null when no factory is installed.
std::unique_ptr<CJobRawData> CreateJobRawData(CDataFileDoc* owner);
