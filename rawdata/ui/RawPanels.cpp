#include "rawdata/ui/RawPanels.h"

#include "framework/ui/ProgramServices.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/WindowEvents.h"
#include "model/DataFileDoc.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/ui/EditRawDataRecord.h"
#include "rawdata/ui/FindRawRecordDlg.h"
#include "rawdata/ui/RawDataReport.h"
#include "rawdata/ui/ReduceRawData.h"
#include "views/ui/MorvelView.h"

#include <wx/arrstr.h>

namespace raw_panels {

CDataFileView* ActiveJobView()
{
    CProgramServices* app = GetProgramServices();
    if (!app || !app->GetMainWindow() || app->GetActiveViewKind() != 0)
        return nullptr;
    return dynamic_cast<CDataFileView*>(app->GetJobView());
}

CDataFileDoc* ActiveJob() { return CDataFileDoc::GetActiveDoc(); }

CRawDataFile* ActiveRawData()
{
    CDataFileDoc* job = ActiveJob();
    return job ? RawDataFileOf(job) : nullptr;
}

CIcons* Icons()
{
    CProgramServices* app = GetProgramServices();
    return app ? &app->GetIcons() : nullptr;
}

void ShowRawDataTab()
{
    if (!ActiveJob())
        return;
    if (CDataFileView* view = ActiveJobView()) {
        wxCommandEvent show(EVT_SHOW_RAW_DATA_TAB_80BA);
        view->GetEventHandler()->ProcessEvent(show);
    }
}

void Push(CStackableDialog* panel)
{
    CProgramServices* app = GetProgramServices();
    if (!app || !app->GetMainWindow()) {
        delete panel;
        return;
    }
    app->PushStackableDialog(panel, panel->GetTemplateId());
}

int32_t FirstSelectedLine()
{
    CDataFileView* view = ActiveJobView();
    return view ? view->GetFirstSelectedRawLine() : -1;
}

bool SelectLine(int32_t line)
{
    CDataFileView* view = ActiveJobView();
    return view && view->SelectRawLine(line);
}

void EditLine(int32_t line)
{
    CRawDataFile* file = ActiveRawData();
    if (!file || line < 0 || line >= file->GetLineCount())
        return;
    Push(new CEditRawDataRecord(line));
}

void EditSelectedLine()
{
    if (!ActiveJobView())
        return;
    CRawDataFile* file = ActiveRawData();
    if (!file || file->GetLineCount() == 0)
        return;
    int32_t line = FirstSelectedLine();
    if (line < 0 || line >= file->GetLineCount())
        line = 0;
    EditLine(line);
}

wxString WrapToWidth(wxWindow* window, const char* text, int width)
{
    const wxString all = wxString::FromUTF8(text);
    wxString wrapped;
    wxString line;
    for (const wxString& word : wxSplit(all, ' ', '\0')) {
        const wxString longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && window->GetTextExtent(longer).x > width) {
            wrapped += line + "\n";
            line = word;
        } else {
            line = longer;
        }
    }
    return wrapped + line;
}

void OpenFind() { Push(new CFindRawRecordDlg()); }
void OpenReduce() { Push(new CReduceRawData()); }
void OpenReport() { Push(new CRawDataReport()); }

} // namespace raw_panels
