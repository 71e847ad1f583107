#include "cogo/ui/InteractiveControl.h"

#include "cogo/FieldMenus.h"
#include "core/DataExchange.h"
#include "core/DataFileFormat.h"
#include "core/JobValueSource.h"
#include "core/NoValue.h"
#include "core/RawDataFormat.h"
#include "core/ValueText.h"
#include "framework/GraphicDataExchange.h"
#include "framework/ui/CustomToolTipCtrl.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/ProgramServices.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/MorvelSettings.h"
#include "model/Record.h"
#include "views/PickQuery.h"
#include "views/ui/ToolPopups.h"

#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/weakref.h>

namespace {

// The field as the exchange routines see a control: one control of a one-control dialog, so a
// field can read and write itself wherever it stands (a panel, a list row). The field is held
// weakly: what runs while a refusal's balloon waits (a panel closed, a job opened) may destroy
// it, and a field that has gone has no place, takes no focus and reads as empty.
class CSelfExchange : public CDdxDialog, public CDdxControl
{
public:
    explicit CSelfExchange(CInteractiveControl& field) : m_field(&field) {}
    CDdxControl* GetDdxControl(int) override { return m_field ? this : nullptr; }
    void GiveDdxFocus(int) override
    {
        if (m_field)
            CStackableDialog::GiveInput(*m_field);
    }
    std::string GetText() const override { return m_field ? m_field->GetFieldText() : std::string(); }
    void SetText(const std::string& text) override
    {
        if (m_field)
            m_field->SetFieldText(text);
    }
    void SetTextLimit(int chars) override
    {
        if (m_field)
            m_field->SetMaxLength(chars > 0 ? chars : 0);
    }
    ScreenRect GetScreenRect() const override
    {
        if (!m_field)
            return {};
        const wxRect r = m_field->GetScreenRect();
        return ScreenRect{r.x, r.y, r.x + r.width, r.y + r.height};
    }

private:
    wxWeakRef<CInteractiveControl> m_field;
};

} // namespace

// --- Menu button.

CInteractiveControlMenuButton::CInteractiveControlMenuButton(wxWindow* parent, CInteractiveControl* owner,
                                                             int32_t menuId)
    : CMenuButton(parent, FieldMenuButtonId), m_owner(owner), m_menuId(menuId)
{
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (m_owner == nullptr)
            return;
        m_owner->SetFocus();
        DropMenu();
    });
}

std::unique_ptr<wxMenu> CInteractiveControlMenuButton::BuildMenu()
{
    const std::vector<FieldMenuItem>& items = GetFieldMenuItems(m_menuId);
    if (items.empty() || m_owner == nullptr)
        return nullptr;
    auto menu = std::make_unique<wxMenu>();
    for (const FieldMenuItem& item : items) {
        if (item.id == 0) {
            menu->AppendSeparator();
            continue;
        }
        std::string text = item.text;
        int checked = 0;
        int enabled = 1;
        m_owner->OnMenuItemQuery(MsgMenuItemText, item.id, &text);
        const bool check = m_owner->OnMenuItemQuery(MsgMenuItemChecked, item.id, &checked) != 0 && checked != 0;
        const bool ask = m_owner->OnMenuItemQuery(MsgMenuItemEnabled, item.id, &enabled) != 0;
        wxMenuItem* entry = check ? menu->AppendCheckItem(item.id, wxString::FromUTF8(text))
                                  : menu->Append(item.id, wxString::FromUTF8(text));
        if (check)
            entry->Check(true);
        if (ask)
            entry->Enable(enabled != 0);
    }
    return menu;
}

