#include "views/ui/RawDataListCtrl.h"

#include "core/ProgramHelpers.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/ProgramServices.h"
#include "framework/ui/WindowHelpers.h"
#include "rawdata/RawFieldEditorModel.h"
#include "views/RawDataListModel.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/settings.h>

#include <algorithm>

namespace {

// The context commands, in the order the menu shows them (0 is a separator).
struct ContextItem
{
    int id;
    const char* label;
    const char* help;
};
constexpr ContextItem ContextItems[] = {
    {7388, "Select All", "Select all the Raw Lines"},
    {7305, "Find...", "Finds the specified text"},
    {0, nullptr, nullptr},
    {7323, "Edit...", "Edit the selected raw data record"},
    {7301, "Remove...", "Deletes a range of lines"},
    {3139, "Mark as Deleted", "Marks the selected line(s) as deleted"},
    {7481, "Unmark as Deleted", "Un-marks the selected lines as no longer deleted"},
    {7302, "Change to Comment", "Changes the selected lines to a notes"},
    {7303, "Change to Record", "Changes the selected notes to raw data"},
    {7398, "Reduce...", "Reduce the raw data to coordinates"},
    {0, nullptr, nullptr},
    {7325, "Insert Below", "Inserts a line below the current selection."},
    {7300, "Insert Above", "Inserts a line above the current selection."},
    {7447, "Move Up", "Moves this raw data record up"},
    {7448, "Move Down", "Moves this raw data record down"},
};

wxColour Inverted(const wxColour& c) { return wxColour(255 - c.Red(), 255 - c.Green(), 255 - c.Blue()); }

} // namespace

CRawDataListCtrl::CRawDataListCtrl(wxWindow* parent, wxWindowID id, IRawListOwner* owner)
    : CEasyListCtrl(parent, id), m_owner(owner)
{
    SetRowTips(true, true);
    CProgramServices* app = GetProgramServices();
    std::map<int32_t, int32_t> typeImages;
    BuildImageList(m_images, typeImages,
                   [app](int32_t icon) { return app ? app->GetIcon(uint32_t(icon), true) : nullptr; });
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    for (const wxBitmap& bitmap : m_images) {
        // A selected row shows its image blended a quarter towards the highlight colour.
        wxBitmap blended;
        if (bitmap.IsOk()) {
            wxImage image = bitmap.ConvertToImage();
            unsigned char* rgb = image.GetData();
            for (int i = 0, n = image.GetWidth() * image.GetHeight(); i < n; ++i, rgb += 3) {
                rgb[0] = static_cast<unsigned char>((rgb[0] * 3 + highlight.Red()) / 4);
                rgb[1] = static_cast<unsigned char>((rgb[1] * 3 + highlight.Green()) / 4);
                rgb[2] = static_cast<unsigned char>((rgb[2] * 3 + highlight.Blue()) / 4);
            }
            blended = wxBitmap(image);
        }
        m_selectedImages.push_back(blended);
    }
}

CRawDataListCtrl::~CRawDataListCtrl()
{
    if (m_tip)
        m_tip->Destroy();
}

int32_t CRawDataListCtrl::GetRecordTypeImage(int32_t type) { return ::GetRecordTypeImage(type); }

void CRawDataListCtrl::BuildImageList(std::vector<wxBitmap>& images, std::map<int32_t, int32_t>& typeImages,
                                      const std::function<const wxBitmap*(int32_t icon)>& icon)
{
    typeImages.clear();
    images.clear();
    for (int32_t id : RawListIcons) {
        const wxBitmap* bitmap = icon ? icon(id) : nullptr;
        images.push_back(bitmap ? *bitmap : wxBitmap());
    }
    for (int32_t type = 0; type < int32_t(RawRecordTypeChoices().size()); ++type)
        if (const int32_t image = ::GetRecordTypeImage(type); image >= 0 && size_t(image) < images.size())
            typeImages[type] = image;
}

const CRowRanges& CRawDataListCtrl::GetSelection()
{
    m_selection.Truncate(GetItemCount());
    return m_selection;
}

void CRawDataListCtrl::SelectionChanged()
{
    GetBody()->Refresh();
    if (m_owner)
        m_owner->OnRawSelectionChanged();
}

void CRawDataListCtrl::SelectAll()
{
    m_selection.SelectAll(GetItemCount());
    SelectionChanged();
}

void CRawDataListCtrl::DeselectAll()
{
    if (m_selection.IsEmpty())
        return;
    m_selection.Clear();
    SelectionChanged();
}

bool CRawDataListCtrl::SelectRow(int32_t row)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    m_selection.SelectOnly(row);
    m_anchor = m_focus = row;
    EnsureVisible(row);
    SelectionChanged();
    return true;
}

void CRawDataListCtrl::SetHotItem(int32_t row) { MoveRowMark(m_hot, row); }

