#include "framework/ui/RichTextView.h"

#include "core/Utf8.h"
#include "shell/RtfReader.h"

#include <wx/clipbrd.h>
#include <wx/dc.h>
#include <wx/settings.h>

#include <algorithm>

namespace {

// Characters from here on may be drawn wider than a fixed-pitch font's cell, so lines holding
// them are measured rather than counted.
constexpr wchar_t FirstWideCharacter = 0x1100;

wxString Slice(const std::wstring& text, size_t start, size_t length)
{
    return wxString(text.data() + start, length);
}

} // namespace

CRichTextView::CRichTextView(wxWindow* parent, wxWindowID id, long style)
    : wxScrolledCanvas(parent, id, wxDefaultPosition, wxDefaultSize, style)
{
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    m_margin = FromDIP(2);
    m_defaultLineHeight = std::max(1, GetCharHeight());
    SetScrollRate(std::max(1, GetCharWidth()), m_defaultLineHeight);
    Bind(wxEVT_LEFT_DOWN, &CRichTextView::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CRichTextView::OnLeftDown, this);
    Bind(wxEVT_MOTION, &CRichTextView::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &CRichTextView::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_selecting = false; });
    Bind(wxEVT_KEY_DOWN, &CRichTextView::OnKeyDown, this);
    // Centred and right-aligned lines follow the width.
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        Refresh();
        event.Skip();
    });
}

uint16_t CRichTextView::StyleIndex(const std::string& face, int32_t halfPoints, bool bold, bool underline)
{
    // Runs in a row mostly share their style.
    if (m_lastStyle.index >= 0 && m_lastStyle.face == face && m_lastStyle.halfPoints == halfPoints &&
        m_lastStyle.bold == bold && m_lastStyle.underline == underline)
        return uint16_t(m_lastStyle.index);
    const uint16_t index = FindOrAddStyle(face, halfPoints, bold, underline);
    m_lastStyle = LastStyle{face, halfPoints, bold, underline, index};
    return index;
}

uint16_t CRichTextView::FindOrAddStyle(const std::string& face, int32_t halfPoints, bool bold, bool underline)
{
    const wxString faceName = face.empty() ? GetFont().GetFaceName() : wxString::FromUTF8(face);
    const double points = std::clamp(halfPoints, 2, 3276) / 2.0;
    for (size_t i = 0; i < m_styles.size(); ++i) {
        const CharStyle& info = m_styles[i].info;
        if (info.face == faceName && info.points == points && info.bold == bold && info.underline == underline)
            return uint16_t(i);
    }
    // A report uses a handful of styles; beyond what an index holds the last one serves.
    if (m_styles.size() >= 0xFFFF)
        return uint16_t(m_styles.size() - 1);
    Style style;
    style.info = CharStyle{faceName, points, bold, underline};
    style.font = wxFont(wxFontInfo(points).FaceName(faceName).Bold(bold).Underlined(underline));
    int width = 0, height = 0, descent = 0;
    GetTextExtent("Xg", &width, &height, &descent, nullptr, &style.font);
    style.height = std::max(1, height);
    style.ascent = height - descent;
    int narrow = 0, wide = 0;
    GetTextExtent("iiiiiiiiii", &narrow, &height, nullptr, nullptr, &style.font);
    GetTextExtent("WWWWWWWWWW", &wide, &height, nullptr, nullptr, &style.font);
    style.fixedAdvance = narrow == wide ? wide : 0; // width of ten characters
    m_styles.push_back(std::move(style));
    return uint16_t(m_styles.size() - 1);
}

int CRichTextView::MeasureRun(const Line& line, const Run& run) const
{
    const Style& style = m_styles[run.style];
    const wchar_t* begin = m_text.data() + line.start + run.begin;
    const wchar_t* end = begin + run.length;
    if (style.fixedAdvance > 0 && std::all_of(begin, end, [](wchar_t c) { return c < FirstWideCharacter; }))
        return int(int64_t(run.length) * style.fixedAdvance / 10);
    int width = 0, height = 0;
    GetTextExtent(wxString(begin, run.length), &width, &height, nullptr, nullptr, &style.font);
    return width;
}

void CRichTextView::Clear()
{
    m_text.clear();
    m_lines.clear();
    m_runs.clear();
    m_contentWidth = 0;
    m_contentHeight = 0;
    m_anchor = m_caret = 0;
    UpdateVirtualSize();
    Scroll(0, 0);
    Refresh();
}

