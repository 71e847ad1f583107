#pragma once

#include <cstdint>
#include <functional>

// The keys of a list edited cell by cell: where the cell cursor goes and whether an edit is
// committed, cancelled or started. The list window carries out what the decision says.
enum class CellKey { Tab, ShiftTab, Enter, Escape, Left, Right, Up, Down };

struct CellEditState
{
    int32_t rows = 0;
    int columns = 0;
    int32_t selectedRow = -1; // the first selected row, -1 none
    int currentColumn = 0;
    bool editing = false;
    int32_t editRow = -1;
    int editColumn = -1;
    bool hasFocus = true;
    bool control = false; // Ctrl held: no key is used
};

struct CellKeyDecision
{
    bool consumed = false;
    bool commit = false;    // end the running edit, keeping its text
    bool cancel = false;    // end the running edit, dropping its text
    int32_t row = -1;       // select this row alone (and scroll to it); -1 leaves the selection
    int column = -1;        // the new current column; -1 leaves it
    bool startEdit = false; // then edit the cell (row, column)
};

// canEdit(row, column): whether the cell may be edited.
CellKeyDecision DecideCellKey(const CellEditState& state, CellKey key,
                              const std::function<bool(int32_t, int)>& canEdit);

// The editor over a cell: column 0 leaves room for the row's icon.
struct CellEditorSpan
{
    int x;
    int width;
};
constexpr int CellIconRoom = 18;
CellEditorSpan CellEditorPosition(int column, int cellLeft, int columnWidth);
