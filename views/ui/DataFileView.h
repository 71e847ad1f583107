#pragma once

#include "model/DataFileDoc.h"
#include "views/JobViewLayout.h"
#include "views/JobViewRefresh.h"
#include "views/MapPrintLayout.h"
#include "views/ObjectIdOwner.h"
#include "views/PickQuery.h"
#include "views/PointRows.h"
#include "views/RawDataListModel.h"
#include "views/ui/GridView.h"
#include "views/ui/RawDataListCtrl.h"

#include <wx/timer.h>

#include <memory>
#include <vector>

class CKvlSplitterWnd;
class CPreviewMapCtrl;
struct CPickQuery;
class wxMenu;
class wxPrinterBase;

// The job view's body: the map pane on top, the splitter bar, and the point grid or the raw data
// list below; the change hints, the list notifications and the tab switches enter here.
class CDataFileView : public CGridView, public IJobViewRefreshHost, public IRawListOwner, public CObjectIdOwner
{
public:
    static constexpr int MapPaneId = 2424;
    static constexpr int RawListId = 1179;
    static constexpr int RawColumnCount = 10;
    static constexpr int RawPollTimerId = 20;
    static constexpr int RawPollPeriodMs = 250;

    CDataFileView(wxWindow* parent, CDataFileDoc* document);
    ~CDataFileView() override;

    CDataFileDoc* GetJob() const { return dynamic_cast<CDataFileDoc*>(GetDocument()); }

    // --- CView.
    bool IsDataFileView() const override { return true; }
    void OnUpdate(CView* sender, intptr_t hint, intptr_t hintObject) override;
    void OnBeginHintBatch() override;  // 0x80A6
    void OnEndHintBatch() override;    // 0x80A7

    // --- The grid view's operations.
    void InitializeGrid() override;
    void ReloadRows() override;
    void SelectFirstRawRow() override;
    // On the Raw Data tab through the raw list's own selection.
    void SelectFirstRow() override;
    std::string GetCellText(int32_t row, int column, const CEasyListCtrl* list) const override;
    void RebuildSortOrder(int tab) override;
    void SortByColumn(int column, bool toggle) override;
    void OnTabChanged() override;
    CEasyListCtrl* GetActiveList() override;
    void ApplyGridFont() override;
    void ApplyPendingChanges(const CRecord* record) { m_refresh->ApplyPendingChanges(record); }

    // 0x80BA, 0x80BB: the frame's tab bar switches the lists.
    void ShowRawDataTab();
    void ShowPointsTab();
    // Opens the raw record editor panel on a raw line (0-based). The double click on a raw row,
    // the list's "Edit..." and the map's "Edit Raw Data Line #n..." all end here.
    void EditRawDataLine(int lineIndex);
    // The wheel from the application: over the list it scrolls one row; the map's zoom comes
    // with the map pane.
    bool OnMouseWheelZoom(int delta, const wxPoint& screen);
    // The map pane zooms onto the named point when it has plane coordinates; the point, or null
    // without a job or such a point.
    CPointRecord* ZoomToPoint(const std::string& name);
    // The same for an object: points only, other objects are ignored.
    void ZoomToObject(CRecord* object);
    // 0x807C: the splitter's centre moved to y (client coordinates).
    void OnSplitterMoved(int centreY);

    // --- Accessors.
    CPreviewMapCtrl* GetMapPane() const { return m_mapPane; }
    CKvlSplitterWnd* GetSplitter() const { return m_splitter; }
    CRawDataListCtrl* GetRawList() const { return m_rawList; }
    CPointRows& GetPointRows() { return m_rows; }
    int GetRawDrawMode() const { return m_rawDrawMode; }
    // 0x80AC: what a waiting field reads after event 8.
    const std::vector<RecordRef>& GetPickCollection() const { return m_picks; }
    // 0x808B: the objects at the query's location, nearest first, from the map pane.
    bool OnPickQuery808B(bool allRecords, CPickQuery& query);
    // 0x80AC: the map's current hit, else the rows picked in the grid.
    bool OnCurrentHit80AC(CPickQuery& query);
    int32_t RowToSortedIndex(int32_t row) const;

