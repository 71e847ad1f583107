// Feeds arbitrary text to the column layout reader and each of its lines to the coordinate line
// reader, under the layouts of the instrument models and the layout the text itself spells.
#include "core/Location.h"
#include "core/NikonColumnCollection.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), FuzzInputSize(size));

    // The first line as a stored layout: whatever it holds, the layout has each kind once and
    // writes a text that reads back to itself.
    const std::string first = text.substr(0, text.find('\n'));
    CNikonColumnCollection layout;
    layout.FromString(first);
    int counts[NikonColumnBlank] = {};
    for (const CNikonColumn& column : layout.GetColumns()) {
        if (column.kind < NikonColumnBlank)
            ++counts[column.kind];
    }
    for (int count : counts) {
        if (count != 1)
            std::abort();
    }
    CNikonColumnCollection again;
    again.FromString(layout.ToString());
    if (again.ToString() != layout.ToString())
        std::abort();

    CNikonColumnCollection standard;
    standard.FromString("P1N1E1Z1C1");
    CNikonColumnCollection blank;
    blank.FromString("P1 1N1E1Z1C1");
    const CNikonColumnCollection* layouts[] = {&standard, &blank, &layout};

    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        for (const CNikonColumnCollection* columns : layouts) {
            std::string name;
            std::string description;
            CLocation location;
            if (columns->ParseLine(line, name, location, description)) {
                // An accepted line always gives a named point with a position.
                if (!location.HasPlaneCoordinates())
                    std::abort();
                columns->FormatPoint(name, location, description, false);
            }
        }
        start = end + 1;
    }
    return 0;
}
