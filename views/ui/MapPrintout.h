#pragma once

#include "views/MapPrintLayout.h"

#include <wx/cmndata.h>
#include <wx/print.h>

#include <array>
#include <cstdint>

class CDataFileView;

// The print margins (1/1440 inch: left, top, right, bottom) and the printer chosen in Page Setup.
std::array<int32_t, 4> GetPrintMargins();
wxPrintData& GetPrintData();

// One page: the job view's map as it is shown, fitted into the page inside the margins, with its
// north arrow and scale bar. The view does not zoom with the wheel while a printout runs.
class CMapPrintout : public wxPrintout
{
public:
    CMapPrintout(CDataFileView& view, const std::array<int32_t, 4>& margins);

    bool OnPrintPage(int page) override;
    bool HasPage(int page) override { return page == 1; }
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
    void OnBeginPrinting() override;
    void OnEndPrinting() override;
    // The part of the world the last page showed.
    const map_print::WorldWindow& GetPrintedWindow() const { return m_printedWindow; }

private:
    CDataFileView& m_view;
    std::array<int32_t, 4> m_margins;
    map_print::WorldWindow m_printedWindow;
};