    // --- The raw data list.
    // The commands of the raw list and the drawing options (ids as the menus carry them).
    void OnRawCommand(int id);
    // Whether the command applies now; checked tells a drawing option that is current.
    bool IsRawCommandEnabled(int id, bool& checked);
    // 7323 "Edit Raw Data Records...": the line of the job's current record, else the first
    // selected row, else row 0.
    void OnEditRawDataRecords();
    // 0x80BC: clears the raw list's hot row; true when the raw list is the active one.
    bool ClearRawHotRow();
    int32_t GetFirstSelectedRawLine() { return m_rawList->GetFirstSelectedRow(); }
    bool SelectRawLine(int32_t line) { return m_rawList->SelectRow(line); }
    // Timer 20: picks up a changed selection of the raw list for the drawing.
    void PollRawSelection();
    const std::vector<int32_t>& GetSelectedRawRows() const { return m_selectedRawRows; }
    void DrawRawDataOnMap();
    // The commands the view takes from the main window's menus.
    static const std::vector<int>& RawCommandIds();

    // --- IRawListOwner.
    std::string_view GetRawCellText(int32_t row, int column) override;
    int32_t GetRawRowImage(int32_t row) override;
    bool IsRawCommentRow(int32_t row) override;
    bool FormatRawLineInfo(int32_t row, CColoredTextLines& lines) override;
    bool GetRawLineText(int32_t row, std::string& text) override;
    void OnRawSelectionChanged() override;
    void OnRawRowDoubleClick(int32_t row) override { EditRawDataLine(row); }
    void GetRawMenuEnabling(wxMenu& menu) override;
    void OnRawContextCommand(int id) override;

    // --- IGridListOwner.
    bool IsListRowSelected(const CGridViewListCtrl& list, int32_t row) const override;
    void OnRowsPicked(const GridRowNotify& rows) override;
    void OnListRightDown(const GridRowNotify& rows, const wxPoint& screen) override;
    void OnListRightUp(const GridRowNotify& rows, const wxPoint& screen) override;
    void FlushQueuedHints() override;
    bool IsSelectByRectToolCurrent() const override;

    // --- IJobViewRefreshHost.
    bool HasDocument() const override { return GetJob() != nullptr; }
    bool IsPointsTabCurrent() const override { return m_currentTab == PointsTab; }
    int32_t GetSortedCount() const override { return m_rows.GetCount(); }
    CRecord* GetRecordAtRow(int32_t row) const override;
    bool IsRowSelectionStale(int32_t row) const override;
    void RebuildSortOrder() override { RebuildSortOrder(PointsTab); }
    void SendRefreshAllHint() override;
    void RestoreDefaultTool() override;
    void UpdateColumnHeadings() override { CGridView::UpdateColumnHeadings(); }
    void RefreshTitle() override;
    void InvalidateView() override { Refresh(); }
    void ClearMessageWindow() override;
    int32_t GetRawLineCount() const override;
    void RefreshRawDataDrawing() override;
    void RedrawMapPane() override;
    void ReloadRawLines() override;

    // --- Find, delete, double click (the view's own commands).
    // 7299 "&Find...": the find dialog over this view; enabled with rows on the Points tab.
    void OnFind();
    bool CanFind();
    // 0x80A9: scrolls the next point whose name (kind 0) or description (kind 1) is the text to
    // the top of the grid, walking down or up from the top row. True when one was found.
    bool FindPoint(const std::string& text, int kind, bool down);
    // 7176 "Delete Point %s...": asks, then deletes the job's current point as one undo step.
    void OnDeletePoint();
    // "Inverse To...": a rubber line from the current point, the next clicked point answers.
    void OnInverseTo();
    // A double click on a grid row: the point becomes current and the frame edits it (7159).
    void OnListDoubleClick(const GridRowNotify& rows) override;

