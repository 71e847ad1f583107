#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CDataFileDoc;
class CSelectionDescription;

// Names joined for a tip: ", " between names, a line closed with ",\n" once it reaches 30
// characters, at most three closed lines and then an ellipsis. Fed one name at a time so a walk
// of a quarter of a million points builds no list.
class CSelectionNamesText
{
public:
    void Add(std::string_view name);
    int32_t GetCount() const { return m_count; }
    // Whether later names no longer reach the text.
    bool IsTruncated() const { return m_truncated; }
    std::string GetText() const;

private:
    std::string m_names;
    std::string m_line;
    int m_lines = 0;
    bool m_truncated = false;
    int32_t m_count = 0;
};

// The chip's tip: "Nothing selected", "<n> Point(s):\n<names>\n" for a description of any number,
// the object's identification text or the description's name for a single one. Empty when no job
// is open.
std::string BuildSelectionChipTipText(CSelectionDescription& description, CDataFileDoc* doc);

// What saving a chip's description refuses: "Nothing Selected." or an empty text. The optional
// form never refuses; both drop a single object the description's filter no longer accepts.
std::string CheckSelectionChipOnSave(CSelectionDescription& description, bool optional);
// "Selection contains alphanumeric point names." when a selected point's name holds a character
// other than a digit; empty when the names are all numbers.
std::string CheckSelectionNumericNames(CSelectionDescription& description);

// Change hints after which a chip reads its selection again.
bool SelectionChipRefreshesOn(int32_t hint);

// The arrow part is two thirds of an icon wide; a chip with a caption of its own is as wide as
// the caption beside the glyph.
int32_t SelectionChipArrowWidth(int32_t iconWidth);
bool IsGlyphOnlyCaption(const std::string& caption);
int32_t SelectionChipWidth(int32_t captionWidth, bool glyphOnly, int32_t iconWidth, int32_t arrowWidth);

// One border pixel of a field waiting for a pick: dashes of four pixels, walked down the left
// edge, along the bottom, up the right and back along the top.
struct AntPixel
{
    int32_t x;
    int32_t y;
    bool highlight;
};
std::vector<AntPixel> MarchingAntsBorder(int32_t width, int32_t height, int32_t phase);
// The phase moves two pixels each tick.
inline constexpr int32_t AntPhaseStep = 2;

// The downward triangle of the arrow part: five rows, row i from x0 + i to x0 + 9 - i.
struct ArrowRow
{
    int32_t x1;
    int32_t x2;
    int32_t y;
};
std::vector<ArrowRow> ChipArrowRows(int32_t left, int32_t top, int32_t width, int32_t height);
