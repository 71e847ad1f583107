#pragma once

#include "views/EasyRectTracker.h"

#include <cstdint>
#include <functional>

// The select-by-rectangle tool's rubber band: the rectangle's outline, drawn over the map each
// time the drag moves it. The map's own mouse moves keep its read-outs current during the drag,
// so a changed rectangle needs nothing further.
class CUpdateRectTracker : public CEasyRectTracker
{
public:
    using LineSink = std::function<void(int32_t x1, int32_t y1, int32_t x2, int32_t y2)>;

    // The four sides of the normalised rectangle, each starting where the one before ended.
    void DrawTrackerRect(const LineSink& line) const;
};
