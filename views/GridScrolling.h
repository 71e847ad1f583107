#pragma once

#include <cstdint>

// How the grid scrolls: the cursor keys only move the view, never a selection, and finding a
// point scrolls its row to the top. top = first visible row, page = whole rows that fit,
// count = rows.

enum class GridKey
{
    Up,
    Down,
    PageUp,
    PageDown,
};

// The row the key makes visible, or -1 when it does nothing (all rows fit, or already at the end).
int32_t GridKeyTarget(GridKey key, int32_t top, int32_t page, int32_t count);

// The top row after the row is made visible with as little scrolling as possible.
int32_t TopAfterEnsureVisible(int32_t top, int32_t page, int32_t count, int32_t row);

struct ScrollToTopStep
{
    int32_t ensureRow = -1; // the row to make visible; -1 when nothing moves
    bool atTop = true;      // false when the row lies on the last page and cannot reach the top
};
ScrollToTopStep ScrollRowToTopStep(int32_t row, int32_t top, int32_t page, int32_t count);
