#pragma once

#include "transfer/backup/ArithmeticCoder.h"
#include "transfer/backup/BackupArchive.h"
#include "transfer/backup/BackupFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace morvel::test {

// A compressed copy of the text, as a backup record's data.
inline std::unique_ptr<uint8_t[]> Packed(const std::string& text, uint32_t& length)
{
    ArithmeticCoder coder;
    uint8_t* out = nullptr;
    size_t size = 0;
    coder.Compress(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &out, &size);
    length = static_cast<uint32_t>(size);
    return std::unique_ptr<uint8_t[]>(out);
}

inline bool AddTextRecord(CBackupArchive& archive, const std::string& name, const std::string& text,
                          uint32_t type = BackupTypeGeneric)
{
    uint32_t length = 0;
    auto data = Packed(text, length);
    return archive.AddRecord(name, std::move(data), length, type);
}

// A backup file of one archive holding one text record, as a download leaves it.
inline bool WriteOneRecordBackup(const std::string& path, const std::string& archiveName, const std::string& name,
                                 const std::string& text, uint32_t type)
{
    CBackupFile file;
    CBackupArchive archive(1, false);
    if (!file.Create(path) || !file.AddArchiveSlot(archiveName) || !AddTextRecord(archive, name, text, type) ||
        !file.WriteArchiveData(0, archive))
        return false;
    file.Close();
    return true;
}

inline bool AddSnapshot(CBackupArchive& archive, const std::string& text, int a, int b, int c, int d)
{
    uint32_t length = 0;
    auto data = Packed(text, length);
    return archive.AddSnapshotRecord(std::move(data), length, a, b, c, d);
}

// Text of a given size that compresses poorly, so archives grow past the move buffer.
inline std::string NoisyText(size_t n, uint32_t seed)
{
    std::string text(n, ' ');
    uint32_t x = seed * 2654435761u + 1;
    for (char& c : text) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return text;
}

} // namespace morvel::test
