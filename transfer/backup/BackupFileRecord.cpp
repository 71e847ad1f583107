#include "transfer/backup/BackupFileRecord.h"

#include "core/FileCE.h"
#include "core/LittleEndian.h"
#include "core/Parser.h"
#include "core/WideText.h"
#include "transfer/backup/BackupArchive.h"

#include <new>
#include <vector>

void CBackupFileRecord::Clear()
{
    m_type = BackupTypeUnknown;
    m_data.reset();
    m_name.clear();
    m_dataLength = 0;
    m_nameLength = 0;
    m_totalSize = FixedSize;
}

void CBackupFileRecord::Set(const std::string& name, std::unique_ptr<uint8_t[]> data, uint32_t length,
                            uint32_t type)
{
    m_name = Utf8ToUtf16(name);
    m_nameLength = static_cast<uint32_t>(m_name.size() * 2);
    m_data = std::move(data);
    m_dataLength = m_data ? length : 0;
    m_type = type;
    m_totalSize = uint64_t(FixedSize) + m_dataLength + m_nameLength;
}

bool CBackupFileRecord::Write(CFileCE* file) const
{
    if (!file)
        return false;
    uint8_t head[FixedSize];
    PutU32LE(head, m_type);
    PutU32LE(head + 4, m_dataLength);
    PutU32LE(head + 8, m_nameLength);
    if (!file->Write(head, FixedSize))
        return false;
    if (m_dataLength && !file->Write(m_data.get(), m_dataLength))
        return false;
    std::vector<uint8_t> name(m_nameLength);
    for (size_t i = 0; i < m_name.size(); ++i)
        PutU16LE(name.data() + 2 * i, m_name[i]);
    return m_nameLength == 0 || file->Write(name.data(), m_nameLength);
}

bool CBackupFileRecord::Read(CFileCE* file, uint64_t limit)
{
    Clear();
    if (!file)
        return false;
    const int64_t position = file->GetPosition();
    const int64_t length = file->GetLength();
    if (position < 0 || length < position)
        return false;
    const uint64_t available = std::min<uint64_t>(limit, uint64_t(length - position));
    uint8_t head[FixedSize];
    if (available < FixedSize || !file->Read(head, FixedSize))
        return false;
    const uint32_t type = GetU32LE(head);
    const uint32_t dataLength = GetU32LE(head + 4);
    const uint32_t nameLength = GetU32LE(head + 8);
    if (uint64_t(FixedSize) + dataLength + nameLength > available)
        return false;
    std::unique_ptr<uint8_t[]> data;
    if (dataLength) {
        data.reset(new (std::nothrow) uint8_t[dataLength]);
        if (!data || !file->Read(data.get(), dataLength))
            return false;
    }
    std::vector<uint8_t> nameBytes(nameLength);
    if (nameLength && !file->Read(nameBytes.data(), nameLength))
        return false;
    // An odd last byte has no partner and is dropped; a zero unit ends the name as it would in memory.
    std::u16string name;
    for (uint32_t i = 0; i + 1 < nameLength; i += 2)
        name.push_back(static_cast<char16_t>(GetU16LE(nameBytes.data() + i)));
    m_type = type;
    m_data = std::move(data);
    m_dataLength = dataLength;
    m_nameLength = nameLength;
    m_name = std::move(name);
    m_totalSize = uint64_t(FixedSize) + dataLength + nameLength;
    return true;
}

std::string CBackupFileRecord::GetName() const
{
    return Utf16ToUtf8(m_name);
}

bool CBackupFileRecord::ParseSnapshot(int& a, int& b, int& c, int& d) const
{
    if (m_type != BackupTypeSnapshot)
        return false;
    CParser parser(GetName(), ",", false);
    return parser.GetNextInt(&a) && parser.GetNextInt(&b) && parser.GetNextInt(&c) && parser.GetNextInt(&d);
}
