#pragma once

#include <cstdint>
#include <string>

// Slot names of the backup a download leaves.
inline constexpr const char* DownloadRawSlotName = "Morvel Raw Data";
inline constexpr const char* DownloadCoordinatesSlotName = "Morvel Coordinates";

// The backup of a download: the folder followed by the job file's name with the extension Mvb.
std::string GetDownloadBackupPath(const std::string& backupFolder, const std::string& jobPath);

// Writes a new backup file of one archive (slot named slotName) holding one record: the text,
// compressed, named by the backup's file name, of the given type (13, 14 or 15). False when the
// file cannot be made or written.
bool WriteDownloadBackup(const std::string& backupPath, const std::string& text, uint32_t type,
                         const std::string& slotName);
