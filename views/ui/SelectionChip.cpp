#include "views/ui/SelectionChip.h"

#include "core/DataExchange.h"
#include "framework/GraphicDataExchange.h"
#include "framework/ui/CustomToolTipCtrl.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/ProgramServices.h"
#include "model/DataFileSelOperator.h"
#include "model/SelectionDescription.h"
#include "views/ScratchGeometry.h"
#include "views/SelectionChipRules.h"
#include "views/ui/ToolPopups.h"
#include "views/UniversalControlSteps.h"
#include "views/ViewToolRules.h"

#include <wx/dcbuffer.h>
#include <wx/menu.h>
#include <wx/settings.h>

namespace {

void SelectionChangedByChip(void* sender)
{
    RedrawActiveMapSelection(true);
    if (CProgramServices* app = GetProgramServices())
        app->NotifyActiveDocument(sender, 43, 0);
}

// The map's queries through the job view, for the universal control's steps.
class CViewPickCalls : public CUniversalPickCalls
{
public:
    explicit CViewPickCalls(void* sender) : m_sender(sender) {}
    bool QueryCurrentHit(CPickQuery& query) override { return SendFieldHitQuery(query); }
    bool QueryObjectsAt(CPickQuery& query) override { return SendFieldPickQuery(query); }
    void SelectionChanged() override { SelectionChangedByChip(m_sender); }
    void ShowInvalidSelection() override { ShowFieldInvalidSelectionTip(""); }

private:
    void* m_sender;
};

int32_t IconWidth(const wxWindow* w)
{
    const int v = wxSystemSettings::GetMetric(wxSYS_ICON_X, w);
    return v > 0 ? v : 32;
}

int32_t IconHeight(const wxWindow* w)
{
    const int v = wxSystemSettings::GetMetric(wxSYS_ICON_Y, w);
    return v > 0 ? v : 32;
}

uint32_t WindowTextColour()
{
    const wxColour c = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    return uint32_t(c.Red()) | (uint32_t(c.Green()) << 8) | (uint32_t(c.Blue()) << 16);
}

} // namespace

// --- Universal control.

CUniversalControl::CUniversalControl() : m_part(this, this, false) {}

CUniversalControl::~CUniversalControl()
{
    m_part.ResetIfTarget(false);
}

void CUniversalControl::AttachPart()
{
    m_part.Attach();
    SetWindow(static_cast<const wxWindow*>(this));
}

bool CUniversalControl::OnToolEvent(int32_t code)
{
    if (m_description == nullptr)
        return false;
    const CGraphicDataExchange& exchange = GetGraphicDataExchange();
    UniversalPickInput in;
    in.code = code;
    in.x = exchange.GetLocation().x;
    in.y = exchange.GetLocation().y;
    in.x2 = exchange.GetToleranceX();
    in.y2 = exchange.GetToleranceY();
    in.left = exchange.GetValue(0);
    in.right = exchange.GetValue(1);
    in.top = exchange.GetValue(2);
    in.bottom = exchange.GetValue(3);
    in.alt = (uint32_t(exchange.GetWord(0)) & ToolKeyAlt) != 0;
    CViewPickCalls calls(this);
    return UniversalControlToolEvent(*m_description, GetActiveSelectionOperator(), in, calls);
}

void CUniversalControl::StartInteraction(bool quiet)
{
    m_part.StartInteraction(quiet);
}

bool CUniversalControl::ActivateInteraction()
{
    return m_part.ActivateInteraction([this](bool quiet) { StartInteraction(quiet); });
}

bool CUniversalControl::IsTargetEnabled() const
{
    return GetHandle() != nullptr && !IsBeingDeleted() && IsEnabled();
}

bool CUniversalControl::IsInteractive() const
{
    return m_description != nullptr && (m_description->GetPossibleKinds() & 2) != 0;
}

bool CUniversalControl::IsAcceptedByFrame() const
{
    return IsAcceptedByMainFrame(this);
}

bool CUniversalControl::TakeGraphicData(uint32_t code)
{
    return m_part.IsInStackedDialog() && OnToolEvent(static_cast<int32_t>(code));
}

void CUniversalControl::NotifyDialog(uint32_t)
{
    if (CEasyDialog* dialog = m_part.FindDialog())
        dialog->OnGraphicDataReceived();
}

void CUniversalControl::ResumeInteraction()
{
    m_part.ResumeInteraction([this](bool quiet) { StartInteraction(quiet); });
}

