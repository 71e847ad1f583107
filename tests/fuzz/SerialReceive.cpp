// Feeds arbitrary bytes to the download loop through a scripted line, cut into reads of sizes
// taken from the input itself, as an instrument on a noisy cable might deliver them.
#include "platform/MessageBox.h"
#include "transfer/serial/SerialLink.h"
#include "transfer/serial/SerialTransfer.h"
#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

namespace {

class FuzzLink : public CSerialLink
{
public:
    FuzzLink(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Write(const void*, uint32_t count, uint32_t* written) override
    {
        *written = count;
        return true;
    }
    bool Read(void* buffer, uint32_t count, uint32_t* read, const bool* cancel) override
    {
        *read = 0;
        if (count == 0)
            return true;
        if (cancel && *cancel)
            return false;
        if (m_pos >= m_size) {
            ++m_emptyReads;
            return false;
        }
        // The byte at the read position picks how many bytes this read hands out (0 to 16).
        const uint32_t want = std::min<uint32_t>(count, m_data[m_pos] % 17);
        const uint32_t n = static_cast<uint32_t>(std::min<size_t>(want, m_size - m_pos));
        std::memcpy(buffer, m_data + m_pos, n);
        m_pos += std::max<uint32_t>(n, 1);
        *read = n;
        return n > 0;
    }
    void WaitIdle(bool) override {}
    void DiscardOutput() override {}

    bool Exhausted() const { return m_emptyReads > 2; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    int m_emptyReads = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    static const bool quiet = [] {
        SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
        return true;
    }();
    (void)quiet;

    // The file the received text goes to, empty, in memory where the system allows.
    const FuzzInputFile target(data, 0);
    if (!target.IsReady())
        return 0;
    const char* path = target.Path().c_str();

    FuzzLink link(data, size);
    CTransferCallbacks callbacks;
    size_t shown = 0;
    callbacks.received = [&](std::string_view text) { shown += text.size(); };
    // Cancel once the input is used up, as the operator would after the instrument went quiet.
    callbacks.pump = [&] { return link.Exhausted(); };
    const bool done = ReceiveFileOver(link, path, callbacks);

    // What was stored never holds the end byte and never more than arrived.
    if (FILE* f = std::fopen(path, "rb")) {
        int c;
        size_t stored = 0;
        while ((c = std::fgetc(f)) != EOF) {
            if (c == 0x1A)
                std::abort();
            ++stored;
        }
        std::fclose(f);
        if (stored > size || (done && stored != shown))
            std::abort();
    }
    return 0;
}
