#include "framework/ui/EasyDialog.h"
#include "framework/ui/EasyDialogWizard.h"

#include "core/WindowPlacement.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/SettingsShell.h"

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/textentry.h>
#include <wx/utils.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// The small modal window a dialog is shown in when it runs on its own.
class CEasyDialogHost : public wxDialog
{
public:
    CEasyDialogHost(wxWindow* parent, const wxString& title, CEasyDialog* dialog)
        : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE),
          m_dialog(dialog)
    {
        SetEscapeId(wxID_NONE); // the dialog's own key handling takes Escape
        Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
            if (m_dialog)
                m_dialog->OnCancel();
        });
        Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
            // Keys from inside the panel had their turn there already.
            wxWindow* focus = wxWindow::FindFocus();
            const bool inPanel = m_dialog && focus && (focus == m_dialog || m_dialog->IsDescendant(focus));
            if (m_dialog && !inPanel && m_dialog->HandleKey(e.GetKeyCode()))
                return;
            e.Skip();
        });
    }
    CEasyDialog* GetDialog() const { return m_dialog; }
    void Forget() { m_dialog = nullptr; }

private:
    CEasyDialog* m_dialog;
};

std::vector<wxWindow*> ChildList(wxWindow* parent)
{
    std::vector<wxWindow*> out;
    for (wxWindow* w : parent->GetChildren())
        if (!w->IsTopLevel())
            out.push_back(w);
    return out;
}

void CollectDepthFirst(wxWindow* parent, std::vector<wxWindow*>& out)
{
    for (wxWindow* w : ChildList(parent)) {
        out.push_back(w);
        CollectDepthFirst(w, out);
    }
}

// Exchanges the places of two windows, in their sizers (or by position) and in tab order.
void SwapWindows(wxWindow* a, wxWindow* b, const std::vector<wxWindow*>& siblings)
{
    wxSizer* sa = a->GetContainingSizer();
    wxSizer* sb = b->GetContainingSizer();
    wxSizerItem* ia = sa ? sa->GetItem(a) : nullptr;
    wxSizerItem* ib = sb ? sb->GetItem(b) : nullptr;
    if (ia && ib) {
        // Reassigning an item lets go of its window's sizer link; give both back.
        ia->AssignWindow(b);
        ib->AssignWindow(a);
        a->SetContainingSizer(nullptr);
        b->SetContainingSizer(nullptr);
        a->SetContainingSizer(sb);
        b->SetContainingSizer(sa);
    } else {
        const wxPoint pa = a->GetPosition();
        a->Move(b->GetPosition());
        b->Move(pa);
    }
    const bool aFirst = std::find(siblings.begin(), siblings.end(), a) < std::find(siblings.begin(), siblings.end(), b);
    if (aFirst)
        a->MoveAfterInTabOrder(b);
    else
        b->MoveAfterInTabOrder(a);
}

} // namespace

// A window of the dialog as the field exchange reads and writes it.
class CEasyDialog::CControlAdapter : public CDdxControl
{
public:
    explicit CControlAdapter(wxWindow* window) : m_window(window) {}
    wxWindow* GetWindow() const { return m_window; }

    std::string GetText() const override
    {
        if (auto* entry = dynamic_cast<wxTextEntry*>(m_window))
            return FromWx(entry->GetValue());
        return FromWx(m_window->GetLabel());
    }
    void SetText(const std::string& text) override
    {
        if (auto* entry = dynamic_cast<wxTextEntry*>(m_window))
            entry->ChangeValue(ToWx(text)); // no change event: loading is not typing
        else
            m_window->SetLabel(ToWx(text));
    }
    void SetTextLimit(int chars) override
    {
        auto* text = dynamic_cast<wxTextCtrl*>(m_window);
        if (text && !text->IsMultiLine())
            text->SetMaxLength(static_cast<unsigned long>(chars > 0 ? chars : 0));
    }
    ScreenRect GetScreenRect() const override
    {
        const wxRect r = m_window->GetScreenRect();
        return {r.x, r.y, r.x + r.width, r.y + r.height};
    }

private:
    wxWindow* m_window;
};

