#include "framework/ui/ColorButton.h"

#include "framework/ColorTable.h"
#include "framework/ui/WindowHelpers.h"
#include "model/MorvelSettings.h"
#include "model/MorvelSettingsHelpers.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/dcscreen.h>
#include <wx/eventfilter.h>
#include <wx/popupwin.h>
#include <wx/settings.h>

#include <algorithm>
#include <memory>

namespace {

struct SharedMenus
{
    std::unique_ptr<CColorMenu> plain, layers, withZero;
    int references = 0;
};
SharedMenus g_menus;

wxColour SysColour(wxSystemColour which) { return wxSystemSettings::GetColour(which); }

// Every pixel whose x + y is odd in the system's grey-text colour: the disabled look.
void Dither(wxDC& dc, const wxRect& r)
{
    dc.SetPen(wxPen(SysColour(wxSYS_COLOUR_GRAYTEXT)));
    for (int y = r.GetTop(); y <= r.GetBottom(); ++y)
        for (int x = r.GetLeft() + ((r.GetLeft() + y + 1) & 1); x <= r.GetRight(); x += 2)
            dc.DrawPoint(x, y);
}

wxFont CellFont() { return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT); }

wxString IndexText(int index, bool withZero) { return withZero && index == 0 ? wxString("0") : wxString::Format("%d", index); }

// The grid window; it picks on a click and closes. Escape closes it without a pick wherever the
// key lands (on the grid, or on the window below that kept the keyboard): while the grid is up
// the key is caught before any window sees it, and spent, so the dialog below stays open.
class CColorMenuPopup : public wxPopupTransientWindow, private wxEventFilter
{
public:
    CColorMenuPopup(wxWindow* owner, const CColorMenu& menu, std::function<void(int)> onPick)
        : wxPopupTransientWindow(owner, wxBORDER_SIMPLE), m_menu(menu), m_onPick(std::move(onPick))
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        // The popup takes the focus when it opens; the toolkit then hands it the keys its grab
        // holds back from the window under it, so they reach the filter below too.
        SetCanFocus(true);
        SetClientSize(m_menu.GetGridSize());
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxAutoBufferedPaintDC dc(this);
            dc.SetBackground(wxBrush(SysColour(wxSYS_COLOUR_MENU)));
            dc.Clear();
            for (int i = 0; i < 256; ++i)
                m_menu.DrawItem(dc, i, i == m_hot);
        });
        Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
            const int hot = m_menu.HitTest(e.GetPosition());
            if (hot != m_hot) {
                m_hot = hot;
                Refresh(false);
            }
        });
        Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
            const int index = m_menu.HitTest(e.GetPosition());
            if (!m_menu.IsItemEnabled(index))
                return;
            auto pick = m_onPick;
            Dismiss();
            if (pick)
                pick(ColorMenuFirstId + index);
        });
    }
    ~CColorMenuPopup() override { StopWatchingKeys(); }

    void Popup(wxWindow* focus = nullptr) override
    {
        if (!m_watching) {
            wxEvtHandler::AddFilter(this);
            m_watching = true;
        }
        wxPopupTransientWindow::Popup(focus);
    }

    void Dismiss() override
    {
        StopWatchingKeys();
        const bool hadFocus = FindFocus() == this;
        wxPopupTransientWindow::Dismiss();
        // The keyboard goes back to the button that opened the grid.
        if (hadFocus && GetParent() && GetParent()->IsShownOnScreen())
            GetParent()->SetFocus();
    }

private:
    int FilterEvent(wxEvent& event) override
    {
        const wxEventType type = event.GetEventType();
        if ((type != wxEVT_CHAR_HOOK && type != wxEVT_KEY_DOWN) || !IsShown() ||
            static_cast<wxKeyEvent&>(event).GetKeyCode() != WXK_ESCAPE)
            return Event_Skip;
        Dismiss();
        return Event_Processed;
    }

    void StopWatchingKeys()
    {
        if (m_watching)
            wxEvtHandler::RemoveFilter(this);
        m_watching = false;
    }

    const CColorMenu& m_menu;
    std::function<void(int)> m_onPick;
    int m_hot = -1;
    bool m_watching = false;
};

} // namespace

