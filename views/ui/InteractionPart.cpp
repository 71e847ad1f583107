#include "views/ui/InteractionPart.h"

#include "core/ColoredTextLines.h"
#include "framework/GraphicDataExchange.h"
#include "framework/ui/CustomToolTipCtrl.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/ProgramServices.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDocShell.h"
#include "views/PickQuery.h"
#include "views/SelectionChipRules.h"
#include "views/ui/DataFileView.h"
#include "views/ui/MapCtrl.h"
#include "views/ui/ToolPopups.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include <set>

namespace {

// The hint icon of a refused pick.
constexpr int InvalidSelectionIcon = 672;

// Every live part, so a dying one can clear itself from the buddy links of the others.
std::set<CInteractionPart*>& LiveParts()
{
    static std::set<CInteractionPart*> parts;
    return parts;
}

std::string& LastTip()
{
    static std::string text;
    return text;
}

// One edge of the marching border around an entry: the pixels of the ring that fall on it.
class CAntStrip : public wxWindow
{
public:
    CAntStrip(wxWindow* parent, CInteractionPart* part) : wxWindow(parent, wxID_ANY), m_part(part)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &CAntStrip::OnPaint, this);
    }
    bool AcceptsFocus() const override { return false; }

private:
    void OnPaint(wxPaintEvent&)
    {
        wxPaintDC dc(this);
        wxWindow* field = m_part->GetWindow();
        const wxRect ring = field->GetRect().Inflate(1);
        const wxPoint at = GetPosition();
        const wxColour on = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
        for (const AntPixel& p : MarchingAntsBorder(ring.width, ring.height, m_part->GetAntPhase())) {
            const int x = ring.x + p.x - at.x;
            const int y = ring.y + p.y - at.y;
            if (x < 0 || y < 0 || x >= GetSize().x || y >= GetSize().y)
                continue;
            dc.SetPen(wxPen(p.highlight ? on : *wxWHITE));
            dc.DrawPoint(x, y);
        }
    }
    CInteractionPart* m_part;
};

CViewToolHost* Tools()
{
    return CViewToolHost::GetActive();
}

} // namespace

CInteractionPart::CInteractionPart(wxWindow* window, CGraphicDataTarget* target, bool entryFrame)
    : m_window(window), m_target(target), m_entryFrame(entryFrame), m_timer(this, HighlightTimerId)
{
    LiveParts().insert(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnHighlightTick(); }, HighlightTimerId);
}

CInteractionPart::~CInteractionPart()
{
    m_timer.Stop();
    LiveParts().erase(this);
    for (CInteractionPart* other : LiveParts())
        if (other->m_buddy == this)
            other->m_buddy = nullptr;
    // The strips are the parent's children and go with it; when the field alone goes, so do they.
    for (wxWindow*& strip : m_strips)
        if (strip != nullptr && !strip->IsBeingDeleted() && strip->GetParent() && !strip->GetParent()->IsBeingDeleted())
            strip->Destroy();
}

void CInteractionPart::Attach()
{
    m_inStackedDialog = CStackableDialog::Enclosing(*m_window) != nullptr;
}

CEasyDialog* CInteractionPart::FindDialog() const
{
    for (wxWindow* w = m_window->GetParent(); w != nullptr; w = w->GetParent())
        if (auto* dialog = dynamic_cast<CEasyDialog*>(w))
            return dialog;
    return nullptr;
}

bool CInteractionPart::IsTarget() const
{
    return GetGraphicDataExchange().IsTarget(m_target);
}

bool CInteractionPart::IsHighlighted() const
{
    return IsTarget() || (m_buddy != nullptr && m_buddy->IsTarget());
}

