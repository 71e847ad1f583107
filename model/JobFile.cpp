#include "model/JobFile.h"

#include "core/LittleEndian.h"
#include "core/NoValue.h"
#include "model/SystemTime.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t RecordBufferStep = 1024;
constexpr uint32_t InfoTextOffset = 32;
constexpr uint32_t InfoTextBytes = 522;

// Where the old block keeps the fields it shares with the information block.
constexpr uint32_t OldCreated = 4;
constexpr uint32_t OldU32 = 1078;
constexpr uint32_t OldF64 = 1082;
constexpr uint32_t OldU16a = 1098;
constexpr uint32_t OldU16b = 1102;
constexpr uint32_t OldText = 1108;
constexpr uint32_t OldLastU32 = 1630;

constexpr uint32_t InfoCreated = 0;
constexpr uint32_t InfoU32 = 16;
constexpr uint32_t InfoF64 = 20;
constexpr uint32_t InfoU16a = 28;
constexpr uint32_t InfoU16b = 30;
constexpr uint32_t InfoLastU32 = 554;

void FillF64(uint8_t* p, int count, double v)
{
    for (int i = 0; i < count; ++i)
        PutF64LE(p + 8 * i, v);
}

void FillU16(uint8_t* p, int count, uint16_t v)
{
    for (int i = 0; i < count; ++i)
        PutU16LE(p + 2 * i, v);
}

void SetOldBlockConstants(uint8_t* old)
{
    PutF64LE(old + 1090, 1.0);
    PutU16LE(old + 24, 0);
    PutU16LE(old + 26, 1);
    PutU16LE(old + 28, 0);
    PutU16LE(old + 30, 9999);
    PutU16LE(old + 32, 1);
}

} // namespace

uint32_t NormaliseRecordType(uint32_t stored)
{
    switch (stored) {
    case RecordTypePointOld:
    case RecordTypePoint:
        return RecordTypePoint;
    case RecordType14Old:
    case RecordType14:
        return RecordType14;
    case RecordType15Old:
    case RecordType15:
        return RecordType15;
    case RecordType16Old:
    case RecordType16:
        return RecordType16;
    case RecordType4:
    case RecordType7:
    case RecordType9:
    case RecordType10:
    case RecordType11:
    case RecordType12:
    case RecordType17:
    case RecordType18:
        return stored;
    default:
        return RecordTypeFree;
    }
}

CJobFile::CJobFile() : m_recordBuffer(RecordBufferStep)
{
    Reset();
}

void CJobFile::Reset()
{
    m_header.fill(0);
    m_infoSize = m_settingsSize = 0;
    m_frame = CRecordFrame();

    m_info.fill(0);
    PutF64LE(m_info.data() + InfoF64, 1.0);

    uint8_t* s = m_settings.data();
    m_settings.fill(0);
    PutU16LE(s + 6, 65534);
    FillF64(s + 406, 9, NoValue);
    FillU16(s + 478, 4, 65534);
    FillF64(s + 1534, 2, NoValue);
    PutF64LE(s + 1558, 1.0);
    FillF64(s + 1584, 2, NoValue);
    FillF64(s + 1624, 3, NoValue);
    FillF64(s + 3226, 9, NoValue);
    FillF64(s + 3298, 2, NoValue);
    FillF64(s + 3906, 9, NoValue);
    FillF64(s + 3978, 5, NoValue);
}

bool CJobFile::Fail()
{
    m_file.Close();
    return false;
}

bool CJobFile::Close()
{
    // Writes are buffered, so a failed one may only show here.
    return m_file.Close();
}

uint16_t CJobFile::GetVersion() const
{
    return GetU16LE(m_header.data() + 28);
}

uint32_t CJobFile::GetFirstRecordOffset() const
{
    return GetU32LE(m_header.data() + 30);
}

void CJobFile::RefreshInfoFromOldBlock()
{
    const uint8_t* old = m_oldBlock.data();
    uint8_t* info = m_info.data();
    std::memcpy(info + InfoCreated, old + OldCreated, SystemTime::Size);
    std::memcpy(info + InfoU32, old + OldU32, 4);
    std::memcpy(info + InfoF64, old + OldF64, 8);
    std::memcpy(info + InfoU16a, old + OldU16a, 2);
    std::memcpy(info + InfoU16b, old + OldU16b, 2);
}

