#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

// The job view's find over the point grid (0x80A9): a walk that starts next to the top row,
// wraps at either end, visits every row at most once and compares whole texts without regard to
// case. Rows are asked for by index so that nothing is copied per row.
struct PointFindRequest
{
    int32_t itemCount = 0;
    int32_t topRow = 0;
    int32_t rowsPerPage = 0;
    bool down = true;
};

// The row the walk starts on.
int32_t FindStartRow(const PointFindRequest& request);
// The first row from the start whose text equals `text` (case ignored), -1 when none; `textOf`
// is asked at most itemCount times.
int32_t FindPointRow(const PointFindRequest& request, std::string_view text,
                     const std::function<std::string_view(int32_t row)>& textOf);
// The top row that shows the match at the top, as far as the last page allows.
int32_t FindScrollTop(int32_t match, int32_t itemCount, int32_t rowsPerPage);
// Whole texts equal without regard to case.
bool EqualNoCase(std::string_view a, std::string_view b);
