#pragma once

#include "core/FileCE.h"
#include "model/RecordFrame.h"
#include "model/JobRecordTypes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The data collectors' binary job file: a 34-byte header with the magic text and version,
// version-dependent information and settings blocks, then type-and-length framed records.
class CJobFile
{
public:
    static constexpr uint32_t HeaderSize = 34;
    static constexpr uint32_t OldBlockSize = 2124;
    static constexpr uint32_t InfoBlockSize = 558;
    static constexpr uint32_t SettingsBlockSize = 4018;
    static constexpr uint32_t FrameHeaderSize = 8;
    static constexpr uint32_t FirstRecordVersion3 = 2158;
    static constexpr uint32_t FirstRecordVersion5 = 4618;
    static constexpr const char* MagicText = "QuorelVantisMarcato Job File";

    // A whole record: its stored type, payload length and payload.
    struct Record
    {
        uint32_t type = 0;
        uint32_t length = 0;
        std::vector<uint8_t> data;
    };
    // A block led by its own size (which counts the two leading words) and a second word.
    struct SizedBlock
    {
        uint32_t size = 0;
        uint32_t second = 0;
        std::vector<uint8_t> data;
    };

    CJobFile();
    virtual ~CJobFile() = default;
    CJobFile(const CJobFile&) = delete;
    CJobFile& operator=(const CJobFile&) = delete;

    // Reads the header and the blocks of its version; refused files are closed. False, touching
    // nothing, while a file is open.
    bool Open(const char* path, bool readOnly);
    // False when buffered writes could not be completed.
    bool Close();
    bool IsOpen() const { return m_file.IsOpen(); }
    bool Create(const char* path) { return CreateVersion(path, 5); }
    // Versions 3 and 5 only; false while a file is open.
    bool CreateVersion(const char* path, uint16_t version);

    uint16_t GetVersion() const;
    uint32_t GetFirstRecordOffset() const;

    bool GetInfoBlock(uint8_t* out558);
    // Version 5: rewrites the information block; version 3: the old block's shared fields; other
    // versions: true, nothing written.
    bool UpdateInfoBlock(const uint8_t* block558);
    bool GetCreationTime(uint8_t* out16);
    bool SetCreationTime(const uint8_t* time16);
    bool GetOldBlock(uint8_t* out2124) const;
    bool GetSettingsBlock(uint8_t* out4018) const;
    // False below version 5.
    bool UpdateSettingsBlock(const uint8_t* block4018);
    // True when the file's blocks are shorter than the program's.
    bool HasShortBlocks() const;

    bool SeekFirstRecord();
    // Reads and keeps the frame header at the current position; the type returned is normalised.
    // False when fewer than 8 bytes remain.
    bool ReadRecordHeader(uint32_t& type, uint32_t& position, uint32_t& length);
    // To the end of the current frame, or to the end of the file when the frame is cut short.
    bool SkipRecord();
    int64_t GetPosition() { return m_file.GetPosition(); }
    int64_t GetLength() { return m_file.GetLength(); }
    bool SeekTo(int64_t offset) { return m_file.SeekTo(offset); }
    bool SeekToEnd() { return m_file.SeekToEnd(); }

    // Payload readers, after ReadRecordHeader. The two-form kinds read by the stored type (old form
    // into the first bytes of the caller's record; other types: true, nothing read). A frame shorter
    // than the payload or cut short by the end of the file is refused; the file is left at the end
    // of the frame.
    bool ReadPointRecord(uint8_t* out100);
    bool ReadRecord14(uint8_t* out132);
    bool ReadRecord15(uint8_t* out88);
    bool ReadRecord16(uint8_t* out112);
    bool ReadRecord4(uint8_t* out72);
    bool ReadRecord9(uint8_t* out70);
    bool ReadRecord7(uint8_t* out110);
    bool ReadRecord10(uint8_t* out88);
    bool ReadRecord11(uint8_t* out42);
    bool ReadRecord18(uint8_t* out542);
    bool ReadCurrentRecord(Record& record);
    bool ReadSizedBlock(SizedBlock& block);

    // Writers append a frame at the current position. The two-form kinds write the old form into
    // version 3 files and the new form into version 5 files.
    bool WritePointRecord(const uint8_t* record100);
    bool WriteRecord14(const uint8_t* record132);
    bool WriteRecord15(const uint8_t* record88);
    bool WriteRecord16(const uint8_t* record112);
    bool WriteRecord4(const uint8_t* record72);
    bool WriteRecord9(const uint8_t* record70);
    bool WriteRecord7(const uint8_t* record110);
    bool WriteRecord10(const uint8_t* record88);
    bool WriteRecord11(const uint8_t* record42); // version 4 and later
    bool WriteRecord18(const uint8_t* record542);
    bool WriteRecord(const Record& record); // version 5 and later

    // From the current position: positions at the record with the id (or, when allowed, at the first
    // deleted record of the same size, or at the end of the file).
    bool FindRecord4ById(uint32_t id, bool allowFreeSlot);
    bool FindRecord9ById(uint32_t id, bool allowFreeSlot);
    // Positions at the first deleted record of exactly that payload length, else at the end.
    bool FindFreeSlot(uint32_t length);
    bool DeleteCurrentRecord();

    // Clears the flag byte when buffering, sets it otherwise; writes through when not buffering.
    bool SetBuffered(bool buffered);
    void ResetOldBlockCounters();

    uint32_t GetRecordBufferCapacity() const { return static_cast<uint32_t>(m_recordBuffer.size()); }

private:
    void Reset();
    bool Fail(); // closes the file, false
    bool ReadTwoForm(uint8_t* out, uint32_t oldType, uint32_t oldLength, uint32_t newType, uint32_t newLength);
    bool ReadFixed(uint8_t* out, uint32_t length);
    bool WriteTwoForm(const uint8_t* record, uint32_t oldType, uint32_t oldLength, uint32_t newType, uint32_t newLength);
    bool AppendRecord(uint32_t type, uint32_t length, const uint8_t* payload);
    bool FindById(uint32_t type, uint32_t payloadLength, uint32_t id, bool allowFreeSlot);
    bool AtEnd();
    void RefreshInfoFromOldBlock();

    std::vector<uint8_t> m_recordBuffer;
    CFileCE m_file;
    std::array<uint8_t, OldBlockSize> m_oldBlock {};
    std::array<uint8_t, HeaderSize> m_header {};
    uint32_t m_infoSize = 0;
    uint32_t m_settingsSize = 0;
    std::array<uint8_t, InfoBlockSize> m_info {};
    std::array<uint8_t, SettingsBlockSize> m_settings {};
    CRecordFrame m_frame;
    uint8_t m_flag = 0;
};

// Stored type 0 and unknown types read as 0.
uint32_t NormaliseRecordType(uint32_t storedType);
