#include "framework/PowerButtonLayout.h"

#include <algorithm>
#include <cstdlib>

namespace {

PbRect Intersect(const PbRect& a, const PbRect& b)
{
    const int x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    const int r = std::min(a.Right(), b.Right()), btm = std::min(a.Bottom(), b.Bottom());
    return {x, y, std::max(0, r - x), std::max(0, btm - y)};
}

} // namespace

PowerButtonLayout LayOutPowerButton(const PowerButtonLayoutInput& in)
{
    PowerButtonLayout out;
    int iconW = in.showIcon ? in.iconWidth : 0;
    int iconH = in.showIcon ? in.iconHeight : 0;
    if (in.maxIconSize > 0) {
        iconW = std::min(iconW, in.maxIconSize);
        iconH = std::min(iconH, in.maxIconSize);
    }
    out.face = in.item;
    if (!in.flat)
        out.face = {in.item.x + 1, in.item.y + 1, std::max(0, in.item.w - 2), std::max(0, in.item.h - 2)};
    if (in.arrowWidth > 0)
        out.arrow = {in.item.Right() - in.arrowWidth, in.item.y, in.arrowWidth, in.item.h};

    const int shift = in.pushedIn ? 1 : 0;
    PbRect c = {out.face.x + in.marginLeft + shift, out.face.y + in.marginTop + shift,
                std::max(0, out.face.w - in.marginLeft - in.marginRight),
                std::max(0, out.face.h - in.marginTop - in.marginBottom)};
    out.content = c;
    const int tw = in.textWidth, th = in.textHeight;
    const int usable = std::max(0, c.w - in.arrowWidth);
    const int vText = c.y + (c.h - th) / 2;
    const int vIcon = c.y + (c.h - iconH) / 2;

    PbRect text;
    if (!in.showIcon) {
        // Slightly below the exact centre, where the text of a plain button sits.
        text = {c.x + (usable - tw) / 2, vText + 3, tw, th};
        out.textCentred = true;
    } else {
        switch (in.layout) {
        case 0:
            out.icon = {c.x, vIcon, iconW, iconH};
            text = {c.x + usable - tw, vText, tw, th};
            break;
        case 1:
            out.icon = {c.x + (usable - iconW) / 2, c.y, iconW, iconH};
            text = {c.x + (usable - tw) / 2, c.Bottom() - th, tw, th};
            out.textCentred = true;
            break;
        case 3:
            text = {c.x + (usable - tw) / 2, c.y, tw, th};
            out.icon = {c.x + (usable - iconW) / 2, c.Bottom() - iconH, iconW, iconH};
            out.textCentred = true;
            break;
        default:
            text = {c.x + 3, vText, tw, th};
            out.icon = {c.x + usable - iconW, vIcon, iconW, iconH};
            break;
        }
    }
    out.text = Intersect(text, c);
    return out;
}

void DropArrowLines(const PbRect& area, PbArrowLine (&lines)[5])
{
    const int x = area.x + (area.w - 10) / 2;
    const int y = area.y + (area.h - 5) / 2;
    for (int i = 0; i < 5; ++i)
        lines[i] = {x + i, y + i, 10 - 2 * i};
}

bool IsPowerButtonDrag(int pressX, int pressY, int x, int y)
{
    return std::abs(x - pressX) >= 2 || std::abs(y - pressY) >= 2;
}
