#include "transfer/serial/JobDownload.h"

#include "core/FileHelpers.h"
#include "core/NikonColumnCollection.h"
#include "core/PathHelpers.h"
#include "core/StagedFilePair.h"
#include "model/MorvelSettings.h"
#include "model/TransferLock.h"
#include "platform/MessageBox.h"
#include "rawdata/FieldDataJob.h"
#include "rawdata/RawTextImport.h"
#include "transfer/TransferDefaults.h"
#include "transfer/backup/BackupArchive.h"
#include "transfer/backup/DownloadBackup.h"
#include "transfer/browse/FsFileDialog.h"
#include "transfer/serial/TransferLog.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void RemoveQuietly(const std::string& path)
{
    std::error_code ignored;
    fs::remove(path, ignored);
}

// A name beside the target, hidden and unlikely to meet a file of the person's.
std::string StagingPath(const std::string& target)
{
    return GetPathFolderOrEmpty(target) + "." + GetPathFileName(target) + ".download~";
}

// The staged pair (job file and raw data file) replaces the targets, raw data first; a failure
// puts the old raw data file back, so the old pair stays whole.
bool CommitPair(const std::string& stagedRaw, const std::string& rawPath, const std::string& stagedJob,
                const std::string& jobPath)
{
    const std::string aside = StagingPath(rawPath) + "old";
    RemoveQuietly(aside);
    const int error = CommitStagedPair(stagedJob, jobPath, stagedRaw, rawPath, aside);
    if (error != 0) {
        RemoveQuietly(stagedRaw);
        RemoveQuietly(stagedJob);
        ShowMessageBoxFS("Unable to save \"" + jobPath + "\": " + std::generic_category().message(error) + ".",
                         MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& text, bool& opened)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    opened = fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!opened) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    text.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return false;
        }
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

} // namespace

std::string ConvertRawDownload(const std::string& received, int32_t modelIndex, std::string& converted)
{
    return ConvertFieldDataText(received, IsRecordFormatModel(modelIndex), converted);
}

bool WriteRawDownloadJob(const std::string& converted, const std::string& rawPath, const std::string& jobPath,
                         std::vector<std::string>& duplicates, std::string* notice)
{
    const std::string stagedRaw = StagingPath(rawPath);
    std::string stagedJob = StagingPath(jobPath);
    ChangePathExtension(stagedJob, "Mvj");
    switch (WriteFieldDataJob(converted, stagedRaw, stagedJob, &duplicates, notice)) {
    case FieldDataJobResult::RawNotWritten:
        RemoveQuietly(stagedRaw);
        ShowMessageBoxFS("Transfer failed: temp file cannot be opened", MB_OK | MB_ICONERROR);
        return false;
    case FieldDataJobResult::JobNotWritten:
        RemoveQuietly(stagedRaw);
        RemoveQuietly(stagedJob);
        return false;
    case FieldDataJobResult::Written:
        break;
    }
    return CommitPair(stagedRaw, rawPath, stagedJob, jobPath);
}

bool WriteCoordinateDownloadJob(const std::string& lines, const CNikonColumnCollection& columns,
                                const JobSettingsValues& defaults, const std::string& jobPath)
{
    std::string stagedJob = StagingPath(jobPath);
    ChangePathExtension(stagedJob, "Mvj");
    std::string stagedRaw = stagedJob;
    ChangePathExtension(stagedRaw, "Mvr");
    std::string rawPath = jobPath;
    ChangePathExtension(rawPath, "Mvr");

    if (!ExportCoordinateLinesJob(lines, columns, defaults, stagedJob) || !FileExists(stagedRaw)) {
        RemoveQuietly(stagedRaw);
        RemoveQuietly(stagedJob);
        return false;
    }
    return CommitPair(stagedRaw, rawPath, stagedJob, jobPath);
}

bool GetJob(std::string& proposedName, bool raw, const GetJobHooks& hooks)
{
    CTransferLock lock;
    if (!lock.Acquire())
        return false;
    const std::string tempPath = hooks.tempFolder.empty() ? MakeTempFilePath() : MakeTempFileName(hooks.tempFolder);
    if (tempPath.empty())
        return false;
    if (!hooks.receive || !hooks.receive(tempPath)) {
        // Nothing usable arrived; a half-received file would only litter the folder.
        RemoveQuietly(tempPath);
        return false;
    }

    std::string received;
    bool opened = false;
    if (!ReadWholeFile(tempPath, received, opened)) {
        RemoveQuietly(tempPath);
        ShowMessageBoxFS(opened ? TempFileReadFailure : TempFileOpenFailure, MB_OK | MB_ICONERROR);
        return false;
    }
    RemoveQuietly(tempPath);

    std::string jobPath;
    std::vector<std::string> duplicates;
    std::string notice;
    if (raw) {
        std::string converted;
        const std::string found = ConvertRawDownload(received, hooks.modelIndex, converted);
        if (!found.empty())
            proposedName = found;
        std::string chosen = proposedName;
        if (!hooks.promptSave || !hooks.promptSave(chosen, 11, "Save Download As"))
            return false;
        // Named as one pair, as the dialog asked about it: the job reads its raw data from its
        // own name with Mvr, whatever spelling of a raw data file was chosen.
        const JobPairPaths pair = CFsFileDialog::NameJobPair(chosen, FileExists);
        const std::string& rawPath = pair.raw;
        jobPath = pair.job;
        if (RefuseOpenJob(jobPath, hooks.openJobPath) ||
            !WriteRawDownloadJob(converted, rawPath, jobPath, duplicates, &notice))
            return false;
    } else {
        JobSettingsValues defaults;
        InitJobSettingsValues(defaults);
        CNikonColumnCollection columns;
        GetMorvelSettings().GetNewJobDefaultsAndCoordOrder(defaults, columns);
        jobPath = proposedName;
        if (!hooks.promptSave || !hooks.promptSave(jobPath, 12, "Save Download As"))
            return false;
        if (RefuseOpenJob(jobPath, hooks.openJobPath) ||
            !WriteCoordinateDownloadJob(received, columns, defaults, jobPath))
            return false;
    }
    if (!duplicates.empty()) {
        std::string text;
        for (const std::string& line : duplicates)
            text += line + "\r\n";
        ShowMessageBoxFSWithCaption(text, "Duplicate Points Found");
    }
    if (hooks.openJob)
        hooks.openJob(jobPath);
    // Said over the open job: a job without its points needs a reason.
    if (!notice.empty())
        ShowMessageBoxFS(notice, MB_OK | MB_ICONWARNING);

    if (hooks.enableBackups && !received.empty()) {
        std::string backupPath = GetDownloadBackupPath(hooks.backupFolder, jobPath);
        bool wanted = true;
        if (FileExists(backupPath)) {
            if (ShowMessageBoxFS("Overwrite backup file " + GetPathFileName(backupPath) + "?", MB_YESNOCANCEL,
                                 "Overwrite", "Rename") == IDYES)
                RemoveQuietly(backupPath);
            else
                wanted = hooks.promptSave && hooks.promptSave(backupPath, 13, "Save Backup As");
        }
        if (wanted) {
            const uint32_t type = !raw                                  ? BackupTypeDownloadedCoordinates
                                  : IsRecordFormatModel(hooks.modelIndex) ? BackupTypeDownloadedRawOtherModels
                                                                        : BackupTypeDownloadedRaw;
            // A backup that cannot be written does not undo the download: the job is saved.
            WriteDownloadBackup(backupPath, received, type, raw ? DownloadRawSlotName : DownloadCoordinatesSlotName);
        }
    }
    WriteDownloadLog(jobPath);
    return true;
}
