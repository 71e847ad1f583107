#include "views/PointFind.h"

#include <algorithm>

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
} // namespace

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

int32_t FindStartRow(const PointFindRequest& r)
{
    if (r.down) {
        const int32_t start = r.topRow + 1;
        return r.topRow + r.rowsPerPage < r.itemCount && start < r.itemCount ? start : 0;
    }
    const int32_t start = r.topRow - 1;
    return r.topRow - r.rowsPerPage < 0 || start < 0 ? r.itemCount - 1 : start;
}

int32_t FindPointRow(const PointFindRequest& r, std::string_view text,
                     const std::function<std::string_view(int32_t row)>& textOf)
{
    if (r.itemCount <= 0)
        return -1;
    // A top row from a list that shrank since must not start the walk outside it.
    int32_t row = std::clamp(FindStartRow(r), int32_t(0), r.itemCount - 1);
    for (int32_t visited = 0; visited < r.itemCount; ++visited) {
        if (EqualNoCase(textOf(row), text))
            return row;
        row = r.down ? (row + 1 == r.itemCount ? 0 : row + 1) : (row == 0 ? r.itemCount - 1 : row - 1);
    }
    return -1;
}

int32_t FindScrollTop(int32_t match, int32_t itemCount, int32_t rowsPerPage)
{
    return std::max(int32_t(0), std::min(match, itemCount - rowsPerPage));
}
