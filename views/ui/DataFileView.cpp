#include "views/ui/DataFileView.h"

#include "framework/ui/KvlSplitterWnd.h"
#include "framework/ui/WindowEvents.h"
#include "model/DataFileSmartHintManager.h"
#include "model/HintCodes.h"
#include "model/Interested.h"
#include "model/JobRawData.h"
#include "model/PointRecord.h"
#include "platform/BusyCursor.h"
#include "platform/Profile.h"
#include "rawdata/ui/RawPanels.h"
#include "views/GridToolLink.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/app.h>
#include <wx/menu.h>
#include <wx/settings.h>

// What the refresh rules do to a list, done to one of ours.
class CDataFileView::ListAdaptor : public IRefreshList
{
public:
    explicit ListAdaptor(CEasyListCtrl* list) : m_list(list) {}
    int32_t GetItemCount() const override { return m_list->GetItemCount(); }
    void SetItemCount(int32_t count) override { m_list->SetItemCount(count); }
    void DeleteAllItems() override { m_list->DeleteAllItems(); }
    int32_t GetTopIndex() const override { return m_list->GetTopIndex(); }
    int32_t GetCountPerPage() const override { return m_list->GetCountPerPage(); }
    void RedrawItems(int32_t first, int32_t last) override { m_list->RedrawItems(first, last); }
    void UpdateWindow() override { m_list->GetBody()->Update(); }
    void CancelRangeDrag() override
    {
        if (auto* grid = dynamic_cast<CGridViewListCtrl*>(m_list))
            grid->CancelRangeDrag();
    }

private:
    CEasyListCtrl* m_list;
};

namespace {
constexpr const char* SettingsSection = "Settings";
constexpr int IdEditPoint = 7159;
constexpr int IdDeletePoint = 7176;
constexpr int IdZoomToPoint = 7200;
constexpr int IdInverseTo = 7255;
constexpr int IdChangeDescription = 7249;
constexpr int IdFind = 7299;
constexpr int IdReport = 7389;
} // namespace

CDataFileView::CDataFileView(wxWindow* parent, CDataFileDoc* document) : CGridView(parent)
{
    m_mapPane = new CPreviewMapCtrl(this, MapPaneId);
    m_mapPane->SetDocument(document);
    m_mapPane->InstallAsActiveJobMap();
    // An opened job is shown whole.
    m_mapPane->SetFirstLayoutHandler([this] {
        m_mapPane->Preview().ZoomExtents(true);
        m_mapPane->Preview().GetZoomHistory().RemoveAll();
    });
    m_rawList = new CEasyListCtrl(this, RawListId);
    m_gridAdaptor = std::make_unique<ListAdaptor>(m_gridList);
    m_rawAdaptor = std::make_unique<ListAdaptor>(m_rawList);
    m_refresh = std::make_unique<CJobViewRefresh>(*this, *m_gridAdaptor, m_rawAdaptor.get(), nullptr);
    InitViewSettings();
    Bind(wxEVT_SIZE, [this](wxSizeEvent&) { LayOut(); });
    Bind(EVT_SHOW_RAW_DATA_TAB_80BA, [this](wxCommandEvent&) { ShowRawDataTab(); });
    if (document) {
        document->AddView(this);
        m_rows.Attach(document);
    }
    InitializeGrid();
    OnTabChanged();
    ReloadRows();
}

CDataFileView::~CDataFileView()
{
    SaveSettings();
    CInterested::Broadcast(this, HintViewClosed, 0);
    m_rows.Detach();
}

void CDataFileView::InitViewSettings()
{
    CPointRows::SetSortColumn(-1);
    CProfile& profile = GetAppProfile();
    m_currentTab = ClampJobViewTab(profile.GetProfileInt(SettingsSection, "TabSel1", 0));
    m_rawDrawMode = RawDrawModeForTab(m_currentTab,
                                      profile.GetProfileInt("Coordinate data", "dwDrawRawData", DefaultRawDrawMode));
    m_refresh->SetRawDrawMode(m_rawDrawMode);
}

void CDataFileView::SaveSettings()
{
    CProfile& profile = GetAppProfile();
    CProfileBatch batch(profile);
    if (m_splitter)
        profile.WriteProfileInt(SettingsSection, "Splitter",
                                SplitterPercentFromListTop(m_panes.list.y, GetClientSize().y));
    profile.WriteProfileInt(SettingsSection, "TabSel1", m_currentTab);
}

void CDataFileView::LayOut()
{
    if (m_inLayout)
        return;
    m_inLayout = true;
    if (m_splitter == nullptr) {
        m_splitter = new CKvlSplitterWnd(this, wxID_ANY);
        m_splitter->SetMovedHandler([this](int centreY) { OnSplitterMoved(centreY); });
    }
    const wxSize size = GetClientSize();
    const int percent = GetAppProfile().GetProfileInt(SettingsSection, "Splitter", DefaultSplitterPercent);
    ApplyPanes(LayoutPanes(size.x, size.y, percent));
    m_inLayout = false;
}