bool CUniversalControl::HasPickedObject() const
{
    // Reading the object may drop one the job no longer holds.
    return m_description != nullptr && m_description->IsSingle() &&
           const_cast<CSelectionDescription*>(m_description)->GetSelectionObject().record != nullptr;
}

void CUniversalControl::ForgetPickedObject()
{
    if (m_description != nullptr)
        m_description->SetSelectionObject(nullptr, -1);
}

CRecord* CUniversalControl::GetPickedObject() const
{
    if (m_description == nullptr || !m_description->IsSingle())
        return nullptr;
    return const_cast<CSelectionDescription*>(m_description)->GetSelectionObject().record;
}

CSelectionFilterPtr CUniversalControl::GetChipFilter() const
{
    if (m_description == nullptr)
        return CSelectionFilterPtr();
    return CSelectionFilterPtr(m_description->CreateFilter());
}

// --- Mouse chip.

CMouseChip::CMouseChip(bool flag)
    : m_flag(flag), m_arrowWidth(SelectionChipArrowWidth(32)), m_refreshTimer(this, RefreshTimerId)
{
}

CMouseChip::~CMouseChip() = default;

bool CMouseChip::Create(wxWindow* parent, wxWindowID id, const wxString& caption)
{
    if (!wxControl::Create(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxWANTS_CHARS))
        return false;
    SetLabel(caption);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_arrowWidth = SelectionChipArrowWidth(IconWidth(this));
    AttachPart();
    Bind(wxEVT_PAINT, &CMouseChip::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CMouseChip::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) { e.Skip(!m_menuOpen); });
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        e.Skip();
        OnChipFocus();
        Refresh(false);
    });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        e.Skip();
        Refresh(false);
    });
    Bind(wxEVT_TIMER, &CMouseChip::OnTimer, this);
    Bind(wxEVT_MENU, [this](wxCommandEvent& e) {
        if (auto* chip = dynamic_cast<CGeneralSelectionChip*>(this); chip == nullptr || !chip->OnChipCommand(e.GetId()))
            e.Skip();
    });
    m_toolTip = MakeFieldTip(this, [this](CObjectIdWnd* popup, CView* view) { DrawMapFeedback(popup, view); });
    if (m_flag)
        m_refreshTimer.StartOnce(RefreshDelayMs);
    SetInitialSize(DoGetBestSize());
    return true;
}

wxSize CMouseChip::DoGetBestSize() const
{
    const wxString caption = GetLabel();
    const bool glyphOnly = IsGlyphOnlyCaption(caption.utf8_string());
    const int captionWidth = glyphOnly ? 0 : GetTextExtent(caption).x;
    return wxSize(SelectionChipWidth(captionWidth, glyphOnly, IconWidth(this), GetArrowWidth()), IconHeight(this) + 2);
}

void CMouseChip::UpdateArrow()
{
    if (!m_flag)
        return;
    const bool arrow = m_description != nullptr && !m_description->IsSingle() && !m_arrowSuppressed;
    if (arrow == m_hasArrow)
        return;
    m_hasArrow = arrow;
    const wxSize size = GetSize();
    const wxSize newSize(size.x + (arrow ? m_arrowWidth : -m_arrowWidth), size.y);
    SetMinSize(newSize);
    SetSize(newSize);
    if (GetParent() != nullptr && GetParent()->GetSizer() != nullptr)
        GetParent()->Layout();
}

void CMouseChip::RefreshChip()
{
    UpdateArrow();
    if (m_flag)
        m_selected = HasSelection();
    Refresh(false);
    if (IsAcceptedByMainFrame(this))
        if (CProgramServices* app = GetProgramServices())
            app->NotifyActiveDocument(this, 24, reinterpret_cast<intptr_t>(this));
}

void CMouseChip::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    if (SelectionChipRefreshesOn(code) && GetHandle() != nullptr && m_description != nullptr)
        RefreshChip();
}

void CMouseChip::OnTimer(wxTimerEvent& event)
{
    if (event.GetTimer().GetId() == RefreshTimerId)
        RefreshChip();
}

void CMouseChip::OnChipFocus()
{
    if (m_description != nullptr && !m_description->IsSingle())
        SetInteractionKind(1);
    if (m_part.IsInStackedDialog() && IsInteractive())
        ActivateInteraction();
}

void CMouseChip::OnChipClick()
{
    if (m_description != nullptr && !m_description->IsSingle())
        SetInteractionKind(1);
    if (!m_part.IsInStackedDialog())
        return;
    if (!ActivateInteraction() && m_part.IsTarget())
        StartInteraction(false);
}

void CMouseChip::OnLeftDown(wxMouseEvent& event)
{
    if (HandleClick(event.GetX(), event.GetY()))
        return;
    SetFocus();
    OnChipClick();
}

