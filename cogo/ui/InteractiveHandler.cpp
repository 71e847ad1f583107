#include "cogo/ui/InteractiveHandler.h"

#include "cogo/CogoCommands.h"
#include "core/DataFileFormat.h"
#include "framework/GraphicDataExchange.h"
#include "framework/ui/ProgramServices.h"
#include "model/DataFileDoc.h"
#include "model/PointRecord.h"
#include "views/PickQuery.h"
#include "views/ScratchGeometry.h"
#include "views/ui/InfoReportWnd.h"
#include "views/ui/InteractionPart.h"
#include "views/ui/ViewToolHost.h"

#include <wx/app.h>
#include <wx/utils.h>

void CInteractiveHandler::ShowInvalidSelectionTip(const std::string& text)
{
    ShowFieldInvalidSelectionTip(text);
}

void CPointInverseHandler::OnToolEvent(int32_t code)
{
    if (code == 4) {
        RestoreFieldDefaultTool();
        return;
    }
    if (code != 1 && code != 8)
        return;
    CPickQuery query;
    bool answered = false;
    if (code == 1) {
        const CGraphicDataExchange& exchange = GetGraphicDataExchange();
        query.reserved = 2;
        query.flag = true;
        query.location = exchange.GetLocation();
        query.tolerance = CLocation(exchange.GetToleranceX(), exchange.GetToleranceY(), NoValue);
        answered = SendFieldPickQuery(query) && !query.hits.empty();
    } else {
        answered = SendFieldHitQuery(query) && !query.hits.empty();
    }
    if (!answered) {
        ShowInvalidSelectionTip(ClickTip);
        return;
    }
    auto* to = dynamic_cast<CPointRecord*>(query.hits.front().record);
    if (to == nullptr) {
        // An object from the popup must be a point; a click's first hit that is not one ends quietly.
        if (code == 8)
            ShowInvalidSelectionTip(ClickTip);
        return;
    }
    ShowInverse(to, code == 1);
}

void CPointInverseHandler::ShowInverse(CPointRecord* to, bool restoreFirst)
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    // The from-point may have left the job while the handler waited (deleted, job closed).
    if (doc == nullptr || m_from == nullptr || !doc->ContainsRecord(m_from, 0)) {
        // Its rubber line hangs on nothing: the wait ends.
        RestoreFieldDefaultTool();
        return;
    }
    std::vector<std::string> labels, values;
    BuildPointInverseRows(*doc->GetDataFileFormat(), m_from->GetName(), m_from->GetLocation(), to->GetName(),
                          to->GetLocation(), &labels, &values);
    AddScratchLineBetweenPoints(m_from->GetName(), to->GetName());
    // Restoring the tool resets the exchange, which retires this handler: nothing of it is used
    // afterwards.
    if (restoreFirst)
        RestoreFieldDefaultTool();
    CProgramServices* app = GetProgramServices();
    wxWindow* parent = app ? app->GetMainWindow() : nullptr;
    const wxPoint at = wxGetMousePosition();
    {
        CInfoReportWnd window(parent);
        window.Show(labels, values, at.x, at.y);
    }
    if (!restoreFirst)
        RestoreFieldDefaultTool();
}

bool StartPointInverse(CPointRecord* from)
{
    CViewToolHost* tools = CViewToolHost::GetActive();
    if (from == nullptr || tools == nullptr)
        return false;
    // A field still waiting would take the click before the handler could.
    CGraphicDataExchange& exchange = GetGraphicDataExchange();
    exchange.Reset();
    tools->StartVisualPlineTool(from->GetLocation());
    exchange.SetReceiver(std::make_unique<CPointInverseHandler>(from));
    return true;
}
