#include "framework/ui/ObjectIdWnd.h"

#include "framework/ColorTable.h"
#include "framework/ui/ProgramServices.h"
#include "framework/ui/WindowHelpers.h"
#include "model/HintCodes.h"

#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/region.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>

namespace {

CObjectIdWnd* s_currentTip = nullptr;

wxFont TipFont()
{
    // The status bar's face: GTK shows status texts in the default GUI font.
    return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
}

wxColour TextColour(uint32_t colour)
{
    return colour == WindowTextColor ? wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT) : ToWxColour(colour);
}

// The checker of the shadow: black where the 0xAAAA / 0x5555 pattern has a zero bit.
bool IsShadowPixel(int x, int y)
{
    return ((x + y) & 1) == 1;
}

bool InShadowStrip(int x, int y, const CTipMetrics& m)
{
    const int w = m.box.x, h = m.box.y;
    const bool right = x >= w && x < w + TipShadow && y >= TipShadow && y < h + TipShadow;
    const bool below = y >= h && y < h + TipShadow && x >= TipShadow && x < w + TipShadow;
    return right || below;
}

bool IsRecordInJob(const CRecord* record)
{
    const CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    return record && doc && doc->ContainsRecord(record, 0);
}

} // namespace

CObjectIdWnd::CObjectIdWnd(bool tipMode) : m_tipMode(tipMode), m_showTimer(this, ShowTimerId), m_iconTimer(this, IconTimerId)
{
}

CObjectIdWnd::~CObjectIdWnd()
{
    m_showTimer.Stop();
    m_iconTimer.Stop();
    SetOwner(nullptr);
    if (m_appBound && wxTheApp) {
        wxTheApp->Unbind(wxEVT_IDLE, &CObjectIdWnd::OnAppIdle, this);
        wxTheApp->Unbind(wxEVT_ACTIVATE_APP, &CObjectIdWnd::OnAppActivate, this);
    }
    if (s_currentTip == this)
        s_currentTip = nullptr;
}

bool CObjectIdWnd::Create(wxWindow* parent)
{
    if (!wxPopupWindow::Create(parent, wxBORDER_NONE | wxFRAME_SHAPED))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFont(TipFont());
    Bind(wxEVT_PAINT, &CObjectIdWnd::OnPaint, this);
    Bind(wxEVT_TIMER, &CObjectIdWnd::OnTimer, this);
    if (wxTheApp) {
        wxTheApp->Bind(wxEVT_IDLE, &CObjectIdWnd::OnAppIdle, this);
        wxTheApp->Bind(wxEVT_ACTIVATE_APP, &CObjectIdWnd::OnAppActivate, this);
        m_appBound = true;
    }
    return true;
}

// ---------------------------------------------------------------- tips

void CObjectIdWnd::ShowText(const std::string& text, int32_t x, int32_t y, const std::vector<int32_t>& icons,
                            uint32_t colour)
{
    CColoredTextLines lines;
    if (!text.empty())
        lines.AddLine(text, colour);
    ShowLines(lines, x, y, icons);
}

void CObjectIdWnd::ShowForObject(const std::string& text, int32_t x, int32_t y, int32_t icon, uint32_t colour)
{
    ShowText(text, x, y, std::vector<int32_t>{icon}, colour);
}

void CObjectIdWnd::ShowLines(const CColoredTextLines& lines, int32_t x, int32_t y, const std::vector<int32_t>& icons)
{
    if (!GetHandle() || (m_tipMode && IsShown()))
        return;
    SetIcons(icons);
    SetOwner(nullptr);
    if (lines.GetCount() == 0) {
        Dismiss();
        return;
    }
    m_position = wxPoint(x + 10, y + 8);
    m_pages.SetTip(lines);
    m_highlightSent = false;
    LayoutAndShow();
}

// ---------------------------------------------------------------- picks

void CObjectIdWnd::ShowForPick(const std::vector<RecordRef>& objects, const wxPoint& screen, double worldX,
                               double worldY, CObjectIdOwner* owner, int32_t icon)
{
    if (!GetHandle() || (m_tipMode && IsShown()))
        return;
    // An object still highlighted from an earlier pick is drawn normally first.
    if (m_highlightSent)
        Highlight(false);
    m_icons.clear();
    m_highlightSent = false;
    if (objects.empty()) {
        Dismiss();
        return;
    }
    SetOwner(owner);
    m_position = screen + wxPoint(8, 8);
    if (m_pages.BuildPages(objects, worldX, worldY, owner) == 0) {
        Dismiss();
        return;
    }
    if (m_owner) {
        HidePopup();
        Highlight(true);
    }
    SetIcons(std::vector<int32_t>{icon});
    m_waiting = true;
    m_showTimer.StartOnce(10);
}

void CObjectIdWnd::ShowWhenReady()
{
    if (!m_waiting)
        return;
    if (m_owner && m_owner->IsDrawingPending()) {
        m_showTimer.StartOnce(10);
        return;
    }
    m_waiting = false;
    m_showTimer.Stop();
    if (!m_pages.IsEmpty())
        LayoutAndShow();
}

