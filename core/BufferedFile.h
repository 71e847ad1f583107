#pragma once

#include "core/ByteBuffer.h"
#include "core/WindowsFile.h"

#include <memory>

// A WindowsFile that keeps one window of the file in memory, for fast line reading and for
// writes. Writes reach the disk when the window moves elsewhere, on Close and on destruction.
class BufferedFile : public WindowsFile
{
public:
    // A window below 5000 bytes becomes 5000.
    explicit BufferedFile(uint32_t windowSize = 5000);
    ~BufferedFile() override;

    bool Open(const std::string& name, uint32_t flags) override;
    bool Close() override;
    void SeekTo(int32_t position) override { m_position = position; }
    void SeekToEnd() override { m_position = m_length; }
    void Skip(int32_t count) override;
    int32_t GetPosition() override { return m_position; }
    int32_t GetSize() override { return m_length; }
    bool IsEof() override { return m_length <= m_position; }
    // Drops only one CR from a record's end, as the window scan does.
    bool ReadLine(std::string& line) override;
    // Up to 1000 bytes the window scan's rule holds: one CR at the end of what fits is dropped.
    // Larger buffers read as an unbuffered file does.
    uint32_t ReadString(char* buf, uint32_t max) override;
    // Writes into the window; returns count, or 0 when the file is not open.
    uint32_t Write(const void* data, uint32_t count) override;
    // Reads only what lies within the file: fewer bytes than asked at its end.
    uint32_t Read(void* buf, uint32_t count) override;

    uint32_t GetWindowSize() const { return m_windowSize; }
    // Writes pending changes to the disk; false when that failed.
    bool Flush();

private:
    enum State { Holding = 0, Changed = 1, Empty = 2 };

    void AllocateWindow();
    bool LoadWindow(int32_t at);
    // Makes the window hold [position, position + n) when possible; the bytes usable from the
    // position, 0 when the window cannot hold it.
    int64_t Access(int64_t n);

    std::unique_ptr<ByteBuffer> m_window;
    State m_state = Empty;
    int32_t m_windowStart = 0;
    int32_t m_windowCount = 0; // valid bytes in the window: file data and what was written
    uint32_t m_windowSize;
    int32_t m_position = 0;
    int32_t m_writtenEnd = 0;
    int32_t m_length = 0;
    bool m_flushFailed = false;
};