bool CJobFile::Open(const char* path, bool readOnly)
{
    if (!path)
        return false;
    const unsigned flags = CFileCE::shareDenyWrite | (readOnly ? CFileCE::modeRead : CFileCE::modeReadWrite);
    if (!m_file.Open(path, flags))
        return false;
    Reset();
    // Everything is read into locals first so that a refused file leaves no half-read state.
    std::array<uint8_t, HeaderSize> header {};
    if (!m_file.SeekToBegin() || !m_file.Read(header.data(), HeaderSize) ||
        std::memcmp(header.data(), MagicText, 28) != 0)
        return Fail();
    const uint16_t version = GetU16LE(header.data() + 28);
    if (version < 3) {
        m_header = header;
        return true;
    }
    if (version < 5) {
        std::array<uint8_t, OldBlockSize> old {};
        if (!m_file.Read(old.data(), OldBlockSize))
            return Fail();
        m_header = header;
        m_oldBlock = old;
        RefreshInfoFromOldBlock();
        std::memcpy(m_info.data() + InfoTextOffset, old.data() + OldText, InfoTextBytes);
        PutU16LE(m_info.data() + InfoTextOffset + InfoTextBytes - 2, 0);
        std::memcpy(m_info.data() + InfoLastU32, old.data() + OldLastU32, 4);
        return true;
    }
    uint8_t sizes[8];
    if (!m_file.Read(sizes, 8))
        return Fail();
    const uint32_t infoSize = GetU32LE(sizes);
    const uint32_t settingsSize = GetU32LE(sizes + 4);
    const int64_t length = m_file.GetLength();
    if (length < 0 || 42 + int64_t(infoSize) + int64_t(settingsSize) > length)
        return Fail();
    std::array<uint8_t, InfoBlockSize> info = m_info;
    std::array<uint8_t, SettingsBlockSize> settings = m_settings;
    const uint32_t infoKept = std::min(infoSize, InfoBlockSize);
    const uint32_t settingsKept = std::min(settingsSize, SettingsBlockSize);
    if (!m_file.Read(info.data(), infoKept) || !m_file.SeekTo(42 + int64_t(infoSize)) ||
        !m_file.Read(settings.data(), settingsKept) || !m_file.SeekTo(42 + int64_t(infoSize) + settingsSize))
        return Fail();
    m_header = header;
    m_infoSize = infoSize;
    m_settingsSize = settingsSize;
    m_info = info;
    m_settings = settings;
    return true;
}

bool CJobFile::CreateVersion(const char* path, uint16_t version)
{
    if (!path || (version != 3 && version != 5))
        return false;
    if (!m_file.Open(path, CFileCE::modeCreate | CFileCE::modeReadWrite | CFileCE::shareDenyWrite))
        return false;
    Reset();
    if (!m_file.SeekToBegin())
        return Fail();
    std::memcpy(m_header.data(), MagicText, 28);
    PutU16LE(m_header.data() + 28, version);
    if (version == 5) {
        PutU32LE(m_header.data() + 30, FirstRecordVersion5);
        m_infoSize = InfoBlockSize;
        m_settingsSize = SettingsBlockSize;
        uint8_t sizes[8];
        PutU32LE(sizes, m_infoSize);
        PutU32LE(sizes + 4, m_settingsSize);
        CurrentLocalSystemTime().Store(m_info.data() + InfoCreated);
        if (!m_file.Write(m_header.data(), HeaderSize) || !m_file.Write(sizes, 8) ||
            !m_file.Write(m_info.data(), InfoBlockSize) || !m_file.Write(m_settings.data(), SettingsBlockSize))
            return Fail();
    } else {
        PutU32LE(m_header.data() + 30, FirstRecordVersion3);
        m_oldBlock.fill(0);
        CurrentLocalSystemTime().Store(m_oldBlock.data() + OldCreated);
        SetOldBlockConstants(m_oldBlock.data());
        if (!m_file.Write(m_header.data(), HeaderSize) || !m_file.Write(m_oldBlock.data(), OldBlockSize))
            return Fail();
    }
    return true;
}