bool CMouseChip::HandleClick(int32_t x, int32_t y)
{
    if (m_menuOpen)
        return true;
    const wxSize client = GetClientSize();
    if (client.x - x >= m_arrowWidth)
        return false;
    if (!m_hasArrow)
        return true;
    const long long now = wxGetUTCTimeMillis().GetValue();
    // The click that closed the menu does not open it again.
    if (now == m_lastMenuTick)
        return true;
    m_menuOpen = true;
    Refresh(false);
    Update();
    ShowMenu(ClientToScreen(wxPoint(0, client.y)));
    m_menuOpen = false;
    Refresh(false);
    m_lastMenuTick = wxGetUTCTimeMillis().GetValue();
    return true;
}

std::unique_ptr<wxMenu> CMouseChip::BuildMenu() const
{
    if (m_menuId != 636)
        return nullptr;
    auto menu = std::make_unique<wxMenu>();
    menu->Append(CGeneralSelectionChip::CmdSelectAll, "Select &All", "Selects everything");
    menu->Append(CGeneralSelectionChip::CmdClearSelection, "&Clear Selection", "Clears current selection");
    menu->Append(CGeneralSelectionChip::CmdInvertSelection, "&Invert Selection", "Invert a selection");
    return menu;
}

void CMouseChip::ShowMenu(const wxPoint& screen)
{
    if (std::unique_ptr<wxMenu> menu = BuildMenu())
        PopupMenu(menu.get(), ScreenToClient(screen));
}

void CMouseChip::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    DrawItem(dc);
}

void CMouseChip::DrawItem(wxDC& dc)
{
    UpdateArrow();
    const wxSize size = GetClientSize();
    const int arrow = GetArrowWidth();
    const wxRect face(0, 0, std::max(size.x - arrow, 0), size.y);
    const wxColour faceColour = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    const wxColour hilite = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT);
    const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    const wxColour dark = wxSystemSettings::GetColour(wxSYS_COLOUR_3DDKSHADOW);
    const wxColour grey = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(faceColour));
    dc.DrawRectangle(0, 0, size.x, size.y);

    auto frame = [&](const wxRect& r, bool sunken) {
        const int l = r.x, t = r.y, rr = r.GetRight(), b = r.GetBottom();
        dc.SetPen(wxPen(sunken ? dark : hilite));
        dc.DrawLine(l, b, l, t);
        dc.DrawLine(l, t, rr, t);
        dc.SetPen(wxPen(sunken ? hilite : dark));
        dc.DrawLine(rr, t, rr, b);
        dc.DrawLine(rr, b, l - 1, b);
        dc.SetPen(wxPen(shadow));
        if (sunken) {
            dc.DrawLine(l + 1, b - 1, l + 1, t + 1);
            dc.DrawLine(l + 1, t + 1, rr - 1, t + 1);
        } else {
            dc.DrawLine(rr - 1, t + 1, rr - 1, b - 1);
            dc.DrawLine(rr - 1, b - 1, l, b - 1);
        }
    };

    // The glyph: the selection state's icon, centred in the face.
    if (m_showGlyph) {
        const uint32_t icon = !m_flag ? m_glyphId : (m_selected ? m_iconSelected : m_iconEmpty);
        CProgramServices* app = GetProgramServices();
        const wxBitmap* bitmap = app != nullptr && icon != 0 ? app->GetIcon(icon, false) : nullptr;
        const wxString caption = GetLabel();
        if (IsGlyphOnlyCaption(caption.utf8_string())) {
            if (bitmap != nullptr && bitmap->IsOk())
                dc.DrawBitmap(*bitmap, face.x + (face.width - bitmap->GetWidth()) / 2,
                              face.y + (face.height - bitmap->GetHeight()) / 2, true);
        } else {
            const wxSize text = dc.GetTextExtent(caption);
            dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
            dc.DrawText(caption, face.x + 3, face.y + (face.height - text.y) / 2);
            if (bitmap != nullptr && bitmap->IsOk())
                dc.DrawBitmap(*bitmap, face.GetRight() - bitmap->GetWidth(),
                              face.y + (face.height - bitmap->GetHeight()) / 2, true);
        }
    }
    frame(face, false);
    if (arrow > 0) {
        const wxRect part(face.GetRight() + 1, 0, arrow, size.y);
        frame(part, m_menuOpen);
        dc.SetPen(wxPen(IsEnabled() ? wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT) : grey));
        for (const ArrowRow& row : ChipArrowRows(part.x, part.y, part.width, part.height))
            dc.DrawLine(row.x1, row.y, row.x2 + 1, row.y);
    }
    if (HasFocus()) {
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT), 1, wxPENSTYLE_DOT));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(wxRect(face).Deflate(3));
    }
    // The marching border while the chip or its buddy waits for picks.
    if (m_part.IsHighlighted()) {
        const wxColour on = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
        for (const AntPixel& p : MarchingAntsBorder(face.width, face.height, m_part.GetAntPhase())) {
            dc.SetPen(wxPen(p.highlight ? on : *wxWHITE));
            dc.DrawPoint(face.x + p.x, face.y + p.y);
        }
    }
    if (!IsEnabled()) {
        dc.SetPen(wxPen(grey));
        for (int y = 0; y < size.y; ++y)
            for (int x = (y + 1) % 2; x < size.x; x += 2)
                dc.DrawPoint(x, y);
    }
}

