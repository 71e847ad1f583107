// Feeds arbitrary bytes to the rich-text reader: it must answer, never crash or hang, and what it
// reads must hold only text it was given or decoded.
#include "shell/RtfReader.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    RtfDocument document;
    CRtfReader reader;
    if (!reader.Read(input, document)) {
        if (reader.GetError().empty() || reader.GetErrorOffset() > size || !document.paragraphs.empty())
            std::abort();
        return 0;
    }
    // Every byte yields at most a few bytes of text.
    if (document.PlainText().size() > size * 4 + 16)
        std::abort();
    // The same input with the rich-text header in front reads too.
    std::string wrapped = "{\\rtf1 ";
    wrapped.append(input);
    wrapped += '}';
    reader.Read(wrapped, document);
    return 0;
}