void CInteractiveControlMenuButton::DropMenu()
{
    std::unique_ptr<wxMenu> menu = BuildMenu();
    if (!menu)
        return;
    const wxPoint at = m_owner->ScreenToClient(GetMenuPosition());
    const int chosen = m_owner->TrackFieldMenu(*menu, at);
    // The field has the keyboard back before the command runs, not after: a window the command
    // opens (the calculator) keeps it, and while a command's refusal balloon waits, the field and
    // this button with it may be destroyed.
    m_owner->SetFocus();
    if (chosen == wxID_NONE)
        return;
    // The commands go to the field.
    wxCommandEvent command(wxEVT_MENU, chosen);
    command.SetEventObject(m_owner);
    m_owner->ProcessWindowEvent(command);
}

// --- Field.

CInteractiveControl::CInteractiveControl() : m_part(this, this, true) {}

CInteractiveControl::~CInteractiveControl()
{
    m_part.ResetIfTarget(false);
    if (m_menuButton != nullptr && !m_menuButton->IsBeingDeleted()) {
        wxWindow* parent = m_menuButton->GetParent();
        if (parent == nullptr || !parent->IsBeingDeleted())
            m_menuButton->Destroy();
    }
}

bool CInteractiveControl::Create(wxWindow* parent, wxWindowID id, const wxString& value, long style)
{
    if (!CEasyEdit::Create(parent, id, value, style | wxTE_PROCESS_ENTER))
        return false;
    Bind(wxEVT_SET_FOCUS, &CInteractiveControl::OnSetFocusField, this);
    Bind(wxEVT_KILL_FOCUS, &CInteractiveControl::OnKillFocusField, this);
    Bind(wxEVT_KEY_DOWN, &CInteractiveControl::OnKeyDownField, this);
    Bind(wxEVT_MENU, &CInteractiveControl::OnMenuCommand, this);
    m_toolTip = MakeFieldTip(this, [this](CObjectIdWnd* popup, CView* view) { DrawMapFeedback(popup, view); });
    Attach();
    return true;
}

void CInteractiveControl::Attach()
{
    m_part.Attach();
    // The dialog puts the field into its sizer after making it: the button joins it there.
    if (m_menuId != NoFieldMenu)
        CallAfter([this] { CreateMenuButton(); });
}

void CInteractiveControl::CreateMenuButton()
{
    if (m_menuButton != nullptr || GetParent() == nullptr)
        return;
    const int width = std::max(wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this), 16);
    m_menuButton = new CInteractiveControlMenuButton(GetParent(), this, m_menuId);
    m_menuButton->SetMinSize(wxSize(width, -1));
    // In a sizer the field and its button share the field's place; else the button takes the
    // field's right end.
    if (wxSizer* sizer = GetContainingSizer()) {
        wxSizerItem* item = sizer->GetItem(this);
        const int proportion = item ? item->GetProportion() : 0;
        const int flag = item ? item->GetFlag() : 0;
        const int border = item ? item->GetBorder() : 0;
        size_t index = 0;
        for (wxSizerItem* child : sizer->GetChildren()) {
            if (child->GetWindow() == this)
                break;
            ++index;
        }
        sizer->Detach(this);
        auto* box = new wxBoxSizer(wxHORIZONTAL);
        box->Add(this, 1, wxEXPAND);
        box->Add(m_menuButton, 0, wxEXPAND);
        sizer->Insert(index, box, proportion, flag | wxEXPAND, border);
        GetParent()->Layout();
    } else {
        const wxRect r = GetRect();
        SetSize(r.x, r.y, std::max(r.width - width - 1, 1), r.height);
        m_menuButton->SetSize(r.x + r.width - width, r.y + 1, width, std::max(r.height - 2, 1));
    }
    m_menuButton->MoveAfterInTabOrder(this);
}

void CInteractiveControl::SetMenuId(int32_t id)
{
    m_menuId = id;
    if (m_menuButton != nullptr)
        m_menuButton->SetMenuId(id);
    else if (id != NoFieldMenu && GetHandle() != nullptr)
        CreateMenuButton();
}

std::string CInteractiveControl::GetFieldText() const
{
    return GetValue().utf8_string();
}

