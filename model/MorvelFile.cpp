#include "model/MorvelFile.h"

#include "core/LittleEndian.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/UnitConstants.h"
#include "core/WideText.h"
#include "model/JobFile.h"

#include <algorithm>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
constexpr size_t TextUnits = 17;
constexpr int OffName = PointNameOffset;
constexpr int OffDescription = PointDescriptionOffset;
constexpr int OffNorthing = PointNorthingOffset;
constexpr int OffEasting = PointEastingOffset;
constexpr int OffElevation = PointElevationOffset;
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

void DecodePointText(const uint8_t* field, char (&out)[PointTextRoom])
{
    // Nearly every field is ASCII: copied up to its zero (sixteen units at a time where the
    // processor has vector loads); anything else takes the general decoder, so both give the
    // same text.
#if defined(__SSE2__)
    {
        // Units 0-15 in two loads; masks give two bits a unit. Only units before the first zero
        // are looked at, and the zero itself packs to the text's end.
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(field));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(field + 16));
        const __m128i none = _mm_setzero_si128();
        const __m128i wide = _mm_set1_epi16(int16_t(0xFF80));
        const uint32_t zeros = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi16(low, none))) |
                               (uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi16(high, none))) << 16);
        const uint32_t ascii = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(low, wide), none))) |
                               (uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(high, wide), none))) << 16);
        const uint32_t looked = zeros != 0 ? (zeros & (0u - zeros)) - 1 : ~0u;
        if ((~ascii & looked) != 0)
            goto general;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(low, high));
        if (zeros != 0)
            return;
    }
#else
    for (size_t k = 0; k + 1 < TextUnits; ++k) {
        const uint8_t low = field[2 * k];
        if (field[2 * k + 1] != 0 || low >= 0x80)
            goto general;
        out[k] = static_cast<char>(low);
        if (low == 0)
            return;
    }
#endif
    {
        constexpr size_t k = TextUnits - 1;
        const uint8_t low = field[2 * k];
        if (field[2 * k + 1] == 0 && low < 0x80) {
            out[k] = static_cast<char>(low);
            out[TextUnits] = 0;
            return;
        }
    }
general:
    std::string text;
    LoadUtf16Field(field, TextUnits, text);
    const size_t kept = std::min(text.size(), PointTextRoom - 1);
    std::memcpy(out, text.data(), kept);
    out[kept] = 0;
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

bool CMorvelFile::ReadRecordBytes(std::unique_ptr<uint8_t[]>& bytes, size_t& size, CMorvelFrameCount* count)
{
    const int64_t fileLength = m_file.GetLength();
    if (fileLength < 0 || !SeekToFirstRecord())
        return false;
    const uint64_t wanted = uint64_t(std::max<int64_t>(fileLength - JobFileHeader::Size, 0));
    if (wanted >= SIZE_MAX / 2)
        return false;
    std::unique_ptr<uint8_t[]> read(new (std::nothrow) uint8_t[std::size_t(wanted) + 1]);
    if (!read)
        return false;
    // A file that shrank since its length was asked is walked as far as it was read.
    // Pieces a cache can hold, so that the count walks bytes just read.
    constexpr uint64_t Piece = uint64_t(1) << 18;
    uint64_t got = 0;
    while (got < wanted) {
        const uint32_t piece = static_cast<uint32_t>(std::min(wanted - got, Piece));
        uint32_t arrived = 0;
        if (!m_file.Read(read.get() + got, piece, &arrived))
            return false;
        got += arrived;
        if (count != nullptr)
            count->Take(read.get(), std::size_t(got));
        if (arrived < piece)
            break;
    }
    bytes = std::move(read);
    size = std::size_t(got);
    return true;
}

void CMorvelFrameCount::Take(const uint8_t* bytes, size_t available)
{
    // A frame running past the end leaves next beyond it, which ends the count as the walk ends.
    while (next + CMorvelFile::FrameHeaderSize <= available) {
        const uint8_t* frame = bytes + next;
        ++frames;
        if (CMorvelFile::NormaliseRecordType(GetU32LE(frame)) == CMorvelFile::PointRecordType)
            ++points;
        next += CMorvelFile::FrameHeaderSize + uint64_t(GetU32LE(frame + 4));
    }
}

bool CMorvelRecordWalk::Next(uint32_t& type, uint32_t& length)
{
    if (m_size - m_next < CMorvelFile::FrameHeaderSize)
        return false;
    const uint8_t* frame = m_bytes + m_next;
    m_storedType = GetU32LE(frame);
    m_length = GetU32LE(frame + 4);
    m_start = m_next;
    m_end = uint64_t(m_next) + CMorvelFile::FrameHeaderSize + m_length;
    m_next += CMorvelFile::FrameHeaderSize;
    type = CMorvelFile::NormaliseRecordType(m_storedType);
    length = m_length;
    return true;
}

const uint8_t* CMorvelRecordWalk::PointPayload() const
{
    const uint32_t needed = m_storedType == RecordTypePointOld ? OldPointPayloadSize
                            : m_storedType == RecordTypePoint  ? PointPayloadSize
                                                               : 0;
    if (needed == 0 || m_length < needed || m_end > m_size)
        return nullptr;
    return m_bytes + m_start + CMorvelFile::FrameHeaderSize;
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
