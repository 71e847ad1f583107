#include "views/EasyRectTracker.h"

#include <algorithm>
#include <cmath>

namespace {
int32_t RoundHalfUp(double v)
{
    return int32_t(std::floor(v + 0.5));
}
} // namespace

CEasyRectTracker::CEasyRectTracker(const DeviceRect& rect)
{
    // A zero height gives no finite ratio; a zero width one that the rule would divide by.
    const double ratio = rect.Height() != 0 ? double(rect.Width()) / double(rect.Height()) : HUGE_VAL;
    m_aspectRatio = std::isfinite(ratio) && ratio != 0.0 ? ratio : 1.0;
}

void CEasyRectTracker::AdjustRect(int32_t handle, DeviceRect& r, bool shiftOrCtrl) const
{
    if (handle == Move || handle < TopLeft || handle > Move || !(m_keepAspect || shiftOrCtrl))
        return;
    const int32_t w = r.Width(), h = r.Height();
    const int32_t w2 = RoundHalfUp(h * m_aspectRatio);
    const int32_t h2 = RoundHalfUp(w / m_aspectRatio);
    const bool taller = h2 > h;
    switch (handle) {
    case TopLeft:
        taller ? void(r.left = r.right - w2) : void(r.top = r.bottom - h2);
        break;
    case TopRight:
        taller ? void(r.right = r.left + w2) : void(r.top = r.bottom - h2);
        break;
    case BottomRight:
        taller ? void(r.right = r.left + w2) : void(r.bottom = r.top + h2);
        break;
    case BottomLeft:
        taller ? void(r.left = r.right - w2) : void(r.bottom = r.top + h2);
        break;
    case Top:
    case Bottom:
        r.right = r.left + w2;
        break;
    case Right:
    case Left:
        r.bottom = r.top + h2;
        break;
    default:
        break;
    }
}

void CEasyRectTracker::MoveCorner(const DevicePoint& p, bool shiftOrCtrl)
{
    m_rect.right = p.x;
    m_rect.bottom = p.y;
    AdjustRect(BottomRight, m_rect, shiftOrCtrl);
}

DeviceRect CEasyRectTracker::GetNormalisedRect() const
{
    return DeviceRect{std::min(m_rect.left, m_rect.right), std::min(m_rect.top, m_rect.bottom),
                      std::max(m_rect.left, m_rect.right), std::max(m_rect.top, m_rect.bottom)};
}
