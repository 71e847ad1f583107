#include "framework/ui/EasyDialog.h"
#include "framework/ui/EasyDialogWizard.h"

#include "core/WindowPlacement.h"
#include "framework/ui/EasyEdit.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/StackableDialog.h"
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

// The dialog that holds this one and answers for it: the outermost below the top-level window.
CEasyDialog& Outermost(CEasyDialog& dialog)
{
    CEasyDialog* outer = &dialog;
    for (wxWindow* w = dialog.GetParent(); w && !w->IsTopLevel(); w = w->GetParent())
        if (auto* d = dynamic_cast<CEasyDialog*>(w))
            outer = d;
    return *outer;
}

// Where a window sits among the sizers of its parent: the items from the top sizer down.
using SizerPath = std::vector<std::pair<wxSizer*, std::size_t>>;

bool FindSizerPath(wxSizer* sizer, const wxWindow* window, SizerPath& path)
{
    if (sizer == nullptr)
        return false;
    std::size_t index = 0;
    for (wxSizerItem* item : sizer->GetChildren()) {
        path.emplace_back(sizer, index);
        if (item->GetWindow() == window)
            return true;
        if (item->GetSizer() != nullptr && FindSizerPath(item->GetSizer(), window, path))
            return true;
        path.pop_back();
        ++index;
    }
    return false;
}

SizerPath PathOf(const wxWindow* window)
{
    SizerPath path;
    for (const wxWindow* w = window->GetParent(); w != nullptr; w = w->GetParent()) {
        path.clear();
        if (FindSizerPath(w->GetSizer(), window, path))
            return path;
        if (w->IsTopLevel())
            break;
    }
    return {};
}

// Every window an item holds, nested sizers included.
void WindowsOf(wxSizerItem* item, std::vector<wxWindow*>& out)
{
    if (item->GetWindow() != nullptr)
        out.push_back(item->GetWindow());
    else if (item->GetSizer() != nullptr)
        for (wxSizerItem* child : item->GetSizer()->GetChildren())
            WindowsOf(child, out);
}

// Caption statics whose text the dialog writes by position (the first coordinate row's caption
// names whichever coordinate comes first): they stay where they are.
bool IsPositionalCaption(const wxWindow* w)
{
    const int id = w->GetId();
    return (id >= 6975 && id <= 6981) || (id >= 6986 && id <= 6992);
}

// Exchanges what two sizer slots hold; each slot keeps its own proportion, flags and border.
void SwapSlots(wxSizer* sa, std::size_t ia, wxSizer* sb, std::size_t ib)
{
    if (sa == sb && ia == ib)
        return;
    if (sa == sb && ia > ib) {
        std::swap(ia, ib);
    }
    struct Slot
    {
        wxWindow* window;
        wxSizer* sizer;
        int proportion, flag, border;
    };
    auto take = [](wxSizer* s, std::size_t i) {
        wxSizerItem* item = s->GetItem(i);
        Slot slot{item->GetWindow(), item->GetSizer(), item->GetProportion(), item->GetFlag(), item->GetBorder()};
        s->Detach(i);
        return slot;
    };
    auto put = [](wxSizer* s, std::size_t i, const Slot& content, const Slot& place) {
        if (content.window != nullptr)
            s->Insert(i, content.window, place.proportion, place.flag, place.border);
        else if (content.sizer != nullptr)
            s->Insert(i, content.sizer, place.proportion, place.flag, place.border);
    };
    // The later slot first, so the earlier index stays good.
    const Slot b = take(sb, ib);
    const Slot a = take(sa, ia);
    put(sa, ia, b, a);
    put(sb, ib, a, b);
}

// Exchanges two blocks of sibling windows in tab order; every other window keeps its place.
void SwapTabBlocks(wxWindow* parent, const std::vector<wxWindow*>& a, const std::vector<wxWindow*>& b)
{
    auto in = [](const std::vector<wxWindow*>& v, wxWindow* w) { return std::find(v.begin(), v.end(), w) != v.end(); };
    std::vector<wxWindow*> order;
    bool aDone = false, bDone = false;
    for (wxWindow* w : parent->GetChildren()) {
        if (in(a, w)) {
            if (!aDone)
                for (wxWindow* x : b)
                    if (x->GetParent() == parent)
                        order.push_back(x);
            aDone = true;
        } else if (in(b, w)) {
            if (!bDone)
                for (wxWindow* x : a)
                    if (x->GetParent() == parent)
                        order.push_back(x);
            bDone = true;
        } else {
            order.push_back(w);
        }
    }
    for (std::size_t k = 1; k < order.size(); ++k)
        order[k]->MoveAfterInTabOrder(order[k - 1]);
}

// The windows of a slot in their tab order.
std::vector<wxWindow*> InTabOrder(std::vector<wxWindow*> windows)
{
    if (windows.empty() || windows.front()->GetParent() == nullptr)
        return windows;
    std::vector<wxWindow*> out;
    for (wxWindow* w : windows.front()->GetParent()->GetChildren())
        if (std::find(windows.begin(), windows.end(), w) != windows.end())
            out.push_back(w);
    return out;
}

