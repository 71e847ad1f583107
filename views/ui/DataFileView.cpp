#include "views/ui/DataFileView.h"

#include "core/TextUtil.h"
#include "framework/ui/KvlSplitterWnd.h"
#include "framework/ui/ProgramServices.h"
#include "framework/ui/WindowEvents.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileSmartHintManager.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/Interested.h"
#include "model/JobRawData.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/records/RawDataNikonCommentRecord.h"
#include "rawdata/records/RecordCode.h"
#include "views/DrawState.h"
#include "views/GridToolLink.h"
#include "views/PickQuery.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/app.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/wupdlock.h>

#include <cinttypes>

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

// The raw list's commands and the drawing options.
constexpr int IdEditRawDataRecords = 7323;
constexpr int IdFindRawContext = 7305;
constexpr int IdRawReduction = 7398;
constexpr int IdRawRemove = 7301;
constexpr int IdRawMarkDeleted = 3139;
constexpr int IdRawUnmarkDeleted = 7481;
constexpr int IdRawToComment = 7302;
constexpr int IdRawToRecord = 7303;
constexpr int IdRawInsertAbove = 7300;
constexpr int IdRawInsertBelow = 7325;
constexpr int IdRawMoveUp = 7447;
constexpr int IdRawMoveDown = 7448;
constexpr int IdRawDuplicate = 7304;
constexpr int IdRawSelectAll = 7388;
constexpr int IdDontDraw = 7391;
constexpr int IdDrawSelection = 7392;
constexpr int IdProgressive = 7393;
constexpr int IdDrawEverything = 7394;

constexpr const char* RawWidthSection = "General";
constexpr int RawWidthDefaults[CDataFileView::RawColumnCount] = {50, 75, 90, 90, 90, 90, 90, 90, 90, 90};

std::string RawWidthKey(int column) { return "RdWidth" + std::to_string(column); }

int DrawModeOfCommand(int id)
{
    switch (id) {
    case IdDontDraw: return RawDrawNone;
    case IdDrawSelection: return RawDrawSelection;
    case IdProgressive: return RawDrawProgressive;
    case IdDrawEverything: return RawDrawEverything;
    default: return 0;
    }
}

std::string WithCount(const char* format, int64_t count)
{
    return textutil::ReplaceFirst(format, "%d", std::to_string(count));
}
} // namespace

CDataFileView::CDataFileView(wxWindow* parent, CDataFileDoc* document)
    : CGridView(parent), m_rawPollTimer(this, RawPollTimerId)
{
    m_mapPane = new CPreviewMapCtrl(this, MapPaneId);
    m_mapPane->SetDocument(document);
    m_mapPane->InstallAsActiveJobMap();
    // An opened job is shown whole.
    m_mapPane->SetFirstLayoutHandler([this] {
        m_mapPane->Preview().ZoomExtents(true);
        m_mapPane->Preview().GetZoomHistory().RemoveAll();
    });
    m_rawList = new CRawDataListCtrl(this, RawListId, this);
    m_rawCells = std::make_unique<CRawCellCache>(document ? &document->GetRawDataLines() : nullptr);
    m_gridAdaptor = std::make_unique<ListAdaptor>(m_gridList);
    m_rawAdaptor = std::make_unique<ListAdaptor>(m_rawList);
    m_refresh = std::make_unique<CJobViewRefresh>(*this, *m_gridAdaptor, m_rawAdaptor.get(), nullptr);
    InitViewSettings();
    Bind(wxEVT_SIZE, [this](wxSizeEvent&) { LayOut(); });
    Bind(EVT_SHOW_RAW_DATA_TAB_80BA, [this](wxCommandEvent&) { ShowRawDataTab(); });
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { PollRawSelection(); }, RawPollTimerId);
    if (document) {
        document->AddView(this);
        m_rows.Attach(document);
    }
    InitializeGrid();
    OnTabChanged();
    ReloadRows();
    BindFrameCommands();
    m_rawPollTimer.StartOnce(RawPollPeriodMs);
}

CDataFileView::~CDataFileView()
{
    m_rawPollTimer.Stop();
    UnbindFrameCommands();
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
    for (int column = 0; column < m_rawList->GetColumnCount(); ++column)
        profile.WriteProfileInt(RawWidthSection, RawWidthKey(column).c_str(), m_rawList->GetColumnWidth(column));
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
    // Kept for the view's structure; the frame's tab bar shows these tabs.
    ClearTabs();
    AddTab("Points", 0);
    AddTab("Raw Data", 1);
    InsertRawColumns();
    RefreshTitle();
}