CColorMenu::CColorMenu()
{
    // Cells a menu item high and as wide, but big enough for "255" with a margin: a menu item's
    // height holds two digits only.
    const int menu = wxSystemSettings::GetMetric(wxSYS_MENU_Y);
    wxScreenDC dc;
    dc.SetFont(CellFont());
    const wxSize text = dc.GetTextExtent("255");
    const int side = menu > 8 ? menu : 20;
    m_cell = wxSize(std::max(side, text.x + 8), std::max(side, text.y + 2));
}

wxRect CColorMenu::GetItemRect(int index) const
{
    const int column = index / 16, row = index % 16;
    const int x = column == 0 ? 0 : m_cell.x * (column + 1);
    return wxRect(x, row * m_cell.y, column == 0 ? m_cell.x * 2 : m_cell.x, m_cell.y);
}

wxSize CColorMenu::GetGridSize() const { return wxSize(m_cell.x * 17, m_cell.y * 16); }

int CColorMenu::HitTest(const wxPoint& p) const
{
    for (int column = 0; column < 16; ++column) {
        const wxRect top = GetItemRect(column * 16);
        if (p.x < top.GetLeft() || p.x > top.GetRight())
            continue;
        const int row = p.y / m_cell.y;
        return p.y >= 0 && row < 16 ? column * 16 + row : -1;
    }
    return -1;
}

void CColorMenu::DrawItem(wxDC& dc, int index, bool selected) const
{
    const wxRect r = GetItemRect(index).Deflate(1);
    const COLORREF fill = GetPaletteColor(index);
    const wxColour contrast = ToWxColour(GetContrastingTextColor(fill));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(ToWxColour(fill)));
    dc.DrawRectangle(r);
    dc.SetFont(CellFont()); // the font the cells were measured with
    dc.SetTextForeground(contrast);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawLabel(IndexText(index, m_withZero), r, wxALIGN_CENTER);
    const CMorvelSettings& settings = GetMorvelSettings();
    const bool marked = ColorIndicesMatch(index, settings.GetSelectionColor()) ||
                        ColorIndicesMatch(index, settings.GetGraphicsBackgroundColor());
    if (marked && !(index == 0 && !m_forLayers)) {
        dc.SetPen(wxPen(contrast, 2));
        dc.DrawLine(r.GetTopLeft(), r.GetBottomRight());
        dc.DrawLine(r.GetTopRight(), r.GetBottomLeft());
    }
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(wxPen(SysColour(selected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_MENU)));
    dc.DrawRectangle(r);
    if (!IsItemEnabled(index))
        Dither(dc, r);
}

void CColorMenu::Track(wxWindow* owner, const wxPoint& screen, std::function<void(int)> onPick)
{
    auto* popup = new CColorMenuPopup(owner, *this, std::move(onPick));
    popup->Position(screen, wxSize(0, 0));
    popup->Popup();
}

CColorButton::CColorButton(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxControl(parent, id, pos, size, wxBORDER_NONE)
{
    if (!g_menus.plain)
        g_menus.plain = std::make_unique<CColorMenu>();
    if (!g_menus.layers)
        g_menus.layers = std::make_unique<CColorMenuForLayers>();
    if (!g_menus.withZero)
        g_menus.withZero = std::make_unique<CColorMenuWithZero>();
    ++g_menus.references;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CColorButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) {
        m_pressed = true;
        Refresh(false);
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
        const bool was = m_pressed;
        m_pressed = false;
        Refresh(false);
        if (was && GetClientRect().Contains(e.GetPosition()))
            OnClicked();
    });
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) { Refresh(false); e.Skip(); });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) { Refresh(false); e.Skip(); });
    Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_SPACE)
            OnClicked();
        else
            e.Skip();
    });
}

