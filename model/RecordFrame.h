#pragma once

#include <cstdint>

class CFileCE;

// The type-and-length frame in front of every record of the job files. The stored length is
// never trusted: the frame remembers where its payload ends, and skipping stops at the end of
// the file, so a huge length can neither wrap into a backwards seek nor leave the walk beyond
// the data.
struct CRecordFrame
{
    static constexpr uint32_t HeaderSize = 8;

    uint32_t storedType = 0;
    uint32_t length = 0;
    int64_t end = -1; // file offset just past the payload; -1 when no frame was read

    // Reads the 8-byte frame at the file's position. A frame that claims more than the file holds
    // is still reported, so that a record cut short fails its payload read instead of silently
    // ending the walk. False only when fewer than 8 bytes remain.
    bool ReadHeader(CFileCE& file, uint32_t& position);
    bool OverrunsFile(CFileCE& file) const;
    // Moves to the end of the frame, or to the end of the file when the frame runs past it.
    // Relative, so that it stays inside the read-ahead.
    bool Skip(CFileCE& file) const;
};
