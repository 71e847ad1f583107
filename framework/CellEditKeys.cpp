#include "framework/CellEditKeys.h"

namespace {

bool Allowed(const std::function<bool(int32_t, int)>& canEdit, int32_t row, int column)
{
    return !canEdit || canEdit(row, column);
}

CellKeyDecision Tab(const CellEditState& s, bool back, const std::function<bool(int32_t, int)>& canEdit)
{
    CellKeyDecision d;
    const bool ranEdit = s.editing;
    d.commit = ranEdit;
    // Without a row, or at the end of the grid, the key goes on unless it ended an edit.
    d.consumed = ranEdit;
    if (s.selectedRow < 0 || s.columns <= 0)
        return d;
    int32_t row = s.selectedRow;
    int column = s.currentColumn;
    if (!back) {
        if (column + 1 < s.columns)
            ++column;
        else if (row + 1 < s.rows) {
            ++row;
            column = 0;
        } else
            return d;
    } else {
        if (column > 0)
            --column;
        else if (row > 0) {
            --row;
            column = s.columns - 1;
        } else
            return d;
    }
    d.consumed = true;
    d.row = row;
    d.column = column;
    d.startEdit = ranEdit && Allowed(canEdit, row, column);
    return d;
}

} // namespace

CellKeyDecision DecideCellKey(const CellEditState& s, CellKey key, const std::function<bool(int32_t, int)>& canEdit)
{
    CellKeyDecision d;
    if (s.control)
        return d;
    switch (key) {
    case CellKey::Tab:
    case CellKey::ShiftTab:
        return Tab(s, key == CellKey::ShiftTab, canEdit);
    case CellKey::Enter:
        if (s.editing) {
            d.commit = d.consumed = true;
        } else if (s.selectedRow >= 0 && Allowed(canEdit, s.selectedRow, s.currentColumn)) {
            d.consumed = d.startEdit = true;
            d.row = s.selectedRow;
            d.column = s.currentColumn;
        }
        return d;
    case CellKey::Escape:
        d.cancel = d.consumed = s.editing;
        return d;
    case CellKey::Left:
    case CellKey::Right: {
        if (s.editing || s.selectedRow < 0)
            return d;
        const int column = s.currentColumn + (key == CellKey::Left ? -1 : 1);
        if (column < 0 || column >= s.columns)
            return d;
        d.consumed = true;
        d.row = s.selectedRow;
        d.column = column;
        return d;
    }
    case CellKey::Up:
    case CellKey::Down: {
        const int step = key == CellKey::Up ? -1 : 1;
        if (s.editing) {
            const int32_t row = s.editRow + step;
            if (s.editRow < 0 || row < 0 || row >= s.rows)
                return d;
            d.consumed = d.commit = true;
            d.row = row;
            d.column = s.editColumn;
            d.startEdit = Allowed(canEdit, row, s.editColumn);
            return d;
        }
        if (!s.hasFocus || s.rows <= 0)
            return d;
        const int32_t row = s.selectedRow < 0 ? 0 : s.selectedRow + step;
        if (row < 0 || row >= s.rows)
            return d;
        d.consumed = true;
        d.row = row;
        return d;
    }
    }
    return d;
}

CellEditorSpan CellEditorPosition(int column, int cellLeft, int columnWidth)
{
    if (column == 0)
        return {cellLeft + CellIconRoom, columnWidth - CellIconRoom};
    return {cellLeft, columnWidth};
}
