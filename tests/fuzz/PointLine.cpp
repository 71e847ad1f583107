// Feeds each line of arbitrary text to the tokenizer and the delimited point reader, as an
// imported coordinate file would.
#include "core/Location.h"
#include "core/Parser.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<uint16_t> columns = {0, 1, 2, 3, 4};
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        std::string name, description;
        CLocation location;
        ParsePointLine(&name, &location, &description, line, ",", &columns);
        ParsePointLine(&name, &location, &description, line, " \t", nullptr);

        CParser parser(line, ", ", false);
        parser.SetMergeDelimiters(true);
        parser.SetTrimBlanks(true);
        double d;
        int32_t l;
        uint32_t u;
        uint16_t w;
        std::string token;
        for (int i = 0; i < 64 && !parser.IsEmpty(); ++i) {
            switch (i % 5) {
            case 0: parser.GetNextDouble(&d); break;
            case 1: parser.GetNextLong(&l); break;
            case 2: parser.GetNextULong(&u); break;
            case 3: parser.GetNextWord(&w); break;
            default: parser.GetNextToken(token); break;
            }
        }
        start = end + 1;
    }
    return 0;
}
