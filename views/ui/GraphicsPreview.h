#pragma once

#include <wx/window.h>

#include <cstdint>

// The "Preview" sample of the colours page: the map background, a selected object's text, a
// point's text and the crosshair, in the colours chosen on the page before they are applied.
class CGraphicsPreview : public wxWindow
{
public:
    static constexpr int ControlId = 1779;

    CGraphicsPreview(wxWindow* parent, wxWindowID id = ControlId, const wxSize& size = wxDefaultSize);

    // Palette indices of the page's "Cursor", "Background", "Selection" and "Points" buttons; the
    // sample is painted again at once.
    void SetColours(int32_t cursor, int32_t background, int32_t selection, int32_t points);

    // Draws the sample into a device context of the given size (the paint handler's work).
    void Draw(wxDC& dc, const wxSize& size) const;

    // A sample to look at: the keyboard passes it by, as it passes a picture.
    bool AcceptsFocus() const override { return false; }

private:
    int32_t m_cursor = 0;
    int32_t m_background = 0;
    int32_t m_selection = 0;
    int32_t m_points = 0;
};
