#include "shell/ui/PanelFactories.h"

#include "cogo/ui/Adjustments.h"
#include "cogo/ui/Calculator.h"
#include "cogo/ui/CogoPanels.h"
#include "cogo/ui/PointAdd.h"
#include "cogo/ui/PointBulkPanels.h"
#include "exchange/ui/CreateJobFromTRN.h"
#include "exchange/ui/ExchangeWindows.h"
#include "exchange/ui/NewDataFileDlg.h"
#include "rawdata/ui/FindRawRecordDlg.h"
#include "rawdata/ui/RawDataReport.h"
#include "rawdata/ui/RawPanels.h"
#include "rawdata/ui/ReduceRawData.h"
#include "shell/CommandIds.h"
#include "shell/FrameWindowRegistry.h"
#include "shell/GlobalCommandIds.h"
#include "shell/PanelCommandTable.h"
#include "shell/ui/CoordinateReport.h"
#include "shell/ui/CutSheetReport.h"
#include "transfer/ui/ExtractBackup.h"
#include "transfer/ui/TransferCreateJobForDC.h"
#include "transfer/ui/TransferGetJobFromDC.h"

#include <wx/app.h>

#include <memory>

namespace {

// The frame's handle on the one calculator window; a value pushed after the window was closed
// opens it again.
class CCalculatorHandle : public CCalculatorWindow
{
public:
    CCalculatorHandle(wxWindow* parent, double value) : m_parent(parent) { ShowCalculator(parent, value); }
    void Push(double value) override { ShowCalculator(m_parent, value); }
    void DestroyCalculatorWindow() override { CloseCalculator(); }

private:
    wxWindow* m_parent;
};

} // namespace

void RegisterPanelCommand(int command, uint32_t templateId, PanelFactory factory)
{
    GetPanelCommandTable().Add(command, templateId);
    if (factory)
        RegisterPanelFactory(templateId, std::move(factory));
}

void RegisterStandardPanelCommands()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Panels whose classes other parts of the program bring register their factories there.
    RegisterPanelCommand(IdNewJob, NewJobTemplate, [] { return new CNewDataFileDlg(); });
    RegisterPanelCommand(IdExportDxf, ExportDxfTemplate);
    RegisterPanelCommand(IdDeletePoints, DeletePointsTemplate, [] { return new CDeleteObjects(); });
    RegisterPanelCommand(IdRawDataReduction, ReduceRawDataTemplate, [] { return new CReduceRawData(); });
    RegisterPanelCommand(IdFindRawDataRecords, FindRawDataTemplate, [] { return new CFindRawRecordDlg(); });
    RegisterPanelCommand(IdFindRawContext, FindRawDataTemplate);
    RegisterPanelCommand(IdRawDataReport, RawDataReportTemplate, [] { return new CRawDataReport(); });
    RegisterPanelCommand(IdCoordinateReport, CCoordinateReport::TemplateId, [] { return new CCoordinateReport(); });
    RegisterPanelCommand(IdCutSheetReport, CCutSheetReport::TemplateId, [] { return new CCutSheetReport(); });
    RegisterPanelCommand(IdExportAscii, ExportAsciiTemplate);
    RegisterPanelCommand(IdExportLandXml, ExportLandXmlTemplate);
    RegisterPanelCommand(IdAddEditPoints, AddPointTemplate, [] { return new CPointAdd(); });
    RegisterPanelCommand(IdEditMultiplePoints, EditPointsTemplate, [] { return new CPointEdit(); });
    RegisterPanelCommand(Id2dPointsTo3dPoints, PointsTo3dTemplate, [] { return new C2dPointsTo3dPointsDlg(); });
    RegisterPanelCommand(IdTranslateRotateScale, AdjustmentsTemplate, [] { return new CAdjustments(); });
    RegisterPanelCommand(IdRenamePoints, RenumberPointsTemplate, [] { return new CRenumberPoints(); });
    RegisterPanelCommand(IdInverse, InverseTemplate, [] { return MakeCogoPanel(IdInverse); });
    RegisterPanelCommand(IdPointInDirection, PointInDirectionTemplate, [] { return MakeCogoPanel(IdPointInDirection); });
    RegisterPanelCommand(IdIntersection, IntersectionTemplate, [] { return MakeCogoPanel(IdIntersection); });
    // Send and Get Job check the transfer settings first (CMainFrame::OnTransferCommand).
    RegisterPanelCommand(IdSendJobToTotalStation, SendJobPanelTemplate, [] { return new CTransferCreateJobForDC(); });
    RegisterPanelCommand(IdGetJobFromTotalStation, GetJobPanelTemplate, [] { return new CTransferGetJobFromDC(); });

    // The two dialogs that name a field-data file and the job to make from it.
    auto createJobDialog = [](auto&& make) {
        return [make](std::string& source, std::string& job) {
            auto dialog = make();
            if (dialog->DoModal() != wxID_OK)
                return false;
            source = dialog->GetSourcePath();
            job = dialog->GetJobPath();
            return true;
        };
    };
    GetFrameWindows().extractBackup = createJobDialog([] { return std::make_unique<CExtractBackup>(); });
    GetFrameWindows().createJobFromTrn = createJobDialog([] { return std::make_unique<CCreateJobFromTRN>(); });

    RegisterExchangeWindows();

    GetFrameWindows().calculator = [](double value) -> std::unique_ptr<CCalculatorWindow> {
        return std::make_unique<CCalculatorHandle>(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, value);
    };
}