void CDataFileView::ApplyPanes(const JobViewPanes& panes)
{
    m_panes = panes;
    auto place = [](wxWindow* window, const PaneRect& r) {
        window->SetSize(r.x, r.y, std::max(0, r.width), std::max(0, r.height));
    };
    place(m_mapPane, panes.map);
    if (m_splitter) {
        place(m_splitter, panes.splitter);
        m_splitter->SetLimits(panes.roomAbove, panes.roomBelow);
    }
    place(m_gridList, panes.list);
    place(m_rawList, panes.list);
}

void CDataFileView::OnSplitterMoved(int centreY)
{
    if (m_splitter == nullptr)
        return;
    const int cy = GetClientSize().y;
    ApplyPanes(DragSplitterTo(m_panes, cy, centreY));
    GetAppProfile().WriteProfileInt(SettingsSection, "Splitter", SplitterPercentFromListTop(m_panes.list.y, cy));
}

void CDataFileView::InitializeGrid()
{
    CGridView::InitializeGrid();
    // The raw data list's columns come with the raw data pane.
}

void CDataFileView::ApplyGridFont()
{
    CGridView::ApplyGridFont();
    m_rawList->GetBody()->SetFont(m_gridFont);
    m_rawList->SetRowHeight(m_gridList->GetRowHeight());
}

void CDataFileView::ReloadRows()
{
    CDataFileDoc* job = GetJob();
    m_gridList->DeleteAllItems();
    m_rawList->DeleteAllItems();
    if (job == nullptr)
        return;
    // The lists only hold counts: their cells are asked for when painted.
    m_gridList->SetItemCount(m_rows.GetCount());
    m_rawList->SetItemCount(job->GetRawDataFile() ? job->GetRawDataFile()->GetLineCount() : 0);
    if (m_currentTab == RawDataTab)
        m_refresh->SetRawDrawingDirty(true);
}

int32_t CDataFileView::RowToSortedIndex(int32_t row) const
{
    return m_currentTab == PointsTab ? m_rows.RowToSortedIndex(row) : -1;
}

std::string CDataFileView::GetCellText(int32_t row, int column, const CEasyListCtrl* list) const
{
    if (list == m_gridList)
        return m_rows.GetCellText(row, column);
    return {};
}

void CDataFileView::RebuildSortOrder(int tab)
{
    if (tab == PointsTab)
        m_rows.RebuildSortOrder();
}

void CDataFileView::SortByColumn(int column, bool toggle)
{
    m_refresh->LeaveDeferred();
    if (m_currentTab != PointsTab)
        return;
    if (m_rows.SortByColumn(column, toggle, m_gridList->GetItemCount())) {
        const int32_t top = m_gridList->GetTopIndex();
        m_gridList->RedrawItems(top, top + m_gridList->GetCountPerPage());
    }
}

void CDataFileView::OnTabChanged()
{
    m_gridList->Show(m_currentTab == PointsTab);
    m_rawList->Show(m_currentTab == RawDataTab);
    const int previous = m_rawDrawMode;
    if (m_currentTab == PointsTab) {
        m_rawDrawMode = RawDrawModeDontDraw;
    } else {
        m_rawDrawMode = GetAppProfile().GetProfileInt("Coordinate data", "dwDrawRawData", DefaultRawDrawMode);
        m_rawList->SetFocus();
    }
    m_refresh->SetRawDrawMode(m_rawDrawMode);
    if (m_rawDrawMode != previous)
        m_refresh->SetRawDrawingDirty(true);
}

CEasyListCtrl* CDataFileView::GetActiveList()
{
    m_currentTab = ClampJobViewTab(m_currentTab);
    return m_currentTab == PointsTab ? static_cast<CEasyListCtrl*>(m_gridList) : m_rawList;
}

void CDataFileView::ShowRawDataTab()
{
    if (m_currentTab != RawDataTab) {
        m_currentTab = RawDataTab;
        OnTabChanged();
    }
    m_rawList->SetFocus();
}

void CDataFileView::EditRawDataLine(int lineIndex)
{
    ShowRawDataTab();
    raw_panels::EditLine(lineIndex);
}

void CDataFileView::ShowPointsTab()
{
    if (m_currentTab != PointsTab) {
        m_currentTab = PointsTab;
        OnTabChanged();
        // Changes that waited while the raw data showed.
        m_refresh->ApplyPendingChanges(nullptr);
    }
    GetActiveList()->GetBody()->SetFocus();
}

bool CDataFileView::OnMouseWheelZoom(int delta, const wxPoint& screen)
{
    if (!m_mapPane->GetScreenRect().Contains(screen))
        return OnMouseWheelInList(delta, screen);
    return false;
}

