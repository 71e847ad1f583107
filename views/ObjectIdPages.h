#pragma once

#include "core/ColoredTextLines.h"
#include "model/DataFileDoc.h"
#include "views/WorldDeviceMap.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CObjectIdOwner;

inline constexpr uint32_t SelectionLineColor = MakeRgb(0, 128, 0);

// One page of the identification popup: its coloured text blocks and the object it describes
// (empty for a tip). A page is kept with its object, so the object paged to is the one shown.
struct CObjectIdPage
{
    CColoredTextLines text;
    RecordRef object;
};

// The pages of the identification popup and the one shown.
class CObjectIdPages
{
public:
    // One page per object that has a description; with several objects each page starts with
    // "Selection\t<i> of <n>" in green, n counting the objects. The first page is current.
    // Returns the number of pages.
    int32_t BuildPages(const std::vector<RecordRef>& objects, double worldX, double worldY, CObjectIdOwner* owner);
    // One page holding a tip's text.
    void SetTip(CColoredTextLines text);
    void Clear();

    bool IsEmpty() const { return m_pages.empty(); }
    int32_t GetCount() const { return int32_t(m_pages.size()); }
    // -1 when none.
    int32_t GetCurrentIndex() const { return m_current; }
    const CObjectIdPage* GetCurrentPage() const;
    // Moves one page on (after the last back to the first) or back; false with fewer than two
    // pages or none current.
    bool Step(bool forward);
    const std::vector<CObjectIdPage>& Pages() const { return m_pages; }

private:
    std::vector<CObjectIdPage> m_pages;
    int32_t m_current = -1;
};

// One laid-out line of a page: the label left of the tab, the value right of it.
struct CTipLine
{
    std::string left;
    std::string right;
    uint32_t color = WindowTextColor;
    bool hasTab = false;
    // A value that is a palette colour swatch: its index and the text drawn on it.
    bool swatch = false;
    int32_t swatchIndex = 0;
};

// A value starting with a carriage return is a colour swatch: the rest, without leading blanks,
// is the palette index; "-n" shows "(n)", anything else is shown as it is. Indexes are kept to
// the palette's 0..255.
bool ParseColorSwatch(const std::string& right, int32_t& index, std::string& shown);

// Splits every block of the page into lines, each block up to its first empty line.
std::vector<CTipLine> SplitTipLines(const CColoredTextLines& page);

// What the popup's box measures, in pixels.
struct CTipMetrics
{
    int32_t leftWidth = 0;   // L: the widest label, with room for a gap when it has a value
    int32_t rightWidth = 0;  // R: the widest value, never narrower than a swatch
    int32_t lineHeight = 0;  // H
    int32_t lineCount = 0;   // k
    DevicePoint box;         // the framed box
    DevicePoint window;      // the box and its shadow
};

// measure gives the width and height of a text in the popup's font.
CTipMetrics MeasureTip(const std::vector<CTipLine>& lines, const std::function<DevicePoint(const std::string&)>& measure,
                       bool withIcons);

// The text a swatch must hold, which sets the narrowest value column.
inline constexpr const char* SwatchSizeText = " (255) ";
inline constexpr int32_t TipShadow = 8;
inline constexpr int32_t TipMargin = 8;
inline constexpr int32_t TipIconColumn = 44;

// Where a box of the size goes for the wanted top-left position: flipped to the other side of
// the point (16 pixels away) when it would leave the parent's right or bottom edge, then kept
// inside the left and top edges.
DevicePoint PlaceBesideCursor(DevicePoint position, DevicePoint size, const DeviceRect& parent);