void CDataFileView::RefreshTitle()
{
    if (CProgramServices* app = GetProgramServices())
        app->UpdateFrameTitle();
}

void CDataFileView::InsertRawColumns()
{
    CProfile& profile = GetAppProfile();
    for (int column = 0; column < RawColumnCount; ++column) {
        const int width =
            profile.GetProfileInt(RawWidthSection, RawWidthKey(column).c_str(), RawWidthDefaults[column]);
        // Column 0 (the line number) and the value columns are right-aligned, type and name left.
        const bool right = column == 0 || column >= 3;
        m_rawList->InsertColumn(column, column == 0 ? "#" : "          ", std::max(width, 0), right);
    }
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
    m_rawList->DeselectAll();
    m_selectedRawRows.clear();
    m_polledSelection.Clear();
    if (job == nullptr)
        return;
    // The lists only hold counts: their cells are asked for when painted.
    m_gridList->SetItemCount(m_rows.GetCount());
    m_rawList->SetItemCount(job->GetRawDataFile() ? job->GetRawDataFile()->GetLineCount() : 0);
    if (m_currentTab == RawDataTab)
        m_refresh->SetRawDrawingDirty(true);
}

void CDataFileView::SelectFirstRawRow() { m_rawList->SelectRow(0); }

void CDataFileView::SelectFirstRow()
{
    // The raw list keeps its selection itself: the list base's selection is one it never shows.
    if (GetActiveList() == m_rawList)
        SelectFirstRawRow();
    else
        CGridView::SelectFirstRow();
}

int32_t CDataFileView::RowToSortedIndex(int32_t row) const
{
    return m_currentTab == PointsTab ? m_rows.RowToSortedIndex(row) : -1;
}

std::string CDataFileView::GetCellText(int32_t row, int column, const CEasyListCtrl* list) const
{
    if (list == m_gridList)
        return m_rows.GetCellText(row, column);
    if (list == m_rawList)
        return std::string(const_cast<CDataFileView*>(this)->GetRawCellText(row, column));
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
    // The map draws no raw data behind the point grid, whatever mode was ticked there meanwhile;
    // compare with what it drew, or a mode chosen on the Points tab is never drawn.
    const int previous = m_rawList->IsShown() ? m_rawDrawMode : RawDrawModeDontDraw;
    m_gridList->Show(m_currentTab == PointsTab);
    m_rawList->Show(m_currentTab == RawDataTab);
    if (m_currentTab == PointsTab) {
        m_rawDrawMode = RawDrawModeDontDraw;
    } else {
        m_rawDrawMode = GetAppProfile().GetProfileInt("Coordinate data", "dwDrawRawData", DefaultRawDrawMode);
        m_rawList->GetBody()->SetFocus();
    }
    m_refresh->SetRawDrawMode(m_rawDrawMode);
    if (m_rawDrawMode != previous) {
        m_refresh->SetRawDrawingDirty(true);
        RefreshRawDataDrawing();
    }
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
        RefreshFrameTabBar();
    }
    m_rawList->GetBody()->SetFocus();
}

void CDataFileView::RefreshFrameTabBar()
{
    // The frame's tab bar follows the view; a bar left on the other tab would take no click on it.
    if (CProgramServices* app = GetProgramServices(); app && wxGetTopLevelParent(this) == app->GetMainWindow())
        app->RebuildViewTabs();
}

void CDataFileView::ShowPointsTab()
{
    if (m_currentTab != PointsTab) {
        m_currentTab = PointsTab;
        OnTabChanged();
        // Changes that waited while the raw data showed.
        m_refresh->ApplyPendingChanges(nullptr);
        RefreshFrameTabBar();
    }
    GetActiveList()->GetBody()->SetFocus();
}

bool CDataFileView::OnMouseWheelZoom(int delta, const wxPoint& screen)
{
    if (m_printing)
        return false;
    if (!m_mapPane->GetScreenRect().Contains(screen)) {
        // The raw list's keys move the selection; the wheel only scrolls it.
        if (m_currentTab == RawDataTab && m_rawList->GetScreenRect().Contains(screen)) {
            m_rawList->ScrollToRow(m_rawList->GetTopIndex() + (delta > 0 ? -1 : 1));
            return true;
        }
        return OnMouseWheelInList(delta, screen);
    }
    return false;
}

