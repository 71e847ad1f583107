#pragma once

#include "core/Location.h"

#include <cstdint>

// The link between the map tools and a waiting input field. Only what the map itself reads and
// writes lives here so far: the last cursor location, the pick tolerances and the pick mode; the
// target field and its delivery come with the interactive fields.
class CGraphicDataExchange
{
public:
    CGraphicDataExchange() { Reset(); }
    virtual ~CGraphicDataExchange() = default;

    void Reset()
    {
        mode = 2;
        location.SetAllNull();
        toleranceX = toleranceY = 0.0;
    }

    const CLocation& GetLocation() const { return location; }
    void SetLocation(const CLocation& at) { location = at; }
    void SetPickTolerances(double x, double y)
    {
        toleranceX = x;
        toleranceY = y;
    }
    double GetToleranceX() const { return toleranceX; }
    double GetToleranceY() const { return toleranceY; }
    int32_t GetMode() const { return mode; }
    void SetMode(int32_t m) { mode = m; }

private:
    int32_t mode = 2; // 2 = none
    CLocation location;
    double toleranceX = 0.0;
    double toleranceY = 0.0;
};

// The program's one exchange.
CGraphicDataExchange& GetGraphicDataExchange();