    // --- CObjectIdOwner (0x808D, 0x8090, 0x807F, 0x80BC) and the map queries the view passes on
    // (0x8083, 0x8084 as they are; 0x80B1 with a point of the view's client area).
    bool GetObjectUnitLabel(std::string& label) override;
    bool HighlightObject(CRecord* record, bool on) override;
    bool IsDrawingPending() override;
    void OnObjectTipDismissed() override { ClearRawHotRow(); }
    void OnDeviceToWorld8083(CPickQuery& q) const;
    void OnWorldToDevice8084(CPickQuery& q) const;
    bool OnIsOutside80B1(int32_t x, int32_t y) const;

    // --- Printing (the map pane as shown). While printing the wheel does not zoom.
    // 57607: the print dialog, then the page (a printer given by tests prints without asking).
    bool PrintMap(wxPrinterBase* printer = nullptr);
    // 57609: the preview frame over the main window.
    bool PrintPreview();
    bool IsPrinting() const { return m_printing; }
    void SetPrinting(bool printing) { m_printing = printing; }
    wxSize GetPrintViewSize() const { return m_printViewSize; }
    // The view's size and the map's world window as the print or preview command found them: the
    // preview hides the frame's bars, which resizes the map under it, yet it must show the page
    // that the print will make.
    void RecordPrintViewSize();
    const map_print::WorldWindow& GetPrintWindow() const { return m_printWindow; }

protected:
    // The point context menu for the row; the chosen command goes to the main frame. Returns the
    // command, 0 when none was chosen.
    virtual int TrackPointMenu(wxMenu& menu, const wxPoint& screen);
    void BuildPointMenu(wxMenu& menu, const std::string& name) const;

private:
    void InitViewSettings();
    void RefreshFrameTabBar();
    void LayOut();
    void ApplyPanes(const JobViewPanes& panes);
    void SaveSettings();
    void InsertRawColumns();
    void UpdateRawHeadings();
    void SetRawDrawMode(int mode);
    void RunMultiLineCommand(int id);
    void RunSingleLineCommand(int id);
    CRawDataFile* GetRawData() const;
    void BindFrameCommands();
    void OnFrameCommand(wxCommandEvent& event);
    void OnUpdateFrameCommand(wxUpdateUIEvent& event);
    void UnbindFrameCommands();
    // Find, delete point, print and preview, bound on the main window as the raw commands are.
    void BindViewCommands(bool bind);
    void OnViewCommand(wxCommandEvent& event);
    void OnUpdateViewCommand(wxUpdateUIEvent& event);
    // The adaptor the refresh rules see for each list.
    class ListAdaptor;

    CPreviewMapCtrl* m_mapPane = nullptr;
    CKvlSplitterWnd* m_splitter = nullptr;
    CRawDataListCtrl* m_rawList = nullptr;
    JobViewPanes m_panes;
    int m_rawDrawMode = 1;
    bool m_inLayout = false;
    CPointRows m_rows;
    std::unique_ptr<ListAdaptor> m_gridAdaptor;
    std::unique_ptr<ListAdaptor> m_rawAdaptor;
    std::unique_ptr<CJobViewRefresh> m_refresh;
    std::vector<RecordRef> m_picks;
    std::unique_ptr<CRawCellCache> m_rawCells;
    // The raw rows selected when the poll last looked, as ranges and as rows.
    CRowRanges m_polledSelection;
    std::vector<int32_t> m_selectedRawRows;
    wxTimer m_rawPollTimer;
    wxWindow* m_commandSource = nullptr;
    bool m_printing = false;
    wxSize m_printViewSize;
    map_print::WorldWindow m_printWindow;
    // Set by the preview's Print button: that print makes the page the preview showed.
    bool m_keepPrintWindow = false;
};
