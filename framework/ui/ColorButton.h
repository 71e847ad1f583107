#pragma once

#include <wx/control.h>

#include <cstdint>
#include <functional>

class wxDC;

inline constexpr int ColorMenuFirstId = 42000;
inline constexpr int ColorMenuLastId = 42255;

// The grid of all 256 colours of the colour table: 16 columns of 16, each cell showing its index.
// The cells of the selection and background colours carry a cross.
class CColorMenu
{
public:
    CColorMenu();
    virtual ~CColorMenu() = default;

    bool IsWithZero() const { return m_withZero; }
    bool IsForLayers() const { return m_forLayers; }
    // The layers menu greys its first item, which cannot be picked.
    bool IsItemEnabled(int index) const { return index >= 0 && index <= 255 && !(m_forLayers && index == 0); }

    // Cell geometry in the popup: the first column is twice as wide, as the first item measures.
    wxSize GetCellSize() const { return m_cell; }
    wxRect GetItemRect(int index) const;
    wxSize GetGridSize() const;
    // The index under a point of the popup, -1 for none.
    int HitTest(const wxPoint& point) const;
    // Paints one cell: swatch, number, cross, selection outline, grey dither when disabled.
    void DrawItem(wxDC& dc, int index, bool selected) const;

    // Shows the grid with its top left corner at the screen point; a pick calls onPick with the
    // command id (42000 + index).
    void Track(wxWindow* owner, const wxPoint& screen, std::function<void(int)> onPick);

protected:
    bool m_withZero = false;
    bool m_forLayers = false;

private:
    wxSize m_cell;
};

class CColorMenuForLayers : public CColorMenu
{
public:
    CColorMenuForLayers() { m_forLayers = true; }
};

class CColorMenuWithZero : public CColorMenu
{
public:
    CColorMenuWithZero() { m_withZero = true; }
};

// An owner-drawn button that shows a colour index of the colour table as a swatch with its number.
// A click opens the colour grid; a pick stores the index and tells the parent with wxEVT_BUTTON of
// the button's id, also when the colour did not change.
class CColorButton : public wxControl
{
public:
    CColorButton(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize);
    ~CColorButton() override;

    void SetColor(int32_t index);
    int32_t GetColor() const { return m_color; }

    bool m_useLayersMenu = false;
    bool m_noPopup = false;
    bool m_useWithZeroMenu = false;

    // What a click does: opens the grid below the button.
    void OnClicked();
    // What a pick from the grid does (command ids 42000 to 42255).
    void OnColorCommand(int commandId);
    // Paints the whole button (what a paint does).
    void DrawItem(wxDC& dc);

    // The three shared menus, alive while any colour button is.
    static CColorMenu* GetSharedMenu(int which); // 0 plain, 1 layers, 2 with zero
    static int GetSharedMenuReferences();

private:
    void OnPaint(wxPaintEvent& event);
    wxSize DoGetBestSize() const override { return FromDIP(wxSize(60, 22)); }

    int32_t m_color = -1;
    bool m_pressed = false;
};
