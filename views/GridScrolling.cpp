#include "views/GridScrolling.h"

#include <algorithm>

int32_t GridKeyTarget(GridKey key, int32_t top, int32_t page, int32_t count)
{
    if (count < page)
        return -1;
    switch (key) {
    case GridKey::Up:
        return top != 0 ? top - 1 : -1;
    case GridKey::Down:
        return top + page < count ? top + page : -1;
    case GridKey::PageUp:
        return top != 0 ? std::max(0, top - page) : -1;
    case GridKey::PageDown:
        return top + page < count ? std::min(count - 1, top + 2 * page - 1) : -1;
    }
    return -1;
}

int32_t TopAfterEnsureVisible(int32_t top, int32_t page, int32_t count, int32_t row)
{
    if (count <= 0 || row < 0)
        return top;
    row = std::min(row, count - 1);
    page = std::max(page, 1);
    if (row < top)
        top = row;
    else if (row >= top + page)
        top = row - page + 1;
    return std::clamp(top, 0, std::max(0, count - page));
}

ScrollToTopStep ScrollRowToTopStep(int32_t row, int32_t top, int32_t page, int32_t count)
{
    if (row == top)
        return {-1, true};
    if (row + page >= count)
        return {count - 1, false};
    if (row > top)
        return {row + page - 1, true};
    return {row, true};
}