// --- General selection chip.

CGeneralSelectionChip::CGeneralSelectionChip() : CSelectionChip(true)
{
    m_glyphId = 632;
    m_menuId = 636;
    m_iconEmpty = 632;
    m_iconSelected = 683;
    m_showGlyph = true;
    m_hasArrow = true;
}

CGeneralSelectionChip::CGeneralSelectionChip(wxWindow* parent, wxWindowID id, const wxString& caption)
    : CGeneralSelectionChip()
{
    Create(parent, id, caption);
}

bool CGeneralSelectionChip::HasSelection() const
{
    if (m_description == nullptr)
        return false;
    if (!m_description->IsSingle())
        return m_description->HasAny();
    return m_description->GetSelectionObject().record != nullptr;
}

void CGeneralSelectionChip::DrawMapFeedback(CObjectIdWnd* popup, CView*)
{
    if (popup == nullptr || GetHandle() == nullptr || !IsEnabled() || m_description == nullptr)
        return;
    const std::string text = BuildSelectionChipTipText(*m_description, CDataFileDoc::GetActiveDoc());
    if (text.empty())
        return;
    const wxPoint at = wxGetMousePosition();
    popup->ShowForObject(text, at.x, at.y, 0, WindowTextColour());
}

bool CGeneralSelectionChip::OnChipCommand(int32_t command)
{
    if (command != CmdSelectAll && command != CmdClearSelection && command != CmdInvertSelection)
        return false;
    CDataFileSelOperator* op = GetActiveSelectionOperator();
    if (m_description == nullptr || op == nullptr || (m_description->IsSingle() && !m_description->IsLinked()))
        return true;
    CSelectionFilterPtr filter(m_description->CreateFilter());
    if (command == CmdSelectAll)
        op->SelectAll(filter);
    else if (command == CmdClearSelection)
        op->ClearSelection();
    else
        op->InvertSelection(filter);
    SelectionChangedByChip(this);
    return true;
}

// --- Field exchange.

namespace {
void BindChip(CDataExchange* dx, int id, CGeneralSelectionChip& chip, CSelectionDescription& description,
              bool registerChip)
{
    dx->PrepareEditCtrl(id);
    chip.SetDescription(&description);
    if (!dx->m_bSaveAndValidate && registerChip)
        if (auto* dialog = dynamic_cast<CDialogNotifyTarget*>(chip.GetParent()))
            dialog->RegisterChip(&chip);
}

void Refuse(CDataExchange* dx, int id, const std::string& message)
{
    if (message.empty())
        return;
    ShowDdxError(dx, id, message);
    dx->Fail();
}
} // namespace

void DDX_SelectionChip(CDataExchange* dx, int id, CGeneralSelectionChip& chip, CSelectionDescription& description)
{
    BindChip(dx, id, chip, description, description.IsLinked());
    if (dx->m_bSaveAndValidate)
        Refuse(dx, id, CheckSelectionChipOnSave(description, false));
}

void DDX_SelectionChipOptional(CDataExchange* dx, int id, CGeneralSelectionChip& chip,
                               CSelectionDescription& description)
{
    BindChip(dx, id, chip, description, !description.IsSingle() || description.IsLinked());
    if (dx->m_bSaveAndValidate)
        CheckSelectionChipOnSave(description, true);
}

void DDX_SelectionChipNumericNames(CDataExchange* dx, int id, CGeneralSelectionChip& chip,
                                   CSelectionDescription& description)
{
    DDX_SelectionChip(dx, id, chip, description);
    DDX_SelectionChipOptional(dx, id, chip, description);
    if (dx->m_bSaveAndValidate)
        Refuse(dx, id, CheckSelectionNumericNames(description));
}
