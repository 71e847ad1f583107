#include "framework/ui/StackableDialog.h"

#include "framework/GraphicDataExchange.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/Icons.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/HintCodes.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/toplevel.h>

namespace
{
constexpr int ButtonMargin = 3;

wxFont TitleFont()
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetWeight(wxFONTWEIGHT_BOLD);
    return font;
}

bool IsUsable(const wxWindow* w)
{
    for (; w && !w->IsTopLevel(); w = w->GetParent())
        if (!w->IsShown() || !w->IsEnabled())
            return false;
    return w != nullptr;
}
} // namespace

// The caption strip with the switch and close buttons at its right end.
class CTitleStrip : public wxWindow
{
public:
    explicit CTitleStrip(CStackableDialog* panel) : wxWindow(panel, wxID_ANY), m_panel(panel)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        SetFont(TitleFont());
        const int textHeight = GetCharHeight();
        m_height = textHeight + 5;
        SetMinSize(wxSize(-1, m_height + ButtonMargin));
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxAutoBufferedPaintDC dc(this);
            // A panel on its way out has nothing left to paint its title with.
            if (IsBeingDeleted())
                return;
            // In the side bar the titles follow the main window's activation as the bar was told.
            if (CStackingDialogBar* bar = m_panel->GetBar()) {
                m_panel->PaintTitle(dc, bar->AreTitlesActive());
                return;
            }
            auto* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(this));
            m_panel->PaintTitle(dc, top && top->IsActive());
        });
        Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
            PlaceButtons();
            Refresh();
            e.Skip();
        });
    }
    int TitleHeight() const { return m_height; }
    // A painted caption: the keyboard passes it by, as it passes a static text.
    bool AcceptsFocus() const override { return false; }
    int ButtonWidth() const { return m_height + 5; }
    void PlaceButtons()
    {
        const int width = GetClientSize().x;
        const int right = width - ButtonMargin;
        if (m_panel->m_closeButton)
            m_panel->m_closeButton->SetSize(right - ButtonWidth(), ButtonMargin, ButtonWidth(), m_height - ButtonMargin);
        if (m_panel->m_switchButton)
            m_panel->m_switchButton->SetSize(right - 2 * ButtonWidth() - 1, ButtonMargin, ButtonWidth(),
                                             m_height - ButtonMargin);
    }

private:
    CStackableDialog* m_panel;
    int m_height = 20;
};

CStackableDialog::CStackableDialog(uint32_t templateId, const wxString& title)
    : CEasyDialog(title), m_templateId(templateId)
{
}

CStackableDialog::~CStackableDialog()
{
    // However the panel goes (also with the main window), no stack keeps it.
    if (m_bar)
        m_bar->ForgetPanel(this);
}

std::string CStackableDialog::TipForControl(int32_t controlId)
{
    std::string tip;
    if (controlId == SwitchButtonId)
        tip = "Switch dialog boxes ";
    else if (controlId == CloseButtonId)
        tip = "Close";
    if (tip.size() > MaxTipLength)
        tip.resize(MaxTipLength);
    return tip;
}

wxWindow* CStackableDialog::GetTitleStrip() const
{
    return m_strip;
}

bool CStackableDialog::OnInitDialog()
{
    m_strip = new CTitleStrip(this);
    m_closeButton = new CCustomIconButton(m_strip, CloseButtonId);
    if (m_bar && m_bar->GetIcons())
        m_closeButton->SetIcon(m_bar->GetIcons()->GetIcon(CloseIconId, true), true, false);
    m_closeButton->SetToolTip(wxString::FromUTF8(TipForControl(CloseButtonId)));
    m_closeButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    m_switchButton = new CMenuButton(m_strip, SwitchButtonId);
    m_switchButton->SetToolTip(wxString::FromUTF8(TipForControl(SwitchButtonId)));
    m_switchButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        std::unique_ptr<wxMenu> menu = BuildSwitchMenu();
        const wxPoint at = ScreenToClient(m_switchButton->GetMenuPosition());
        PopupMenu(menu.get(), at);
    });
    Bind(wxEVT_MENU, [this](wxCommandEvent& e) { OnStackMenuCommand(e.GetId()); }, FirstStackCommand,
         LastStackCommand);
    static_cast<CTitleStrip*>(m_strip)->PlaceButtons();

    // The title strip goes above whatever the panel built.
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(m_strip, 0, wxEXPAND);
    wxSizer* own = GetSizer();
    SetSizer(outer, false);
    if (own)
        outer->Add(own, 1, wxEXPAND | wxALL, 4);
    else
        outer->AddStretchSpacer();
    const bool initialised = CEasyDialog::OnInitDialog();
    // The panel's first control takes the keyboard when the panel is shown.
    for (wxWindow* child : GetChildren())
        if (child != m_strip && child->IsEnabled() && child->AcceptsFocus())
        {
            SetActiveControl(child);
            break;
        }
    return initialised;
}

