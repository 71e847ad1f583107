#include "views/ui/ToolCursors.h"

#include "views/ViewToolRules.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <functional>
#include <map>

namespace {

constexpr int Size = 32;
constexpr int Hot = 15;
// Drawn on a magenta ground that becomes the mask.
const wxColour Ground(255, 0, 255);

void Outlined(wxDC& dc, const std::function<void()>& draw)
{
    // White under black, so the cursor reads on dark and light maps.
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(wxPen(*wxWHITE, 3));
    draw();
    dc.SetPen(wxPen(*wxBLACK, 1));
    draw();
}

void Arrow(wxDC& dc, int x, int y)
{
    const wxPoint pts[] = {{x, y}, {x, y + 12}, {x + 3, y + 9}, {x + 6, y + 14}, {x + 8, y + 13}, {x + 5, y + 8},
                           {x + 9, y + 8}};
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawPolygon(7, pts);
}

void Box(wxDC& dc, int half)
{
    Outlined(dc, [&] { dc.DrawRectangle(Hot - half, Hot - half, 2 * half + 1, 2 * half + 1); });
}

void Cross(wxDC& dc, int gap, int reach)
{
    Outlined(dc, [&] {
        dc.DrawLine(Hot - reach, Hot, Hot - gap, Hot);
        dc.DrawLine(Hot + gap + 1, Hot, Hot + reach + 1, Hot);
        dc.DrawLine(Hot, Hot - reach, Hot, Hot - gap);
        dc.DrawLine(Hot, Hot + gap + 1, Hot, Hot + reach + 1);
    });
}

void Magnifier(wxDC& dc)
{
    Outlined(dc, [&] {
        dc.DrawCircle(12, 12, 7);
        dc.DrawLine(17, 17, 25, 25);
        dc.DrawLine(9, 12, 16, 12);
        dc.DrawLine(12, 9, 12, 16);
    });
}

void Hand(wxDC& dc, bool closed)
{
    Outlined(dc, [&] {
        const int top = closed ? 11 : 6;
        for (int f = 0; f < 4; ++f)
            dc.DrawRectangle(9 + 4 * f, top + (f == 0 || f == 3 ? 2 : 0), 4, 16 - top + 4);
        dc.DrawRoundedRectangle(9, 17, 16, 9, 3);
        if (!closed)
            dc.DrawLine(6, 16, 9, 20);
    });
}

} // namespace

wxImage MakeToolCursorImage(int32_t id)
{
    wxBitmap bitmap(Size, Size, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(Ground));
        dc.Clear();
        EToolCursorFamily family{};
        int32_t band = 0;
        if (FindToolCursor(id, family, band)) {
            // The band's pick box: sizes 5 to 19 pixels.
            const int half = 2 + band;
            switch (family) {
            case EToolCursorFamily::Default:
                Box(dc, half);
                Arrow(dc, Hot + half + 2, Hot + half + 2);
                break;
            case EToolCursorFamily::Pick:
                Box(dc, half);
                Cross(dc, half + 1, half + 4);
                break;
            case EToolCursorFamily::Location:
                Cross(dc, 2, 12);
                Outlined(dc, [&] { dc.DrawCircle(Hot, Hot, half); });
                break;
            case EToolCursorFamily::SelectByRect:
                Cross(dc, 1, 6);
                Outlined(dc, [&] { dc.DrawRectangle(Hot + 3, Hot + 3, half + 6, half + 4); });
                break;
            case EToolCursorFamily::AnchorLine:
                Box(dc, half);
                Outlined(dc, [&] { dc.DrawLine(Hot - half - 1, Hot + half + 1, 1, Size - 2); });
                break;
            }
        } else if (id == RealtimeZoomCursorId) {
            Magnifier(dc);
        } else if (id == RealtimePanIdleCursorId || id == RealtimePanDragCursorId) {
            Hand(dc, id == RealtimePanDragCursorId);
        } else {
            return wxImage();
        }
    }
    wxImage image = bitmap.ConvertToImage();
    image.SetMaskColour(Ground.Red(), Ground.Green(), Ground.Blue());
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, Hot);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, Hot);
    return image;
}

const wxCursor* GetToolCursor(int32_t id)
{
    if (id == 0)
        return nullptr;
    // Kept to the end of the process: cursors must not outlive the display connection's teardown.
    static auto& cache = *new std::map<int32_t, wxCursor>;
    auto it = cache.find(id);
    if (it == cache.end()) {
        const wxImage image = MakeToolCursorImage(id);
        if (!image.IsOk())
            return nullptr;
        it = cache.emplace(id, wxCursor(image)).first;
    }
    return &it->second;
}
