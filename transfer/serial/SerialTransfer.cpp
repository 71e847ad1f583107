#include "transfer/serial/SerialTransfer.h"

#include "core/FileCE.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"
#include "transfer/serial/SerialPort.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <grp.h>
#include <sys/stat.h>

namespace {

// Calls `finish` on every way out of a loop, once `start` was called.
class CTransferDisplay
{
public:
    explicit CTransferDisplay(const CTransferCallbacks& callbacks) : m_callbacks(callbacks) {}
    ~CTransferDisplay()
    {
        if (m_started && m_callbacks.finish)
            m_callbacks.finish();
    }
    CTransferDisplay(const CTransferDisplay&) = delete;
    CTransferDisplay& operator=(const CTransferDisplay&) = delete;

    void Start(uint32_t total)
    {
        m_started = true;
        if (m_callbacks.start)
            m_callbacks.start(total);
    }
    void Progress(uint32_t sent) const
    {
        if (m_callbacks.progress)
            m_callbacks.progress(sent);
    }
    void Received(const uint8_t* data, uint32_t count) const
    {
        if (count > 0 && m_callbacks.received)
            m_callbacks.received(std::string_view(reinterpret_cast<const char*>(data), count));
    }
    // True when Cancel was pressed.
    bool Pump() const { return m_callbacks.pump && m_callbacks.pump(); }

private:
    const CTransferCallbacks& m_callbacks;
    bool m_started = false;
};

bool Fail(const char* message)
{
    ShowMessageBoxFS(message, MB_OK);
    return false;
}

bool Cancelled(CSerialLink& link)
{
    // Whatever the driver still holds would only delay the close on a line stopped by XOFF.
    link.DiscardOutput();
    return Fail("Transfer Cancelled");
}

// The group whose members may open the device; serial ports belong to "dialout" on Debian and
// its kin, the name given when the device's own cannot be told. Empty for a device of group
// root, where joining a group would not help.
std::string DeviceGroupName(const std::string& device)
{
    struct stat st {};
    if (::stat(device.c_str(), &st) == 0) {
        if (st.st_gid == 0)
            return {};
        if (const group* owner = ::getgrgid(st.st_gid); owner != nullptr && owner->gr_name != nullptr)
            return owner->gr_name;
    }
    return "dialout";
}

uint32_t FileLength(CFileCE& file)
{
    const int64_t length = file.GetLength();
    return length < 0 ? 0 : static_cast<uint32_t>(std::min<int64_t>(length, UINT32_MAX));
}

template <class Loop>
bool RunOverPort(const CTransferLine& line, uint8_t handshake, uint32_t timeout, Loop loop)
{
    CSerialPort port;
    port.SetPort(line.port);
    const std::string device = GetComPortDevice(line.port, line.device);
    port.SetDevicePath(device);
    port.SetBaudRate(line.baudRate);
    port.SetParity(line.parity);
    port.SetHandshake(handshake);
    port.SetTimeout(line.timeout != 0 ? line.timeout : timeout);
    if (!port.Open())
        return Fail(FormatPortOpenFailure(line.port, device, port.GetOpenFailure()).c_str());
    const bool result = loop(port);
    port.Close();
    return result;
}

} // namespace

CTransferLine GetTransferLine(const CMorvelSettings& settings)
{
    CTransferLine line;
    line.port = static_cast<uint32_t>(std::max(settings.GetComPort(), 0));
    line.device = settings.GetComDevice();
    line.baudRate = settings.GetBaudRate();
    line.parity = static_cast<uint32_t>(std::max(settings.GetParity(), 0));
    return line;
}

std::string FormatPortOpenFailure(uint32_t port, const std::string& device, PortOpenFailure failure)
{
    std::string text = "Unable to open COM " + std::to_string(port) + (device.empty() ? "" : " (" + device + ")") +
                       " on the PC.  \n";
    switch (failure) {
    case PortOpenFailure::Permission: {
        const std::string group = DeviceGroupName(device);
        if (group.empty())
            return text + "This user has no permission to use the port: try a different port.";
        return text + "This user may not use the port: join the group \"" + group +
               "\" and log in again, OR try a different port.";
    }
    case PortOpenFailure::NoDevice:
        return text + "There is no such device: check that the cable or adapter is plugged in, OR try a "
                      "different port.";
    case PortOpenFailure::NotSerialPort:
        return text + "The device is not a serial port: try a different port.";
    case PortOpenFailure::NoHardware:
        return text + "There is no device behind this port: try a different port.";
    default:
        return text + "Make sure no program is using the port OR try a different port.";
    }
}

bool SendFileInBlocksOver(CSerialLink& link, const std::string& path, const CTransferCallbacks& callbacks)
{
    CFileCE file;
    if (!file.Open(path, CFileCE::modeRead))
        return Fail("Transfer failed: file cannot be opened");
    CTransferDisplay display(callbacks);
    display.Start(FileLength(file));

    uint8_t block[TransferBlockSize];
    uint32_t count = 0;
    uint32_t resume = 0;
    uint32_t skip = 0;
    uint32_t sent = 0;
    bool pending = false;
    for (;;) {
        if (!pending) {
            count = 0;
            resume = 0;
            if (!file.Read(block, TransferBlockSize, &count))
                return Fail("Transfer failed: cannot read file");
        }
        if (skip == 0) {
            if (count == 0)
                return true;
            uint32_t written = 0;
            if (link.Write(block + resume, count - resume, &written)) {
                pending = false;
                sent += count;
                display.Progress(sent);
            } else {
                resume += std::min(written, count - resume);
                pending = true;
                skip = TransferRetryPasses;
            }
        } else {
            --skip;
            link.WaitIdle(true);
        }
        if (display.Pump())
            return Cancelled(link);
    }
}