void CDataFileView::OnUpdate(CView* sender, intptr_t hint, intptr_t hintObject)
{
    // The map takes its own share of every hint; the lists' share follows. The map is told of no
    // batch: its batch step sends hint 3 from inside its drawing queue, which re-enters the queue.
    m_mapPane->OnJobViewHint(int32_t(hint), hintObject, false);
    m_refresh->OnUpdate(int32_t(hint), hintObject);
    // The selected line may have changed or gone: the headings follow it.
    if (hint == HintRawLinesChanged || hint == HintUndoDone || hint == HintNewEnd)
        UpdateRawHeadings();
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
    return TrackPopupMenu(*this, menu, ScreenToClient(screen));
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
    // The point the menu is about stands out on the map while the menu is open.
    m_mapPane->DrawRecordState(point, DrawColourHighlight);
    const int command = TrackPointMenu(menu, screen);
    m_mapPane->DrawRecordState(point, DrawColourNormal);
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

CPointRecord* CDataFileView::ZoomToPoint(const std::string& name)
{
    CDataFileDoc* doc = GetJob();
    CPointRecord* point = doc && doc->GetPointDatabase() ? doc->GetPointDatabase()->FindPoint(name, true) : nullptr;
    if (!point)
        return nullptr;
    if (point->GetLocation().HasPlaneCoordinates() && m_mapPane)
        m_mapPane->Preview().ZoomToPointRecord(point);
    return point;
}

void CDataFileView::ZoomToObject(CRecord* object)
{
    if (object && object->GetType() == kRecordTypePoint)
        ZoomToPoint(static_cast<CPointRecord*>(object)->GetName());
}

bool CDataFileView::IsSelectByRectToolCurrent() const { return GetGridToolLink().IsSelectByRectToolCurrent(); }

void CDataFileView::SendRefreshAllHint()
{
    if (CDataFileDoc* job = GetJob())
        job->SendHint(nullptr, HintRefreshAll, 1);
}

void CDataFileView::RestoreDefaultTool() { GetGridToolLink().RestoreDefaultTool(); }

// ---------------------------------------------------------------- the raw data list

CRawDataFile* CDataFileView::GetRawData() const { return RawDataFileOf(GetJob()); }

int32_t CDataFileView::GetRawLineCount() const
{
    CRawDataFile* raw = GetRawData();
    return raw ? raw->GetLineCount() : 0;
}

std::string_view CDataFileView::GetRawCellText(int32_t row, int column)
{
    CRawDataFile* raw = GetRawData();
    return raw ? m_rawCells->GetCellText(*raw, row, column) : std::string_view();
}

int32_t CDataFileView::GetRawRowImage(int32_t row)
{
    CRawDataFile* raw = GetRawData();
    return raw ? GetRawLineImage(*raw, row) : -1;
}

bool CDataFileView::IsRawCommentRow(int32_t row)
{
    CRawDataFile* raw = GetRawData();
    CNikonRawDataRecord* record = raw ? raw->GetRecord(row) : nullptr;
    return record && record_codes::GetTypeFromText(record->GetText()) == RecordTypeComment;
}

bool CDataFileView::FormatRawLineInfo(int32_t row, CColoredTextLines& lines)
{
    CRawDataFile* raw = GetRawData();
    return raw && row >= 0 && row < raw->GetLineCount() && raw->FormatLineInfo(&lines, row, true);
}

bool CDataFileView::GetRawLineText(int32_t row, std::string& text)
{
    CRawDataFile* raw = GetRawData();
    CNikonRawDataRecord* record = raw ? raw->GetRecord(row) : nullptr;
    if (!record)
        return false;
    text = record->GetText();
    return true;
}

void CDataFileView::ReloadRawLines()
{
    m_rawCells->Clear();
    m_rawList->GetBody()->Refresh();
}

void CDataFileView::UpdateRawHeadings()
{
    CRawDataFile* raw = GetRawData();
    const int32_t columns = m_rawList->GetColumnCount();
    std::vector<std::string> headings;
    if (raw)
        headings = RawListHeadings(*raw, m_rawList->GetFirstSelectedRow(), columns);
    for (int column = 0; column < columns; ++column)
        m_rawList->SetColumnHeading(column, size_t(column) < headings.size()
                                                ? wxString::FromUTF8(headings[size_t(column)])
                                                : wxString(column == 0 ? "#" : " "));
}

void CDataFileView::OnRawSelectionChanged() { UpdateRawHeadings(); }

const std::vector<int>& CDataFileView::RawCommandIds()
{
    static const std::vector<int> ids = {IdEditRawDataRecords, IdRawRemove,    IdRawMarkDeleted, IdRawUnmarkDeleted,
                                         IdRawToComment,       IdRawToRecord,  IdRawInsertAbove, IdRawInsertBelow,
                                         IdRawMoveUp,          IdRawMoveDown,  IdRawDuplicate,   IdRawSelectAll,
                                         IdDontDraw,           IdDrawSelection, IdProgressive,   IdDrawEverything};
    return ids;
}

void CDataFileView::BindFrameCommands()
{
    CProgramServices* app = GetProgramServices();
    m_commandSource = app ? app->GetMainWindow() : nullptr;
    if (m_commandSource == nullptr)
        return;
    for (int id : RawCommandIds()) {
        m_commandSource->Bind(wxEVT_MENU, &CDataFileView::OnFrameCommand, this, id);
        m_commandSource->Bind(wxEVT_UPDATE_UI, &CDataFileView::OnUpdateFrameCommand, this, id);
    }
    BindViewCommands(true);
}

void CDataFileView::UnbindFrameCommands()
{
    if (m_commandSource == nullptr)
        return;
    BindViewCommands(false);
    for (int id : RawCommandIds()) {
        m_commandSource->Unbind(wxEVT_MENU, &CDataFileView::OnFrameCommand, this, id);
        m_commandSource->Unbind(wxEVT_UPDATE_UI, &CDataFileView::OnUpdateFrameCommand, this, id);
    }
    m_commandSource = nullptr;
}

void CDataFileView::OnFrameCommand(wxCommandEvent& event) { OnRawCommand(event.GetId()); }

void CDataFileView::OnUpdateFrameCommand(wxUpdateUIEvent& event)
{
    bool checked = false;
    event.Enable(IsRawCommandEnabled(event.GetId(), checked));
    if (DrawModeOfCommand(event.GetId()) != 0)
        event.Check(checked);
}

bool CDataFileView::IsRawCommandEnabled(int id, bool& checked)
{
    checked = false;
    if (const int mode = DrawModeOfCommand(id)) {
        checked = m_rawDrawMode == mode;
        return true;
    }
    if (id == IdRawSelectAll)
        return true;
    CRawDataFile* raw = GetRawData();
    if (raw == nullptr)
        return false;
    const CRowRanges& selection = m_rawList->GetSelection();
    if (id == IdEditRawDataRecords)
        return selection.GetCount() == 1;
    const CRawMenuState state = RawContextMenuState(*raw, selection.GetCount() == 1
                                                              ? std::vector<int32_t>{selection.GetFirst()}
                                                              : selection.GetRows());
    switch (id) {
    case IdRawRemove: return state.remove;
    case IdRawMarkDeleted: return state.markDeleted;
    case IdRawUnmarkDeleted: return state.unmarkDeleted;
    case IdRawToComment: return state.toComment;
    case IdRawToRecord: return state.toRecord;
    case IdRawInsertAbove:
    case IdRawInsertBelow: return state.insert;
    case IdRawMoveUp: return state.moveUp;
    case IdRawMoveDown: return state.moveDown;
    case IdRawDuplicate: return state.duplicate;
    default: return false;
    }
}

void CDataFileView::GetRawMenuEnabling(wxMenu& menu)
{
    for (int id : RawCommandIds()) {
        if (wxMenuItem* item = menu.FindItem(id)) {
            bool checked = false;
            item->Enable(IsRawCommandEnabled(id, checked));
        }
    }
}

void CDataFileView::OnRawContextCommand(int id)
{
    const std::vector<int>& own = RawCommandIds();
    if (std::find(own.begin(), own.end(), id) != own.end()) {
        OnRawCommand(id);
        return;
    }
    // The panels' commands belong to the main window.
    if (m_commandSource) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(m_commandSource);
        m_commandSource->GetEventHandler()->ProcessEvent(event);
    }
}

