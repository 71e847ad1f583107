#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A thin file class over an operating-system file descriptor. String records are either CR LF
// text lines or NUL-terminated strings (the default).
class WindowsFile
{
public:
    // Open flags.
    static constexpr uint32_t kRead = 0x1;
    static constexpr uint32_t kWrite = 0x2;
    static constexpr uint32_t kCreate = 0x4;     // create or truncate; without it the file must exist
    static constexpr uint32_t kShareRead = 0x100; // sharing bits are accepted and have no effect here
    static constexpr uint32_t kShareWrite = 0x200;

    WindowsFile() = default;
    WindowsFile(const std::string& name, uint32_t flags);
    virtual ~WindowsFile();
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;

    virtual bool Open(const std::string& name, uint32_t flags);
    // Opens again with the last name and flags when closed.
    virtual void Reopen();
    // False when data could not be written or the file not closed cleanly.
    virtual bool Close();
    virtual bool IsOpen() const;
    virtual void SetNulTerminated(bool on);
    virtual void SeekTo(int32_t position);
    virtual void SeekToEnd();
    virtual void Skip(int32_t count);
    // 0 when it cannot be told.
    virtual int32_t GetPosition();
    virtual int32_t GetSize();
    virtual bool IsEof();
    virtual bool WriteChar(char c);
    // At the end of the file *eof becomes true and the result is 0.
    virtual char ReadChar(bool* eof);
    // Reads one string record into buf (at most max - 1 bytes and a closing 0; the rest of a
    // longer record is skipped). Trailing CR and LF bytes of what fits are dropped. Returns the
    // number of bytes stored; at the end of the file buf becomes empty and the result is 0.
    virtual uint32_t ReadString(char* buf, uint32_t max);
    // Reads one whole string record of any length, NUL bytes included in text mode, without its
    // terminator and trailing CR and LF bytes. False at the end of the file, `line` then unchanged.
    virtual bool ReadLine(std::string& line);
    // Bytes written or read; 0 on failure.
    virtual uint32_t Write(const void* data, uint32_t count);
    virtual uint32_t Read(void* buf, uint32_t count);

    bool IsNulTerminated() const { return m_nulTerminated; }
    bool OpenFailed() const { return m_openFailed; }
    bool ReadFailed() const { return m_readFailed; }
    const std::string& GetFileName() const { return m_fileName; }

    // Writes the text and its record end (CR LF, or a 0 byte); returns the text's bytes written.
    uint32_t WriteString(std::string_view text);
    // Formats in the C locale (numbers always with '.') and writes the result as a string record.
    // Any length is allowed.
    uint32_t Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    uint32_t WriteStringAndEofMarker(std::string_view text);
    // Reads from the current position up to and including a 0x1A byte, or to the end of the file,
    // and returns the file size minus the bytes read.
    int32_t CountToEofMarker();

protected:
    int m_fd = -1;
    std::string m_fileName;
    uint32_t m_openFlags = 0;
    bool m_nulTerminated = true;
    bool m_openFailed = false;
    bool m_readFailed = false;
};
