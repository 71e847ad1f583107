#pragma once

#include "transfer/backup/BackupFileRecord.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CFileCE;

// Record type codes of backup archives, as stored.
inline constexpr uint32_t BackupTypeJob = 0;
inline constexpr uint32_t BackupTypeRaw = 1;
inline constexpr uint32_t BackupTypeRoad = 2;
inline constexpr uint32_t BackupTypeTemplate = 3;
inline constexpr uint32_t BackupTypeFeature = 4;
inline constexpr uint32_t BackupTypeSnapshot = 5; // the uncounted extra record
inline constexpr uint32_t BackupTypeGeneric = 6;
inline constexpr uint32_t BackupTypeProject = 7;
inline constexpr uint32_t BackupTypeUnknown = 8; // never set
inline constexpr uint32_t BackupTypeRk7 = 9;
inline constexpr uint32_t BackupTypeRv7 = 10;
inline constexpr uint32_t BackupTypeNik = 11;
inline constexpr uint32_t BackupTypeNrd = 12;
inline constexpr uint32_t BackupTypeDownloadedRaw = 13;
inline constexpr uint32_t BackupTypeDownloadedCoordinates = 14;
inline constexpr uint32_t BackupTypeDownloadedRawOtherModels = 15;

// The records of one archive in memory. The array's capacity is fixed when it is made: the
// counted records, plus one when a Snapshot record follows them.
class CBackupArchive
{
public:
    CBackupArchive() = default;
    CBackupArchive(uint32_t n, bool extra);
    virtual ~CBackupArchive() = default;
    CBackupArchive(const CBackupArchive&) = delete;
    CBackupArchive& operator=(const CBackupArchive&) = delete;

    // Drops the records held and makes room for n (plus the extra one); no room when n is 0 and
    // there is no extra. False when memory ran out (the archive is then empty).
    bool Allocate(uint32_t n, bool extra);

    // Null (or "Unknown", "") outside the array.
    CBackupFileRecord* GetRecord(uint32_t i);
    uint32_t GetRecordType(uint32_t i) const;
    std::string GetRecordName(uint32_t i) const;
    // The record after the counted ones when the archive has one.
    CBackupFileRecord* GetExtraRecord();

    uint32_t GetCount() const { return m_count; }
    uint32_t GetCapacity() const { return static_cast<uint32_t>(m_records.size()); }
    bool HasExtraRecord() const { return m_extra; }
    // Stored size of the counted records and the extra one.
    uint64_t GetTotalSize() const;

    // "" for codes that name no type.
    static std::string GetTypeName(uint32_t code);
    // Every type but Snapshot and Unknown counts.
    static bool IsCountedType(uint32_t code);

    // Sets the next counted record, taking the data. Refused (false) for uncounted types, without
    // an array or when the array is full.
    bool AddRecord(const std::string& name, std::unique_ptr<uint8_t[]> data, uint32_t length, uint32_t type);
    // Sets the Snapshot record after the counted ones; its name carries the four integers.
    bool AddSnapshotRecord(std::unique_ptr<uint8_t[]> data, uint32_t length, int a, int b, int c, int d);

    // The counted records, then the extra one. False at the first failed record.
    bool Write(CFileCE* file) const;
    // Reads n records (n + 1 with the extra one) from the file's position, within `limit` bytes.
    // A failed read keeps no records, so nothing of a damaged archive can be extracted.
    bool Read(CFileCE* file, uint32_t n, bool extra, uint64_t limit = UINT64_MAX);

    // Writes every counted record's file into the folder, asking once before replacing existing
    // files; `asked` tells whether the question was shown. Only the last component of a stored
    // name is used; a name with none usable fails the extraction before anything is written.
    bool Extract(const std::string& folder, bool& asked);

private:
    std::vector<CBackupFileRecord> m_records;
    uint32_t m_count = 0;
    bool m_extra = false;
};