void CDataFileView::OnUpdate(CView* sender, intptr_t hint, intptr_t hintObject)
{
    // The map takes its own share of every hint; the lists' share follows. The map is told of no
    // batch: its batch step sends hint 3 from inside its drawing queue, which re-enters the queue.
    m_mapPane->OnJobViewHint(int32_t(hint), hintObject, false);
    m_refresh->OnUpdate(int32_t(hint), hintObject);
}

void CDataFileView::OnBeginHintBatch() { m_refresh->OnBeginHintBatch(); }

void CDataFileView::OnEndHintBatch()
{
    CBusyCursor busy;
    m_refresh->OnEndHintBatch();
}

CRecord* CDataFileView::GetRecordAtRow(int32_t row) const { return m_rows.GetPointAtRow(row); }

bool CDataFileView::IsRowSelectionStale(int32_t row) const
{
    const int32_t index = RowToSortedIndex(row);
    CDataFileDoc* job = GetJob();
    if (index < 0 || job == nullptr)
        return false;
    CSpRecordRBTree* sorted = job->GetSortedIndex();
    CRecord* record = sorted->GetAt(index);
    bool noted = false;
    return record == nullptr || !sorted->GetRowState(index, noted) || noted != record->IsSelected();
}

bool CDataFileView::IsListRowSelected(const CGridViewListCtrl& list, int32_t row) const
{
    return &list == m_gridList && m_currentTab == PointsTab && m_rows.IsRowSelected(row);
}

void CDataFileView::OnRowsPicked(const GridRowNotify& rows)
{
    m_picks.clear();
    for (int32_t row = rows.first; row <= rows.last && row >= 0; ++row)
        if (CRecord* record = m_rows.GetPointAtRow(row))
            m_picks.push_back(RecordRef{record, -1});
    CGridToolLink& link = GetGridToolLink();
    if (!m_picks.empty() && link.HasExchange())
        link.DeliverToolEvent(8);
    m_picks.clear();
}

void CDataFileView::OnListRightDown(const GridRowNotify& rows, const wxPoint& screen)
{
    const wxPoint p = m_mapPane->ScreenToClient(screen);
    GetGridToolLink().ToolRightButtonDown(rows.keyFlags, p.x, p.y);
}

void CDataFileView::BuildPointMenu(wxMenu& menu, const std::string& name) const
{
    const wxString n = wxString::FromUTF8(name);
    menu.Append(IdEditPoint, wxString::Format("Edit Point %s...", n));
    menu.Append(IdDeletePoint, wxString::Format("Delete Point %s...", n));
    menu.Append(IdZoomToPoint, wxString::Format("Zoom to Point %s", n));
    menu.Append(IdInverseTo, "Inverse To...");
    menu.AppendSeparator();
    menu.Append(IdChangeDescription, "Change Description...");
    menu.AppendSeparator();
    menu.Append(IdFind, "&Find...\tCtrl+F");
    menu.AppendSeparator();
    menu.Append(IdReport, "Report...");
}

int CDataFileView::TrackPointMenu(wxMenu& menu, const wxPoint& screen)
{
    const int chosen = GetPopupMenuSelectionFromUser(menu, ScreenToClient(screen));
    return chosen == wxID_NONE ? 0 : chosen;
}

void CDataFileView::OnListRightUp(const GridRowNotify& rows, const wxPoint& screen)
{
    const wxPoint p = m_mapPane->ScreenToClient(screen);
    GetGridToolLink().ToolRightButtonUp(rows.keyFlags, p.x, p.y);
    CDataFileDoc* job = GetJob();
    CPointRecord* point = m_rows.GetPointAtRow(rows.first);
    if (job == nullptr || point == nullptr)
        return;
    job->SetCurrentRecord(point, -1);
    wxMenu menu;
    BuildPointMenu(menu, point->GetName());
    const int command = TrackPointMenu(menu, screen);
    wxWindow* frame = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    if (command != 0 && frame != nullptr) {
        wxCommandEvent event(wxEVT_MENU, command);
        event.SetEventObject(frame);
        frame->GetEventHandler()->ProcessEvent(event);
    } else {
        job->ClearCurrentRecord();
    }
}

void CDataFileView::FlushQueuedHints()
{
    if (CDataFileDoc* job = GetJob())
        job->SendHint(nullptr, HintFlush, 0);
}

bool CDataFileView::IsSelectByRectToolCurrent() const { return GetGridToolLink().IsSelectByRectToolCurrent(); }

void CDataFileView::SendRefreshAllHint()
{
    if (CDataFileDoc* job = GetJob())
        job->SendHint(nullptr, HintRefreshAll, 1);
}

void CDataFileView::RestoreDefaultTool() { GetGridToolLink().RestoreDefaultTool(); }
