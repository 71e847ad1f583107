#include "views/ui/GridView.h"

#include "framework/ui/EasyListCtrl.h"
#include "framework/ui/ProgramServices.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "platform/BusyCursor.h"
#include "platform/Profile.h"
#include "views/GridScrolling.h"
#include "views/PointRows.h"
#include "views/ui/MapCtrl.h"
#include "views/ui/ToolPopups.h"

#include <wx/dc.h>
#include <wx/imaglist.h>
#include <wx/notebook.h>
#include <wx/settings.h>
#include <wx/wupdlock.h>

#include <algorithm>
#include <iterator>

#include <cstdlib>

CGridView::CGridView(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    m_currentTab = GetAppProfile().GetProfileInt("Settings", "TabSel0", 0);
    m_tabStrip = new wxNotebook(this, TabStripId, wxDefaultPosition, wxDefaultSize, wxNB_BOTTOM | wxNB_FIXEDWIDTH);
    m_tabStrip->Hide();
    m_tabStrip->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
        if (event.GetEventObject() != m_tabStrip || m_fillingTabs)
            return;
        m_currentTab = event.GetSelection();
        OnTabChanged();
    });
    m_gridList = new CGridViewListCtrl(this, GridListId, this);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { SelectFirstRow(); }, SelectFirstRowCommand);
    // Escape anywhere in the view (the map above all) ends what the view is doing. The lists
    // answer Escape themselves; the key still goes on, so a window's own use of it stays.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        event.Skip();
        if (event.GetKeyCode() != WXK_ESCAPE || event.HasAnyModifiers())
            return;
        // While the map draws, Escape only ends the drawing (the map's filter takes it).
        for (wxWindow* child : GetChildren())
            if (auto* map = dynamic_cast<CMapCtrl*>(child); map && map->IsDrawingYield())
                return;
        for (auto* w = dynamic_cast<wxWindow*>(event.GetEventObject()); w && !w->IsTopLevel(); w = w->GetParent()) {
            if (dynamic_cast<CEasyListCtrl*>(w))
                return;
            if (w == this) {
                OnListEscape();
                return;
            }
        }
    });
    // The tab shown is remembered for the next view, while the lists still exist.
    Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
        event.Skip();
        if (event.GetEventObject() == this && GetActiveList() != nullptr)
            GetAppProfile().WriteProfileInt("Settings", "TabSel0", m_currentTab);
    });
}

CGridView::~CGridView() = default;

std::array<std::string, 5> CGridView::GetHeadings() const { return CPointRows::ColumnHeadings(GetMorvelSettings()); }

void CGridView::InitializeGrid()
{
    auto* images = new wxImageList(16, 16, true, 1);
    CProgramServices* app = GetProgramServices();
    for (uint32_t icon : {474u, 8u, 517u, 1038u}) {
        const wxBitmap* bitmap = app ? app->GetIcon(icon, true) : nullptr;
        // A missing picture still takes its place, so the images after it keep their indices.
        images->Add(bitmap && bitmap->IsOk() ? *bitmap : wxBitmap(16, 16));
    }
    m_tabStrip->AssignImageList(images);
    ClearTabs();
    AddTab("Points", 1);

    CBusyCursor busy;
    ApplyGridFont();
    InsertColumns();
    GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, SelectFirstRowCommand));
}

void CGridView::ClearTabs()
{
    // Pages going or coming are no choice of the user's; the stored tab stays.
    m_fillingTabs = true;
    m_tabStrip->DeleteAllPages();
    m_fillingTabs = false;
}

void CGridView::AddTab(const wxString& label, int image)
{
    m_fillingTabs = true;
    m_tabStrip->AddPage(new wxWindow(m_tabStrip, wxID_ANY), label, false, image);
    if (m_currentTab >= 0 && size_t(m_currentTab) < m_tabStrip->GetPageCount())
        m_tabStrip->ChangeSelection(size_t(m_currentTab));
    m_fillingTabs = false;
}

void CGridView::InsertColumns()
{
    const auto headings = GetHeadings();
    for (int column = 0; column < int(headings.size()); ++column)
        m_gridList->InsertColumn(column, wxString::FromUTF8(headings[size_t(column)]), GridColumnWidth, column != 0);
}

void CGridView::UpdateColumnHeadings()
{
    const auto headings = GetHeadings();
    for (int column = 0; column < m_gridList->GetColumnCount() && column < int(headings.size()); ++column)
        m_gridList->SetColumnHeading(column, wxString::FromUTF8(headings[size_t(column)]));
}

void CGridView::OnTabChanged() { m_gridList->Show(m_currentTab == 0); }

CEasyListCtrl* CGridView::GetActiveList()
{
    if (m_currentTab != 0)
        m_currentTab = 0;
    return m_gridList;
}

void CGridView::SelectTab(int index)
{
    if (index < 0 || index == m_currentTab || index > 1)
        return;
    m_currentTab = index;
    OnTabChanged();
}