bool CObjectIdWnd::GetCurrentObject(RecordRef& out) const
{
    const CObjectIdPage* page = m_pages.GetCurrentPage();
    if (!IsShown() || !page || !IsRecordInJob(page->object.record))
        return false;
    out = page->object;
    return true;
}

bool CObjectIdWnd::StepObject(bool forward)
{
    if (!(IsShown() || m_highlightSent) || m_pages.GetCurrentIndex() < 0 || m_pages.GetCount() < 2)
        return false;
    HidePopup();
    if (m_highlightSent)
        Highlight(false);
    m_pages.Step(forward);
    Highlight(true);
    m_waiting = true;
    m_showTimer.StartOnce(10);
    return true;
}

void CObjectIdWnd::Highlight(bool on)
{
    const CObjectIdPage* page = m_pages.GetCurrentPage();
    CRecord* record = page ? page->object.record : nullptr;
    if (!record || !m_owner)
        return;
    if (!IsRecordInJob(record)) {
        m_highlightSent = false;
        return;
    }
    const bool drawn = m_owner->HighlightObject(record, on);
    m_highlightSent = on && drawn;
}

void CObjectIdWnd::Dismiss()
{
    RecordRef ignored;
    const bool wasVisible = IsShown();
    const bool hadObject = m_pages.GetCurrentPage() && m_pages.GetCurrentPage()->object.record;
    Cancel(ignored);
    if (wasVisible && !hadObject) {
        if (m_owner)
            m_owner->OnObjectTipDismissed();
    }
}

void CObjectIdWnd::Cancel(RecordRef& out)
{
    out = RecordRef{};
    m_waiting = false;
    m_showTimer.Stop();
    if (!IsShown() && !m_highlightSent)
        return;
    HidePopup();
    const CObjectIdPage* page = m_pages.GetCurrentPage();
    if (page && IsRecordInJob(page->object.record)) {
        out = page->object;
        if (m_highlightSent)
            Highlight(false);
    }
    m_highlightSent = false;
    m_pages.Clear();
}

void CObjectIdWnd::DropPick()
{
    m_waiting = false;
    m_showTimer.Stop();
    if (IsShown())
        HidePopup();
    m_pages.Clear();
    m_highlightSent = false;
}

void CObjectIdWnd::OnNotify(void*, int32_t code, intptr_t)
{
    if (code != HintUndoBegin && code != HintUndoDone && code != HintUnloading && code != HintPointDeleted)
        return;
    for (const CObjectIdPage& page : m_pages.Pages())
        if (page.object.record) {
            DropPick();
            return;
        }
}

void CObjectIdWnd::OnObjectIdOwnerGone(CObjectIdOwner* owner)
{
    if (owner != m_owner)
        return;
    m_owner = nullptr;
    DropPick();
}

void CObjectIdWnd::SetOwner(CObjectIdOwner* owner)
{
    WatchOwner(m_owner, owner);
}

void CObjectIdWnd::SetIcons(const std::vector<int32_t>& ids)
{
    m_icons.clear();
    m_currentIcon = 0;
    CProgramServices* app = GetProgramServices();
    for (int32_t id : ids)
        if (id > 0 && app)
            if (const wxBitmap* icon = app->GetIcon(uint32_t(id), false); icon && icon->IsOk())
                m_icons.push_back(icon);
}

// ---------------------------------------------------------------- showing

CObjectIdWnd* CObjectIdWnd::GetCurrentTip()
{
    return s_currentTip && s_currentTip->IsShown() ? s_currentTip : nullptr;
}

CTipMetrics CObjectIdWnd::Measure(wxDC& dc) const
{
    const CObjectIdPage* page = m_pages.GetCurrentPage();
    const std::vector<CTipLine> lines = page ? SplitTipLines(page->text) : std::vector<CTipLine>{};
    return MeasureTip(
        lines,
        [&dc](const std::string& text) {
            wxCoord w = 0, h = 0;
            dc.GetTextExtent(wxString::FromUTF8(text), &w, &h);
            return DevicePoint{w, h};
        },
        !m_icons.empty());
}

void CObjectIdWnd::LayoutAndShow()
{
    wxClientDC dc(this);
    dc.SetFont(TipFont());
    const CTipMetrics m = Measure(dc);
    wxWindow* parent = GetParent();
    const wxRect area = parent ? parent->GetScreenRect() : wxRect(wxPoint(0, 0), wxGetDisplaySize());
    const DevicePoint at = PlaceBesideCursor(DevicePoint{m_position.x, m_position.y}, m.window,
                                             DeviceRect{area.GetLeft(), area.GetTop(), area.GetRight() + 1,
                                                        area.GetBottom() + 1});
    SetSize(at.x, at.y, m.window.x, m.window.y);
    ApplyShadowShape();
    ShowPopup();
    Refresh(false);
}