void CDataFileView::OnRawCommand(int id)
{
    // The map's "Edit Raw Data Line #n..." sends 7323 with the line as the current record, whatever
    // the list's selection.
    bool checked = false;
    if (id != IdEditRawDataRecords && !IsRawCommandEnabled(id, checked))
        return;
    if (const int mode = DrawModeOfCommand(id)) {
        SetRawDrawMode(mode);
        return;
    }
    switch (id) {
    case IdRawSelectAll:
        m_rawList->SelectAll();
        break;
    case IdEditRawDataRecords:
        OnEditRawDataRecords();
        break;
    case IdRawRemove:
    case IdRawMarkDeleted:
    case IdRawUnmarkDeleted:
    case IdRawToComment:
    case IdRawToRecord:
        RunMultiLineCommand(id);
        break;
    default:
        RunSingleLineCommand(id);
        break;
    }
}

void CDataFileView::RunMultiLineCommand(int id)
{
    CDataFileDoc* job = GetJob();
    CRawDataFile* raw = GetRawData();
    if (job == nullptr || raw == nullptr)
        return;
    const int64_t count = m_rawList->GetSelectedCount();
    if (count <= 0)
        return;
    if (id == IdRawRemove &&
        ShowMessageBoxFS(WithCount("Remove %d raw data records?", count), MB_OKCANCEL | MB_ICONERROR) != IDOK)
        return;
    CBusyCursor busy;
    wxWindowUpdateLocker noRedraw(m_rawList);
    const std::vector<int32_t> lines = m_rawList->GetSelectedRows();
    const char* caption = id == IdRawRemove          ? "Removed %d Raw Data records"
                          : id == IdRawMarkDeleted   ? "mark %d Raw Data records deleted"
                          : id == IdRawUnmarkDeleted ? "unmark %d Raw Data records deleted"
                          : id == IdRawToComment     ? "%d Raw records to notes"
                                                     : "%d notes to Raw records";
    if (CDataFileUndoManager* undo = job->GetUndoManager())
        undo->RecordUndoWithText(WithCount(caption, count));
    m_selectedRawRows.clear();
    m_polledSelection.Clear();
    switch (id) {
    case IdRawRemove:
        m_rawList->DeselectAll();
        // The list is virtual: taking the count down is deleting rows from the top.
        m_rawList->SetItemCount(m_rawList->GetItemCount() - int32_t(lines.size()));
        job->RemoveRawDataLines(lines);
        break;
    case IdRawMarkDeleted:
    case IdRawUnmarkDeleted:
        job->MarkRawDataLineDeleted(lines, id == IdRawMarkDeleted);
        break;
    default:
        job->ConvertRawDataLineToNote(lines, id == IdRawToComment);
        break;
    }
    UpdateRawHeadings();
}

