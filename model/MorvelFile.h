#pragma once

#include "core/FileCE.h"
#include "model/RecordFrame.h"
#include "model/JobFileHeader.h"
#include "model/JobRecordTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A point as the job file stores it, free of the in-memory record classes.
struct JobFilePoint
{
    std::string name;        // at most 16 characters are stored
    std::string description; // at most 16 characters are stored
    double northing = 0.0;
    double easting = 0.0;
    double elevation = -9.99e27; // NoValue when the point has none
};

// Byte layout of a point payload.
constexpr uint32_t PointPayloadSize = 100;
constexpr uint32_t OldPointPayloadSize = 92;
constexpr uint32_t PointNameOffset = 0;
constexpr uint32_t PointDescriptionOffset = 34;
constexpr uint32_t PointNorthingOffset = 68;
constexpr uint32_t PointEastingOffset = 76;
constexpr uint32_t PointElevationOffset = 84;
void EncodePointPayload(const JobFilePoint& point, uint8_t* payload100);
void DecodePointPayload(const uint8_t* payload100, JobFilePoint& point);
// Room for a decoded name or description: 17 UTF-16 units give at most 51 bytes of UTF-8.
constexpr size_t PointTextRoom = 64;
// A payload's text field (name at 0, description at 34) as a NUL-terminated text in out, the same
// text DecodePointPayload gives, without a string per field.
void DecodePointText(const uint8_t* field, char (&out)[PointTextRoom]);

// The job file: a 240-byte header followed by type-and-length framed records.
class CMorvelFile
{
public:
    static constexpr uint32_t PointRecordType = RecordTypePoint;
    static constexpr uint32_t FrameHeaderSize = 8;

    CMorvelFile();
    // Old and new numbers of a kind read as the new one; 0 and unknown types read as 0.
    static uint32_t NormaliseRecordType(uint32_t storedType);
    virtual ~CMorvelFile() = default;
    CMorvelFile(const CMorvelFile&) = delete;
    CMorvelFile& operator=(const CMorvelFile&) = delete;

    // Creates (truncating) and writes a fresh header.
    bool Create(const char* path);
    // Refuses a header with an impossible creation time or units out of range; a version other
    // than 1 is accepted and read as 1. The file stays open after a refused header.
    bool Open(const char* path, bool readOnly);
    bool Close() { return m_file.Close(); }
    bool IsOpen() const { return m_file.IsOpen(); }

    bool GetHeader(JobFileHeader& out) const;
    bool WriteHeader(const JobFileHeader& header);

    bool SeekToFirstRecord() { return m_file.SeekTo(JobFileHeader::Size); }
    bool SeekTo(int64_t position) { return m_file.SeekTo(position); }
    bool SeekToBegin() { return m_file.SeekToBegin(); }
    bool SeekToEnd() { return m_file.SeekToEnd(); }
    int64_t GetPosition() { return m_file.GetPosition(); }
    int64_t GetLength() { return m_file.GetLength(); }
    std::string GetFileName() const { return m_file.GetFileName(); }
    std::string GetFilePath() const { return m_file.GetFilePath(); }

    // Reads the frame at the current position; type is normalised. False when fewer than 8 bytes remain.
    bool ReadRecordHeader(uint32_t& type, uint32_t& position, uint32_t& length);
    // Moves to the end of the current frame, or to the end of the file when the frame is cut short.
    bool SkipRecord();
    // After ReadRecordHeader: a point frame (stored 1 or 13) is read into out100 and the file left at
    // the frame's end; a frame too short for its type or cut short by the end of the file is
    // refused. Other types: true, nothing read.
    bool ReadPointRecord(uint8_t* out100);
    bool ReadPoint(JobFilePoint& point);
    bool ReadExact(void* out, uint32_t length);
    // Moves past that many bytes, inside the read-ahead when it holds them.
    bool SkipBytes(uint32_t length) { return m_file.Seek(int64_t(length), CFileCE::SeekCurrent); }

    bool WriteRecord(const void* payload, uint32_t type, uint32_t length);
    bool WritePointRecord(const uint8_t* payload100) { return WriteRecord(payload100, PointRecordType, PointPayloadSize); }
    bool WritePoint(const JobFilePoint& point);
    // At the start of a frame: stores it again with type 0 and moves past it.
    bool MarkRecordDeleted();

    // Walks every frame from the first record and collects the points. False, with points
    // untouched, when a frame is cut short or a point frame is malformed.
    bool ReadAllPoints(std::vector<JobFilePoint>& points);

    // Everything from the first record to the end of the file in one read, for a walk in memory;
    // the frames are counted into count, when given, as the bytes arrive. False when the file
    // cannot be read or the room cannot be had.
    bool ReadRecordBytes(std::unique_ptr<uint8_t[]>& bytes, size_t& size, struct CMorvelFrameCount* count = nullptr);

private:

    std::vector<uint8_t> m_recordBuffer;
    CFileCE m_file;
    JobFileHeader m_header;
    CRecordFrame m_frame;
};

// The frames and point frames the walk below meets, counted piece by piece while the bytes
// are read, when they are still in the cache.
struct CMorvelFrameCount
{
    int32_t frames = 0;
    int32_t points = 0;
    uint64_t next = 0; // where the next frame starts

    // Counts the frames whose 8 bytes lie within the first `available` bytes, from where the last
    // call stopped.
    void Take(const uint8_t* bytes, size_t available);
};

// The frames of records read whole into memory, walked by the same rules as the file's frame
// reader: a frame needs its 8 bytes, and one that runs past the end leaves the walk at the end.
class CMorvelRecordWalk
{
public:
    CMorvelRecordWalk(const uint8_t* bytes, size_t size) : m_bytes(bytes), m_size(size) {}

    // The next frame's normalised type and stored length; false when fewer than 8 bytes remain.
    bool Next(uint32_t& type, uint32_t& length);
    // After Next on a point frame: its payload (92 or 100 bytes by the stored type), or null when
    // the frame is too short for it or cut short by the end, as the file's point reader refuses it.
    const uint8_t* PointPayload() const;
    // To the frame's end, or the end of the bytes when it runs past them.
    void Skip() { m_next = m_end < m_size ? m_end : m_size; }

private:
    const uint8_t* m_bytes;
    size_t m_size;
    size_t m_next = 0;
    size_t m_start = 0;
    uint64_t m_end = 0;
    uint32_t m_storedType = 0;
    uint32_t m_length = 0;
};

// Metres to the job's distance unit (1 international foot, 2 US survey foot); no value passes unchanged.
double MetresToDisplayDistance(uint32_t unit, double metres);
