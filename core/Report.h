#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Column flag bits: one heading alignment, one cell alignment, and bold cells. Within each
// group the first bit set wins.
inline constexpr int32_t ReportHeadingLeft = 0x001;
inline constexpr int32_t ReportHeadingCentre = 0x002;
inline constexpr int32_t ReportHeadingRight = 0x004;
inline constexpr int32_t ReportCellLeft = 0x010;
inline constexpr int32_t ReportCellCentre = 0x020;
inline constexpr int32_t ReportCellRight = 0x040;
inline constexpr int32_t ReportCellBold = 0x100;

// Report option bit 0: the date line of the rendered text carries no name.
inline constexpr int32_t ReportOptionNoNameOnDateLine = 0x1;

struct CColumnInfo
{
    int32_t flags = 0;
    // A "\n" inside splits the heading over several lines.
    std::string heading;
};

// One table of a report: its columns and rows of text cells. Every row has the column count the
// section had when the row was added.
struct CReportSection
{
    std::vector<CColumnInfo> columns;
    std::vector<std::vector<std::string>> rows;
};

// A font that switches the font of the header lines after it; only its face, size and weight
// reach the output.
struct CReportFont
{
    std::string face;
    int32_t points = 10;
    bool bold = false;
    bool italic = false;
};

// A header line, or (when font is set) a font switch for the lines that follow.
struct CReportHeaderItem
{
    std::string text;
    std::unique_ptr<CReportFont> font;
};

// The one report model of the program: header lines above one or more sections. It knows
// nothing of fonts or output devices; the rich-text writer the shell installs renders it (see
// core/ReportOutput.h). A new or cleared report holds one empty section, which is current;
// AddColumn, AddRow and SetCell work on the current section, always the last one added.
// Out-of-range indexes and null texts are ignored silently, but every mutating call marks the
// report changed so that the next rendering is made afresh.
class CReport
{
public:
    explicit CReport(int32_t options = 0);
    CReport(const CReport&) = delete;
    CReport& operator=(const CReport&) = delete;
    ~CReport();

    // Drops every header item and section; with newSection starts one empty section.
    CReport& Clear(bool newSection = true);
    // A null text adds no line; the report counts as changed either way.
    void AddHeaderLine(const char* text);
    void AddHeaderLine(const std::string& text) { AddHeaderLine(text.c_str()); }
    // Header lines after it are written in this font. A null face adds nothing.
    void BuildFontList(const char* face, int32_t points, bool bold, bool italic);
    CReport& NewSection();
    // Ignored once the current section has rows. When the column count equals swap column B the
    // new column goes before the last one, so the two swapped headings trade places.
    CReport& AddColumn(const char* heading, int32_t flags);
    // Appends an empty row sized to the column count; the index of the last row (-1 when the
    // section has neither columns nor rows).
    int32_t AddRow();
    void DeleteRow(int32_t row);
    // A one-cell line such as a note or a sub-title.
    void AddTextRow(const char* text);
    void AddTextRow(const std::string& text) { AddTextRow(text.c_str()); }
    void AddPageBreakRow();
    // An empty text is stored as one blank; unless raw, every backslash is doubled (the rich-text
    // writer passes cell texts through as they are stored). Columns A and B of SetSwapColumns
    // trade places.
    void SetCell(int32_t column, int32_t row, const char* text, bool raw);
    void SetCell(int32_t column, int32_t row, const std::string& text, bool raw)
    {
        SetCell(column, row, text.c_str(), raw);
    }
    // Exchanges two adjacent columns added in index order, unless the user lists northing before
    // easting (northingFirst, the coordinate-order setting). Always true.
    bool SetSwapColumns(int32_t a, int32_t b, bool northingFirst);
    // With keep, the current section stays as the only one, emptied of rows but with its
    // columns; without, a fresh empty section takes its place. Header lines stay.
    void ClearSections(bool keepCurrent);

    // True when no section holds a row; header lines do not count.
    bool IsEmpty() const;
    // Rows of the current section; 0 without one.
    int32_t GetRowCount() const;
    // Rows of all sections together.
    int64_t GetTotalRowCount() const;

    // Header lines only, without the font switches.
    std::vector<std::string> GetHeaderLines() const;
    const std::vector<CReportHeaderItem>& GetHeaderItems() const { return m_headerItems; }
    const std::vector<std::unique_ptr<CReportSection>>& GetSections() const { return m_sections; }
    const CReportSection* GetCurrentSection() const { return m_current; }
    // The cell's text, or empty when out of range.
    std::string GetCell(size_t section, int32_t column, int32_t row) const;
    int32_t GetOptions() const { return m_options; }
    int32_t GetSwapColumnA() const { return m_swapA; }
    int32_t GetSwapColumnB() const { return m_swapB; }

    // Set by every change; cleared by a rendering.
    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }
    bool GetLastRenderingMode() const { return m_lastMode; }
    const std::string& GetRenderedText() const { return m_rendered; }

    // Rendering and output. The text comes from the installed report output (the rich-text
    // writer); an unchanged report rendered again in the same mode and with the same name gives
    // the cached text.
    // Mode 0 is the message bar (tables only); mode 1 the editor and files (with a date line
    // and the header lines). An empty name stands for the active job's file name.
    std::string GenerateRtf(bool mode, const std::string& name = std::string());
    // Puts the report into the main window's message bar and shows or hides the bar: shown when
    // the report has rows and "Auto Show Messages" is on or the bar is already visible; with
    // respectUserClose a bar the user closed stays hidden, without it that record is cleared.
    void ShowInMessageBar(bool respectUserClose, bool caretAtEnd);
    // Hands the report to the companion editor; an empty report only says "Empty Report.".
    bool OpenInEditor(const std::string& name = std::string());
    // Writes the rich text to the file through a temporary file beside it, so a failed write
    // leaves the old file as it was. False (and no message) when it cannot be written.
    bool SaveRtf(const std::string& path, const std::string& name = std::string());
    // Prints through the companion editor ("/p" and a temporary file).
    bool PrintWithEditor();

private:
    CReportSection& Current();

    int32_t m_swapA = -1;
    int32_t m_swapB = -1;
    std::vector<CReportHeaderItem> m_headerItems;
    std::vector<std::unique_ptr<CReportSection>> m_sections;
    CReportSection* m_current = nullptr;
    std::string m_rendered;
    bool m_changed = false;
    bool m_lastMode = false;
    std::string m_lastName;
    int32_t m_options = 0;
};
