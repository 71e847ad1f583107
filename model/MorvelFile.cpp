#include "model/MorvelFile.h"

#include "core/LittleEndian.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/UnitConstants.h"
#include "core/WideText.h"
#include "model/JobFile.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t TextUnits = 17;
constexpr int OffName = 0;
constexpr int OffDescription = 34;
constexpr int OffNorthing = 68;
constexpr int OffEasting = 76;
constexpr int OffElevation = 84;
constexpr int OffReserved = 92;
constexpr uint32_t RecordBufferStep = 1024;
} // namespace

void EncodePointPayload(const JobFilePoint& point, uint8_t* payload)
{
    std::memset(payload, 0, PointPayloadSize);
    StoreUtf16Field(payload + OffName, TextUnits, point.name);
    StoreUtf16Field(payload + OffDescription, TextUnits, point.description);
    PutF64LE(payload + OffNorthing, point.northing);
    PutF64LE(payload + OffEasting, point.easting);
    PutF64LE(payload + OffElevation, point.elevation);
    PutU32LE(payload + OffReserved, 0);
}

void DecodePointPayload(const uint8_t* payload, JobFilePoint& point)
{
    LoadUtf16Field(payload + OffName, TextUnits, point.name);
    LoadUtf16Field(payload + OffDescription, TextUnits, point.description);
    point.northing = GetF64LE(payload + OffNorthing);
    point.easting = GetF64LE(payload + OffEasting);
    point.elevation = GetF64LE(payload + OffElevation);
}

uint32_t CMorvelFile::NormaliseRecordType(uint32_t stored)
{
    // The job file shares the data-collector file's record types, except that it knows no 18.
    return stored == RecordType18 ? RecordTypeFree : ::NormaliseRecordType(stored);
}

CMorvelFile::CMorvelFile() : m_recordBuffer(RecordBufferStep)
{
    InitJobFileHeader(m_header);
}

bool CMorvelFile::Create(const char* path)
{
    if (!path || !m_file.Open(path, CFileCE::modeCreate | CFileCE::modeReadWrite | CFileCE::shareDenyWrite))
        return false;
    JobFileHeader fresh;
    InitJobFileHeader(fresh);
    return m_file.Write(fresh.bytes.data(), JobFileHeader::Size);
}

bool CMorvelFile::Open(const char* path, bool readOnly)
{
    if (!path)
        return false;
    const unsigned flags = CFileCE::shareDenyWrite | (readOnly ? CFileCE::modeRead : CFileCE::modeReadWrite);
    if (!m_file.Open(path, flags))
        return false;
    JobFileHeader header;
    if (!m_file.Read(header.bytes.data(), JobFileHeader::Size))
        return false;
    header.SetVersion(1);
    if (!IsValidSystemTime(header.GetCreated()) || header.GetAngleUnit() > 1 || header.GetDistanceUnit() > 2)
        return false;
    m_header = header;
    return m_file.SeekToBegin();
}

bool CMorvelFile::GetHeader(JobFileHeader& out) const
{
    out = m_header;
    return true;
}

bool CMorvelFile::WriteHeader(const JobFileHeader& header)
{
    return m_file.SeekToBegin() && m_file.Write(header.bytes.data(), JobFileHeader::Size);
}

bool CMorvelFile::ReadRecordHeader(uint32_t& type, uint32_t& position, uint32_t& length)
{
    if (!m_frame.ReadHeader(m_file, position))
        return false;
    length = m_frame.length;
    type = NormaliseRecordType(m_frame.storedType);
    return true;
}

bool CMorvelFile::SkipRecord()
{
    return m_frame.Skip(m_file);
}

bool CMorvelFile::ReadPointRecord(uint8_t* out)
{
    uint32_t needed;
    if (m_frame.storedType == RecordTypePointOld)
        needed = OldPointPayloadSize;
    else if (m_frame.storedType == RecordTypePoint)
        needed = PointPayloadSize;
    else
        return true;
    if (m_frame.end < 0)
        return false;
    // A frame of exactly the payload's size needs no look at the file's length: the read fails when cut short.
    if (m_frame.length < needed || (m_frame.length > needed && m_frame.OverrunsFile(m_file))) {
        SkipRecord();
        return false;
    }
    uint8_t block[PointPayloadSize] = {};
    if (!m_file.Read(block, needed))
        return false;
    std::memcpy(out, block, needed);
    return SkipRecord();
}

bool CMorvelFile::ReadPoint(JobFilePoint& point)
{
    uint8_t payload[PointPayloadSize] = {};
    if (!ReadPointRecord(payload))
        return false;
    JobFilePoint read;
    DecodePointPayload(payload, read);
    point = std::move(read);
    return true;
}

bool CMorvelFile::ReadExact(void* out, uint32_t length)
{
    return m_file.Read(out, length);
}

bool CMorvelFile::WriteRecord(const void* payload, uint32_t type, uint32_t length)
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

bool CMorvelFile::WritePoint(const JobFilePoint& point)
{
    uint8_t payload[PointPayloadSize];
    EncodePointPayload(point, payload);
    return WritePointRecord(payload);
}

bool CMorvelFile::MarkRecordDeleted()
{
    uint8_t frame[FrameHeaderSize];
    if (!m_file.Read(frame, FrameHeaderSize) || !m_file.Seek(-int64_t(FrameHeaderSize), CFileCE::SeekCurrent))
        return false;
    PutU32LE(frame, RecordTypeFree);
    return m_file.Write(frame, FrameHeaderSize) && m_file.Seek(GetU32LE(frame + 4), CFileCE::SeekCurrent);
}

bool CMorvelFile::ReadAllPoints(std::vector<JobFilePoint>& points)
{
    const int64_t fileLength = m_file.GetLength();
    if (fileLength < JobFileHeader::Size || !SeekToFirstRecord())
        return false;
    std::vector<JobFilePoint> read;
    for (;;) {
        const int64_t at = m_file.GetPosition();
        if (at == fileLength)
            break;
        uint32_t type = 0, position = 0, length = 0;
        if (!ReadRecordHeader(type, position, length) || m_frame.end > fileLength)
            return false;
        if (type == PointRecordType) {
            JobFilePoint point;
            if (!ReadPoint(point))
                return false;
            read.push_back(std::move(point));
        } else if (!SkipRecord()) {
            return false;
        }
    }
    points = std::move(read);
    return true;
}

double MetresToDisplayDistance(uint32_t unit, double metres)
{
    if (!(metres > NoValueLimit))
        return metres;
    if (unit == JobUnitInternationalFeet)
        return metres * MetresToInternationalFeet;
    if (unit == JobUnitUsSurveyFeet)
        return metres * MetresToUsSurveyFeet;
    return metres;
}