CEasyDialog::CEasyDialog(const wxString& title) : m_title(title) {}

CEasyDialog::~CEasyDialog()
{
    SetWindow(nullptr);
    if (m_host) {
        // The host outlives the panel by a moment: it goes once the panel has left it.
        static_cast<CEasyDialogHost*>(m_host)->Forget();
        if (wxSizer* sizer = GetContainingSizer())
            sizer->Detach(this);
        m_host->RemoveChild(this);
        m_host->Destroy();
        m_host = nullptr;
    }
}

bool CEasyDialog::Create(wxWindow* parent)
{
    if (!wxPanel::Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL))
        return false;
    SetWindow(static_cast<const wxWindow*>(this));
    Bind(wxEVT_CHAR_HOOK, &CEasyDialog::OnCharHook, this);
    BuildControls();
    return OnInitDialog();
}

CEasyDialog* CEasyDialog::FromHost(wxDialog& host)
{
    auto* h = dynamic_cast<CEasyDialogHost*>(&host);
    return h ? h->GetDialog() : nullptr;
}

void CEasyDialog::CreateModalHost(wxWindow* parent)
{
    if (m_host)
        return;
    if (!parent && wxTheApp)
        parent = wxTheApp->GetTopWindow();
    auto* host = new CEasyDialogHost(parent, m_title, this);
    m_host = host;
    Create(host);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(this, 1, wxEXPAND | wxALL, FromDIP(4));
    if (WantsStandardButtons()) {
        auto* buttons = new wxStdDialogButtonSizer;
        auto* ok = new wxButton(host, wxID_OK, "OK");
        auto* cancel = new wxButton(host, wxID_CANCEL, "Cancel");
        ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); });
        cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
        ok->SetDefault();
        buttons->AddButton(ok);
        buttons->AddButton(cancel);
        buttons->Realize();
        sizer->Add(buttons, 0, wxEXPAND | wxALL, FromDIP(8));
    }
    host->SetSizerAndFit(sizer);
    host->CentreOnParent();
}

int CEasyDialog::DoModal(wxWindow* parent)
{
    CreateModalHost(parent);
    m_ended = false;
    m_result = wxID_CANCEL;
    return RunModal(*m_host);
}

void CEasyDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    if (m_host && m_host->IsModal())
        m_host->EndModal(result);
    else if (m_host)
        m_host->SetReturnCode(result);
}

bool CEasyDialog::UpdateDataEx(bool save, uint8_t flag)
{
    m_exchangeFlag = flag;
    CDataFileDoc* job = save ? CDataFileDoc::GetActiveDoc() : nullptr;
    if (job)
        job->BeginNameReservation();
    const bool ok = RunDataExchange(*this, save, [this](CDataExchange& dx) { DoDataExchange(dx); });
    if (job)
        job->EndNameReservation();
    m_exchangeFlag = 0;
    return ok;
}

void CEasyDialog::OnOK()
{
    if (!UpdateDataEx(true))
        return;
    EndDialog(wxID_OK);
}

void CEasyDialog::OnCancel()
{
    EndDialog(wxID_CANCEL);
}

bool CEasyDialog::OnInitDialog()
{
    UpdateUnitLabels();
    ArrangeCoordinateFields();
    ReadActiveViewKind();
    StartWizard();
    return true;
}

void CEasyDialog::UpdateUnitLabels()
{
    std::vector<wxWindow*> windows;
    CollectDepthFirst(this, windows);
    std::vector<int32_t> ids;
    ids.reserve(windows.size());
    for (wxWindow* w : windows)
        ids.push_back(w->GetId());
    ApplyUnitAndCaptionLabels(ids, [&windows](std::size_t index, const std::string& text) {
        if (windows[index]->GetLabel() != ToWx(text))
            windows[index]->SetLabel(ToWx(text));
    });
}

