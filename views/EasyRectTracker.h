#pragma once

#include "views/WorldDeviceMap.h"

#include <cstdint>

// The rubber-band rectangle of a drag on the map, with its aspect rule: while the keep-aspect flag
// is set, or Shift or Ctrl is held, the dragged handle keeps width over height at the ratio.
class CEasyRectTracker
{
public:
    // Handles: 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left, 4 top, 5 right, 6 bottom,
    // 7 left, 8 move.
    enum Handle : int32_t { TopLeft, TopRight, BottomRight, BottomLeft, Top, Right, Bottom, Left, Move };

    // The ratio is 1.0.
    CEasyRectTracker() = default;
    // The ratio is the rectangle's width over its height, 1.0 when that is not finite or zero.
    explicit CEasyRectTracker(const DeviceRect& rect);

    double GetAspectRatio() const { return m_aspectRatio; }
    void SetKeepAspect(bool keep) { m_keepAspect = keep; }
    bool GetKeepAspect() const { return m_keepAspect; }

    // Applies the aspect rule to the rectangle after the handle moved; shiftOrCtrl says whether
    // Shift or Ctrl is held.
    void AdjustRect(int32_t handle, DeviceRect& rect, bool shiftOrCtrl) const;

    // The band of a drag: starts empty at the press, and the bottom-right corner follows the mouse.
    void Start(const DevicePoint& p) { m_rect = DeviceRect{p.x, p.y, p.x, p.y}; }
    void MoveCorner(const DevicePoint& p, bool shiftOrCtrl);
    // The rectangle as dragged (right may be left of left, bottom above top).
    const DeviceRect& GetRect() const { return m_rect; }
    // The rectangle with left and top the smaller coordinates.
    DeviceRect GetNormalisedRect() const;

private:
    double m_aspectRatio = 1.0;
    bool m_keepAspect = false;
    DeviceRect m_rect;
};