bool CRawDataListCtrl::ClearHotItem()
{
    const bool had = m_hot >= 0;
    SetHotItem(-1);
    HideTip();
    return had;
}

bool CRawDataListCtrl::IsTipShown() const { return m_tip != nullptr && m_tip->IsPopupVisible(); }

void CRawDataListCtrl::HideTip()
{
    m_tipRow = -1;
    if (m_tip)
        m_tip->Dismiss();
}

bool CRawDataListCtrl::GetItemTip(CColoredTextLines& lines, const wxPoint& bodyPoint, int& icon)
{
    lines.RemoveAll();
    const int32_t row = HitTest(bodyPoint);
    // A row the last refresh removed has no line behind it: no tip.
    std::string text;
    if (row < 0 || m_owner == nullptr || !m_owner->GetRawLineText(row, text))
        return false;
    if (m_owner->FormatRawLineInfo(row, lines)) {
        SetHotItem(row);
        icon = TipIcon;
        return true;
    }
    lines.RemoveAll();
    lines.AddLine("UNRECOGNIZED LINE!\n" + text + "\n", ProblemTextColor);
    icon = UnrecognizedTipIcon;
    return true;
}

void CRawDataListCtrl::ShowTip(const wxPoint& bodyPoint)
{
    int icon = 0;
    if (!GetItemTip(m_tipLines, bodyPoint, icon)) {
        HideTip();
        SetHotItem(-1);
        return;
    }
    m_tipIcon = icon;
    m_tipRow = HitTest(bodyPoint);
    if (m_tip == nullptr) {
        m_tip = new CObjectIdWnd(true);
        if (!m_tip->Create(this)) {
            delete m_tip;
            m_tip = nullptr;
            return;
        }
    }
    // A tip of another row may still show: it goes first, a tip popup ignores requests while up.
    m_tip->Dismiss();
    const wxPoint at = GetBody()->ClientToScreen(bodyPoint);
    m_tip->ShowLines(m_tipLines, at.x, at.y, std::vector<int32_t>{icon});
}

bool CRawDataListCtrl::RequestRowTip(const wxPoint& bodyPoint)
{
    const int32_t row = HitTest(bodyPoint);
    if (row >= 0 && row == m_tipRow && IsTipShown())
        return true;
    ShowTip(bodyPoint);
    return IsTipShown();
}

void CRawDataListCtrl::OnListMotion(const wxPoint& p, uint32_t, bool)
{
    // Moving off the tip's row ends the tip; the next row asks for its own.
    const int32_t row = HitTest(p);
    if (row != m_tipRow && (m_tipRow >= 0 || m_hot >= 0))
        ClearHotItem();
}

void CRawDataListCtrl::OnListLeave() { ClearHotItem(); }

std::string CRawDataListCtrl::GetItemText(int32_t row, int column) const
{
    return m_owner ? std::string(m_owner->GetRawCellText(row, column)) : std::string();
}

bool CRawDataListCtrl::IsRowSelected(int32_t row) const
{
    return row >= 0 && row < GetItemCount() && m_selection.Contains(row);
}

void CRawDataListCtrl::DrawRow(wxDC& dc, int32_t row, const wxRect& rect)
{
    const bool selected = IsRowSelected(row);
    const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    wxColour back = selected ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT) : window;
    wxColour ink = selected ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT)
                            : wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    wxColour iconBack = window;
    // The hot row is shown inverted; cairo cannot invert, so its colours are.
    if (row == m_hot) {
        back = Inverted(back);
        ink = Inverted(ink);
        iconBack = Inverted(iconBack);
    }
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(back));
    dc.DrawRectangle(rect);
    // A row a refresh has just removed paints empty.
    if (m_owner == nullptr || row < 0 || row >= GetItemCount())
        return;

    int left = rect.x;
    int right = rect.x + GetColumnWidth(0);
    const int iconWidth = (m_images.empty() || !m_images[0].IsOk() ? 16 : m_images[0].GetWidth()) + IconCellExtra;
    dc.SetBrush(wxBrush(iconBack));
    dc.DrawRectangle(wxRect(left, rect.y, iconWidth, rect.height));
    const int32_t image = m_owner->GetRawRowImage(row);
    if (image >= 0 && size_t(image) < m_images.size() && m_images[size_t(image)].IsOk()) {
        const wxBitmap& bitmap = selected && m_selectedImages[size_t(image)].IsOk() ? m_selectedImages[size_t(image)]
                                                                                   : m_images[size_t(image)];
        dc.DrawBitmap(bitmap, left, rect.y + (rect.height - bitmap.GetHeight()) / 2, true);
    }
    left += iconWidth;

    const bool comment = m_owner->IsRawCommentRow(row);
    dc.SetTextForeground(ink);
    auto measure = [&dc](const std::string& s) { return dc.GetTextExtent(wxString::FromUTF8(s)).x; };
    for (int column = 0; column < GetColumnCount(); ++column) {
        std::string text(m_owner->GetRawCellText(row, column));
        const bool alignRight = IsColumnRightAligned(column);
        text = alignRight ? text + "  " : "  " + text;
        if (comment && column >= 2) {
            // A comment's text runs on across the columns to its right.
            if (column == 2) {
                const wxString shown = wxString::FromUTF8(text);
                const wxSize extent = dc.GetTextExtent(shown);
                dc.DrawText(shown, left, rect.y + (rect.height - extent.y) / 2);
            }
            continue;
        }
        if (right > left) {
            FitTextWithEllipsis(text, measure, right - left);
            const wxString shown = wxString::FromUTF8(text);
            const wxSize extent = dc.GetTextExtent(shown);
            wxDCClipper clip(dc, wxRect(left, rect.y, right - left, rect.height));
            dc.DrawText(shown, alignRight ? right - extent.x : left, rect.y + (rect.height - extent.y) / 2);
        }
        left = right;
        right = left + GetColumnWidth(column + 1);
    }
}