// Exchanges the rows of a northing and an easting field: in a grid, every item of the two rows
// (caption, field with its button, unit label) but the positional captions; elsewhere the slots
// that hold the fields. The tab order follows.
void SwapCoordinateRows(wxWindow* northing, wxWindow* easting)
{
    const SizerPath pn = PathOf(northing);
    const SizerPath pe = PathOf(easting);
    std::vector<wxWindow*> movedN, movedE;
    if (!pn.empty() && !pe.empty()) {
        // The first level at which the two paths part holds the slots to exchange.
        std::size_t level = 0;
        while (level + 1 < pn.size() && level + 1 < pe.size() && pn[level] == pe[level])
            ++level;
        auto [sn, in] = pn[level];
        auto [se, ie] = pe[level];
        auto* grid = sn == se ? dynamic_cast<wxGridSizer*>(sn) : nullptr;
        const int cols = grid != nullptr ? grid->GetEffectiveColsCount() : 1;
        if (grid != nullptr && cols > 1 && in / cols != ie / cols) {
            const std::size_t rowN = in / cols * cols, rowE = ie / cols * cols;
            for (std::size_t c = 0; c < static_cast<std::size_t>(cols); ++c) {
                if (rowN + c >= grid->GetItemCount() || rowE + c >= grid->GetItemCount())
                    break;
                wxSizerItem* a = grid->GetItem(rowN + c);
                wxSizerItem* b = grid->GetItem(rowE + c);
                if ((a->GetWindow() && IsPositionalCaption(a->GetWindow())) ||
                    (b->GetWindow() && IsPositionalCaption(b->GetWindow())))
                    continue;
                WindowsOf(a, movedN);
                WindowsOf(b, movedE);
                SwapSlots(grid, rowN + c, grid, rowE + c);
            }
        } else {
            WindowsOf(sn->GetItem(in), movedN);
            WindowsOf(se->GetItem(ie), movedE);
            SwapSlots(sn, in, se, ie);
        }
    } else {
        const wxPoint at = northing->GetPosition();
        northing->Move(easting->GetPosition());
        easting->Move(at);
        movedN = {northing};
        movedE = {easting};
    }
    if (northing->GetParent() == easting->GetParent())
        SwapTabBlocks(northing->GetParent(), InTabOrder(movedN), InTabOrder(movedE));
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
    // A dialog that places itself while it initialises is placed once the host has its size.
    m_buildingHost = true;
    Create(host);
    m_buildingHost = false;

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
    if (m_placeWhenBuilt) {
        const wxPoint at = *m_placeWhenBuilt;
        m_placeWhenBuilt.reset();
        PositionNear(&at);
    } else {
        host->CentreOnParent();
    }
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
    if (it != m_roles.end())
        return it->second;
    // The coordinate fields know what they hold.
    if (const auto* edit = dynamic_cast<const CEasyEdit*>(window))
        return edit->GetCoordinateRole();
    return CoordinateRoleNone;
}

void CEasyDialog::SwapCoordinateFields(bool order)
{
    // Pairs each northing with the nearest easting of the same parent, after it, else before it:
    // the dialogs put captions and buttons between the two. Inner dialogs arrange themselves.
    std::vector<std::pair<wxWindow*, wxWindow*>> pairs;
    std::function<void(wxWindow*)> walk = [&](wxWindow* parent) {
        const std::vector<wxWindow*> children = ChildList(parent);
        std::vector<bool> used(children.size(), false);
        for (std::size_t i = 0; i < children.size(); ++i) {
            wxWindow* w = children[i];
            if (auto* inner = dynamic_cast<CEasyDialog*>(w)) {
                inner->ArrangeCoordinateFields();
                continue;
            }
            if (GetCoordinateRole(w) != CoordinateRoleNorthing) {
                if (GetCoordinateRole(w) == CoordinateRoleNone)
                    walk(w);
                continue;
            }
            auto roleAt = [&](std::size_t k) { return used[k] ? CoordinateRoleNone : GetCoordinateRole(children[k]); };
            std::size_t partner = children.size();
            for (std::size_t k = i + 1; k < children.size() && roleAt(k) != CoordinateRoleNorthing; ++k)
                if (roleAt(k) == CoordinateRoleEasting) {
                    partner = k;
                    break;
                }
            for (std::size_t k = i; partner == children.size() && k-- > 0 && roleAt(k) != CoordinateRoleNorthing;)
                if (roleAt(k) == CoordinateRoleEasting)
                    partner = k;
            if (partner == children.size())
                continue;
            used[partner] = true;
            pairs.emplace_back(w, children[partner]);
        }
    };
    walk(this);
    for (auto [northing, easting] : pairs)
        SwapCoordinateRows(northing, easting);
    Layout();
}

void CEasyDialog::PositionNear(const wxPoint* at, const wxSize* size)
{
    wxWindow* window = m_host ? static_cast<wxWindow*>(m_host) : wxGetTopLevelParent(this);
    if (!window)
        return;
    const wxPoint point = at ? *at : wxGetMousePosition();
    if (m_buildingHost && !size) {
        m_placeWhenBuilt = point;
        return;
    }
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
    // Also when the main window becomes active again, the refused field is the one to type in.
    CStackableDialog::GiveInput(*window);
    if (auto* entry = dynamic_cast<wxTextEntry*>(window))
        entry->SelectAll();
}

DialogWindow CEasyDialog::GetFocus()
{
    return wxWindow::FindFocus();
}

void CEasyDialog::FocusNextControl()
{
    // Where Tab goes: through the pages and tabs of the whole dialog, not only the page that has
    // the keyboard; past the last control, the first.
    if (wxWindow* next = NextTabStop(Outermost(*this), wxWindow::FindFocus()))
        next->SetFocusFromKbd();
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
    // A page answers as the dialog that holds it: a side panel's Enter never presses its OK.
    CEasyDialog& outer = Outermost(*this);
    if (&outer != this)
        return outer.OfferEnterKey();
    const int answer = OnEnterRelay();
    if (answer == 0)
        return 0;
    // The dialog that stands alone presses the focused button, else its OK.
    auto* button = dynamic_cast<wxButton*>(wxWindow::FindFocus());
    if (button)
        PostCommand(button);
    else
        CallAfter([this] { OnOK(); });
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
