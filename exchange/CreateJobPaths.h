#pragma once

#include <string>

class CProfile;

// The paths the two create-job dialogs (from a backup, from a transfer file) remember in the
// profile's "File" section, and the job path they accept.
struct CreateJobPathKeys
{
    const char* sourceKey; // "BckBck" or "TrnTrn"
    const char* jobKey;    // "BckJob" or "TrnJob"
    std::string sourceDefault;
    std::string jobDefault;
};

// "BckBck"/"BckJob" over the default backup and job folders.
CreateJobPathKeys BackupJobPathKeys(const std::string& backupFolder, const std::string& jobFolder);
// "TrnTrn"/"TrnJob" over the transfer program's data folder in the home folder and the job folder.
CreateJobPathKeys TransferFileJobPathKeys(const std::string& jobFolder);

// The fields at construction: the remembered source file when it still exists, else its folder
// when that exists, else empty; the remembered job folder when it exists, else empty.
void LoadCreateJobPaths(CProfile& profile, const CreateJobPathKeys& keys, std::string& source, std::string& job);
// On close, OK and Cancel alike: the source field when it names an existing file, and the
// folder of the job field when that folder exists.
void StoreCreateJobPaths(CProfile& profile, const CreateJobPathKeys& keys, const std::string& source,
                         const std::string& job);

// The job path the dialogs accept: its extension becomes "Mvj" unless it is that already in any
// case ("a" and "a.txt" give "a.Mvj", "a.MVJ" stays); a path with no file name stays as it is,
// for the check to refuse. True when it changed.
bool ForceJobFileExtension(std::string& path);
