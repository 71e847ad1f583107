#pragma once

#include <cstdint>
#include <memory>
#include <string>

class CFileCE;

// One file stored in a backup archive: its type code, its data as the arithmetic coder wrote it
// (with the coder's own length prefix) and its name without folder. On disk: u32 type, u32 data
// length, u32 name length in bytes, the data, then the name in UTF-16LE without terminator.
class CBackupFileRecord
{
public:
    static constexpr uint32_t FixedSize = 12;

    CBackupFileRecord() = default;
    virtual ~CBackupFileRecord() = default;
    CBackupFileRecord(CBackupFileRecord&&) = default;
    CBackupFileRecord& operator=(CBackupFileRecord&&) = default;

    // Takes the data; the name is stored as UTF-16.
    void Set(const std::string& name, std::unique_ptr<uint8_t[]> data, uint32_t length, uint32_t type);
    // False without a file or when a write fails.
    bool Write(CFileCE* file) const;
    // Reads one record at the file's position, taking at most `limit` bytes: lengths that do not
    // fit in the limit or in what remains of the file are refused before anything is allocated.
    // A failed read leaves the record empty.
    bool Read(CFileCE* file, uint64_t limit = UINT64_MAX);

    std::string GetName() const;
    const std::u16string& GetWideName() const { return m_name; }
    const uint8_t* GetData() const { return m_data.get(); }
    uint32_t GetDataLength() const { return m_dataLength; }
    uint32_t GetNameLength() const { return m_nameLength; }
    uint32_t GetType() const { return m_type; }
    // 12 + data length + name length.
    uint64_t GetTotalSize() const { return m_totalSize; }

    // The four integers of a Snapshot record's name "a,b,c,d"; false for any other record.
    bool ParseSnapshot(int& a, int& b, int& c, int& d) const;

private:
    void Clear();

    uint32_t m_type = 8; // "Unknown" until set
    uint64_t m_totalSize = FixedSize;
    uint32_t m_dataLength = 0;
    uint32_t m_nameLength = 0;
    std::unique_ptr<uint8_t[]> m_data;
    std::u16string m_name;
};
