#pragma once

#include "views/PickQuery.h"

#include <cstdint>

class CSelectionDescription;
class CSelectionOperator;

// What the universal control asks of the program while it turns a map pick into a selection
// change: the map's queries through the active view, and what follows a change.
class CUniversalPickCalls
{
public:
    virtual ~CUniversalPickCalls() = default;
    // 0x80AC: the map's current hit into the query; false when nothing answered.
    virtual bool QueryCurrentHit(CPickQuery& query) = 0;
    // 0x808B (wParam 1): the objects at the query's locations; false when nothing answered.
    virtual bool QueryObjectsAt(CPickQuery& query) = 0;
    // The selection changed: redraw it on the active map and send change hint 43.
    virtual void SelectionChanged() = 0;
    // A beep and "Invalid selection:\n".
    virtual void ShowInvalidSelection() = 0;
};

// The exchange's values the control reads for one tool event.
struct UniversalPickInput
{
    int32_t code = 0;
    double x = 0.0, y = 0.0;   // picked point
    double x2 = 0.0, y2 = 0.0; // second point
    double left = 0.0, right = 0.0, top = 0.0, bottom = 0.0;
    bool alt = false; // removes instead of adding
};

// One tool event of the universal control over the description's kinds in op's current
// selection: a click toggles a point, a hit on several objects takes them all, a rectangle adds
// (Alt: removes) what lies inside, a single description takes the one object. True when handled.
bool UniversalControlToolEvent(CSelectionDescription& description, CSelectionOperator* op,
                               const UniversalPickInput& in, CUniversalPickCalls& calls);