bool CJobFile::GetInfoBlock(uint8_t* out)
{
    if (GetVersion() == 3)
        RefreshInfoFromOldBlock();
    std::memcpy(out, m_info.data(), InfoBlockSize);
    return true;
}

bool CJobFile::UpdateInfoBlock(const uint8_t* block)
{
    const uint16_t version = GetVersion();
    // Later versions may lay the block out differently: they are left as they are.
    if (version == 5) {
        // A file with a shorter block would have its settings overwritten.
        if (m_infoSize < InfoBlockSize)
            return false;
        if (!m_file.SeekTo(42) || !m_file.Write(block, InfoBlockSize))
            return false;
        std::memcpy(m_info.data(), block, InfoBlockSize);
        return true;
    }
    if (version == 3) {
        std::array<uint8_t, OldBlockSize> old = m_oldBlock;
        std::memcpy(old.data() + OldCreated, block + InfoCreated, SystemTime::Size);
        std::memcpy(old.data() + OldU32, block + InfoU32, 4);
        std::memcpy(old.data() + OldF64, block + InfoF64, 8);
        std::memcpy(old.data() + OldU16a, block + InfoU16a, 2);
        std::memcpy(old.data() + OldU16b, block + InfoU16b, 2);
        SetOldBlockConstants(old.data());
        if (!m_file.SeekTo(HeaderSize) || !m_file.Write(old.data(), OldBlockSize))
            return false;
        m_oldBlock = old;
        RefreshInfoFromOldBlock();
        return true;
    }
    return true;
}

bool CJobFile::GetCreationTime(uint8_t* out)
{
    uint8_t info[InfoBlockSize];
    GetInfoBlock(info);
    std::memcpy(out, info, SystemTime::Size);
    return true;
}

bool CJobFile::SetCreationTime(const uint8_t* time)
{
    uint8_t info[InfoBlockSize];
    GetInfoBlock(info);
    std::memcpy(info, time, SystemTime::Size);
    return UpdateInfoBlock(info);
}

bool CJobFile::GetOldBlock(uint8_t* out) const
{
    std::memcpy(out, m_oldBlock.data(), OldBlockSize);
    return true;
}

bool CJobFile::GetSettingsBlock(uint8_t* out) const
{
    std::memcpy(out, m_settings.data(), SettingsBlockSize);
    return true;
}

bool CJobFile::UpdateSettingsBlock(const uint8_t* block)
{
    if (GetVersion() < 5 || m_settingsSize < SettingsBlockSize)
        return false;
    // The settings block follows the information block whatever that block's size.
    if (!m_file.SeekTo(42 + int64_t(m_infoSize)) || !m_file.Write(block, SettingsBlockSize))
        return false;
    std::memcpy(m_settings.data(), block, SettingsBlockSize);
    return true;
}

bool CJobFile::HasShortBlocks() const
{
    return !(GetVersion() >= 5 && m_infoSize >= InfoBlockSize && m_settingsSize >= SettingsBlockSize);
}

bool CJobFile::SeekFirstRecord()
{
    return m_file.SeekTo(GetFirstRecordOffset());
}

bool CJobFile::ReadRecordHeader(uint32_t& type, uint32_t& position, uint32_t& length)
{
    if (!m_frame.ReadHeader(m_file, position))
        return false;
    length = m_frame.length;
    type = NormaliseRecordType(m_frame.storedType);
    return true;
}

bool CJobFile::SkipRecord()
{
    return m_frame.Skip(m_file);
}

bool CJobFile::ReadFixed(uint8_t* out, uint32_t length)
{
    if (m_frame.end < 0)
        return false;
    // A frame of exactly the payload's size needs no look at the file's length: the read fails when cut short.
    if (m_frame.length < length || (m_frame.length > length && m_frame.OverrunsFile(m_file))) {
        SkipRecord();
        return false;
    }
    return m_file.Read(out, length) && SkipRecord();
}

bool CJobFile::ReadTwoForm(uint8_t* out, uint32_t oldType, uint32_t oldLength, uint32_t newType, uint32_t newLength)
{
    if (m_frame.storedType == oldType)
        return ReadFixed(out, oldLength);
    if (m_frame.storedType == newType)
        return ReadFixed(out, newLength);
    return true;
}

