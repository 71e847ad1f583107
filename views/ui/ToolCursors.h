#pragma once

#include <wx/cursor.h>

#include <cstdint>

// The view tools' cursors, made by the program and keyed by their ids: the pick-box families draw
// a box of their band's size, so the cursor shows what a click will catch. Null for 0 and for an
// unknown id.
const wxCursor* GetToolCursor(int32_t id);
// The picture of a cursor (32 by 32, transparent where the cursor shows nothing).
wxImage MakeToolCursorImage(int32_t id);
