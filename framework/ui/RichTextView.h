#pragma once

#include <wx/font.h>
#include <wx/scrolwin.h>

#include <cstdint>
#include <string>
#include <vector>

struct RtfDocument;

// A read-only view of rich text (paragraphs of styled runs, as the report reader gives them)
// that keeps each paragraph on one line (up to MaxLineLength characters) and draws only the lines in sight. Filling it measures
// nothing but the few fonts in use, so a report of a hundred thousand rows shows at once, where
// a general rich-text editor lays out every paragraph. The user can scroll, select with the
// mouse or Shift and the keys, select all (Ctrl+A) and copy (Ctrl+C or Ctrl+Insert).
// Positions count characters, each line end counting one, as in a text control.
class CRichTextView : public wxScrolledCanvas
{
public:
    // What a character is drawn with.
    struct CharStyle
    {
        wxString face;
        double points = 12.0;
        bool bold = false;
        bool underline = false;
    };

    // Characters shown on one line at most; a longer paragraph goes on in the next.
    static constexpr uint32_t MaxLineLength = 2000;

    CRichTextView(wxWindow* parent, wxWindowID id, long style);

    // Replaces the whole content; text beyond the limit is cut. The caret goes to the start.
    void SetDocument(const RtfDocument& document);
    void Clear();
    // Characters the view holds at most (line ends count one each).
    void SetMaxLength(size_t characters) { m_maxLength = characters; }

    wxString GetValue() const { return wxString(m_text); }
    long GetLastPosition() const { return long(m_text.size()); }
    long GetNumberOfLines() const { return long(m_lines.size()); }
    wxString GetLineText(long line) const;
    // The style of the character at the position; false past the end or on a line end.
    bool GetStyleAt(long position, CharStyle& style) const;

    // The caret: the moving end of the selection.
    long GetInsertionPoint() const { return m_caret; }
    void SetInsertionPoint(long position);
    void SetInsertionPointEnd() { SetInsertionPoint(GetLastPosition()); }
    void SetSelection(long from, long to);
    void GetSelection(long* from, long* to) const;
    wxString GetStringSelection() const;
    void SelectAll() { SetSelection(0, GetLastPosition()); }
    // Puts the selection on the clipboard; false when nothing is selected or the clipboard is busy.
    bool Copy();
    // Scrolls so that the line holding the position is in sight.
    void ShowPosition(long position);
    // The first line wholly or partly in sight.
    long GetFirstVisibleLine() const;

    // Mouse and keys, as the window's events reach them (client coordinates).
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    // The character position nearest a point in client coordinates.
    long HitTestPosition(const wxPoint& client) const;

protected:
    void OnDraw(wxDC& dc) override;

private:
    struct Style
    {
        wxFont font;
        CharStyle info;
        int height = 0;
        int ascent = 0;
        // Width of one character when the font is fixed-pitch; 0 when it is not.
        int fixedAdvance = 0;
    };
    struct Run
    {
        uint32_t begin = 0; // offset in the line
        uint32_t length = 0;
        uint16_t style = 0;
    };
    struct Line
    {
        size_t start = 0; // position of the first character
        uint32_t length = 0;
        uint32_t firstRun = 0;
        uint32_t runCount = 0;
        int y = 0;
        int height = 0;
        int ascent = 0;
        int width = 0;
        uint8_t alignment = 0; // 0 left, 1 centre, 2 right
        bool wrapped = false;  // goes on in the next line, with no line end between
    };

    uint16_t StyleIndex(const std::string& face, int32_t halfPoints, bool bold, bool underline);
    uint16_t FindOrAddStyle(const std::string& face, int32_t halfPoints, bool bold, bool underline);
    int MeasureRun(const Line& line, const Run& run) const;
    void UpdateVirtualSize();
    long LineOfPosition(long position) const;
    long LineAtY(int y) const;
    int LineLeft(const Line& line) const;
    // Pixel offset of a character within its line (from the line's left edge).
    int OffsetInLine(const Line& line, long column) const;
    void MoveCaret(long position, bool extend);
    void RefreshLines(long first, long last);

    std::wstring m_text;
    std::vector<Line> m_lines;
    std::vector<Run> m_runs;
    std::vector<Style> m_styles;
    struct LastStyle
    {
        std::string face;
        int32_t halfPoints = 0;
        bool bold = false;
        bool underline = false;
        int index = -1;
    } m_lastStyle;
    int m_contentWidth = 0;
    int m_contentHeight = 0;
    int m_margin = 2;
    int m_defaultLineHeight = 16;
    size_t m_maxLength = 16777215;
    long m_anchor = 0;
    long m_caret = 0;
    bool m_selecting = false;
};
