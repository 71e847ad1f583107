#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// What GetStatus reports about an open file.
struct CFileStatus
{
    std::string path;
    int64_t size = 0;
    std::time_t modified = 0;
    std::time_t changed = 0;
    bool readOnly = false;
};

// The file under the program's own formats: a read-ahead buffer with a CR LF line reader, a write
// buffer so that many small records cost few system calls, text lines written with CR LF (8-bit
// or UTF-16LE), and failures reported as false rather than thrown.
class CFileCE
{
public:
    // Open flags, numbered as the file flags stored by older callers.
    static constexpr unsigned modeRead = 0x0000;
    static constexpr unsigned modeWrite = 0x0001;
    static constexpr unsigned modeReadWrite = 0x0002;
    static constexpr unsigned shareDenyWrite = 0x0020; // accepted; Linux has no share modes
    static constexpr unsigned modeCreate = 0x1000;
    static constexpr unsigned modeNoTruncate = 0x2000;
    static constexpr unsigned typeText = 0x4000;  // ignored: files are always binary
    static constexpr unsigned typeBinary = 0x8000;

    static constexpr uint32_t WriteBufferSize = 16384;
    static constexpr uint32_t ReadBufferSize = 131072;

    explicit CFileCE(bool wideText = false);
    ~CFileCE();
    CFileCE(const CFileCE&) = delete;
    CFileCE& operator=(const CFileCE&) = delete;

    // False when already open. Files opened for writing get the small buffer, others the large one.
    bool Open(const std::string& path, unsigned flags);
    // Writes what is buffered and closes; false when that write or the close failed.
    bool Close();
    bool IsOpen() const { return m_fd >= 0; }

    // Without countRead, true only when all count bytes were read; with it, true and the count read.
    bool Read(void* dest, uint32_t count, uint32_t* countRead = nullptr);
    // False while a partly read line is pending. Bytes may stay buffered until the next
    // read, seek, flush or close, which then reports a failed write.
    bool Write(const void* data, uint32_t count);
    // Next line without its CR LF (or LF); lines have no length limit. Always false on wide-text files.
    bool ReadLine(std::string& line);
    // Writes the text with every LF turned into a line end and a line end at its close;
    // an empty text writes one line end. False when a write failed.
    bool WriteText(const std::string& text);
    bool Flush();

    int64_t GetPosition();
    // Seek origins.
    static constexpr int SeekBegin = 0;
    static constexpr int SeekCurrent = 1;
    static constexpr int SeekEnd = 2;
    bool Seek(int64_t offset, int origin);
    bool SeekTo(int64_t offset) { return Seek(offset, SeekBegin); }
    bool SeekToBegin() { return Seek(0, SeekBegin); }
    bool SeekToEnd() { return Seek(0, SeekEnd); }
    bool SetLength(uint32_t length);
    // -1 when it cannot be had.
    int64_t GetLength();

    std::string GetFileName() const;
    std::string GetFileTitle() const;
    std::string GetFilePath() const { return m_path; }
    bool GetStatus(CFileStatus& status);

    uint32_t GetBufferSize() const { return m_bufferSize; }

private:
    // Writes pending bytes, then drops the read-ahead and puts the file where the caller thinks it is.
    bool SyncPosition();
    bool FlushWrites();
    bool FillPeek();
    bool WriteAll(const uint8_t* data, size_t count);

    int m_fd = -1;
    std::string m_path;
    std::vector<uint8_t> m_buffer;
    uint32_t m_bufferSize = 0;
    uint32_t m_bufferPos = 0;
    uint32_t m_bufferCount = 0;
    uint32_t m_writeCount = 0; // bytes at the start of m_buffer not yet written
    char m_peek[256] = {};
    int32_t m_peekPos = 0;
    int32_t m_peekCount = 0;
    bool m_wideText = false;
    int64_t m_cachedPosition = -1;
};

// UTF-8 to at most count UTF-16 units; dest[count] is always 0 (dest holds count + 1 units).
void CopyToWideString(char16_t* dest, const char* src, size_t count);
// At most count bytes of src; dest[count] is always 0 (dest holds count + 1 bytes).
void CopyTextN(char* dest, const char* src, size_t count);
