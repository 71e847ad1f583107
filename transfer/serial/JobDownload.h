#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CNikonColumnCollection;
struct JobSettingsValues;

// Messages of the download road (the first ends with a period, the second does not).
inline constexpr const char* TempFileOpenFailure = "Transfer failed: temp file cannot be opened.";
inline constexpr const char* TempFileReadFailure = "Transfer failed: temp file cannot be read";

// Raw text received from the instrument as job raw data text (older comma layout for the
// record-format models); the job name the text gives, empty when none.
std::string ConvertRawDownload(const std::string& received, int32_t modelIndex, std::string& converted);

// Both write the raw data file and the job file beside their targets and rename them over the
// targets only when both are complete, so a failure leaves an old pair as it was. False (after
// telling the person) on failure.
// The converted raw text at rawPath, reduced to points in the job file at jobPath; duplicate
// point names the reduction met are added to `duplicates`; `notice` receives what the person
// must hear when the job opens (a reduction that stored no point or refused lines), else empty.
bool WriteRawDownloadJob(const std::string& converted, const std::string& rawPath, const std::string& jobPath,
                         std::vector<std::string>& duplicates, std::string* notice = nullptr);
// Coordinate lines as the job at jobPath (its raw data beside it), with the new-job defaults.
bool WriteCoordinateDownloadJob(const std::string& lines, const CNikonColumnCollection& columns,
                                const JobSettingsValues& defaults, const std::string& jobPath);

// What the Get Job road needs of the program around it. The window layer supplies the receive
// loop with its dialog, the save prompt and the open path; tests script them.
struct GetJobHooks
{
    // Receives the transmission into the file; false when it failed or was cancelled.
    std::function<bool(const std::string& path)> receive;
    // A save prompt with the file type code and title, starting from `path`; false on Cancel.
    std::function<bool(std::string& path, int code, const std::string& title)> promptSave;
    // Opens the new job like any other.
    std::function<bool(const std::string& jobPath)> openJob;
    // The path of the job open now (a download may not replace it); empty when none.
    std::string openJobPath;
    // The folder for the temporary file and the backups.
    std::string tempFolder;
    std::string backupFolder;
    bool enableBackups = false;
    int32_t modelIndex = 0;
};

// The whole Get Job: raw data (reduced to points) or coordinate lines become a job that is saved
// where the person says and opened, with an optional backup of what was received and a log line.
// `proposedName` is the name the save prompt starts from; a raw download replaces it by the job
// name it found.
bool GetJob(std::string& proposedName, bool raw, const GetJobHooks& hooks);
