#include "views/ui/ObjectSelectWnd.h"

#include "framework/ui/ProgramServices.h"
#include "framework/ui/WindowHelpers.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "views/ObjectInfoText.h"
#include "views/ui/MapCtrl.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/region.h>
#include <wx/settings.h>
#include <wx/utils.h>

namespace {

constexpr int Shadow = 8;
constexpr uint32_t ChooserIcon = 8;

bool IsInJob(const CRecord* record)
{
    const CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    return record && doc && doc->ContainsRecord(record, 0);
}

} // namespace

// Rows are texts made when the list paints them: a chooser over a whole job opens at once.
class CObjectSelectWnd::CChooserList : public wxListCtrl
{
public:
    CChooserList(CObjectSelectWnd& owner, wxWindow* parent, const wxPoint& pos, const wxSize& size)
        : wxListCtrl(parent, ListId, pos, size, wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxLC_NO_HEADER | wxBORDER_NONE),
          m_owner(owner)
    {
    }

    wxString OnGetItemText(long item, long) const override { return ToWx(m_owner.GetRowText(item)); }
    int OnGetItemImage(long) const override { return m_owner.m_images && m_owner.m_images->GetImageCount() > 0 ? 0 : -1; }

private:
    CObjectSelectWnd& m_owner;
};

CObjectSelectWnd::CObjectSelectWnd() = default;

CObjectSelectWnd::~CObjectSelectWnd()
{
    SetOwner(nullptr);
    if (wxTheApp)
        wxTheApp->Unbind(wxEVT_ACTIVATE_APP, &CObjectSelectWnd::OnAppActivateEvent, this);
}

void CObjectSelectWnd::OnAppActivateEvent(wxActivateEvent& event)
{
    event.Skip();
    OnAppActivate(event.GetActive());
}

void CObjectSelectWnd::Build(wxWindow* parent)
{
    if (GetHandle())
        return;
    Create(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFRAME_SHAPED);
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    const wxSize size = ConvertDialogToPixels(wxSize(112, 119));
    SetClientSize(size);
    m_list = new CChooserList(*this, this, ConvertDialogToPixels(wxPoint(1, 1)), ConvertDialogToPixels(wxSize(103, 96)));
    m_ok = new wxButton(this, wxID_OK, "Ok", ConvertDialogToPixels(wxPoint(26, 99)), ConvertDialogToPixels(wxSize(39, 14)));
    m_cancel = new wxButton(this, wxID_CANCEL, "Cancel", ConvertDialogToPixels(wxPoint(66, 99)),
                            ConvertDialogToPixels(wxSize(39, 14)));
    m_images = std::make_unique<wxImageList>(16, 16, true, 2);
    if (CProgramServices* app = GetProgramServices())
        if (const wxBitmap* icon = app->GetIcon(ChooserIcon, true); icon && icon->IsOk())
            m_images->Add(*icon);
    m_list->SetImageList(m_images.get(), wxIMAGE_LIST_SMALL);

    m_list->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& e) { OnRowSelected(e.GetIndex()); });
    m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent& e) { OnRowDeselected(e.GetIndex()); });
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& e) { OnRowActivated(e.GetIndex()); });
    m_list->Bind(wxEVT_LIST_ITEM_RIGHT_CLICK, [this](wxListEvent&) { OnListContextMenu(wxGetMousePosition()); });
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); }, wxID_CANCEL);
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_ESCAPE)
            OnCancel();
        else
            e.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { OnCancel(); });
    Bind(wxEVT_PAINT, &CObjectSelectWnd::OnPaintFrame, this);
    if (wxTheApp)
        wxTheApp->Bind(wxEVT_ACTIVATE_APP, &CObjectSelectWnd::OnAppActivateEvent, this);

    // The shadow's checker is cut into the window's shape: no see-through on X11 without a compositor.
    wxImage mask(size.x, size.y);
    mask.SetRGB(wxRect(0, 0, size.x, size.y), 255, 255, 255);
    mask.SetRGB(wxRect(0, 0, size.x - Shadow, size.y - Shadow), 0, 0, 0);
    for (int y = Shadow; y < size.y; ++y)
        for (int x = Shadow; x < size.x; ++x)
            if ((x >= size.x - Shadow || y >= size.y - Shadow) && ((x + y) & 1) == 1)
                mask.SetRGB(x, y, 0, 0, 0);
    SetShape(wxRegion(wxBitmap(mask), *wxWHITE));
}

bool CObjectSelectWnd::Prepare(RecordRef* out, const std::vector<RecordRef>& objects, int32_t x, int32_t y,
                               CObjectIdOwner* owner, wxWindow* parent, const std::string& okCaption,
                               const std::string& cancelCaption)
{
    Build(parent);
    if (!m_list)
        return false;
    m_out = out;
    SetOwner(owner);
    m_objects = objects;
    m_chosen = RecordRef{};
    m_highlightSent = false;
    m_endCode = 0;
    m_ok->SetLabel(okCaption.empty() ? wxString("Ok") : ToWx(okCaption));
    m_cancel->SetLabel(cancelCaption.empty() ? wxString("Cancel") : ToWx(cancelCaption));
    Place(x + 8, y + 8);

    m_list->ClearAll();
    m_list->InsertColumn(0, ToWx(m_title), wxLIST_FORMAT_LEFT, m_list->GetClientSize().x);
    m_list->SetItemCount(long(m_objects.size()));
    if (!m_objects.empty()) {
        m_list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                             wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        // GTK's list reports the selection only from the event loop; the owner is told now.
        if (!m_highlightSent)
            OnRowSelected(0);
    }
    return true;
}

