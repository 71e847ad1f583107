#include "views/UpdateRectTracker.h"

void CUpdateRectTracker::DrawTrackerRect(const LineSink& line) const
{
    const DeviceRect r = GetNormalisedRect();
    line(r.left, r.top, r.right, r.top);
    line(r.right, r.top, r.right, r.bottom);
    line(r.right, r.bottom, r.left, r.bottom);
    line(r.left, r.bottom, r.left, r.top);
}