bool CJobFile::ReadPointRecord(uint8_t* out) { return ReadTwoForm(out, RecordTypePointOld, 92, RecordTypePoint, 100); }
bool CJobFile::ReadRecord14(uint8_t* out) { return ReadTwoForm(out, RecordType14Old, 124, RecordType14, 132); }
bool CJobFile::ReadRecord15(uint8_t* out) { return ReadTwoForm(out, RecordType15Old, 80, RecordType15, 88); }
bool CJobFile::ReadRecord16(uint8_t* out) { return ReadTwoForm(out, RecordType16Old, 104, RecordType16, 112); }
bool CJobFile::ReadRecord4(uint8_t* out) { return ReadFixed(out, 72); }
bool CJobFile::ReadRecord9(uint8_t* out) { return ReadFixed(out, 70); }
bool CJobFile::ReadRecord7(uint8_t* out) { return ReadFixed(out, 110); }
bool CJobFile::ReadRecord10(uint8_t* out) { return ReadFixed(out, 88); }
bool CJobFile::ReadRecord11(uint8_t* out) { return ReadFixed(out, 42); }
bool CJobFile::ReadRecord18(uint8_t* out) { return ReadFixed(out, 542); }

bool CJobFile::ReadCurrentRecord(Record& record)
{
    // Checked before the allocation: the stored length may be anything.
    if (m_frame.end < 0 || m_frame.OverrunsFile(m_file)) {
        record.data.clear();
        return false;
    }
    std::vector<uint8_t> data(m_frame.length);
    if (!m_file.Read(data.data(), m_frame.length)) {
        record.data.clear();
        return false;
    }
    record.type = m_frame.storedType;
    record.length = m_frame.length;
    record.data = std::move(data);
    return true;
}

bool CJobFile::ReadSizedBlock(SizedBlock& block)
{
    uint8_t words[8];
    if (!m_file.Read(words, 4) || !m_file.Read(words + 4, 4))
        return false;
    const uint32_t size = GetU32LE(words);
    std::vector<uint8_t> data;
    if (size > 8) {
        const int64_t position = m_file.GetPosition();
        const int64_t length = m_file.GetLength();
        if (position < 0 || length < 0 || int64_t(size - 8) > length - position)
            return false;
        data.resize(size - 8);
        if (!m_file.Read(data.data(), size - 8))
            return false;
    }
    block.size = size;
    block.second = GetU32LE(words + 4);
    block.data = std::move(data);
    return true;
}

bool CJobFile::AppendRecord(uint32_t type, uint32_t length, const uint8_t* payload)
{
    const uint64_t needed = uint64_t(length) + FrameHeaderSize;
    if (needed > UINT32_MAX)
        return false;
    if (needed > m_recordBuffer.size()) {
        uint64_t capacity = m_recordBuffer.size();
        while (needed > capacity)
            capacity += RecordBufferStep;
        m_recordBuffer.resize(capacity);
    }
    PutU32LE(m_recordBuffer.data(), type);
    PutU32LE(m_recordBuffer.data() + 4, length);
    if (length)
        std::memcpy(m_recordBuffer.data() + FrameHeaderSize, payload, length);
    return m_file.Write(m_recordBuffer.data(), static_cast<uint32_t>(needed));
}

bool CJobFile::WriteTwoForm(const uint8_t* record, uint32_t oldType, uint32_t oldLength, uint32_t newType, uint32_t newLength)
{
    const uint16_t version = GetVersion();
    if (version == 3) {
        std::vector<uint8_t> old(oldLength, 0);
        std::memcpy(old.data(), record, oldLength);
        return AppendRecord(oldType, oldLength, old.data());
    }
    if (version == 5)
        return AppendRecord(newType, newLength, record);
    return false;
}

