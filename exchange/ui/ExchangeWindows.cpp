#include "exchange/ui/ExchangeWindows.h"

#include "exchange/ImportCommands.h"
#include "exchange/ui/ExportACad.h"
#include "exchange/ui/ExportAscii.h"
#include "exchange/ui/ExportLandXML.h"
#include "exchange/ui/ImportAsciiFileDialog.h"
#include "exchange/ui/ImportAutoCadFileDialog.h"
#include "exchange/ui/ImportLandXMLFileDialog.h"
#include "exchange/ui/ImportMorvelFileDialog.h"
#include "framework/ui/PanelRegistry.h"
#include "model/DataFileDoc.h"
#include "shell/FrameWindowRegistry.h"

#include <wx/app.h>
#include <wx/utils.h>

namespace {

wxWindow* TopWindow() { return wxTheApp ? wxTheApp->GetTopWindow() : nullptr; }

// The shared part of every accepted import dialog.
void TakeShared(const CImportFileDialog& dialog, ImportDialogChoice& choice)
{
    choice.path = dialog.GetPathName();
    choice.pointNameOption = dialog.GetOptions().pointNameOption;
    choice.reportFlag = dialog.GetOptions().reportFlag;
}

} // namespace

void RegisterExchangeWindows()
{
    CFrameWindowRegistry& windows = GetFrameWindows();
    windows.importJobDialog = [](ImportDialogChoice& choice) {
        CImportMorvelFileDialog dialog;
        if (dialog.DoModal(TopWindow()) != wxID_OK)
            return false;
        TakeShared(dialog, choice);
        return true;
    };
    windows.importAsciiDialog = [](ImportDialogChoice& choice) {
        CImportAsciiFileDialog dialog;
        if (dialog.DoModal(TopWindow()) != wxID_OK)
            return false;
        TakeShared(dialog, choice);
        choice.columns = dialog.GetColumnTypes();
        choice.delimiter = dialog.GetDelimiter();
        choice.distanceUnit = dialog.GetDistanceUnit();
        return true;
    };
    windows.importLandXmlDialog = [](ImportDialogChoice& choice) {
        CImportLandXMLFileDialog dialog;
        if (dialog.DoModal(TopWindow()) != wxID_OK)
            return false;
        TakeShared(dialog, choice);
        choice.descriptionOption = dialog.GetDescriptionOption();
        return true;
    };
    windows.runImportDxfCommand = [] {
        DxfImportChoice choice;
        {
            CImportAutoCadFileDialog dialog;
            if (dialog.DoModal(TopWindow()) != wxID_OK)
                return;
            choice.path = dialog.GetPathName();
            choice.pointNameOption = dialog.GetOptions().pointNameOption;
            choice.reportFlag = dialog.GetOptions().reportFlag;
            choice.distanceUnit = dialog.GetDistanceUnit();
            choice.importPointBlocks = dialog.GetDxfOptions().importPointBlocks;
            choice.useCustomDefinition = dialog.GetDxfOptions().useCustomDefinition;
            choice.definition = dialog.GetDxfOptions().definition;
        }
        if (wxWindow* top = TopWindow())
            top->Update();
        wxBusyCursor wait;
        RunImportDxfCommand(CDataFileDoc::GetActiveDoc(), choice, nullptr);
    };

    RegisterPanelFactory(CExportAscii::TemplateId, [] { return new CExportAscii(); });
    RegisterPanelFactory(CExportACad::TemplateId, [] { return new CExportACad(); });
    RegisterPanelFactory(CExportLandXML::TemplateId, [] { return new CExportLandXML(); });
}
