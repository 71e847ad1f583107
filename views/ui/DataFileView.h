#pragma once

#include "model/DataFileDoc.h"
#include "views/JobViewLayout.h"
#include "views/JobViewRefresh.h"
#include "views/PointRows.h"
#include "views/ui/GridView.h"

#include <memory>
#include <vector>

class CKvlSplitterWnd;
class CPreviewMapCtrl;
class wxMenu;

// The job view's body: the map pane on top, the splitter bar, and the point grid or the raw data
// list below; the change hints, the list notifications and the tab switches enter here.
class CDataFileView : public CGridView, public IJobViewRefreshHost
{
public:
    static constexpr int MapPaneId = 2424;
    static constexpr int RawListId = 1179;

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
    // 0x807C: the splitter's centre moved to y (client coordinates).
    void OnSplitterMoved(int centreY);

    // --- Accessors.
    CPreviewMapCtrl* GetMapPane() const { return m_mapPane; }
    CKvlSplitterWnd* GetSplitter() const { return m_splitter; }
    CEasyListCtrl* GetRawList() const { return m_rawList; }
    CPointRows& GetPointRows() { return m_rows; }
    int GetRawDrawMode() const { return m_rawDrawMode; }
    // 0x80AC: what a waiting field reads after event 8.
    const std::vector<RecordRef>& GetPickCollection() const { return m_picks; }
    int32_t RowToSortedIndex(int32_t row) const;

    // The raw list's first selected line (-1 when none) and a line selected alone; the raw data
    // list control brings the selection.
    int32_t GetFirstSelectedRawLine() { return -1; }
    bool SelectRawLine(int32_t line) { return false; }

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
    void RefreshTitle() override {}
    void InvalidateView() override { Refresh(); }

protected:
    // The point context menu for the row; the chosen command goes to the main frame. Returns the
    // command, 0 when none was chosen.
    virtual int TrackPointMenu(wxMenu& menu, const wxPoint& screen);
    void BuildPointMenu(wxMenu& menu, const std::string& name) const;

private:
    void InitViewSettings();
    void LayOut();
    void ApplyPanes(const JobViewPanes& panes);
    void SaveSettings();
    // The adaptor the refresh rules see for each list.
    class ListAdaptor;

    CPreviewMapCtrl* m_mapPane = nullptr;
    CKvlSplitterWnd* m_splitter = nullptr;
    CEasyListCtrl* m_rawList = nullptr;
    JobViewPanes m_panes;
    int m_rawDrawMode = 1;
    bool m_inLayout = false;
    CPointRows m_rows;
    std::unique_ptr<ListAdaptor> m_gridAdaptor;
    std::unique_ptr<ListAdaptor> m_rawAdaptor;
    std::unique_ptr<CJobViewRefresh> m_refresh;
    std::vector<RecordRef> m_picks;
};