CColorButton::~CColorButton()
{
    if (--g_menus.references == 0) {
        g_menus.plain.reset();
        g_menus.layers.reset();
        g_menus.withZero.reset();
    }
}

CColorMenu* CColorButton::GetSharedMenu(int which)
{
    return which == 1 ? g_menus.layers.get() : which == 2 ? g_menus.withZero.get() : g_menus.plain.get();
}

int CColorButton::GetSharedMenuReferences() { return g_menus.references; }

void CColorButton::SetColor(int32_t index)
{
    if (index == m_color)
        return;
    m_color = index;
    Refresh(false);
}

void CColorButton::OnClicked()
{
    if (m_noPopup)
        return;
    CColorMenu* menu = GetSharedMenu(m_useWithZeroMenu ? 2 : m_useLayersMenu ? 1 : 0);
    const wxRect screen = GetScreenRect();
    wxWeakRef<CColorButton> self(this);
    menu->Track(this, screen.GetBottomLeft(), [self](int id) {
        if (self)
            self->OnColorCommand(id);
    });
}

void CColorButton::OnColorCommand(int commandId)
{
    if (commandId < ColorMenuFirstId || commandId > ColorMenuLastId)
        return;
    m_color = commandId - ColorMenuFirstId;
    Refresh(true);
    if (GetParent()) {
        wxCommandEvent picked(wxEVT_BUTTON, GetId());
        picked.SetEventObject(this);
        GetParent()->GetEventHandler()->ProcessEvent(picked);
    }
}

void CColorButton::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    DrawItem(dc);
}

void CColorButton::DrawItem(wxDC& dc)
{
    const wxRect item = GetClientRect();
    const int l = item.GetLeft(), t = item.GetTop(), r = item.GetRight() + 1, b = item.GetBottom() + 1;
    if (m_color == -1) {
        // Never set: a grey ramp from left to right, strips 5 pixels wide every 4 pixels.
        dc.SetPen(*wxTRANSPARENT_PEN);
        for (int x = l; x < r; x += 4) {
            const int shade = item.width > 0 ? 255 * (x - l) / item.width : 0;
            dc.SetBrush(wxBrush(wxColour(shade, shade, shade)));
            dc.DrawRectangle(x, t, 5, item.height);
        }
    } else {
        const COLORREF fill = GetPaletteColor(m_color);
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(ToWxColour(fill)));
        dc.DrawRectangle(item);
        dc.SetTextForeground(ToWxColour(GetContrastingTextColor(fill)));
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        dc.DrawLabel(IndexText(m_color, m_useWithZeroMenu), item, wxALIGN_CENTER);
    }
    const wxPen highlight(SysColour(wxSYS_COLOUR_BTNHIGHLIGHT));
    const wxPen shadow(SysColour(wxSYS_COLOUR_BTNSHADOW));
    const wxPen dark(SysColour(wxSYS_COLOUR_3DDKSHADOW));
    auto polyline = [&dc](const wxPen& pen, wxPoint a, wxPoint m, wxPoint z) {
        dc.SetPen(pen);
        dc.DrawLine(a, m);
        dc.DrawLine(m, z);
    };
    if (!m_pressed) {
        polyline(dark, {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
        polyline(shadow, {l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t});
        polyline(highlight, {l, b - 2}, {l, t}, {r - 1, t});
    } else {
        polyline(dark, {l, b - 1}, {l, t}, {r - 1, t});
        polyline(shadow, {l + 1, b - 2}, {l + 1, t + 1}, {r - 2, t + 1});
        polyline(highlight, {l, b - 1}, {r - 1, b - 1}, {r - 1, t});
    }
    if (!IsEnabled())
        Dither(dc, item);
    if (HasFocus()) {
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.SetPen(wxPen(SysColour(wxSYS_COLOUR_BTNTEXT), 1, wxPENSTYLE_DOT));
        dc.DrawRectangle(wxRect(item).Deflate(3));
    }
}