void CRichTextView::SetDocument(const RtfDocument& document)
{
    Clear();
    m_lines.reserve(document.paragraphs.size());
    int y = m_margin;
    Line line;
    const auto startLine = [&](uint8_t alignment) {
        line = Line{};
        line.start = m_text.size();
        line.firstRun = uint32_t(m_runs.size());
        line.alignment = alignment;
    };
    const auto endLine = [&](bool wrapped) {
        line.length = uint32_t(m_text.size() - line.start);
        line.runCount = uint32_t(m_runs.size()) - line.firstRun;
        line.wrapped = wrapped;
        if (line.height == 0) {
            line.height = m_defaultLineHeight;
            line.ascent = m_defaultLineHeight;
        }
        for (uint32_t r = 0; r < line.runCount; ++r)
            line.width += MeasureRun(line, m_runs[line.firstRun + r]);
        line.y = y;
        y += line.height;
        m_contentWidth = std::max(m_contentWidth, line.width);
        m_lines.push_back(line);
    };
    for (const RtfParagraph& paragraph : document.paragraphs) {
        if (!m_lines.empty()) {
            if (m_text.size() >= m_maxLength)
                break;
            m_text.push_back(L'\n');
        }
        startLine(paragraph.alignment == RtfAlignment::Centre  ? 1
                  : paragraph.alignment == RtfAlignment::Right ? 2
                                                               : 0);
        for (const RtfRun& source : paragraph.runs) {
            const uint16_t style = StyleIndex(source.face, source.fontSize, source.bold, source.underline);
            Run run;
            run.begin = uint32_t(m_text.size() - line.start);
            run.style = style;
            for (size_t i = 0; i < source.text.size() && m_text.size() < m_maxLength;) {
                // A very long line goes on over several, so no drawing or hit test has to
                // measure more than a screen's worth of text.
                if (m_text.size() - line.start >= MaxLineLength) {
                    run.length = uint32_t(m_text.size() - line.start) - run.begin;
                    if (run.length > 0)
                        m_runs.push_back(run);
                    endLine(true);
                    startLine(0);
                    run.begin = 0;
                }
                line.height = std::max(line.height, m_styles[style].height);
                line.ascent = std::max(line.ascent, m_styles[style].ascent);
                const char32_t c = DecodeUtf8(source.text, i);
                // Line breaks inside a run would break the one-line layout.
                m_text.push_back(c == U'\n' || c == U'\r' ? L' ' : wchar_t(c));
            }
            // An empty run still gives an empty line its height.
            line.height = std::max(line.height, m_styles[style].height);
            line.ascent = std::max(line.ascent, m_styles[style].ascent);
            run.length = uint32_t(m_text.size() - line.start) - run.begin;
            if (run.length > 0)
                m_runs.push_back(run);
        }
        endLine(false);
    }
    m_contentHeight = y - m_margin;
    UpdateVirtualSize();
    Refresh();
}

void CRichTextView::UpdateVirtualSize()
{
    SetVirtualSize(m_contentWidth + 2 * m_margin, m_contentHeight + 2 * m_margin);
}

wxString CRichTextView::GetLineText(long line) const
{
    if (line < 0 || size_t(line) >= m_lines.size())
        return wxString();
    return Slice(m_text, m_lines[line].start, m_lines[line].length);
}

long CRichTextView::LineOfPosition(long position) const
{
    if (m_lines.empty())
        return -1;
    const auto at = std::upper_bound(m_lines.begin(), m_lines.end(), size_t(std::max(0L, position)),
                                     [](size_t p, const Line& line) { return p < line.start; });
    return long(at - m_lines.begin()) - 1;
}

long CRichTextView::LineAtY(int y) const
{
    if (m_lines.empty())
        return -1;
    const auto at = std::upper_bound(m_lines.begin(), m_lines.end(), y,
                                     [](int value, const Line& line) { return value < line.y; });
    return std::max(0L, long(at - m_lines.begin()) - 1);
}

bool CRichTextView::GetStyleAt(long position, CharStyle& style) const
{
    const long index = LineOfPosition(position);
    if (index < 0)
        return false;
    const Line& line = m_lines[index];
    const size_t column = size_t(position) - line.start;
    if (column >= line.length)
        return false;
    for (uint32_t r = 0; r < line.runCount; ++r) {
        const Run& run = m_runs[line.firstRun + r];
        if (column >= run.begin && column < run.begin + run.length) {
            style = m_styles[run.style].info;
            return true;
        }
    }
    return false;
}