int CObjectSelectWnd::Choose(RecordRef& out, const std::vector<RecordRef>& objects, int32_t x, int32_t y,
                             CObjectIdOwner* owner, wxWindow* parent, const std::string& okCaption,
                             const std::string& cancelCaption)
{
    if (!Prepare(&out, objects, x, y, owner, parent, okCaption, cancelCaption))
        return wxID_CANCEL;
    const int result = ShowModal();
    m_out = nullptr;
    SetOwner(nullptr);
    return result == wxID_OK ? wxID_OK : wxID_CANCEL;
}

void CObjectSelectWnd::Place(int32_t x, int32_t y)
{
    const wxSize size = GetSize();
    wxWindow* parent = GetParent();
    const wxRect area = parent ? parent->GetScreenRect() : wxRect(wxPoint(0, 0), wxGetDisplaySize());
    int32_t px = x, py = y;
    if (px + size.x > area.GetRight() + 1)
        px = x - 16 - size.x;
    if (px < area.GetLeft())
        px = area.GetLeft();
    if (py + size.y > area.GetBottom() + 1)
        py = y - 16 - size.y;
    if (py < area.GetTop())
        py = area.GetTop();
    Move(px, py);
}

std::string CObjectSelectWnd::GetRowText(long row) const
{
    if (row < 0 || size_t(row) >= m_objects.size())
        return {};
    // A pick older than the job's last change names no freed record.
    const RecordRef& object = m_objects[size_t(row)];
    return IsInJob(object.record) ? GetObjectChoiceText(object) : "Unknown: ???";
}

long CObjectSelectWnd::GetSelectedRow() const
{
    return m_list ? m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED) : -1;
}

bool CObjectSelectWnd::RowObject(long row, RecordRef& out) const
{
    if (row < 0 || size_t(row) >= m_objects.size() || !IsInJob(m_objects[size_t(row)].record))
        return false;
    out = m_objects[size_t(row)];
    return true;
}

void CObjectSelectWnd::Highlight(long row, bool on)
{
    RecordRef object;
    if (!m_owner || !RowObject(row, object)) {
        m_highlightSent = false;
        return;
    }
    const bool drawn = m_owner->HighlightObject(object.record, on);
    m_highlightSent = on && drawn;
}

void CObjectSelectWnd::OnRowSelected(long row)
{
    Highlight(row, true);
}

void CObjectSelectWnd::OnRowDeselected(long row)
{
    if (m_highlightSent)
        Highlight(row, false);
}

void CObjectSelectWnd::OnRowActivated(long row)
{
    RecordRef object;
    if (!RowObject(row, object))
        return;
    m_chosen = object;
    OnOk();
}

void CObjectSelectWnd::OnOk()
{
    const long row = GetSelectedRow();
    RecordRef object;
    if (row < 0) {
        ShowMessageBoxFS("Select an object.", MB_OK | MB_ICONERROR);
        return;
    }
    if (!RowObject(row, object)) {
        // The job changed under the chooser: nothing that is left can be handed out.
        OnCancel();
        return;
    }
    m_chosen = object;
    if (m_highlightSent)
        Highlight(row, false);
    if (m_out)
        *m_out = m_chosen;
    Finish(wxID_OK);
}

void CObjectSelectWnd::OnCancel()
{
    const long row = GetSelectedRow();
    if (row >= 0 && m_highlightSent)
        Highlight(row, false);
    Finish(wxID_CANCEL);
}

void CObjectSelectWnd::OnAppActivate(bool active)
{
    if (!active && IsShown())
        CallAfter([this] { OnCancel(); });
}

int CObjectSelectWnd::TrackMenu(wxMenu& menu, const wxPoint& client)
{
    return GetPopupMenuSelectionFromUser(menu, client);
}

void CObjectSelectWnd::OnListContextMenu(const wxPoint& screen)
{
    const long row = GetSelectedRow();
    RecordRef object;
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    if (!doc || !RowObject(row, object))
        return;
    doc->SetCurrentRecord(object.record, object.index);
    if (object.record->GetType() != kRecordTypePoint)
        return;
    std::unique_ptr<wxMenu> menu =
        CMapCtrl::BuildPointContextMenu(static_cast<const CPointRecord*>(object.record)->GetName());
    menu->SetTitle(wxString());
    const int chosen = TrackMenu(*menu, ScreenToClient(screen + wxPoint(20, 5)));
    if (chosen == wxID_NONE)
        return;
    CallAfter([this] { OnCancel(); });
    CProgramServices* app = GetProgramServices();
    if (app && app->GetMainWindow())
        app->GetMainWindow()->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, chosen));
}

void CObjectSelectWnd::Finish(int code)
{
    m_endCode = code;
    if (IsModal())
        EndModal(code);
    else
        Hide();
}

void CObjectSelectWnd::SetOwner(CObjectIdOwner* owner)
{
    WatchOwner(m_owner, owner);
}

void CObjectSelectWnd::OnObjectIdOwnerGone(CObjectIdOwner* owner)
{
    if (owner != m_owner)
        return;
    m_owner = nullptr;
    m_highlightSent = false;
}

void CObjectSelectWnd::OnPaintFrame(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.DrawRectangle(0, 0, size.x - Shadow, size.y - Shadow);
    // A black frame right round the list (the button face shows between the list and the
    // buttons).
    const wxRect list = m_list->GetRect();
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawRectangle(list.Inflate(1, 1));
    dc.SetPen(*wxBLACK_PEN);
    for (int y = Shadow; y < size.y; ++y)
        for (int x = Shadow; x < size.x; ++x)
            if ((x >= size.x - Shadow || y >= size.y - Shadow) && ((x + y) & 1) == 1)
                dc.DrawPoint(x, y);
}
