#include "framework/CellEditKeys.h"

#include <gtest/gtest.h>

TEST(CellEditKeysTest, CursorAndEditDecisions)
{
    // A grid of 3 rows and 2 columns; cell (1, 1) may not be edited.
    auto canEdit = [](int32_t row, int column) { return !(row == 1 && column == 1); };
    auto idle = [](int32_t row, int column) {
        CellEditState s;
        s.rows = 3;
        s.columns = 2;
        s.selectedRow = row;
        s.currentColumn = column;
        return s;
    };
    auto editing = [&](int32_t row, int column) {
        CellEditState s = idle(row, column);
        s.editing = true;
        s.editRow = row;
        s.editColumn = column;
        return s;
    };
    struct Case
    {
        const char* name;
        CellEditState state;
        CellKey key;
        bool consumed, commit, cancel;
        int32_t row;
        int column;
        bool startEdit;
    };
    CellEditState ctrl = idle(0, 0);
    ctrl.control = true;
    CellEditState empty = idle(-1, 0);
    empty.rows = 0;
    const Case cases[] = {
        {"tab to the next column", idle(0, 0), CellKey::Tab, true, false, false, 0, 1, false},
        {"tab wraps to the next row", idle(0, 1), CellKey::Tab, true, false, false, 1, 0, false},
        {"tab on the last cell stays", idle(2, 1), CellKey::Tab, false, false, false, -1, -1, false},
        {"tab on the last cell ends an edit", editing(2, 1), CellKey::Tab, true, true, false, -1, -1, false},
        {"shift+tab wraps back", idle(1, 0), CellKey::ShiftTab, true, false, false, 0, 1, false},
        {"shift+tab on the first cell stays", idle(0, 0), CellKey::ShiftTab, false, false, false, -1, -1, false},
        {"tab while editing edits the next cell", editing(0, 1), CellKey::Tab, true, true, false, 1, 0, true},
        {"tab into a locked cell does not edit", editing(1, 0), CellKey::Tab, true, true, false, 1, 1, false},
        {"enter starts an edit", idle(2, 1), CellKey::Enter, true, false, false, 2, 1, true},
        {"enter on a locked cell", idle(1, 1), CellKey::Enter, false, false, false, -1, -1, false},
        {"enter commits", editing(0, 0), CellKey::Enter, true, true, false, -1, -1, false},
        {"escape cancels", editing(0, 0), CellKey::Escape, true, false, true, -1, -1, false},
        {"escape when idle goes on", idle(0, 0), CellKey::Escape, false, false, false, -1, -1, false},
        {"right moves the cell", idle(0, 0), CellKey::Right, true, false, false, 0, 1, false},
        {"right at the end goes on", idle(0, 1), CellKey::Right, false, false, false, -1, -1, false},
        {"left at the start goes on", idle(0, 0), CellKey::Left, false, false, false, -1, -1, false},
        {"down while editing edits below", editing(0, 1), CellKey::Down, true, true, false, 1, 1, false},
        {"up while editing edits above", editing(2, 0), CellKey::Up, true, true, false, 1, 0, true},
        {"up on the top row while editing", editing(0, 0), CellKey::Up, false, false, false, -1, -1, false},
        {"down selects the next row", idle(1, 0), CellKey::Down, true, false, false, 2, -1, false},
        {"down with nothing selected takes row 0", idle(-1, 0), CellKey::Down, true, false, false, 0, -1, false},
        {"down on the last row", idle(2, 0), CellKey::Down, false, false, false, -1, -1, false},
        {"no rows", empty, CellKey::Down, false, false, false, -1, -1, false},
        {"ctrl held", ctrl, CellKey::Tab, false, false, false, -1, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CellKeyDecision d = DecideCellKey(c.state, c.key, canEdit);
        EXPECT_EQ(d.consumed, c.consumed);
        EXPECT_EQ(d.commit, c.commit);
        EXPECT_EQ(d.cancel, c.cancel);
        EXPECT_EQ(d.row, c.row);
        EXPECT_EQ(d.column, c.column);
        EXPECT_EQ(d.startEdit, c.startEdit);
    }
}

TEST(CellEditKeysTest, ColumnZeroEditorLeavesRoomForTheIcon)
{
    EXPECT_EQ(CellEditorPosition(0, 0, 100).x, 18);
    EXPECT_EQ(CellEditorPosition(0, 0, 100).width, 82);
    EXPECT_EQ(CellEditorPosition(2, 150, 60).x, 150);
    EXPECT_EQ(CellEditorPosition(2, 150, 60).width, 60);
}