bool SendFileByLinesOver(CSerialLink& link, const std::string& path, const CTransferCallbacks& callbacks)
{
    CFileCE file;
    if (!file.Open(path, CFileCE::modeRead))
        return Fail("Transfer failed: file cannot be opened");
    // The total is what goes on the wire (each line with one LF, without the CR the reader drops),
    // so the progress ends at exactly 100 %.
    uint64_t total = 0;
    std::string text;
    while (file.ReadLine(text))
        total += text.size() + 1;
    if (!file.SeekToBegin())
        return Fail("Transfer failed: cannot read file");
    CTransferDisplay display(callbacks);
    display.Start(static_cast<uint32_t>(std::min<uint64_t>(total, UINT32_MAX)));

    uint32_t resume = 0;
    uint32_t skip = 0;
    uint32_t sent = 0;
    bool pending = false;
    const bool notCancelled = false;
    for (;;) {
        if (!pending) {
            if (!file.ReadLine(text))
                return true;
            text += '\n';
            resume = 0;
        }
        if (skip == 0) {
            const uint32_t length = static_cast<uint32_t>(text.size());
            uint32_t written = 0;
            if (link.Write(text.data() + resume, length - resume, &written)) {
                pending = false;
                sent += length;
                display.Progress(sent);
            } else {
                resume += std::min(written, length - resume);
                pending = true;
                skip = TransferRetryPasses;
            }
        } else {
            --skip;
        }
        if (display.Pump())
            return Cancelled(link);
        // The instrument's acknowledgement paces the lines; without one the time-out does.
        uint8_t reply[TransferReplyBytes];
        uint32_t got = 0;
        link.Read(reply, TransferReplyBytes, &got, &notCancelled);
    }
}

bool ReceiveFileOver(CSerialLink& link, const std::string& path, const CTransferCallbacks& callbacks)
{
    CFileCE file;
    if (!file.Open(path, CFileCE::modeCreate | CFileCE::modeWrite))
        return Fail("Transfer failed: file cannot be opened");
    CTransferDisplay display(callbacks);
    display.Start(0);

    std::vector<uint8_t> buffer(ReceiveBufferSize);
    uint32_t fill = 0;
    uint32_t idle = 0;
    bool done = false;
    bool cancel = false;
    for (;;) {
        if (idle == 0) {
            const uint32_t room = std::min(ReceiveReadSize, ReceiveBufferSize - fill);
            uint32_t got = 0;
            const bool readOk = link.Read(buffer.data() + fill, room, &got, &cancel);
            if (!readOk)
                got = 0;
            got = std::min(got, room);
            // The end byte ends the download wherever it lies in the read; what follows it in
            // the same read is not part of the download.
            uint32_t keep = got;
            if (const void* end = std::memchr(buffer.data() + fill, TransferEndOfFile, got)) {
                keep = static_cast<uint32_t>(static_cast<const uint8_t*>(end) - (buffer.data() + fill));
                done = true;
            }
            const std::string arrived(reinterpret_cast<const char*>(buffer.data() + fill), keep);
            fill += keep;
            if (done || fill > ReceiveFlushLevel) {
                if (!file.Write(buffer.data(), fill) || !file.Flush())
                    return Fail("Transfer failed: cannot write to file");
                fill = 0;
            }
            display.Received(reinterpret_cast<const uint8_t*>(arrived.data()), keep);
            if (!done && (!readOk || got < ReceiveReadSize))
                idle = ReceiveIdlePasses;
        } else {
            --idle;
            link.WaitIdle(false);
        }
        if (done)
            return file.Close() ? true : Fail("Transfer failed: cannot write to file");
        cancel = display.Pump();
        if (cancel)
            return false; // the user knows; bytes not yet flushed are dropped
    }
}

bool SendFileInBlocks(const std::string& path, const CTransferLine& line, const CTransferCallbacks& callbacks)
{
    return RunOverPort(line, CSerialPort::HandshakeXonXoff, BlockSendTimeout,
                       [&](CSerialPort& port) { return SendFileInBlocksOver(port, path, callbacks); });
}

bool SendFileByLines(const std::string& path, const CTransferLine& line, const CTransferCallbacks& callbacks)
{
    return RunOverPort(line, 0, LineSendTimeout,
                       [&](CSerialPort& port) { return SendFileByLinesOver(port, path, callbacks); });
}

bool ReceiveFile(const std::string& path, const CTransferLine& line, const CTransferCallbacks& callbacks)
{
    return RunOverPort(line, CSerialPort::HandshakeXonXoff, ReceiveTimeout,
                       [&](CSerialPort& port) { return ReceiveFileOver(port, path, callbacks); });
}
