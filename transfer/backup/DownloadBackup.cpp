#include "transfer/backup/DownloadBackup.h"

#include "core/PathHelpers.h"
#include "transfer/backup/ArithmeticCoder.h"
#include "transfer/backup/BackupArchive.h"
#include "transfer/backup/BackupFile.h"

#include <memory>

std::string GetDownloadBackupPath(const std::string& backupFolder, const std::string& jobPath)
{
    std::string name = GetPathFileName(jobPath);
    ChangePathExtension(name, "Mvb");
    if (backupFolder.empty() || IsPathSeparator(backupFolder.back()))
        return backupFolder + name;
    return backupFolder + "/" + name;
}

bool WriteDownloadBackup(const std::string& backupPath, const std::string& text, uint32_t type,
                         const std::string& slotName)
{
    CBackupFile file;
    if (!file.Create(backupPath))
        return false;
    ArithmeticCoder coder;
    uint8_t* packed = nullptr;
    size_t packedLength = 0;
    const bool packedOk =
        coder.Compress(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &packed, &packedLength);
    std::unique_ptr<uint8_t[]> data(packed);
    if (!packedOk || packedLength > UINT32_MAX) {
        file.Close();
        return false;
    }
    CBackupArchive archive(1, false);
    const bool ok = archive.AddRecord(GetPathFileName(backupPath), std::move(data),
                                      static_cast<uint32_t>(packedLength), type) &&
                    file.AddArchiveSlot(slotName) && file.WriteArchiveData(file.GetArchiveCount() - 1, archive);
    return file.Close() && ok;
}