void CRawDataListCtrl::OnListLeftDown(const wxPoint& p, uint32_t flags)
{
    const int32_t row = HitTest(p);
    if (row < 0)
        return;
    if (flags & 4) {
        if (m_anchor < 0)
            m_anchor = row;
        if (!(flags & 8))
            m_selection.Clear();
        m_selection.Add(m_anchor, row);
    } else if (flags & 8) {
        m_selection.Toggle(row);
        m_anchor = row;
    } else {
        m_selection.SelectOnly(row);
        m_anchor = row;
    }
    m_focus = row;
    SelectionChanged();
}

void CRawDataListCtrl::OnListLeftDoubleClick(const wxPoint& p, uint32_t flags)
{
    const int32_t row = HitTest(p);
    if (row < 0)
        return;
    if (!m_selection.Contains(row))
        OnListLeftDown(p, flags);
    if (m_owner)
        m_owner->OnRawRowDoubleClick(row);
}

void CRawDataListCtrl::OnListRightDown(const wxPoint& p, uint32_t)
{
    const int32_t row = HitTest(p);
    if (row >= 0 && !IsRowSelected(row)) {
        m_selection.SelectOnly(row);
        m_anchor = m_focus = row;
        SelectionChanged();
    }
}

void CRawDataListCtrl::OnListRightUp(const wxPoint& p, uint32_t)
{
    ClearHotItem();
    std::unique_ptr<wxMenu> menu = BuildContextMenu();
    const int command = TrackContextMenu(*menu, p);
    if (command != 0 && m_owner)
        m_owner->OnRawContextCommand(command);
}

int CRawDataListCtrl::TrackContextMenu(wxMenu& menu, const wxPoint& bodyPoint)
{
    const int chosen = GetBody()->GetPopupMenuSelectionFromUser(menu, bodyPoint);
    return chosen == wxID_NONE ? 0 : chosen;
}

std::unique_ptr<wxMenu> CRawDataListCtrl::BuildContextMenu()
{
    auto menu = std::make_unique<wxMenu>();
    menu->SetTitle("Raw Data Context");
    for (const ContextItem& item : ContextItems) {
        if (item.id == 0)
            menu->AppendSeparator();
        else
            menu->Append(item.id, item.label, item.help);
    }
    if (m_owner)
        m_owner->GetRawMenuEnabling(*menu);
    return menu;
}

void CRawDataListCtrl::MoveFocus(int32_t row, bool extend)
{
    const int32_t count = GetItemCount();
    if (count <= 0)
        return;
    row = std::clamp(row, 0, count - 1);
    if (extend) {
        if (m_anchor < 0)
            m_anchor = row;
        m_selection.Clear();
        m_selection.Add(m_anchor, row);
    } else {
        m_selection.SelectOnly(row);
        m_anchor = row;
    }
    m_focus = row;
    EnsureVisible(row);
    SelectionChanged();
}

bool CRawDataListCtrl::OnListKeyDown(int keyCode)
{
    const bool shift = wxGetKeyState(WXK_SHIFT);
    const int32_t page = std::max(1, GetCountPerPage() - 1);
    const int32_t from = m_focus >= 0 ? m_focus : GetTopIndex() - 1;
    switch (keyCode) {
    case WXK_UP:
        MoveFocus(from - 1, shift);
        return true;
    case WXK_DOWN:
        MoveFocus(from + 1, shift);
        return true;
    case WXK_PAGEUP:
        MoveFocus(from - page, shift);
        return true;
    case WXK_PAGEDOWN:
        MoveFocus(from + page, shift);
        return true;
    case WXK_HOME:
        MoveFocus(0, shift);
        return true;
    case WXK_END:
        MoveFocus(GetItemCount() - 1, shift);
        return true;
    default:
        return false;
    }
}
