// Feeds arbitrary text to the raw text import in both layouts, as received instrument text and
// transfer-program files reach it, and reads its settings; the output must be lines ended by
// CR LF that the job's raw data reader takes back line for line.
#include "core/TextEncoding.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"
#include "rawdata/RawTextImport.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzLinesSize(size);
    static const bool quiet = [] {
        SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
        return true;
    }();
    (void)quiet;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!IsValidUtf8(DecodeExternalText(text)))
        std::abort();
    // One pass: the old or the new layout, taken from the input.
    for (const bool oldLayout : {size % 2 == 1}) {
        JobSettingsValues settings;
        InitJobSettingsValues(settings);
        ReadJobSettingsFromRawText(settings, text);
        std::string output;
        ImportRawText(settings, text, output, oldLayout);
        if (!output.empty() && output.compare(output.size() - 2, 2, "\r\n") != 0)
            std::abort();
        size_t start = 0;
        int lines = 0;
        while (start < output.size() && lines < 200) {
            const size_t end = output.find("\r\n", start);
            const std::string line = output.substr(start, end - start);
            NarrowRawLineFields(line);
            ConvertOldLayoutRawLine(line);
            start = end + 2;
            ++lines;
        }
    }
    return 0;
}