void CInteractionPart::StartInteraction(bool quiet, const std::function<void()>& startAnchorLine)
{
    CGraphicDataExchange& exchange = GetGraphicDataExchange();
    CViewToolHost* tools = Tools();
    if (!quiet)
        exchange.SaveTarget();
    if (tools != nullptr) {
        switch (m_kind) {
        case 0:
            tools->StartPickTool();
            break;
        case 1:
            tools->StartSelectByRectTool();
            break;
        case 2:
            if (startAnchorLine)
                startAnchorLine();
            else
                tools->StartAnchorLineTool({CLocation(NoValue, NoValue, NoValue)});
            break;
        case 3:
            tools->StartLocationTool();
            break;
        default:
            tools->RestoreDefaultTool();
            break;
        }
    }
    if (!quiet) {
        CProgramServices* app = GetProgramServices();
        exchange.RestoreTarget(app != nullptr ? app->GetActiveViewKind() : ViewKindNone);
        m_startingGuard = true;
        m_window->SetFocus();
        m_startingGuard = false;
    }
}

bool CInteractionPart::ActivateInteraction(const std::function<void(bool quiet)>& start)
{
    if (!m_inStackedDialog || IsTarget() || !IsAcceptedByMainFrame(m_window))
        return false;
    start(true);
    GetGraphicDataExchange().SetTarget(m_target);
    StartHighlight();
    if (CEasyDialog* dialog = FindDialog())
        dialog->OnGraphicDataTargetSet();
    return true;
}

void CInteractionPart::ResumeInteraction(const std::function<void(bool quiet)>& start)
{
    if (!m_inStackedDialog)
        return;
    start(false);
    StartHighlight();
}

void CInteractionPart::MarkFilledBy(CInteractionPart* buddy)
{
    m_buddy = buddy;
    if (buddy != nullptr)
        StartHighlight();
}

void CInteractionPart::StartHighlight()
{
    if (!m_timer.IsRunning())
        m_timer.Start(HighlightPeriodMs);
    if (m_entryFrame) {
        PlaceStrips();
        ShowStrips(true);
    }
}

void CInteractionPart::StopHighlight()
{
    m_timer.Stop();
    if (m_entryFrame)
        ShowStrips(false);
    m_window->Refresh();
}

void CInteractionPart::OnHighlightTick()
{
    if (!IsHighlighted()) {
        StopHighlight();
        return;
    }
    if (m_entryFrame) {
        PlaceStrips();
        ShowStrips(m_window->IsShown());
        for (wxWindow* strip : m_strips)
            if (strip != nullptr)
                strip->Refresh(false);
    } else {
        m_window->Refresh(false);
    }
    m_antPhase += AntPhaseStep;
}

void CInteractionPart::PlaceStrips()
{
    wxWindow* parent = m_window->GetParent();
    if (parent == nullptr)
        return;
    const wxRect ring = m_window->GetRect().Inflate(1);
    const wxRect edges[4] = {
        wxRect(ring.x, ring.y, 1, ring.height),                   // left
        wxRect(ring.x, ring.GetBottom(), ring.width, 1),          // bottom
        wxRect(ring.GetRight(), ring.y, 1, ring.height),          // right
        wxRect(ring.x, ring.y, ring.width, 1),                    // top
    };
    for (int i = 0; i < 4; ++i) {
        wxWindow*& strip = m_strips[static_cast<std::size_t>(i)];
        if (strip == nullptr)
            strip = new CAntStrip(parent, this);
        if (strip->GetRect() != edges[i])
            strip->SetSize(edges[i]);
    }
}

void CInteractionPart::ShowStrips(bool show)
{
    for (wxWindow* strip : m_strips)
        if (strip != nullptr)
            strip->Show(show);
}

void CInteractionPart::ResetIfTarget(bool restoreDefaultTool)
{
    if (!m_inStackedDialog || !IsTarget())
        return;
    GetGraphicDataExchange().Reset();
    if (restoreDefaultTool)
        RestoreFieldDefaultTool();
}

// --- Services.

CDataFileView* GetFieldJobView()
{
    CProgramServices* app = GetProgramServices();
    return app != nullptr ? dynamic_cast<CDataFileView*>(app->GetActiveViewAndKind(nullptr)) : nullptr;
}

