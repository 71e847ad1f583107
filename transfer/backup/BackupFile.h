#pragma once

#include "core/FileCE.h"
#include "model/SystemTime.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class CBackupArchive;

// One archive slot of a backup file's header.
struct BackupArchiveSlot
{
    std::array<char16_t, 64> name {}; // zero-terminated
    uint32_t dataOffset = 0;          // 0: no data
    uint32_t dataSize = 0;
    uint32_t recordCount = 0;         // the counted records
    uint32_t extraFlag = 0;           // a Snapshot record follows them
    SystemTime time;                  // all zero until set

    bool HasData() const { return dataOffset != 0; }
};

// A backup file (.Mvb): a 10,280-byte header of up to 64 named, time-stamped archive slots, then
// the archives' records back to back in the order they were written. The header in memory is
// written back after every change of a slot, so the file is consistent between calls.
class CBackupFile : public CFileCE
{
public:
    static constexpr uint32_t HeaderSize = 10280;
    static constexpr uint32_t MaxSlots = 64;
    static constexpr uint32_t SlotSize = 160;
    static constexpr uint32_t SlotsOffset = 40;
    static constexpr uint32_t Version = 1;
    static constexpr uint32_t MaxNameCharacters = 63;
    static constexpr uint32_t MoveBufferSize = 32768;
    static constexpr const char* MagicText = "QuorelVantisMarcato Backup File"; // 31 bytes, no terminator

    CBackupFile();

    // A new file (an existing one is emptied) holding only the header.
    bool Create(const std::string& path);
    // Opens an existing file and reads its header. Refused: a short header, another magic or
    // version, more than 64 slots, slot data outside the file, or a record count the slot's data
    // size cannot hold. Why it was refused is kept for GetOpenError. Opened for reading only, a
    // backup on read-only media can still be read and extracted; every change then fails.
    bool Open(const std::string& path, bool readOnly = false);
    bool Close() { return CFileCE::Close(); }
    const std::string& GetOpenError() const { return m_openError; }

    bool WriteHeader();
    bool ReadHeader();

    uint32_t GetArchiveCount() const { return m_count; }
    // The next free slot, named (at most 63 characters). False when all 64 are in use.
    bool AddArchiveSlot(const std::string& name);
    // The slot, none for an index without one. With an archive, a slot's data is read into it;
    // the slot is returned whether or not that read worked (the archive then holds no records).
    std::optional<BackupArchiveSlot> GetArchiveSlot(uint32_t index, CBackupArchive* archive = nullptr);
    bool GetArchiveName(uint32_t index, std::string& name) const;
    bool SetArchiveName(uint32_t index, const std::string& name);
    // All zero for an index without a slot.
    SystemTime GetArchiveTime(uint32_t index) const;
    bool SetArchiveTime(uint32_t index, const SystemTime& time);

    // Stores the archive's records at the end of the file for the slot, dropping its old data
    // first. An index without a slot: true, nothing done.
    bool WriteArchiveData(uint32_t index, const CBackupArchive& archive);
    // Drops the slot's data and closes the gap; name and time stay.
    bool RemoveArchiveData(uint32_t index);
    // Removes the slot and its data; later slots move down one place.
    bool DeleteArchive(uint32_t index);

    // Gathers a job's files (its pair and companions) into one archive of this newly created file.
    // False when no file could be stored or any step of writing the archive failed; failures to
    // open or read single files are collected and shown once when showErrors is set. A save that
    // fails leaves the backup file as it was.
    bool SaveArchive(const std::string& archiveName, const std::string& jobPath, bool showErrors);
    // Backs the job up to its path with the backup extension, through a temporary file in the
    // same folder that replaces the old backup only when the new one is complete. Sends 0x807B
    // to the main window afterwards.
    static bool RewriteThroughCopy(const std::string& jobPath, const std::string& backupExtension, bool showErrors);

private:
    void EncodeHeader(uint8_t* image) const;
    bool DecodeHeader(const uint8_t* image, int64_t fileLength);

    uint32_t m_count = 0;
    std::array<BackupArchiveSlot, MaxSlots> m_slots {};
    std::string m_openError;
};

// Main-window message sent after a backup was rewritten (both parameters 0).
inline constexpr uint32_t WM_BACKUP_REWRITTEN = 0x807B;
// The window layer installs the sender; without one the message goes nowhere.
void SetBackupMainWindowSender(std::function<void(uint32_t message, intptr_t wParam, intptr_t lParam)> sender);