void CStackableDialog::PaintTitle(wxDC& dc, bool active)
{
    if (!m_strip)
        return;
    const wxSize size = m_strip->GetClientSize();
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE)));
    dc.Clear();
    const int height = static_cast<CTitleStrip*>(m_strip)->TitleHeight();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(active ? wxSYS_COLOUR_ACTIVECAPTION : wxSYS_COLOUR_INACTIVECAPTION)));
    dc.DrawRectangle(0, 0, size.x, height);
    dc.SetFont(m_strip->GetFont());
    dc.SetTextForeground(
        wxSystemSettings::GetColour(active ? wxSYS_COLOUR_CAPTIONTEXT : wxSYS_COLOUR_INACTIVECAPTIONTEXT));
    const int left = ButtonMargin + 5;
    const int right = m_switchButton ? m_switchButton->GetPosition().x - 2 : size.x;
    wxDCClipper clip(dc, wxRect(0, 0, std::max(0, right), height));
    dc.DrawLabel(wxString::FromUTF8(GetCaption()), wxRect(left, 0, std::max(0, right - left), height),
                 wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
}

void CStackableDialog::SaveActiveControl()
{
    if (!m_saveArmed)
        return;
    m_saveArmed = false;
    m_savedControl = nullptr;
    if (!HasWindow())
        return;
    wxWindow* focus = wxWindow::FindFocus();
    if (focus && focus != m_switchButton && focus != m_closeButton && IsDescendant(focus))
    {
        m_savedControl = focus;
        return;
    }
    // The focus went to the map: the field that waits for its pick is the one to come back to.
    auto* target = dynamic_cast<wxWindow*>(GetGraphicDataExchange().GetTarget());
    if (target && IsDescendant(target))
        m_savedControl = target;
}

void CStackableDialog::RequestFocusFor(wxWindow* control)
{
    if (m_bar && m_bar->IsWindowInStackedDialogs(control))
        m_bar->NotifyActiveJob(HintActiveControl, reinterpret_cast<intptr_t>(control));
}

void CStackableDialog::SetActiveControl(wxWindow* control)
{
    if (!control || !control->IsEnabled())
        return;
    m_savedControl = control;
    RequestFocusFor(control);
}

CStackableDialog* CStackableDialog::Enclosing(const wxWindow& window)
{
    for (wxWindow* w = window.GetParent(); w; w = w->GetParent())
        if (auto* panel = dynamic_cast<CStackableDialog*>(w))
            return panel;
    return nullptr;
}

void CStackableDialog::GiveInput(wxWindow& control)
{
    if (CStackableDialog* panel = Enclosing(control))
        panel->SetActiveControl(&control);
    control.SetFocus();
}

void CStackableDialog::RestoreActiveControl()
{
    m_saveArmed = true;
    if (!m_savedControl)
        return;
    if (!IsDescendant(m_savedControl) || !m_savedControl->IsEnabled())
    {
        m_savedControl = nullptr;
        return;
    }
    RequestFocusFor(m_savedControl);
}

wxWindow* CStackableDialog::FirstUsablePreferred() const
{
    for (wxWindow* control : m_preferred)
        if (IsUsable(control))
            return control;
    return nullptr;
}

bool CStackableDialog::ActivateFirstUsableWindow()
{
    wxWindow* control = FirstUsablePreferred();
    if (!control)
        return false;
    SetActiveControl(control);
    return true;
}

int CStackableDialog::OnEnterRelay()
{
    if (GetModalHost())
        return CEasyDialog::OnEnterRelay();
    return FirstUsablePreferred() ? 1 : 0;
}

int CStackableDialog::OfferEnterKey()
{
    if (GetModalHost())
        return CEasyDialog::OfferEnterKey();
    const int answer = OnEnterRelay();
    if (answer == 0)
        return 0;
    wxWindow* preferred = FirstUsablePreferred();
    if (!preferred)
        return 0;
    // Already there: Enter moves on as Tab does.
    for (const wxWindow* w = wxWindow::FindFocus(); w; w = w->GetParent())
        if (w == preferred)
            return 0;
    SetActiveControl(preferred);
    return answer;
}

void CStackableDialog::UpdateNavigationButtons()
{
    const bool enable = m_bar && !m_lockNavigation && m_bar->GetStackCount() >= 1;
    if (m_switchButton)
        m_switchButton->Enable(enable);
    if (m_closeButton)
        m_closeButton->Enable(enable && !m_lockClose);
    // The message bar shows the report of the panel in front.
    GetReport().ShowInMessageBar(true, false);
}

bool CStackableDialog::IsDescendant(const wxWindow* window) const
{
    for (const wxWindow* w = window; w; w = w->GetParent())
    {
        if (w == this)
            return true;
        if (!w->IsShown() || w->IsTopLevel())
            return false;
    }
    return false;
}

