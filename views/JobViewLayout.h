#pragma once

// Where the job view puts its panes: the map on top, the splitter bar the user drags, the list
// below. Pure arithmetic, so the window code and its tests share one rule.

struct PaneRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Bottom() const { return y + height; }
};

struct JobViewPanes
{
    PaneRect map;
    PaneRect splitter;
    PaneRect list;
    // How far the splitter may still be dragged up and down; never negative.
    int roomAbove = 0;
    int roomBelow = 0;
};

inline constexpr int SplitterHeight = 4;
inline constexpr int DefaultSplitterPercent = 75;

// The stored split ("Settings"/"Splitter") is used within 2..98.
int ClampSplitterPercent(int percent);
// Client cx by cy with the list's top at percent of the height.
JobViewPanes LayoutPanes(int cx, int cy, int percent);
// The panes after the splitter's centre was dragged to y, from the current layout.
JobViewPanes DragSplitterTo(const JobViewPanes& panes, int cy, int centreY);
// What is stored after a drag or on closing: the list's top as a percentage of the height.
int SplitterPercentFromListTop(int listTop, int clientHeight);

// The job view's tabs.
inline constexpr int PointsTab = 0;
inline constexpr int RawDataTab = 1;
inline constexpr int RawDrawModeDontDraw = 1;
inline constexpr int DefaultRawDrawMode = 2;
// A stored tab outside 0..1 is forced into it.
int ClampJobViewTab(int tab);
// On the Points tab the raw data is not drawn until the Raw Data tab is chosen.
int RawDrawModeForTab(int tab, int storedMode);
