#include "views/MapPrintLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace map_print {

int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return -1;
    const int64_t product = int64_t(a) * int64_t(b);
    const int64_t half = std::abs(int64_t(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t q = (std::abs(product) + half) / std::abs(int64_t(c));
    const int64_t r = negative ? -q : q;
    return int32_t(std::clamp<int64_t>(r, INT32_MIN, INT32_MAX));
}

DeviceRect PrintableRect(int32_t pageWidth, int32_t pageHeight, int32_t ppiX, int32_t ppiY,
                         const std::array<int32_t, 4>& m)
{
    DeviceRect r{0, 0, pageWidth, pageHeight};
    r.left += MulDiv(m[0], ppiX, 1440);
    r.top += MulDiv(m[1], ppiY, 1440);
    r.right -= MulDiv(m[2], ppiX, 1440);
    r.bottom -= MulDiv(m[3], ppiY, 1440);
    // A margin that eats the page keeps a one-pixel page rather than a turned-over one.
    if (r.right - r.left < 1) {
        r.left = std::clamp(r.left, 0, std::max(pageWidth - 1, 0));
        r.right = r.left + 1;
    }
    if (r.bottom - r.top < 1) {
        r.top = std::clamp(r.top, 0, std::max(pageHeight - 1, 0));
        r.bottom = r.top + 1;
    }
    return r;
}

WorldWindow PrintWorldWindow(double minX, double maxX, double minY, double maxY)
{
    return WorldWindow{std::floor(std::min(minX, maxX)), std::ceil(std::max(minX, maxX)),
                       std::floor(std::min(minY, maxY)), std::ceil(std::max(minY, maxY))};
}

CWorldDeviceMap PrintMapping(const DeviceRect& printable, const WorldWindow& w)
{
    return CWorldDeviceMap(printable, w.minX, w.maxX, w.maxY, w.minY, 1.0, true);
}

int32_t PrintScale(int32_t printerPpi, int32_t screenPpi)
{
    if (screenPpi <= 0 || printerPpi <= 0)
        return 1;
    return std::max(1, printerPpi / screenPpi);
}

int32_t PrintPenWidth(int32_t ppi) { return std::max(1, int32_t(ppi * 0.01)); }

ScaleBarLength RoundScaleBarLength(double len)
{
    if (len >= 1000)
        return {std::floor(len / 1000) * 1000, 0};
    if (len >= 100)
        return {std::floor(len / 100) * 100, 0};
    if (len >= 10)
        return {std::floor(len / 10) * 10, 0};
    if (len >= 1)
        return {std::floor(len), 0};
    return {len, 2};
}

std::string ScaleBarLabel(const ScaleBarLength& length, int jobDistanceUnit)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), length.value, std::chars_format::fixed,
                                      length.decimals);
    std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    switch (jobDistanceUnit) {
    case 1: return text + " feet";
    case 2: return text + " usft";
    default: return text + " m";
    }
}

DeviceRect ScaleBarRect(const DeviceRect& client, int32_t w, int32_t s)
{
    const int32_t left = client.left + 4 * s;
    const int32_t bottom = client.bottom - 4 * s;
    return DeviceRect{left, bottom - 8 * s, left + w, bottom};
}

DevicePoint ScaleBarLabelAt(const DeviceRect& client, const DeviceRect& bar, int32_t s)
{
    return DevicePoint{bar.right + 4 * s, client.bottom - 4 * s + s};
}

std::array<DevicePoint, 4> NorthLetter(const DeviceRect& c, int32_t s)
{
    return {DevicePoint{c.left + 2 * s, c.top + 10 * s}, DevicePoint{c.left + 2 * s, c.top + 2 * s},
            DevicePoint{c.left + 8 * s, c.top + 10 * s}, DevicePoint{c.left + 8 * s, c.top + s}};
}

std::array<DevicePoint, 3> NorthArrow(const DeviceRect& c, int32_t s)
{
    return {DevicePoint{c.left + 2 * s, c.top + 20 * s}, DevicePoint{c.left + 8 * s, c.top + 14 * s},
            DevicePoint{c.left + 8 * s, c.top + 30 * s}};
}

DeviceRect NorthArrowBackdrop(const DeviceRect& c) { return DeviceRect{c.left + 1, c.top + 1, 12, 32}; }

} // namespace map_print
