#include "model/RecordFrame.h"

#include "core/FileCE.h"
#include "core/LittleEndian.h"

#include <algorithm>

bool CRecordFrame::ReadHeader(CFileCE& file, uint32_t& position)
{
    end = -1;
    const int64_t start = file.GetPosition();
    if (start < 0)
        return false;
    uint8_t frame[HeaderSize];
    if (!file.Read(frame, HeaderSize))
        return false;
    storedType = GetU32LE(frame);
    length = GetU32LE(frame + 4);
    end = start + HeaderSize + int64_t(length);
    position = static_cast<uint32_t>(start);
    return true;
}

bool CRecordFrame::OverrunsFile(CFileCE& file) const
{
    const int64_t fileLength = file.GetLength();
    return fileLength < 0 || end > fileLength;
}

bool CRecordFrame::Skip(CFileCE& file) const
{
    if (end < 0)
        return false;
    const int64_t position = file.GetPosition();
    if (position < 0)
        return false;
    if (position == end)
        return true;
    const int64_t fileLength = file.GetLength();
    if (fileLength < 0)
        return false;
    const int64_t target = std::min(end, fileLength);
    return position == target || file.Seek(target - position, CFileCE::SeekCurrent);
}
