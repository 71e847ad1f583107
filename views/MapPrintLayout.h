#pragma once

#include "views/WorldDeviceMap.h"

#include <array>
#include <cstdint>
#include <string>

// The arithmetic of printing the map and of its decorations (north arrow, scale bar), kept apart
// from any device so that it can be checked number by number.
namespace map_print {

// a * b / c rounded half away from zero; -1 when c is 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// The page (0, 0)..(width, height) less the margins (1/1440 inch: left, top, right, bottom).
// Margins wider than the page still leave one pixel each way.
DeviceRect PrintableRect(int32_t pageWidth, int32_t pageHeight, int32_t ppiX, int32_t ppiY,
                         const std::array<int32_t, 4>& margins);

// The world window to print: the map's visible extent grown outwards to whole units, so nothing
// shown on the screen falls off the page.
struct WorldWindow
{
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool operator==(const WorldWindow&) const = default;
};
WorldWindow PrintWorldWindow(double minX, double maxX, double minY, double maxY);
// The mapping of that window into the printable rectangle, north up, square.
CWorldDeviceMap PrintMapping(const DeviceRect& printable, const WorldWindow& window);

// Printer pixels per screen pixel: the integer ratio, at least 1 (a printer coarser than the
// screen would otherwise shrink everything to nothing).
int32_t PrintScale(int32_t printerPpi, int32_t screenPpi);
// Pen width on a printer: one hundredth of an inch, at least one pixel.
int32_t PrintPenWidth(int32_t ppi);

// The scale bar's round length in display units and the decimals to write it with.
struct ScaleBarLength
{
    double value = 0;
    int decimals = 0;
};
ScaleBarLength RoundScaleBarLength(double displayLength);
// "500 m", "0.80 feet", "12 usft": the unit by the job's distance unit (0 m, 1 ft, 2 usft).
std::string ScaleBarLabel(const ScaleBarLength& length, int jobDistanceUnit);

// Where the bar goes in a client rectangle, w pixels long at scale s.
DeviceRect ScaleBarRect(const DeviceRect& client, int32_t widthPixels, int32_t s);
// The bottom-left corner of its label.
DevicePoint ScaleBarLabelAt(const DeviceRect& client, const DeviceRect& bar, int32_t s);

// The north arrow: the letter N (four points) and the arrow below it (three points).
std::array<DevicePoint, 4> NorthLetter(const DeviceRect& client, int32_t s);
std::array<DevicePoint, 3> NorthArrow(const DeviceRect& client, int32_t s);
// The screen's backdrop behind the arrow, so that points under it do not show through.
DeviceRect NorthArrowBackdrop(const DeviceRect& client);

} // namespace map_print
