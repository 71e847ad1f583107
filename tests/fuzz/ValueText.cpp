// Feeds each line of the input to the typed-value readers and writers: none may crash, hang or
// read out of bounds, whatever the text.
#include "core/AngleInput.h"
#include "core/Format.h"
#include "core/ValueText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    int lines = 0;
    while (start <= input.size() && lines++ < 2000) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        const std::string line = input.substr(start, std::min<std::size_t>(end - start, 512));
        start = end + 1;

        double v = 0;
        int i = 0;
        std::vector<std::string> fields;
        ParseDouble(&v, line, true);
        ParseInt(&i, line);
        ParseDistance(line, &v, 2);
        ParseGrade(line, &v);
        ParseArea(line, &v);
        ParseStation(&v, line);
        ParseNorthSouth(&v, line);
        SplitValueFields(line, 3, &fields);
        for (int kind = 0; kind <= 5; ++kind)
            ParseAngle(line, &v, kind);
        std::string packed = line;
        NormalizeAngleText(packed);
        CFormat::FormatFeetInchesText(line);
        if (ScanDouble(&v, line))
            CFormat::FormatNumber(v, 15, false, true);
    }
    return 0;
}