bool CGridView::OnMouseWheelInList(int delta, const wxPoint& screen)
{
    CEasyListCtrl* list = GetActiveList();
    if (list == nullptr)
        return false;
    if (!list->GetScreenRect().Contains(screen))
        return false;
    list->OnListKeyDown(delta > 0 ? WXK_UP : WXK_DOWN);
    return true;
}

bool CGridView::ScrollRowToTop(int32_t row)
{
    CEasyListCtrl* list = GetActiveList();
    if (list == nullptr)
        return false;
    const ScrollToTopStep step =
        ScrollRowToTopStep(row, list->GetTopIndex(), list->GetCountPerPage(), list->GetItemCount());
    if (step.ensureRow >= 0)
        list->EnsureVisible(step.ensureRow);
    return step.atTop;
}

int32_t CGridView::GetRowCount()
{
    CEasyListCtrl* list = GetActiveList();
    return list ? list->GetItemCount() : 0;
}

int CGridView::GetGridRowHeight() const { return m_gridList->GetRowHeight(); }

void CGridView::ApplyGridFont()
{
    const LogFont& font = GetMorvelSettings().GetListviewFont();
    const wxFont fallback = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    wxFontInfo info = font.height != 0 ? wxFontInfo(wxSize(0, std::abs(font.height))) : wxFontInfo(fallback.GetPointSize());
    if (!font.faceName.empty())
        info.FaceName(wxString::FromUTF8(font.faceName));
    info.Bold(font.weight >= 700).Italic(font.italic);
    wxFont wx(info);
    // A face this system does not have falls back to the system's own list font.
    if (!wx.IsOk())
        wx = fallback;
    m_gridFont = wx;
    m_gridList->GetBody()->SetFont(m_gridFont);
    // The row height follows the font: its height plus 4 pixels.
    const int height = font.height != 0 ? std::abs(font.height) : m_gridList->GetBody()->GetCharHeight();
    m_gridList->SetRowHeight(height + 4);
    m_gridList->GetBody()->Refresh();
}

void CGridView::OnListColumnClick(int column)
{
    CBusyCursor busy;
    SortByColumn(column, true);
}

void CGridView::OnListEscape()
{
    if (auto* job = dynamic_cast<CDataFileDoc*>(GetDocument()))
    {
        job->SendHint(nullptr, HintEscape, 0);
        // Escape acts at once, not when the program next idles.
        job->SendHint(nullptr, HintFlush, 0);
    }
}

void CGridView::ShowObjectIdPopup(const std::string& text, int x, int y, int icon, uint32_t colour)
{
    if (CEasyListCtrl* list = GetActiveList())
        list->ShowObjectTips(text, x, y, icon, colour);
}

void CGridView::SelectRow(int32_t row)
{
    if (CEasyListCtrl* list = GetActiveList())
        list->SelectSingleItem(row);
}

int CGridView::MeasureTextWidth(const std::string& text, wxDC* dc)
{
    const wxString shown = wxString::FromUTF8(text);
    const int width = dc ? dc->GetTextExtent(shown).x : m_gridList->GetBody()->GetTextExtent(shown).x;
    return width + 16;
}

void CGridView::MeasureColumnWidths(std::vector<int>& widths, wxDC* dc, bool fromCells)
{
    static const char* const samples[] = {"01234567", "8,888,888.888", "8,888,888.888", "8,888,888.888",
                                          "0123456789123456"};
    CEasyListCtrl* list = GetActiveList();
    if (list == nullptr)
        return;
    const int columns = std::min(list->GetColumnCount(), int(widths.size()));
    for (int column = 0; column < columns; ++column) {
        std::string heading = list->GetColumnHeading(column).utf8_string();
        if (heading == " ")
            heading = " ... ";
        int width = MeasureTextWidth(heading, dc);
        if (fromCells) {
            for (int32_t row = 0; row < list->GetItemCount(); ++row) {
                // The label column tells a note or an invalid line, whose second cell is free text.
                if (column == 2) {
                    const std::string label = GetCellText(row, 1, list);
                    if (label == "Note:" || label == "Invalid:")
                        continue;
                }
                width = std::max(width, MeasureTextWidth(GetCellText(row, column, list), dc));
            }
        } else if (list == m_gridList && column < int(std::size(samples))) {
            width = std::max(width, MeasureTextWidth(samples[column], dc));
        }
        widths[size_t(column)] = width;
    }
}

bool CGridView::AutoSizeColumns()
{
    std::vector<int> widths(size_t(m_gridList->GetColumnCount()), 0);
    MeasureColumnWidths(widths, nullptr, false);
    wxWindowUpdateLocker noRedraw(m_gridList);
    for (int column = 0; column < int(widths.size()); ++column)
        m_gridList->SetColumnWidth(column, widths[size_t(column)] <= 5 ? 8 : widths[size_t(column)]);
    return true;
}
