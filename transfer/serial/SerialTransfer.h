#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class CMorvelSettings;
class CSerialLink;

// What a transfer shows while it runs. The window layer disables the owner window and shows the
// progress dialog in `start`, and undoes both in `finish`; tests record the calls. Every member
// may be left empty.
struct CTransferCallbacks
{
    // The loop has its port and file: the dialog appears. `total` is the file's length in bytes
    // for the senders, 0 for the receiver.
    std::function<void(uint32_t total)> start;
    // Bytes sent so far, after every complete write.
    std::function<void(uint32_t sent)> progress;
    // Text that has just arrived (the end byte left out).
    std::function<void(std::string_view text)> received;
    // Pumps waiting window messages; answers whether Cancel was pressed.
    std::function<bool()> pump;
    // The loop is done: the dialog goes, the owner window comes back.
    std::function<void()> finish;
};

// The line a transfer uses, as the transfer preferences hold it.
struct CTransferLine
{
    uint32_t port = 1;
    // The device stored beside the port; empty: the port's own (GetComPortDevice).
    std::string device;
    int64_t baudRate = 4800;
    uint32_t parity = 0; // 0 none, 1 odd, 2 even
    // 0: the loop's own time-out (100 ms for the block sender and the receiver, 1000 ms for the
    // line sender, which then waits that long for a reply to each line).
    uint32_t timeout = 0;
};

CTransferLine GetTransferLine(const CMorvelSettings& settings);

// Loop parameters the Part fixes; named so that code and tests share them.
inline constexpr uint32_t TransferBlockSize = 128;
inline constexpr uint32_t TransferRetryPasses = 100;
inline constexpr uint32_t TransferReplyBytes = 6;
inline constexpr uint32_t ReceiveBufferSize = 4085;
inline constexpr uint32_t ReceiveFlushLevel = 3063; // three quarters of the buffer
inline constexpr uint32_t ReceiveReadSize = 16;
inline constexpr uint32_t ReceiveIdlePasses = 100;
inline constexpr char TransferEndOfFile = 0x1A;

inline constexpr uint32_t BlockSendTimeout = 100;
inline constexpr uint32_t LineSendTimeout = 1000;
inline constexpr uint32_t ReceiveTimeout = 100;

// Sends the file's bytes in 128-byte blocks under XON/XOFF.
bool SendFileInBlocks(const std::string& path, const CTransferLine& line, const CTransferCallbacks& callbacks);
// Sends the file line by line, each line waiting for the instrument's reply or the time-out.
bool SendFileByLines(const std::string& path, const CTransferLine& line, const CTransferCallbacks& callbacks);
// Stores what the instrument sends, until its end byte 0x1A, in a new file at `path`.
bool ReceiveFile(const std::string& path, const CTransferLine& line, const CTransferCallbacks& callbacks);

// The loops over a line the caller opened and will close: the same messages and results.
bool SendFileInBlocksOver(CSerialLink& link, const std::string& path, const CTransferCallbacks& callbacks);
bool SendFileByLinesOver(CSerialLink& link, const std::string& path, const CTransferCallbacks& callbacks);
bool ReceiveFileOver(CSerialLink& link, const std::string& path, const CTransferCallbacks& callbacks);

enum class PortOpenFailure;

// "Unable to open COM %d on the PC. ..." for the port, naming the device after the number, and
// what to do about the cause: a busy port (and an unknown cause) keeps the usual advice; a
// refused permission names the device's group to join.
std::string FormatPortOpenFailure(uint32_t port, const std::string& device, PortOpenFailure failure);
