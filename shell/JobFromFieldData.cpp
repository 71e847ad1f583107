#include "shell/JobFromFieldData.h"

#include "core/FileHelpers.h"
#include "core/NikonColumnCollection.h"
#include "core/PathHelpers.h"
#include "core/StagedFilePair.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"
#include "rawdata/FieldDataJob.h"
#include "rawdata/RawTextImport.h"
#include "transfer/TransferDefaults.h"
#include "transfer/backup/ArithmeticCoder.h"
#include "transfer/backup/BackupArchive.h"
#include "transfer/backup/BackupFile.h"

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string WithExtension(std::string path, const char* extension)
{
    ChangePathExtension(path, extension);
    return path;
}

// The text ends at its first zero byte, as the instrument and archive formats end it.
std::string TextUpToZero(const uint8_t* data, size_t length)
{
    const void* zero = std::memchr(data, 0, length);
    const size_t end = zero ? size_t(static_cast<const uint8_t*>(zero) - data) : length;
    return std::string(reinterpret_cast<const char*>(data), end);
}

// The pair of new files beside the targets; removed unless committed.
class StagedJobFiles
{
public:
    explicit StagedJobFiles(const std::string& jobPath) : m_jobPath(jobPath)
    {
        static std::atomic<int> counter{0};
        // No dot in the added part, so the staged pair shares one stem of its own.
        const std::string stem = RemovePathExtension(jobPath) + "~new-" + std::to_string(getpid()) + "-" +
                                 std::to_string(counter++);
        m_stagedJob = stem + ".Mvj";
        m_stagedRaw = stem + ".Mvr";
    }
    ~StagedJobFiles()
    {
        std::error_code ec;
        fs::remove(m_stagedJob, ec);
        fs::remove(m_stagedRaw, ec);
    }
    const std::string& JobPath() const { return m_stagedJob; }
    const std::string& RawPath() const { return m_stagedRaw; }

    // Both staged files over their targets, the raw data first. The old raw data is kept aside
    // until the job is in place and put back when the job's rename fails, so a failure leaves
    // both old files as they were.
    bool Commit()
    {
        std::error_code ec;
        if (!fs::exists(m_stagedJob, ec) || !fs::exists(m_stagedRaw, ec))
            return false;
        return CommitStagedPair(m_stagedJob, m_jobPath, m_stagedRaw, WithExtension(m_jobPath, "Mvr"),
                                m_stagedRaw + "~old") == 0;
    }

private:
    std::string m_jobPath;
    std::string m_stagedJob;
    std::string m_stagedRaw;
};

bool FunctionFailed()
{
    ShowMessageBoxFS("Function failed.", MB_OK);
    return false;
}

bool NotABackup(const std::string& backupPath)
{
    ShowMessageBoxFS(GetPathFileName(backupPath) + " does not appear to be a valid Morvel Backup file.",
                     MB_OK | MB_ICONERROR);
    return false;
}

} // namespace

bool CreateJobFromRawText(const std::string& text, bool oldLayout, const std::string& jobPath, std::string* notice)
{
    std::string raw;
    ConvertFieldDataText(text, oldLayout, raw);

    StagedJobFiles staged(jobPath);
    switch (WriteFieldDataJob(raw, staged.RawPath(), staged.JobPath(), nullptr, notice)) {
    case FieldDataJobResult::RawNotWritten:
    case FieldDataJobResult::JobNotWritten:
        return FunctionFailed();
    case FieldDataJobResult::Written:
        break;
    }
    return staged.Commit() || FunctionFailed();
}

bool CreateJobFromAsciiCoordinates(const std::string& text, const std::string& jobPath)
{
    JobSettingsValues settings;
    InitJobSettingsValues(settings);
    CNikonColumnCollection columns;
    GetMorvelSettings().GetNewJobDefaultsAndCoordOrder(settings, columns);

    StagedJobFiles staged(jobPath);
    if (!ExportCoordinateLinesJob(text, columns, settings, staged.JobPath()))
        return FunctionFailed();
    return staged.Commit() || FunctionFailed();
}

bool CreateJobFromBackupFile(const std::string& backupPath, const std::string& jobPath,
                             const std::string& openJobPath, std::string* notice)
{
    if (RefuseOpenJob(jobPath, openJobPath))
        return false;
    CBackupFile file;
    // Only read: a backup on read-only media or someone else's file is still a backup.
    if (!file.Open(backupPath, true))
        return NotABackup(backupPath);
    CBackupArchive archive;
    if (!file.GetArchiveSlot(0, &archive) || archive.GetCount() == 0)
        return NotABackup(backupPath);
    const uint32_t type = archive.GetRecordType(0);
    if (type != BackupTypeDownloadedRaw && type != BackupTypeDownloadedCoordinates &&
        type != BackupTypeDownloadedRawOtherModels)
        return NotABackup(backupPath);
    const CBackupFileRecord* record = archive.GetRecord(0);
    if (record == nullptr || record->GetData() == nullptr)
        return NotABackup(backupPath);
    uint8_t* decoded = nullptr;
    size_t decodedLength = 0;
    ArithmeticCoder coder;
    // A record that does not decode is as damaged as a missing one.
    if (!coder.Decompress(record->GetData(), record->GetDataLength(), &decoded, &decodedLength))
        return NotABackup(backupPath);
    const std::unique_ptr<uint8_t[]> owned(decoded);
    const std::string text = TextUpToZero(decoded, decodedLength);
    file.Close();

    if (type == BackupTypeDownloadedCoordinates)
        return CreateJobFromAsciiCoordinates(text, jobPath);
    return CreateJobFromRawText(text, type == BackupTypeDownloadedRawOtherModels, jobPath, notice);
}

bool CreateJobFromTransferFile(const std::string& transferPath, const std::string& jobPath,
                               const std::string& openJobPath, std::string* notice)
{
    if (RefuseOpenJob(jobPath, openJobPath))
        return false;
    std::error_code ec;
    std::ifstream in(transferPath, std::ios::binary);
    if (!in || fs::is_directory(transferPath, ec)) {
        ShowMessageBoxFS("Failed to open " + GetPathFileName(transferPath) + ".", MB_OK | MB_ICONERROR);
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        ShowMessageBoxFS(GetPathFileName(transferPath) + " does not appear to be a valid file.", MB_OK | MB_ICONERROR);
        return false;
    }
    const std::string text = TextUpToZero(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (!HasRawDataLine(text)) {
        ShowMessageBoxFS(GetPathFileName(transferPath) +
                             " does not appear to be a valid file.\n\nNone of its lines is a raw data record.",
                         MB_OK | MB_ICONERROR);
        return false;
    }
    return CreateJobFromRawText(text, false, jobPath, notice);
}