intptr_t CStackableDialog::OnBarMessage(uint32_t message, intptr_t wParam)
{
    switch (message)
    {
    case 0x80BD: {
        auto* window = reinterpret_cast<const wxWindow*>(wParam);
        if (window == m_switchButton || window == m_closeButton)
            return 0;
        return IsDescendant(window) ? 1 : 0;
    }
    case 0x8078:
        // Clear empties the rows but keeps the columns; the bar then clears its text as well.
        GetReport().ClearSections(true);
        GetReport().ShowInMessageBar(true, false);
        return 0;
    case 0x8079: {
        // The panels bind their report on the button itself (one binds it on the panel, which the
        // button's event reaches as well).
        wxButton* button = IsShown() ? FindReportButton() : nullptr;
        if (!button)
            return 0;
        wxCommandEvent report(wxEVT_BUTTON, button->GetId());
        report.SetEventObject(button);
        return button->ProcessWindowEvent(report) ? 1 : 0;
    }
    default:
        return 0;
    }
}

namespace
{
wxButton* FindButton(const wxWindow& parent, int id)
{
    for (wxWindow* child : parent.GetChildren())
    {
        if (child->IsTopLevel())
            continue;
        if (auto* button = dynamic_cast<wxButton*>(child); button && child->GetId() == id)
            return button;
        if (wxButton* inside = FindButton(*child, id))
            return inside;
    }
    return nullptr;
}
} // namespace

wxButton* CStackableDialog::FindReportButton() const { return FindButton(*this, ReportButtonId); }

std::unique_ptr<wxMenu> CStackableDialog::BuildSwitchMenu()
{
    auto menu = std::make_unique<wxMenu>();
    if (!m_bar)
        return menu;
    const std::vector<std::string> titles = m_bar->GetStackTitles();
    for (size_t i = 0; i < titles.size() && FirstStackCommand + static_cast<int>(i) <= LastStackCommand; ++i)
    {
        menu->Append(FirstStackCommand + static_cast<int>(i), wxString::FromUTF8(titles[i]));
        if (i == 0)
            menu->AppendSeparator();
    }
    return menu;
}

void CStackableDialog::OnStackMenuCommand(int id)
{
    if (!m_bar || id < FirstStackCommand || id > LastStackCommand)
        return;
    const int entry = id - FirstStackCommand;
    CStackingDialogBar* bar = m_bar;
    if (entry != 1)
        if (CStackableDialog* top = bar->GetTopDialog())
            top->OnCovered(0, nullptr);
    bar->ActivateStackEntry(entry);
    if (entry == 0)
        bar->NotifyActiveJob(HintNavigatorChosen, 0);
}

void CStackableDialog::CreatePanelWindow(uint32_t)
{
    if (m_created)
        return;
    m_created = Create(m_bar);
}

void CStackableDialog::ShowPanel(bool show)
{
    if (!HasWindow())
        return;
    Show(show);
    if (m_bar)
        m_bar->Layout();
}

void CStackableDialog::OnActivateInBar()
{
    CEasyDialog::OnActivateInBar();
    UpdateNavigationButtons();
    if (m_showBarOnActivation && m_bar && !m_bar->IsBarVisible())
        m_bar->ShowBar();
}

bool CStackableDialog::IsInterested(int32_t)
{
    if (!m_bar)
        return false;
    const void* view = m_bar->GetActiveView();
    if (!view)
        return false;
    return this == m_bar->GetHome() || m_bar->Model().IsDialogAllowedInView(view, m_templateId);
}

void CStackableDialog::OnGraphicDataReceived()
{
    if (m_showBarOnActivation && m_bar && !m_bar->IsBarVisible())
        m_bar->ShowBar();
}

bool CStackableDialog::OnCovered(int32_t, const void*)
{
    if (!m_closeWhenCovered || !HasWindow())
        return false;
    DestroyPanel();
    return true;
}

void CStackableDialog::DestroyWindowEx()
{
    if (m_destroying)
        return;
    if (!m_closedByBar)
    {
        // The job hears that the panel's picks end.
        if (m_bar)
            m_bar->NotifyActiveJob(HintEscape, reinterpret_cast<intptr_t>(&GetGraphicDataExchange()));
        if (m_bar)
            m_bar->RemoveDialog(this);
    }
    m_closedByBar = false;
    m_destroying = true;
    Hide();
    // Deleted once the event that closed it has been handled.
    if (wxTheApp)
        wxTheApp->ScheduleForDestruction(this);
    else
        delete this;
}

void CStackableDialog::DestroyPanel()
{
    DestroyWindowEx();
}

void CStackableDialog::CloseFromBar()
{
    m_closedByBar = true;
    DestroyWindowEx();
}

void CStackableDialog::DiscardPanel()
{
    if (m_created)
        CloseFromBar();
    else
        delete this;
}

void CStackableDialog::OnOK()
{
    if (HasWindow())
        DestroyWindowEx();
}

void CStackableDialog::OnCancel()
{
    DestroyWindowEx();
}

bool CStackableDialog::PreTranslateInput(const DialogKeyMessage& msg)
{
    if (msg.message == WM_KEYDOWN && msg.key == VK_ESCAPE && HasWindow())
    {
        // The bar's home panel is kept for the bar's whole life: Escape there has nothing to close.
        if (!(m_bar && m_bar->GetHome() == this))
            OnCancel();
        return true;
    }
    return CEasyDialog::PreTranslateInput(msg);
}