void CObjectIdWnd::ApplyShadowShape()
{
    wxClientDC dc(this);
    dc.SetFont(TipFont());
    const CTipMetrics m = Measure(dc);
    if (m.window.x <= 0 || m.window.y <= 0)
        return;
    // No see-through on X11 without a compositor: the shadow's checker is cut into the window's
    // shape instead, so the map shows between its black pixels.
    wxImage mask(m.window.x, m.window.y);
    mask.SetRGB(wxRect(0, 0, m.window.x, m.window.y), 255, 255, 255);
    mask.SetRGB(wxRect(0, 0, m.box.x, m.box.y), 0, 0, 0);
    for (int y = 0; y < m.window.y; ++y)
        for (int x = 0; x < m.window.x; ++x)
            if (InShadowStrip(x, y, m) && IsShadowPixel(x, y))
                mask.SetRGB(x, y, 0, 0, 0);
    SetShape(wxRegion(wxBitmap(mask), *wxWHITE));
}

void CObjectIdWnd::ShowPopup()
{
    m_anchor = wxGetMousePosition();
    Show(true);
    if (m_tipMode)
        s_currentTip = this;
    if (m_icons.size() > 1)
        m_iconTimer.Start(250);
}

void CObjectIdWnd::HidePopup()
{
    m_iconTimer.Stop();
    if (IsShown())
        Hide();
    if (s_currentTip == this)
        s_currentTip = nullptr;
}

std::vector<std::string> CObjectIdWnd::GetShownLines() const
{
    std::vector<std::string> out;
    if (const CObjectIdPage* page = m_pages.GetCurrentPage())
        for (const CTipLine& line : SplitTipLines(page->text))
            out.push_back(line.hasTab ? line.left + "\t" + line.right : line.left);
    return out;
}

// ---------------------------------------------------------------- painting

void CObjectIdWnd::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    PaintBox(dc);
}

void CObjectIdWnd::PaintBox(wxDC& dc)
{
    dc.SetFont(TipFont());
    const CTipMetrics m = Measure(dc);
    const int w = m.box.x, h = m.box.y;
    // Shadow strips: black checker; the other pixels are cut away by the shape.
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(128, 128, 128)));
    dc.DrawRectangle(w, TipShadow, TipShadow, h);
    dc.DrawRectangle(TipShadow, h, w - TipShadow, TipShadow);
    dc.SetPen(*wxBLACK_PEN);
    for (int y = 0; y < m.window.y; ++y)
        for (int x = 0; x < m.window.x; ++x)
            if (InShadowStrip(x, y, m) && IsShadowPixel(x, y))
                dc.DrawPoint(x, y);
    // The box: a black frame, a button-face frame inside it, the window colour within.
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawRectangle(0, 0, w, h);
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.DrawRectangle(1, 1, w - 2, h - 2);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.DrawRectangle(2, 2, w - 4, h - 4);

    const CObjectIdPage* page = m_pages.GetCurrentPage();
    if (!page)
        return;
    const int x0 = m_icons.empty() ? TipMargin : TipIconColumn;
    wxCoord swatchW = 0, swatchH = 0;
    dc.GetTextExtent(SwatchSizeText, &swatchW, &swatchH);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    int y = TipMargin;
    for (const CTipLine& line : SplitTipLines(page->text)) {
        dc.SetTextForeground(TextColour(line.color));
        dc.DrawText(wxString::FromUTF8(line.left), x0, y);
        const int xr = m.leftWidth + x0;
        if (line.swatch) {
            const COLORREF fill = GetPaletteColor(line.swatchIndex);
            dc.SetPen(*wxBLACK_PEN);
            dc.SetBrush(wxBrush(ToWxColour(fill)));
            dc.DrawRectangle(xr, y, swatchW, m.lineHeight);
            const wxString shown = wxString::FromUTF8(line.right);
            wxCoord tw = 0, th = 0;
            dc.GetTextExtent(shown, &tw, &th);
            dc.SetTextForeground(ToWxColour(GetContrastingTextColor(fill)));
            dc.DrawText(shown, xr + (swatchW - tw) / 2, y + (m.lineHeight - th) / 2);
        } else if (!line.right.empty()) {
            dc.DrawText(wxString::FromUTF8(line.right), xr, y);
        }
        y += m.lineHeight;
    }
    if (!m_icons.empty()) {
        if (m_currentIcon < 0 || size_t(m_currentIcon) >= m_icons.size())
            m_currentIcon = 0;
        dc.DrawBitmap(*m_icons[size_t(m_currentIcon)], 6, 6, true);
    }
}

// ---------------------------------------------------------------- events

void CObjectIdWnd::OnTimer(wxTimerEvent& event)
{
    if (event.GetId() == ShowTimerId) {
        // Only wakes the loop: the box appears at the idle pass that follows.
        wxWakeUpIdle();
        return;
    }
    if (event.GetId() == IconTimerId && !m_icons.empty()) {
        m_currentIcon = (m_currentIcon + 1) % int32_t(m_icons.size());
        RefreshRect(wxRect(6, 6, 32, 32), false);
        Update();
    }
}

void CObjectIdWnd::OnAppIdle(wxIdleEvent& event)
{
    event.Skip();
    if (m_waiting)
        ShowWhenReady();
}

void CObjectIdWnd::OnAppActivate(wxActivateEvent& event)
{
    event.Skip();
    if (!event.GetActive())
        Dismiss();
}
