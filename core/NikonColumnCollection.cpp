#include "core/NikonColumnCollection.h"

#include <algorithm>

namespace {
constexpr std::string_view kKinds = "PNEZC";
}

bool CNikonColumnCollection::FromString(std::string_view text)
{
    if (text.empty() || text.size() % 2 != 0)
        return false;
    std::vector<CNikonColumn> columns;
    for (size_t i = 0; i < text.size(); i += 2) {
        char kind = text[i];
        char state = text[i + 1];
        if (kKinds.find(kind) == std::string_view::npos || state < '0' || state > '9')
            return false;
        if (std::any_of(columns.begin(), columns.end(), [kind](const CNikonColumn& c) { return c.kind == kind; }))
            return false;
        columns.push_back({kind, state == '1'});
    }
    m_columns = std::move(columns);
    return true;
}