int CRichTextView::LineLeft(const Line& line) const
{
    const int width = std::max(GetClientSize().x, m_contentWidth + 2 * m_margin);
    switch (line.alignment) {
    case 1:
        return std::max(m_margin, (width - line.width) / 2);
    case 2:
        return std::max(m_margin, width - m_margin - line.width);
    default:
        return m_margin;
    }
}

int CRichTextView::OffsetInLine(const Line& line, long column) const
{
    int x = 0;
    for (uint32_t r = 0; r < line.runCount; ++r) {
        const Run& run = m_runs[line.firstRun + r];
        if (column <= long(run.begin))
            break;
        const uint32_t count = std::min<uint32_t>(run.length, uint32_t(column) - run.begin);
        int width = 0, height = 0;
        GetTextExtent(Slice(m_text, line.start + run.begin, count), &width, &height, nullptr, nullptr,
                      &m_styles[run.style].font);
        x += width;
    }
    return x;
}

long CRichTextView::HitTestPosition(const wxPoint& client) const
{
    const long index = LineAtY(CalcUnscrolledPosition(client).y);
    if (index < 0)
        return 0;
    const Line& line = m_lines[index];
    const int x = CalcUnscrolledPosition(client).x - LineLeft(line);
    // The character boundary nearest the point: offsets grow with the column.
    long low = 0, high = long(line.length);
    while (low < high) {
        const long middle = (low + high) / 2;
        if (OffsetInLine(line, middle) < x)
            low = middle + 1;
        else
            high = middle;
    }
    if (low > 0 && x - OffsetInLine(line, low - 1) <= OffsetInLine(line, low) - x)
        --low;
    return long(line.start) + low;
}

long CRichTextView::GetFirstVisibleLine() const
{
    return std::max(0L, LineAtY(CalcUnscrolledPosition(wxPoint(0, 0)).y));
}

void CRichTextView::ShowPosition(long position)
{
    const long index = LineOfPosition(position);
    if (index < 0) {
        Scroll(0, 0);
        return;
    }
    const Line& line = m_lines[index];
    int unitX = 1, unitY = 1;
    GetScrollPixelsPerUnit(&unitX, &unitY);
    unitX = std::max(1, unitX);
    unitY = std::max(1, unitY);
    const wxSize client = GetClientSize();
    const wxPoint top = CalcUnscrolledPosition(wxPoint(0, 0));
    int scrollY = -1, scrollX = -1;
    if (line.y < top.y)
        scrollY = line.y / unitY;
    else if (line.y + line.height + m_margin > top.y + client.y)
        scrollY = (line.y + line.height + m_margin - client.y + unitY - 1) / unitY;
    const int x = LineLeft(line) + OffsetInLine(line, position - long(line.start));
    if (x < top.x)
        scrollX = std::max(0, x - m_margin) / unitX;
    else if (x + m_margin > top.x + client.x)
        scrollX = (x + m_margin - client.x + unitX - 1) / unitX;
    if (scrollX >= 0 || scrollY >= 0)
        Scroll(scrollX, std::max(scrollY, -1));
}

void CRichTextView::SetInsertionPoint(long position)
{
    SetSelection(position, position);
}

void CRichTextView::SetSelection(long from, long to)
{
    const long last = GetLastPosition();
    m_anchor = std::clamp(from, 0L, last);
    m_caret = std::clamp(to, 0L, last);
    Refresh();
}

void CRichTextView::GetSelection(long* from, long* to) const
{
    if (from)
        *from = std::min(m_anchor, m_caret);
    if (to)
        *to = std::max(m_anchor, m_caret);
}

wxString CRichTextView::GetStringSelection() const
{
    long from = 0, to = 0;
    GetSelection(&from, &to);
    return Slice(m_text, size_t(from), size_t(to - from));
}

bool CRichTextView::Copy()
{
    const wxString text = GetStringSelection();
    if (text.empty())
        return false;
    wxClipboardLocker lock;
    if (!lock)
        return false;
    return wxTheClipboard->SetData(new wxTextDataObject(text));
}

void CRichTextView::MoveCaret(long position, bool extend)
{
    m_caret = std::clamp(position, 0L, GetLastPosition());
    if (!extend)
        m_anchor = m_caret;
    ShowPosition(m_caret);
    Refresh();
}