void CDataFileView::RunSingleLineCommand(int id)
{
    CDataFileDoc* job = GetJob();
    CRawDataFile* raw = GetRawData();
    const int32_t row = m_rawList->GetFirstSelectedRow();
    if (job == nullptr || raw == nullptr || row < 0 || row >= raw->GetLineCount())
        return;
    CBusyCursor busy;
    wxWindowUpdateLocker noRedraw(m_rawList);
    CDataFileUndoManager* undo = job->GetUndoManager();
    auto step = [undo](const char* caption) {
        if (undo)
            undo->RecordUndoWithText(caption);
    };
    int32_t select = row;
    switch (id) {
    case IdRawInsertAbove:
    case IdRawInsertBelow: {
        const bool below = id == IdRawInsertBelow;
        step(below ? "insert raw line below" : "insert raw line above");
        select = below ? row + 1 : row;
        CRawDataNikonCommentRecord comment;
        comment.SetDocument(job);
        comment.SetComment("Insert Record");
        comment.UpdateText(select);
        job->InsertRawDataLine(select, &comment);
        break;
    }
    case IdRawMoveUp:
    case IdRawMoveDown: {
        const bool up = id == IdRawMoveUp;
        const int32_t other = up ? row - 1 : row + 1;
        if (other < 0 || other >= raw->GetLineCount())
            return;
        step(up ? "swap raw line above" : "swap raw line below");
        // Copies: replacing a line frees the record that was there.
        const CNikonRawDataRecord mine(*raw->GetRecord(row));
        const CNikonRawDataRecord theirs(*raw->GetRecord(other));
        job->ReplaceRawDataLine(other, &mine);
        job->ReplaceRawDataLine(row, &theirs);
        select = other;
        break;
    }
    case IdRawDuplicate: {
        step("duplicate raw line");
        const CNikonRawDataRecord copy(*raw->GetRecord(row));
        job->InsertRawDataLine(row + 1, &copy);
        select = row + 1;
        break;
    }
    default:
        return;
    }
    // The rows follow the lines at once, so the new row can be selected before the hints arrive.
    m_rawList->SetItemCount(raw->GetLineCount());
    m_rawList->SelectRow(select);
}