void CInteractiveControl::SetFieldText(const std::string& text)
{
    ChangeValue(wxString::FromUTF8(text));
    SelectAll();
    ShowPosition(GetLastPosition());
}

std::unique_ptr<CFormat> CInteractiveControl::MakeFormatter() const
{
    if (m_rawFormat)
        return std::make_unique<CRawDataFormat>(m_rawSetup, false);
    return std::make_unique<CDataFileFormat>(GetActiveJobValueSource());
}

bool CInteractiveControl::ExchangeSelf(bool save, const std::function<bool(CDataExchange*, int)>& routine)
{
    CSelfExchange self(*this);
    bool ok = true;
    const bool ran = RunDataExchange(self, save, [&](CDataExchange& dx) { ok = routine(&dx, GetId()); });
    return ran && ok;
}

void CInteractiveControl::RestartInteraction()
{
    if (m_part.IsTarget())
        StartInteraction(false);
}

void CInteractiveControl::StartInteraction(bool quiet)
{
    m_part.StartInteraction(quiet);
}

bool CInteractiveControl::ActivateInteraction()
{
    return m_part.ActivateInteraction([this](bool quiet) { StartInteraction(quiet); });
}

void CInteractiveControl::ResumeInteraction()
{
    m_part.ResumeInteraction([this](bool quiet) { StartInteraction(quiet); });
}

void CInteractiveControl::MarkFilledBy(CInteractiveControl* buddy)
{
    m_part.MarkFilledBy(buddy != nullptr ? &buddy->m_part : nullptr);
}

CInteractiveControl* CInteractiveControl::GetBuddy() const
{
    CInteractionPart* buddy = m_part.GetBuddy();
    return buddy != nullptr ? dynamic_cast<CInteractiveControl*>(buddy->GetWindow()) : nullptr;
}

void CInteractiveControl::ShowInvalidSelectionTip(const std::string& text)
{
    ShowFieldInvalidSelectionTip(text);
}

bool CInteractiveControl::QueryObjectAtPick(int32_t kind, RecordRef& out, int32_t code)
{
    InitRecordRef(out);
    if (code == 8)
        return QueryHitObject(out, 2);
    const CGraphicDataExchange& exchange = GetGraphicDataExchange();
    CPickQuery query;
    query.reserved = kind;
    query.location = exchange.GetLocation();
    query.tolerance = CLocation(exchange.GetToleranceX(), exchange.GetToleranceY(), NoValue);
    if (!SendFieldPickQuery(query) || query.hits.empty())
        return false;
    out = query.hits.front();
    return true;
}

bool CInteractiveControl::QueryPointAtPick(RecordRef& out, int32_t code)
{
    return QueryObjectAtPick(2, out, code);
}

bool CInteractiveControl::QueryHitObject(RecordRef& out, uint32_t typeMask)
{
    InitRecordRef(out);
    CPickQuery query;
    if (!SendFieldHitQuery(query) || query.hits.empty() || query.hits.front().record == nullptr)
        return false;
    const RecordRef hit = query.hits.front();
    const uint32_t bit = hit.record->GetType() == kRecordTypePoint ? 2u : 1u;
    if ((bit & typeMask) == 0)
        return false;
    out = hit;
    return true;
}

// --- Exchange target.

bool CInteractiveControl::IsTargetEnabled() const
{
    return GetHandle() != nullptr && !IsBeingDeleted() && IsEnabled();
}

bool CInteractiveControl::IsAcceptedByFrame() const
{
    return IsAcceptedByMainFrame(this);
}

bool CInteractiveControl::TakeGraphicData(uint32_t code)
{
    if (!m_part.IsInStackedDialog())
        return false;
    return (static_cast<uint8_t>(OnToolEvent(static_cast<int32_t>(code)) ? 1 : 0)) != 0;
}

