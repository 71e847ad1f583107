#include "views/JobViewLayout.h"

#include <algorithm>

int ClampSplitterPercent(int percent) { return std::clamp(percent, 2, 98); }

JobViewPanes LayoutPanes(int cx, int cy, int percent)
{
    const double f = ClampSplitterPercent(percent) / 100.0;
    const double split = cy * f;
    JobViewPanes panes;
    // Every float-to-pixel step truncates toward zero.
    const double mapHeight = std::max(0.0, std::min(split - 6, double(cy - 10)));
    panes.map = {6, 6, cx - 12, int(mapHeight)};
    const double s = std::min(std::max(split, 6.0), double(cy - 4));
    panes.roomAbove = std::max(0, int(split - 6 - 12));
    panes.roomBelow = std::max(0, int((cy - 14) - split - 12));
    panes.splitter = {6, int(s), cx - 12, SplitterHeight};
    panes.list = {1, int(split + 4), cx - 2, std::max(0, int(cy - split - 4 + 1))};
    return panes;
}

JobViewPanes DragSplitterTo(const JobViewPanes& panes, int cy, int centreY)
{
    JobViewPanes moved = panes;
    // The bar stays inside the client area with the map's top margin above it.
    const int top = std::clamp(centreY - SplitterHeight / 2, 6, std::max(6, cy - SplitterHeight));
    moved.splitter.y = top;
    moved.map.height = std::max(0, top - moved.map.y);
    moved.roomAbove = std::max(0, moved.map.height - 12);
    const int listBottom = panes.list.Bottom();
    moved.list.y = moved.splitter.Bottom();
    moved.list.height = std::max(0, listBottom - moved.list.y);
    moved.roomBelow = std::max(0, moved.list.height - 12);
    return moved;
}

int SplitterPercentFromListTop(int listTop, int clientHeight)
{
    return int(listTop * 100.0 / (clientHeight == 0 ? 1 : clientHeight));
}

int ClampJobViewTab(int tab) { return std::clamp(tab, PointsTab, RawDataTab); }

int RawDrawModeForTab(int tab, int storedMode) { return tab == RawDataTab ? storedMode : RawDrawModeDontDraw; }