void CDataFileView::SetRawDrawMode(int mode)
{
    if (mode != m_rawDrawMode) {
        m_rawDrawMode = mode;
        m_refresh->SetRawDrawMode(mode);
        if (m_currentTab == RawDataTab) {
            m_refresh->SetRawDrawingDirty(true);
            RefreshRawDataDrawing();
        }
    }
    GetAppProfile().WriteProfileInt("Coordinate data", "dwDrawRawData", mode);
}

void CDataFileView::RefreshRawDataDrawing()
{
    // Only new previews need the layer drawn again; otherwise showing it is enough (a full redraw
    // of a large job takes seconds, and most hints end here).
    if (m_refresh->IsRawDrawingDirty()) {
        DrawRawDataOnMap();
        m_mapPane->Preview().Refresh();
    } else {
        m_mapPane->Refresh(false);
    }
}

void CDataFileView::RedrawMapPane() { m_mapPane->Preview().ClearPreviews(); }

void CDataFileView::DrawRawDataOnMap()
{
    CBusyCursor busy;
    RedrawMapPane();
    if (CRawDataFile* raw = GetRawData()) {
        // Records draw onto the target the map pane installed; make sure it is this view's map.
        if (raw->GetDrawTarget() == nullptr)
            raw->SetDrawTarget(&m_mapPane->Preview());
        DrawRawLines(*raw, RawLinesToDraw(m_rawDrawMode, m_selectedRawRows, raw->GetLineCount()));
    }
    m_refresh->SetRawDrawingDirty(false);
}

void CDataFileView::PollRawSelection()
{
    m_rawPollTimer.Stop();
    if (m_rawDrawMode == RawDrawSelection || m_rawDrawMode == RawDrawProgressive) {
        if (::PollRawSelection(m_rawList->GetSelection(), m_polledSelection, m_selectedRawRows)) {
            m_refresh->SetRawDrawingDirty(true);
            RefreshRawDataDrawing();
        }
    }
    m_rawPollTimer.StartOnce(RawPollPeriodMs);
}

void CDataFileView::OnEditRawDataRecords()
{
    CDataFileDoc* job = GetJob();
    CRawDataFile* raw = GetRawData();
    if (job == nullptr || raw == nullptr)
        return;
    ShowRawDataTab();
    int32_t row = -1;
    RecordRef current;
    if (job->GetCurrentRecord(current) && current.index >= 0 && current.index < raw->GetLineCount()) {
        row = current.index;
        m_rawList->SelectRow(row);
    } else {
        row = std::max(m_rawList->GetFirstSelectedRow(), 0);
    }
    if (raw->GetRecord(row))
        EditRawDataLine(row);
}

bool CDataFileView::ClearRawHotRow()
{
    if (m_currentTab != RawDataTab)
        return false;
    m_rawList->ClearHotItem();
    return true;
}

void CDataFileView::ClearMessageWindow()
{
    if (CProgramServices* app = GetProgramServices())
        app->ClearMessageWindow();
}

bool CDataFileView::OnPickQuery808B(bool allRecords, CPickQuery& query)
{
    if (m_mapPane == nullptr)
        return false;
    // An empty pick is still an answer: the caller reads the hits.
    m_mapPane->Core().OnPick808B(allRecords, query);
    return true;
}

bool CDataFileView::OnCurrentHit80AC(CPickQuery& query)
{
    query.hits.clear();
    RecordRef hit;
    if (m_mapPane != nullptr && m_mapPane->GetCurrentHit(hit))
        query.hits.push_back(hit);
    else
        query.hits = m_picks;
    return true;
}