bool SendFieldPickQuery(CPickQuery& query)
{
    CDataFileView* view = GetFieldJobView();
    return view != nullptr && view->OnPickQuery808B(true, query);
}

bool SendFieldHitQuery(CPickQuery& query)
{
    CDataFileView* view = GetFieldJobView();
    return view != nullptr && view->OnCurrentHit80AC(query);
}

bool HasMainFrame()
{
    CProgramServices* app = GetProgramServices();
    return app != nullptr && app->GetMainWindow() != nullptr;
}

intptr_t AskMainFrameKeepsLink(wxWindow* receiving)
{
    CProgramServices* app = GetProgramServices();
    CStackingDialogBar* bar = app != nullptr ? app->GetStackingBar() : nullptr;
    return bar != nullptr ? bar->ForwardToCurrent(0x80BD, reinterpret_cast<intptr_t>(receiving)) : 0;
}

bool IsAcceptedByMainFrame(const wxWindow* window)
{
    CProgramServices* app = GetProgramServices();
    wxWindow* frame = app != nullptr ? app->GetMainWindow() : nullptr;
    if (frame == nullptr)
        return false;
    return wxGetTopLevelParent(const_cast<wxWindow*>(window)) == frame;
}

void RestoreFieldDefaultTool()
{
    if (CViewToolHost* tools = Tools())
        tools->RestoreDefaultTool();
}

void ShowFieldInvalidSelectionTip(const std::string& text)
{
    std::string tip = "Invalid selection:\n" + text;
    if (!text.empty() && text.back() != '\n')
        tip += "\n";
    LastTip() = tip;
    GetDataFileDocShell().Beep();
    CColoredTextLines lines;
    std::size_t start = 0;
    while (start < tip.size()) {
        const std::size_t end = tip.find('\n', start);
        lines.AddLineDefaultColor(tip.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    const wxPoint at = wxGetMousePosition() + wxPoint(8, 8);
    CViewToolHost* tools = Tools();
    CViewTool* tool = tools != nullptr ? tools->GetCurrentTool() : nullptr;
    CMapCtrl* map = tool != nullptr ? tool->GetMapWindow() : nullptr;
    wxWindow* under = tools != nullptr ? tools->WindowUnderCursor() : nullptr;
    if (map != nullptr && under == map) {
        ShowToolText(lines, at, 0, map);
        return;
    }
    // Beside the grid: the list's own popup, the hint's icon in dark red.
    if (CDataFileView* view = GetFieldJobView())
        view->ShowObjectIdPopup(tip.substr(0, tip.find_last_not_of('\n') + 1), at.x, at.y, InvalidSelectionIcon,
                                ProblemTextColor);
}

const std::string& GetLastInvalidSelectionTip()
{
    return LastTip();
}

std::unique_ptr<CCustomToolTipCtrl> MakeFieldTip(wxWindow* window,
                                                 std::function<void(CObjectIdWnd* popup, CView* view)> draw)
{
    auto tip = std::make_unique<CCustomToolTipCtrl>(false);
    tip->AddTool(window);
    tip->SetDelayTime(1000);
    tip->Activate(true);
    tip->onNeedText = [window, draw = std::move(draw)](wxWindow*, const wxPoint&) {
        CProgramServices* app = GetProgramServices();
        CView* view = app != nullptr ? app->GetActiveViewAndKind(nullptr) : nullptr;
        if (view == nullptr)
            return;
        CObjectIdWnd* popup = nullptr;
        if (auto* dialog = dynamic_cast<CEasyDialog*>(window->GetParent()))
            popup = dialog->GetObjectIdPopup();
        // A field outside a dialog (a list row's editor) uses the tools' popup.
        if (popup == nullptr)
            popup = EnsureToolIdPopup(window);
        draw(popup, view);
    };
    return tip;
}