void CRichTextView::OnLeftDown(wxMouseEvent& event)
{
    SetFocus();
    MoveCaret(HitTestPosition(event.GetPosition()), event.ShiftDown());
    m_selecting = true;
    if (!HasCapture())
        CaptureMouse();
}

void CRichTextView::OnMotion(wxMouseEvent& event)
{
    if (!m_selecting || !event.LeftIsDown())
        return;
    // Dragging past an edge scrolls the text along.
    MoveCaret(HitTestPosition(event.GetPosition()), true);
}

void CRichTextView::OnLeftUp(wxMouseEvent&)
{
    m_selecting = false;
    if (HasCapture())
        ReleaseMouse();
}

void CRichTextView::OnKeyDown(wxKeyEvent& event)
{
    const bool control = event.ControlDown();
    const bool shift = event.ShiftDown();
    const int key = event.GetKeyCode();
    if ((control && (key == 'C' || key == WXK_INSERT)) || (control && key == 'A')) {
        if (key == 'A')
            SelectAll();
        else
            Copy();
        return;
    }
    const long index = LineOfPosition(m_caret);
    if (index < 0) {
        event.Skip();
        return;
    }
    const Line& line = m_lines[index];
    const long column = m_caret - long(line.start);
    const auto toLine = [&](long target) {
        target = std::clamp(target, 0L, long(m_lines.size()) - 1);
        return long(m_lines[target].start) + std::min(column, long(m_lines[target].length));
    };
    const long page = std::max(1, GetClientSize().y / std::max(1, m_defaultLineHeight)) - 1;
    switch (key) {
    case WXK_LEFT:
        MoveCaret(m_caret - 1, shift);
        break;
    case WXK_RIGHT:
        MoveCaret(m_caret + 1, shift);
        break;
    case WXK_UP:
        MoveCaret(toLine(index - 1), shift);
        break;
    case WXK_DOWN:
        MoveCaret(toLine(index + 1), shift);
        break;
    case WXK_PAGEUP:
        MoveCaret(toLine(index - std::max(1L, page)), shift);
        break;
    case WXK_PAGEDOWN:
        MoveCaret(toLine(index + std::max(1L, page)), shift);
        break;
    case WXK_HOME:
        MoveCaret(control ? 0 : long(line.start), shift);
        break;
    case WXK_END:
        MoveCaret(control ? GetLastPosition() : long(line.start + line.length), shift);
        break;
    default:
        event.Skip();
        break;
    }
}

void CRichTextView::OnDraw(wxDC& dc)
{
    if (m_lines.empty())
        return;
    const wxPoint top = CalcUnscrolledPosition(wxPoint(0, 0));
    const wxSize client = GetClientSize();
    const long first = LineAtY(top.y);
    long from = 0, to = 0;
    GetSelection(&from, &to);
    const wxColour text = GetForegroundColour();
    const wxColour selectedText = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    const wxColour selectedBack = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(selectedBack));
    for (long index = first; index < long(m_lines.size()) && m_lines[index].y < top.y + client.y; ++index) {
        const Line& line = m_lines[index];
        int x = LineLeft(line);
        for (uint32_t r = 0; r < line.runCount; ++r) {
            const Run& run = m_runs[line.firstRun + r];
            const Style& style = m_styles[run.style];
            dc.SetFont(style.font);
            const int baseline = line.y + line.ascent - style.ascent;
            const long runStart = long(line.start + run.begin);
            const long runEnd = runStart + long(run.length);
            // Up to three pieces: before, inside and after the selection.
            const long cuts[4] = {runStart, std::clamp(from, runStart, runEnd), std::clamp(to, runStart, runEnd), runEnd};
            for (int piece = 0; piece < 3; ++piece) {
                if (cuts[piece + 1] <= cuts[piece])
                    continue;
                const wxString part = Slice(m_text, size_t(cuts[piece]), size_t(cuts[piece + 1] - cuts[piece]));
                const wxSize extent = dc.GetTextExtent(part);
                if (x < top.x + client.x && x + extent.x > top.x) {
                    if (piece == 1)
                        dc.DrawRectangle(x, line.y, extent.x, line.height);
                    dc.SetTextForeground(piece == 1 ? selectedText : text);
                    dc.DrawText(part, x, baseline);
                }
                x += extent.x;
            }
        }
        // A selected line end shows as a little block after the text.
        const long lineEnd = long(line.start + line.length);
        if (!line.wrapped && from <= lineEnd && to > lineEnd)
            dc.DrawRectangle(x, line.y, std::max(2, line.height / 3), line.height);
    }
}