void CInteractiveControl::NotifyDialog(uint32_t)
{
    if (CEasyDialog* dialog = m_part.FindDialog())
        dialog->OnGraphicDataReceived();
}

bool CInteractiveControl::IsInVisibleStackedDialog() const
{
    const CStackableDialog* panel = CStackableDialog::Enclosing(*this);
    return panel != nullptr && panel->IsShownOnScreen();
}

void CInteractiveControl::TakeFocusAgain()
{
    SetFocus();
}

bool CInteractiveControl::Enable(bool enable)
{
    const bool changed = CEasyEdit::Enable(enable);
    if (!enable)
        m_part.ResetIfTarget(true);
    if (m_menuButton != nullptr)
        m_menuButton->Enable(enable);
    return changed;
}

bool CInteractiveControl::Show(bool show)
{
    const bool changed = CEasyEdit::Show(show);
    if (!show)
        m_part.ResetIfTarget(true);
    if (m_menuButton != nullptr)
        m_menuButton->Show(show);
    return changed;
}

// --- Focus, keys, commands.

void CInteractiveControl::OnSetFocusField(wxFocusEvent& event)
{
    event.Skip();
    // A field whose window is going (the bar closing its panels) takes no tool.
    if (IsBeingDeleted())
        return;
    if (m_part.IsInStackedDialog() && !m_part.IsStarting() && IsAcceptedByMainFrame(this))
        ActivateInteraction();
    if (m_part.IsInStackedDialog())
        OnFieldFocused();
}

void CInteractiveControl::OnKillFocusField(wxFocusEvent& event)
{
    event.Skip();
    wxWindow* receiving = event.GetWindow();
    if (m_part.IsInStackedDialog()) {
        if (!HasMainFrame())
            return;
        // A zero answer (the map, the grid, the calculator) keeps the link and the tool; a bar that
        // takes its panels with it leaves nothing linked to them.
        if (!IsInDyingBar() && (receiving == nullptr || AskMainFrameKeepsLink(receiving) == 0))
            return;
        GetGraphicDataExchange().Reset();
    }
    // A raw line's field keeps the text as typed: the job's format would round the line's value.
    if (GetMorvelSettings().GetAutoUpdateEntries() && !m_rawFormat)
        Validate();
    if (m_part.IsInStackedDialog() && dynamic_cast<CInteractiveControl*>(receiving) == nullptr)
        RestoreFieldDefaultTool();
}

bool CInteractiveControl::IsInDyingBar() const
{
    for (const wxWindow* w = GetParent(); w != nullptr && !w->IsTopLevel(); w = w->GetParent())
        if (dynamic_cast<const CStackingDialogBar*>(w) != nullptr)
            return w->IsBeingDeleted();
    return false;
}

void CInteractiveControl::OnKeyDownField(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_DOWN && m_menuButton != nullptr) {
        DropMenu();
        return;
    }
    event.Skip();
}

void CInteractiveControl::DropMenu()
{
    if (m_menuButton != nullptr)
        m_menuButton->DropMenu();
}

int CInteractiveControl::TrackFieldMenu(wxMenu& menu, const wxPoint& client)
{
    return GetPopupMenuSelectionFromUser(menu, client);
}

void CInteractiveControl::OnMenuCommand(wxCommandEvent& event)
{
    if (!OnFieldCommand(event.GetId()))
        event.Skip();
}

bool CInteractiveControl::OnFieldCommand(int32_t command)
{
    if (command != CmdCalculator)
        return false;
    OnCalculator();
    return true;
}

void CInteractiveControl::OnCalculator()
{
    double value = NoValue;
    const std::string text = GetFieldText();
    double parsed = 0.0;
    if (ParseDouble(&parsed, text, false))
        value = parsed;
    OpenFieldCalculator(value);
}

void OpenFieldCalculator(double value)
{
    if (CProgramServices* app = GetProgramServices())
        app->OpenCalculator(value);
}