bool CJobFile::WritePointRecord(const uint8_t* r) { return WriteTwoForm(r, RecordTypePointOld, 92, RecordTypePoint, 100); }
bool CJobFile::WriteRecord14(const uint8_t* r) { return WriteTwoForm(r, RecordType14Old, 124, RecordType14, 132); }
bool CJobFile::WriteRecord15(const uint8_t* r) { return WriteTwoForm(r, RecordType15Old, 80, RecordType15, 88); }
bool CJobFile::WriteRecord16(const uint8_t* r) { return WriteTwoForm(r, RecordType16Old, 104, RecordType16, 112); }
bool CJobFile::WriteRecord4(const uint8_t* r) { return AppendRecord(RecordType4, 72, r); }
bool CJobFile::WriteRecord9(const uint8_t* r) { return AppendRecord(RecordType9, 70, r); }
bool CJobFile::WriteRecord7(const uint8_t* r) { return AppendRecord(RecordType7, 110, r); }
bool CJobFile::WriteRecord10(const uint8_t* r) { return AppendRecord(RecordType10, 88, r); }
bool CJobFile::WriteRecord18(const uint8_t* r) { return AppendRecord(RecordType18, 542, r); }

bool CJobFile::WriteRecord11(const uint8_t* r)
{
    return GetVersion() >= 4 && AppendRecord(RecordType11, 42, r);
}

bool CJobFile::WriteRecord(const Record& record)
{
    if (GetVersion() < 5 || record.length == 0 || record.data.size() < record.length)
        return false;
    return AppendRecord(record.type, record.length, record.data.data());
}

bool CJobFile::AtEnd()
{
    const int64_t position = m_file.GetPosition();
    const int64_t length = m_file.GetLength();
    return position >= 0 && length >= 0 && position >= length;
}

bool CJobFile::FindById(uint32_t wantedType, uint32_t payloadLength, uint32_t id, bool allowFreeSlot)
{
    if (AtEnd())
        return allowFreeSlot;
    std::vector<uint8_t> payload(payloadLength);
    for (;;) {
        if (AtEnd())
            return allowFreeSlot;
        uint32_t type = 0, position = 0, length = 0;
        // A frame that overruns the file is damage, not the end: appending there would bury it.
        if (!ReadRecordHeader(type, position, length) || m_frame.OverrunsFile(m_file))
            return false;
        if (type == RecordTypeFree && length == payloadLength && allowFreeSlot)
            return m_file.SeekTo(position);
        if (type == wantedType) {
            if (!ReadFixed(payload.data(), payloadLength))
                return false;
            if (GetU32LE(payload.data()) == id)
                return m_file.SeekTo(position);
        } else if (!SkipRecord()) {
            return false;
        }
    }
}

bool CJobFile::FindRecord4ById(uint32_t id, bool allowFreeSlot)
{
    return FindById(RecordType4, 72, id, allowFreeSlot);
}

bool CJobFile::FindRecord9ById(uint32_t id, bool allowFreeSlot)
{
    return FindById(RecordType9, 70, id, allowFreeSlot);
}

bool CJobFile::FindFreeSlot(uint32_t wanted)
{
    if (!SeekFirstRecord())
        return false;
    for (;;) {
        if (AtEnd())
            return m_file.SeekToEnd();
        uint32_t type = 0, position = 0, length = 0;
        if (!ReadRecordHeader(type, position, length) || m_frame.OverrunsFile(m_file))
            return false;
        if (m_frame.storedType == RecordTypeFree && length == wanted)
            return m_file.SeekTo(position);
        if (!SkipRecord())
            return false;
    }
}

bool CJobFile::DeleteCurrentRecord()
{
    uint8_t frame[FrameHeaderSize];
    const int64_t start = m_file.GetPosition();
    if (start < 0 || !m_file.Read(frame, FrameHeaderSize) || !m_file.SeekTo(start))
        return false;
    PutU32LE(frame, 0);
    return m_file.Write(frame, FrameHeaderSize) && m_file.SeekTo(start + FrameHeaderSize + GetU32LE(frame + 4));
}

bool CJobFile::SetBuffered(bool buffered)
{
    m_flag = buffered ? 0 : 1;
    return buffered || m_file.Flush();
}

void CJobFile::ResetOldBlockCounters()
{
    PutU16LE(m_oldBlock.data() + 30, 9999);
    PutU16LE(m_oldBlock.data() + 22, 0);
}
