#include "views/ui/MapPrintout.h"

#include "model/MorvelSettings.h"
#include "views/MapPrintLayout.h"
#include "views/ui/DataFileView.h"
#include "views/ui/MapLayer.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/dc.h>

#include <cmath>

std::array<int32_t, 4> GetPrintMargins()
{
    const ProfileRect& m = GetMorvelSettings().GetPrintMargins();
    return {m.left, m.top, m.right, m.bottom};
}

wxPrintData& GetPrintData()
{
    static wxPrintData data = [] {
        wxPrintData d;
        // With no paper named, the preview lays out A4 while the print dialog takes the desktop's
        // paper: name the desktop's paper at once so both make the same page.
        if (d.GetPaperId() == wxPAPER_NONE) {
            d.ConvertToNative();
            d.ConvertFromNative();
        }
        return d;
    }();
    return data;
}

CMapPrintout::CMapPrintout(CDataFileView& view, const std::array<int32_t, 4>& margins)
    : wxPrintout("Morvel"), m_view(view), m_margins(margins)
{
}

void CMapPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo)
{
    *minPage = *maxPage = *pageFrom = *pageTo = 1;
}

void CMapPrintout::OnBeginPrinting()
{
    wxPrintout::OnBeginPrinting();
    // A preview renders its page many times; the preview sets and clears the flag itself.
    if (!IsPreview())
        m_view.SetPrinting(true);
}

void CMapPrintout::OnEndPrinting()
{
    wxPrintout::OnEndPrinting();
    if (!IsPreview())
        m_view.SetPrinting(false);
}

bool CMapPrintout::OnPrintPage(int page)
{
    wxDC* dc = GetDC();
    CPreviewMapCtrl* map = m_view.GetMapPane();
    if (page != 1 || !dc || !map || !map->Core().GetMapping().IsValid())
        return false;
    int width = 0, height = 0, ppiX = 0, ppiY = 0, screenX = 0, screenY = 0;
    GetPageSizePixels(&width, &height);
    GetPPIPrinter(&ppiX, &ppiY);
    GetPPIScreen(&screenX, &screenY);
    if (width <= 0 || height <= 0 || ppiX <= 0 || ppiY <= 0)
        return false;

    // A preview draws into a bitmap smaller than the page: one logical unit stays one printer
    // pixel on either.
    int dcWidth = 0, dcHeight = 0;
    dc->GetSize(&dcWidth, &dcHeight);
    if (dcWidth > 0 && dcHeight > 0)
        dc->SetUserScale(double(dcWidth) / width, double(dcHeight) / height);

    CMapCtrlCore& core = map->Core();
    const DeviceRect printable = map_print::PrintableRect(width, height, ppiX, ppiY, m_margins);
    // The map as the print or preview command found it (the preview resizes the map under it).
    m_printedWindow = m_view.GetPrintWindow();
    const CWorldDeviceMap mapping = map_print::PrintMapping(printable, m_printedWindow);

    const int32_t s = map_print::PrintScale(ppiX, screenX);
    CWxMapSurface surface(dc);
    surface.SetPrinting(s, map_print::PrintPenWidth(ppiX));
    surface.SetIconLookup([map](int32_t icon) { return map->GetIconBitmap(icon); });
    const LogFont& label = GetMorvelSettings().GetPointIdLabelsFont();
    const int pixels = (label.height != 0 ? std::abs(label.height) : 10) * s;
    const wxFont previousFont = dc->GetFont();
    dc->SetFont(wxFont(wxFontInfo(wxSize(0, pixels)).Family(wxFONTFAMILY_SWISS)));
    dc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    core.PrintMap(surface, printable, mapping, DevicePoint{width, height});
    dc->SetFont(previousFont);
    return true;
}
