#include "BenchUtil.h"
#include "ui/UiBenchToolkit.h"

#include "framework/ui/EasyListCtrl.h"
#include "core/MathConversions.h"
#include "model/MorvelSettings.h"
#include "model/TestJobDoc.h"
#include "views/MapPrintLayout.h"
#include "views/ui/MapLayer.h"
#include "views/ui/PreviewMapCtrl.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/cmndata.h>
#include <wx/dcps.h>
#include <wx/frame.h>
#include <wx/init.h>

#include <cmath>
#include <string>

namespace {

// The whole job printed into a PostScript file at the printer's resolution.
void BM_PrintMapPostScript(benchmark::State& state)
{
    if (!morvel::bench::StartUiToolkit()) {
        state.SkipWithError("no display");
        return;
    }
    morvel::test::TestJobDoc doc;
    doc.settings.SetDistanceUnit(JobUnitMetres);
    const int64_t n = morvel::bench::BenchSize(250000);
    const int64_t side = int64_t(std::ceil(std::sqrt(double(n))));
    for (int64_t i = 0; i < n; ++i)
        doc.AddPoint(std::to_string(i + 1).c_str(), double(i % side), double(i / side));
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench");
    auto* map = new CPreviewMapCtrl(frame, wxID_ANY);
    map->SetDocument(&doc);
    map->Preview().SetViewKind(0);
    map->SetSize(0, 0, 1200, 800);
    map->Preview().ZoomExtents(true);
    wxPrintData data;
    data.SetFilename("/dev/null");
    data.SetPrintMode(wxPRINT_MODE_FILE);
    for (auto _ : state) {
        wxPostScriptDC dc(data);
        dc.StartDoc("bench");
        dc.StartPage();
        dc.SetFont(wxFont(wxFontInfo(wxSize(0, 60)).Family(wxFONTFAMILY_SWISS)));
        const wxSize page = dc.GetSize();
        const wxSize ppi = dc.GetPPI();
        const DeviceRect printable =
            map_print::PrintableRect(page.x, page.y, ppi.x, ppi.y, {1400, 1440, 1440, 1440});
        const CLocation tl = map->Core().GetVisibleTopLeft(), br = map->Core().GetVisibleBottomRight();
        CWxMapSurface surface(&dc);
        surface.SetPrinting(map_print::PrintScale(ppi.x, 96), map_print::PrintPenWidth(ppi.x));
        map->Core().PrintMap(surface, printable,
                             map_print::PrintMapping(printable, map_print::PrintWorldWindow(tl.x, br.x, br.y, tl.y)),
                             DevicePoint{page.x, page.y});
        dc.EndPage();
        dc.EndDoc();
    }
    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
}
BENCHMARK(BM_PrintMapPostScript)->Unit(benchmark::kMillisecond)->Iterations(1);

class BenchList : public CEasyListCtrl
{
public:
    using CEasyListCtrl::CEasyListCtrl;
    std::string GetItemText(int32_t row, int column) const override
    {
        return column == 0 ? std::to_string(row + 1) : "1234567.890";
    }
};

// Column widths measured over every row of a list of 10,000.
void BM_AutoSizeColumns(benchmark::State& state)
{
    if (!morvel::bench::StartUiToolkit()) {
        state.SkipWithError("no display");
        return;
    }
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench");
    auto* list = new BenchList(frame, wxID_ANY);
    for (int c = 0; c < 4; ++c)
        list->InsertColumn(c, "Column", 50, c > 0);
    list->SetItemCount(int32_t(morvel::bench::BenchSize(10000)));
    for (auto _ : state)
        list->AutoSizeColumns();
    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
}
BENCHMARK(BM_AutoSizeColumns)->Unit(benchmark::kMillisecond);

} // namespace
