#pragma once

#include "core/ColoredTextLines.h"
#include "model/DataFileDoc.h"

#include <cstdint>
#include <vector>

class CMapCtrlCore;
class CPreviewMapCore;

// Icons the identification popup shows with a hover result.
inline constexpr int32_t DescribedLineIcon = 1038;
inline constexpr int32_t UnrecognizedLineIcon = 672;
inline constexpr int32_t PickedObjectsIcon = 9;
inline constexpr uint32_t UnrecognizedLineColor = MakeRgb(128, 0, 0);

// What lies under a resting cursor: a raw observation line drawn as a preview (its description,
// or "UNRECOGNIZED LINE!" with its text), else the job objects there, nearest first.
struct CHoverResult
{
    enum class Kind { Nothing, RawLine, Objects };
    Kind kind = Kind::Nothing;
    CColoredTextLines lines; // RawLine
    int32_t icon = 0;
    int32_t rawLine = -1;
    std::vector<RecordRef> objects; // Objects
};

// Searches the previews (when the map has them) and then the job at the world location within
// the half-extents.
CHoverResult IdentifyAtLocation(CMapCtrlCore& map, double x, double y, double halfWidth, double halfHeight);

// The tip of one raw line of the active job, as the preview search found it.
void DescribeRawLineTip(int32_t line, CHoverResult& out);
