#include "shell/StatusPanes.h"

#include "core/Format.h"

#include <algorithm>

std::array<int32_t, StatusPaneCount> ComputeStatusPaneWidths(int32_t barWidth)
{
    return {150, std::max(barWidth / 3, 400), std::min(barWidth / 3, 100), std::min(barWidth / 5, 100)};
}

std::string FormatCursorPosition(double northing, double easting, const CFormat& format,
                                 const std::string& northingCaption, const std::string& eastingCaption,
                                 bool northingFirst)
{
    auto label = [](const std::string& caption) { return caption.substr(0, caption.empty() ? 0 : 1) + ":"; };
    std::string north = label(northingCaption) + format.FormatCoordinate(northing, false, false);
    std::string east = label(eastingCaption) + format.FormatCoordinate(easting, false, false);
    return northingFirst ? north + " " + east : east + " " + north;
}
