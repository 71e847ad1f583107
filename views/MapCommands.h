#pragma once

// Commands of the map and its context menus, under the numbers the menus have always used. Zoom In
// and Zoom Out are the main frame's (shell/CommandIds.h).
inline constexpr int IdZoomWindow = 7147;
inline constexpr int IdZoomPrevious = 7148;
inline constexpr int IdZoomExtents = 7149;
inline constexpr int IdEditPoints = 7159; // Add Points / Edit Points
inline constexpr int IdRealtimePan = 7166;
inline constexpr int IdZoomNext = 7167;
inline constexpr int IdDeletePoint = 7176;
inline constexpr int IdZoomToPointName = 7200;
inline constexpr int IdZoomToPoint = 7201;
inline constexpr int IdChangeDescription = 7249;
inline constexpr int IdInverseTo = 7255;
inline constexpr int IdRealtimeZoom = 7296;
inline constexpr int IdEditRawDataRecords = 7323;
inline constexpr int IdEraseScratchLines = 7196;