void CEasyDialog::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    CDialogNotifyTarget::OnNotify(sender, code, parameter);
    if ((code == HintJobSettingsChanged || code == HintFormatSettingsChanged) && GetHandle())
        UpdateUnitLabels();
}

void CEasyDialog::SetCoordinateRole(wxWindow* window, int role)
{
    if (role == CoordinateRoleNone)
        m_roles.erase(window);
    else
        m_roles[window] = role;
}

int CEasyDialog::GetCoordinateRole(const wxWindow* window) const
{
    auto it = m_roles.find(window);
    return it == m_roles.end() ? CoordinateRoleNone : it->second;
}

void CEasyDialog::SwapCoordinateFields(bool order)
{
    std::vector<wxWindow*> children = ChildList(this);
    for (std::size_t i = 0; i < children.size(); ++i) {
        wxWindow* w = children[i];
        if (auto* inner = dynamic_cast<CEasyDialog*>(w)) {
            inner->ArrangeCoordinateFields();
            continue;
        }
        if (GetCoordinateRole(w) != CoordinateRoleNorthing)
            continue;
        wxWindow* partner = nullptr;
        if (i + 1 < children.size() && GetCoordinateRole(children[i + 1]) == CoordinateRoleEasting)
            partner = children[i + 1];
        else if (i > 0 && GetCoordinateRole(children[i - 1]) == CoordinateRoleEasting)
            partner = children[i - 1];
        else
            break;
        SwapWindows(w, partner, children);
        children = ChildList(this);
        i = static_cast<std::size_t>(std::find(children.begin(), children.end(), w) - children.begin());
    }
    Layout();
}

void CEasyDialog::PositionNear(const wxPoint* at, const wxSize* size)
{
    wxWindow* window = m_host ? static_cast<wxWindow*>(m_host) : wxGetTopLevelParent(this);
    if (!window)
        return;
    const wxPoint point = at ? *at : wxGetMousePosition();
    int display = wxDisplay::GetFromPoint(point);
    if (display == wxNOT_FOUND)
        display = wxDisplay::GetFromWindow(window);
    if (display == wxNOT_FOUND)
        return;
    const wxRect work = wxDisplay(static_cast<unsigned>(display)).GetClientArea();
    const wxSize s = size ? *size : window->GetSize();
    const auto place = PlaceNearPoint({point.x, point.y}, s.x, s.y,
                                      {work.x, work.y, work.x + work.width, work.y + work.height});
    if (size)
        window->SetSize(s);
    if (place)
        window->Move(place->x, place->y);
    else
        window->Centre();
}

int CEasyDialog::OnEnterRelay()
{
    if (m_host)
        return 1;
    for (wxWindow* w = GetParent(); w && !w->IsTopLevel(); w = w->GetParent())
        if (auto* outer = dynamic_cast<CEasyDialog*>(w))
            return outer->OnEnterRelay();
    return 0;
}

CDdxControl* CEasyDialog::GetDdxControl(int id)
{
    wxWindow* window = FindWindow(id);
    if (!window || window == this)
        return nullptr;
    auto& adapter = m_adapters[id];
    if (!adapter || adapter->GetWindow() != window)
        adapter = std::make_unique<CControlAdapter>(window);
    return adapter.get();
}

void CEasyDialog::ShowDdxPage()
{
    // The pages that hold the dialog come to the front, innermost first.
    for (wxWindow* w = this; w && !w->IsTopLevel(); w = w->GetParent()) {
        auto* book = dynamic_cast<wxBookCtrlBase*>(w->GetParent());
        if (!book)
            continue;
        const int page = book->FindPage(w);
        if (page != wxNOT_FOUND && page != book->GetSelection())
            book->SetSelection(static_cast<size_t>(page));
    }
}

void CEasyDialog::GiveDdxFocus(int id)
{
    wxWindow* window = FindWindow(id);
    if (!window)
        return;
    window->SetFocus();
    if (auto* entry = dynamic_cast<wxTextEntry*>(window))
        entry->SelectAll();
}

