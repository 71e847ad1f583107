#pragma once

#include "core/FileCE.h"

#include <array>
#include <cstdint>
#include <string>

class CMathConversions;
class CPointRecord;

// One point of a data collector's coordinate file, as stored (45 bytes).
struct Rk7Record
{
    static constexpr uint32_t Size = 45;
    static constexpr uint32_t DescriptionSize = 17;

    int32_t number = -1;
    double northing = 5000.0;
    double easting = 5000.0;
    double elevation = 1000.0;
    std::array<char, DescriptionSize> description {};

    void Load(const uint8_t* p);
    void Store(uint8_t* p) const;
    // The description within its field, even when the file gives it no terminator.
    std::string GetDescription() const;
};

// The data collector's binary coordinate file (.Rk7): a 38-byte header, then 45-byte point
// records; the record count follows from the length. Coordinates are in the file's unit.
class CRk7File
{
public:
    static constexpr uint32_t HeaderSize = 38;
    using Header = std::array<uint8_t, HeaderSize>;

    CRk7File();
    virtual ~CRk7File();
    CRk7File(const CRk7File&) = delete;
    CRk7File& operator=(const CRk7File&) = delete;

    // A new file holding a new header.
    bool Create(const char* path);
    // Reads the header; the position is then at the start of the file. False for a file shorter
    // than the header.
    bool Open(const char* path, bool readOnly);
    bool IsOpen() const { return m_file.IsOpen(); }
    bool Close();
    std::string GetFileName() const { return m_file.GetFileName(); }
    std::string GetFilePath() const { return m_file.GetFilePath(); }

    bool SeekToBegin() { return m_file.SeekToBegin(); }
    bool SeekToFirstRecord() { return m_file.SeekTo(HeaderSize); }
    bool GetHeader(Header& header) const;
    bool ReadRecord(Rk7Record& record);
    bool WriteHeader(const Header& header);
    bool WriteRecord(const Rk7Record& record);
    // The placeholder record: number -1, 5000, 5000 and elevation 100, empty description.
    bool WriteDefaultRecord();
    int64_t GetLength() { return m_file.GetLength(); }
    int64_t GetPosition() { return m_file.GetPosition(); }

    // The next record as a point: name from the number, coordinates from the file's unit to
    // metres. False for a null argument (context included) or a failed read.
    bool ReadPoint(CPointRecord* point, const void* context, const CMathConversions* conversions);
    // The point as a record at the current position: number from the name's leading digits (0
    // without), coordinates from metres to the file's unit.
    bool WritePoint(const CPointRecord* point, const CMathConversions* conversions);

    static Header NewHeader();

private:
    CFileCE m_file;
    Header m_header {};
};
