#pragma once

#include "model/DataFileDoc.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelFile.h"
#include "model/SystemTime.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CStatusProgress;

// Closes every question whose Yes throws away the job's unsaved changes.
inline constexpr const char* ChangesLostWarning = "Warning!All current changes will be lost!";

// One open job: the in-memory job bound to its two files, the job file (extension Mvj: points and
// the job's settings) and beside it the raw-data file of the same name (extension Mvr). It opens,
// reloads and saves them, writes and restores the undo snapshots, applies new job settings and
// turns a text coordinate file into a job. Its raw data comes from the installed raw-data factory.
// A job document made on its own (exports, imports, the empty job) is never registered as open.
// There is no Serialize: files are read and written only through the job file class.
class CMorvelFileDoc : public CDataFileDoc
{
public:
    CMorvelFileDoc();
    ~CMorvelFileDoc() override;

    // The first open job document; null when none is open.
    static CMorvelFileDoc* FindActiveJobDocument();
    // Whether the file would open as a job, without touching any document: it can be read, its
    // header holds a valid time and units, and no point record is cut short. Else why not.
    static bool CheckJobFile(const std::string& path, std::string& reason);

    // --- Document protocol.
    // Empties the job: grid order, cached raw texts, raw data, then the records (hint 34).
    void DeleteContents() override;
    // Reads the job file and its raw data (generated when it cannot be read); hints 32, 33, 47
    // and 19. The person is told why when it fails.
    virtual bool OnOpenDocument(const std::string& path);
    // Writes both files beside their targets and then renames them over the targets; a failure
    // leaves the old files and the modified flag as they were.
    virtual bool OnSaveDocument(const std::string& path);
    // The file steps of a save alone: both files written beside their targets and renamed over
    // them; on failure the targets are as they were and GetSaveFailure says why. The modified
    // flag and the history are not touched (Save As to another name keeps the job as it is).
    bool WriteJobFiles(const std::string& path);
    const std::string& GetSaveFailure() const { return m_saveFailure; }
    bool SaveModified() override;
    // Saves to the path, or to a name the person chooses when it is empty; with replace the job
    // takes the new name.
    virtual bool DoSave(const std::string& path, bool replace);
    bool DoFileSave() override;

    // --- What the job document base asks.
    CJobFileDocSettings* GetJobSettings() override { return m_settings.get(); }
    CJobFileDocSettings* GetDocSettings() override { return m_settings.get(); }
    // Reads both files again, after asking unless noPrompt or unmodified. The undo history goes.
    bool Reload(bool noPrompt) override;
    bool OpenJobFile(const std::string& path, bool& generatedRawData) override;
    bool LoadRawDataFromText(const std::string& path, bool snapshot) override;
    bool WriteRawData(const std::string& path, bool snapshot) override;
    bool SaveRawDataToText(const std::string& path, bool snapshot) { return WriteRawData(path, snapshot); }
    bool IsValidPointName(const char* name) override;
    std::string GetJobExtension() override { return "Mvj"; }
    std::string GetJobFileName() override;
    std::string GetRawDataFileName() override;
    std::string GetRawDataExtension() override { return "Mvr"; }
    CDocTemplate* GetJobDocTemplate() override;
    bool AllowsAlphanumericNames() override { return true; }
    bool GenerateRawData(const std::string& jobPath, bool markModified) override;
    void ReduceRawData(bool ignoreStorePoints, bool ignoreDeleted, CReport* report,
                       std::vector<std::string>* duplicates) override;
    // Restores an undo snapshot through copies beside the job, so the step keeps its files. The
    // settings come from the snapshot's header; the job ends modified exactly when modifiedAfter.
    bool ReloadThroughCopy(const std::string& jobSnapshot, const std::string& rawSnapshot,
                           CDataFileDocSettings* settingsCopy, bool modifiedAfter) override;
    bool WriteJobSnapshot(const std::string& path) override;
    bool WriteRawDataSnapshot(const std::string& path) override;
    bool ExportSelection(const std::string& path, bool selectedOnly, bool withRawData,
                         CSelection* selection) override;
    bool CreateEmptyJobFile(const std::string& path) override;
    int32_t GetKindCode(int32_t, int32_t, int32_t, int32_t) const { return 3; }

    // --- The job file.
    // Reads the point records; a point whose name the job refuses (duplicate or invalid) is not
    // loaded, and the number of those is left in the error text.
    bool ReadJob(CMorvelFile& file, std::string& error, bool snapshot);
    bool WriteAllRecords(CMorvelFile& file, bool unused, bool snapshot);
    bool WriteJobHeader(CMorvelFile& file);
    bool WritePointAsRecord(CMorvelFile& file, const CPointRecord& point);
    // Creates the job file at the path and writes every point into it.
    bool SaveJobTo(const std::string& path, bool snapshot);
    // Points that the last read could not load.
    int32_t GetDroppedPointCount() const { return m_droppedPoints; }

    // --- Settings.
    // Takes the header's settings; a change is logged in the raw data (hint 2 when a setting
    // the raw data records changed) and marks the job modified.
    void ApplyJobSettings(const JobFileHeader& header);
    void StoreSettingsInHeader(JobFileHeader& header);
    bool LoadSettingsFromJobFile();

    // Reads a text file of lines "name northing easting elevation description" (blanks or commas
    // between; units of the header's distance unit) into a new job file at jobPath. Lines with an
    // elevation but no plane position are counted in skipped.
    bool CreateJobFromTextCoordinates(const JobFileHeader& header, const std::string& textPath,
                                      const std::string& jobPath, std::string& error, uint32_t& skipped);

    // --- Progress of the readers and writers.
    void BeginProgress(CStatusProgress* scope, const std::string& name, bool saving);
    void BeginPointsProgress(CStatusProgress* scope, const std::string& name);
    void BeginLineworkProgress(CStatusProgress* scope, const std::string& name);
    bool StepProgress(CStatusProgress* scope);
    void EndProgress(CStatusProgress* scope);
    bool ConfirmLoad() { return true; }

private:
    // Writes the document's job file beside the target and renames it over the target.
    bool SaveJobReplacing(const std::string& path);
    // Notes why a write of the job's files failed, with the error the system gave when it gave one.
    void NoteSaveFailure(const std::string& path, const std::string& what, int error);
    // Tells the person that the save did not happen and why; a save they cancelled says nothing.
    // Always false.
    bool TellSaveFailure();

    // The target and the reason of the last failed write; empty after a success or a cancel.
    std::string m_saveFailurePath;
    std::string m_saveFailure;

    CMorvelFile m_jobFile;
    std::unique_ptr<CJobFileDocSettings> m_settings;
    // The job's creation time from its file, or from its first write; every later save keeps it.
    std::optional<SystemTime> m_created;
    int32_t m_progressSteps = 0;
    int32_t m_lastPercent = -1;
    int64_t m_nextPercentStep = 0; // the first step at which the percentage can change
    int32_t m_recordCount = 0;
    int32_t m_pointRecordCount = 0;
    int32_t m_recordsProcessed = 0;
    int32_t m_pointsRead = 0;
    int32_t m_droppedPoints = 0;
    bool m_writing = false;
};