DialogWindow CEasyDialog::GetFocus()
{
    return wxWindow::FindFocus();
}

void CEasyDialog::FocusNextControl()
{
    // The controls that take the keyboard, in tab order, the way Tab walks them.
    std::vector<wxWindow*> order;
    std::function<void(wxWindow*)> collect = [&](wxWindow* parent) {
        for (wxWindow* w : ChildList(parent)) {
            if (!w->IsShown() || !w->IsEnabled())
                continue;
            if (w->AcceptsFocusFromKeyboard() && !dynamic_cast<wxPanel*>(w))
                order.push_back(w);
            else
                collect(w);
        }
    };
    collect(this);
    if (order.empty())
        return;
    wxWindow* focus = wxWindow::FindFocus();
    auto it = std::find(order.begin(), order.end(), focus);
    wxWindow* next = it == order.end() || it + 1 == order.end() ? order.front() : *(it + 1);
    next->SetFocus();
}

int CEasyDialog::GetControlId(DialogWindow control)
{
    const auto* w = static_cast<const wxWindow*>(control);
    if (!w)
        return 0;
    return w->GetId() == wxID_CANCEL ? IDCANCEL_CONTROL : w->GetId();
}

bool CEasyDialog::IsPushButton(DialogWindow control)
{
    return dynamic_cast<const wxButton*>(static_cast<const wxWindow*>(control)) != nullptr;
}

void CEasyDialog::PostCommand(DialogWindow control)
{
    auto* button = dynamic_cast<wxButton*>(const_cast<wxWindow*>(static_cast<const wxWindow*>(control)));
    if (!button)
        return;
    CallAfter([button] {
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
    });
}

void CEasyDialog::NotifyActiveDocument(int32_t hint, intptr_t parameter)
{
    GetSettingsShell().NotifyActiveDocument(nullptr, hint, parameter);
}

bool CEasyDialog::IsMultiLineEdit(DialogWindow control)
{
    const auto* text = dynamic_cast<const wxTextCtrl*>(static_cast<const wxWindow*>(control));
    return text && text->IsMultiLine();
}

int CEasyDialog::OfferEnterKey()
{
    const int answer = OnEnterRelay();
    if (answer == 0)
        return 0;
    // The dialog that stands alone presses the focused button, else its OK.
    CEasyDialog* outer = this;
    for (wxWindow* w = GetParent(); w && !w->IsTopLevel(); w = w->GetParent())
        if (auto* d = dynamic_cast<CEasyDialog*>(w))
            outer = d;
    auto* button = dynamic_cast<wxButton*>(wxWindow::FindFocus());
    if (button)
        PostCommand(button);
    else
        outer->CallAfter([outer] { outer->OnOK(); });
    return answer;
}

bool CEasyDialog::PreTranslateInput(const DialogKeyMessage& msg)
{
    if (msg.message == WM_KEYDOWN && msg.key == VK_ESCAPE && m_host) {
        OnCancel();
        return true;
    }
    return false;
}

bool CEasyDialog::HandleKey(int wxKeyCode)
{
    uint32_t key = 0;
    if (wxKeyCode == WXK_RETURN || wxKeyCode == WXK_NUMPAD_ENTER)
        key = VK_RETURN;
    else if (wxKeyCode == WXK_ESCAPE)
        key = VK_ESCAPE;
    else
        return false;
    return PreTranslateDialogMessage({WM_KEYDOWN, key, wxWindow::FindFocus()}, *this);
}

void CEasyDialog::OnCharHook(wxKeyEvent& event)
{
    if (!HandleKey(event.GetKeyCode()))
        event.Skip();
}

CObjectIdWnd* CEasyDialog::GetObjectIdPopup()
{
    if (!m_objectIdWnd && GetHandle() != nullptr) {
        auto* popup = new CObjectIdWnd(true);
        if (!popup->Create(this)) {
            popup->Destroy();
            return nullptr;
        }
        m_objectIdWnd = popup;
    }
    return static_cast<CObjectIdWnd*>(m_objectIdWnd.get());
}
