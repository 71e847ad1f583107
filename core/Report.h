#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Column flag bits: one heading alignment, one cell alignment, and bold cells.
inline constexpr int32_t ReportHeadingLeft = 0x001;
inline constexpr int32_t ReportHeadingCentre = 0x002;
inline constexpr int32_t ReportHeadingRight = 0x004;
inline constexpr int32_t ReportCellLeft = 0x010;
inline constexpr int32_t ReportCellCentre = 0x020;
inline constexpr int32_t ReportCellRight = 0x040;
inline constexpr int32_t ReportCellBold = 0x100;

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

// The one report model of the program: header lines above one or more sections. It knows
// nothing of fonts or output; the rich-text writer renders it. A new or cleared report holds one
// empty section, which is current; AddColumn, AddRow and SetCell work on the current section,
// always the last one added. Out-of-range indexes and null texts are ignored silently.
class CReport
{
public:
    explicit CReport(int32_t options = 0);
    CReport(const CReport&) = delete;
    CReport& operator=(const CReport&) = delete;

    // Drops every header line and section; with newSection starts one empty section.
    CReport& Clear(bool newSection = true);
    // A null text adds no line; the report counts as changed either way.
    void AddHeaderLine(const char* text);
    void AddHeaderLine(const std::string& text) { AddHeaderLine(text.c_str()); }
    CReport& NewSection();
    // Ignored once the current section has rows.
    CReport& AddColumn(const char* heading, int32_t flags);
    // Appends an empty row sized to the column count; the index of the last row (-1 when the
    // section has neither columns nor rows).
    int32_t AddRow();
    void DeleteRow(int32_t row);
    // A one-cell line such as a note or a sub-title.
    void AddTextRow(const char* text);
    // An empty text is stored as one blank; unless raw, every backslash is doubled so that it
    // survives the rich-text rendering.
    void SetCell(int32_t column, int32_t row, const char* text, bool raw);
    void SetCell(int32_t column, int32_t row, const std::string& text, bool raw)
    {
        SetCell(column, row, text.c_str(), raw);
    }
    // With keep, the current section stays as the only one, emptied of rows but with its columns;
    // without, no section is current afterwards. Header lines stay.
    void ClearSections(bool keepCurrent);

    // True when no section holds a row; header lines do not count.
    bool IsEmpty() const;
    // Rows of the current section; 0 without one.
    int32_t GetRowCount() const;

    const std::vector<std::string>& GetHeaderLines() const { return m_headerLines; }
    const std::vector<std::unique_ptr<CReportSection>>& GetSections() const { return m_sections; }
    const CReportSection* GetCurrentSection() const { return m_current; }
    // The cell's text, or empty when out of range.
    std::string GetCell(size_t section, int32_t column, int32_t row) const;
    int32_t GetOptions() const { return m_options; }

    // Set by every change; the renderer clears it when it has rendered.
    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }

private:
    std::vector<std::string> m_headerLines;
    std::vector<std::unique_ptr<CReportSection>> m_sections;
    CReportSection* m_current = nullptr;
    bool m_changed = false;
    int32_t m_options = 0;
};
