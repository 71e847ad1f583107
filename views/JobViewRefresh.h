#pragma once

#include <cstdint>

class CRecord;

// What the refresh rules do to a list: the list keeps no texts, only a row count, so rows are
// added and removed at the end and repainted by range.
class IRefreshList
{
public:
    virtual ~IRefreshList() = default;
    virtual int32_t GetItemCount() const = 0;
    virtual void SetItemCount(int32_t count) = 0;
    virtual void DeleteAllItems() = 0;
    virtual int32_t GetTopIndex() const = 0;
    virtual int32_t GetCountPerPage() const = 0;
    virtual void RedrawItems(int32_t first, int32_t last) = 0;
    virtual void UpdateWindow() {}
    virtual void SetRedraw(bool on) {}
    virtual void CancelRangeDrag() {}
};

// What the refresh rules ask of the map pane.
class IRefreshMap
{
public:
    virtual ~IRefreshMap() = default;
    // 0x807F: whether the off-screen layer has drawing pending.
    virtual bool HasPendingDrawing() = 0;
    virtual void RedrawLayers() = 0;
    virtual void OnSettingsChanged() {}
    virtual void DeferLayout(bool on) {}
    virtual void ZoomExtents(bool all) {}
    virtual void ClearZoomHistory() {}
};

// The rest of the job view that the rules reach.
class IJobViewRefreshHost
{
public:
    virtual ~IJobViewRefreshHost() = default;
    virtual bool HasDocument() const = 0;
    virtual bool IsPointsTabCurrent() const = 0;
    // Entries of the job's sorted point index.
    virtual int32_t GetSortedCount() const = 0;
    virtual CRecord* GetRecordAtRow(int32_t row) const = 0;
    // Whether the row's drawn selection state may differ from the record's.
    virtual bool IsRowSelectionStale(int32_t row) const = 0;
    virtual void RebuildSortOrder() = 0;
    virtual int32_t GetRawLineCount() const { return 0; }
    virtual void SendRefreshAllHint() {}          // hint 3, no sender, object 1
    virtual void RestoreDefaultTool() {}
    virtual void UpdateColumnHeadings() {}
    virtual void ApplyGridFont() {}
    virtual void RefreshTitle() {}                // 0x80B4
    virtual void InvalidateView() {}
    virtual void RefreshRawDataDrawing() {}
    virtual void RedrawMapPane() {}
    virtual void ReloadRows() {}
    // After a job opens or reloads the raw list's first row is selected, so its headings show.
    virtual void SelectFirstRawRow() {}
    virtual void ReloadRawLines() {}
    virtual void ClearMessageWindow() {}
    virtual void RecordFileState() {}
};

// The job view's change-hint handling: each hint does its work at once, except inside a batch
// (0x80A6 .. 0x80A7), where hints only set dirty flags and the work is done once at the end.
class CJobViewRefresh
{
public:
    // grid is required; rawList and map may be null until those panes exist.
    CJobViewRefresh(IJobViewRefreshHost& host, IRefreshList& grid, IRefreshList* rawList, IRefreshMap* map)
        : m_host(host), m_grid(grid), m_rawList(rawList), m_map(map)
    {
    }

    void SetRawList(IRefreshList* rawList) { m_rawList = rawList; }
    void SetMap(IRefreshMap* map) { m_map = map; }

    void OnUpdate(int32_t hint, intptr_t hintObject);
    void OnBeginHintBatch() { m_deferred = true; }
    void OnEndHintBatch();
    void ApplyPendingChanges(const CRecord* record);
    // A heading click leaves deferred mode.
    void LeaveDeferred() { m_deferred = false; }

    bool IsDeferred() const { return m_deferred; }
    bool IsSelectionDirty() const { return m_dirtySelection; }
    bool IsRawDrawingDirty() const { return m_rawDrawingDirty; }
    void SetRawDrawingDirty(bool on) { m_rawDrawingDirty = on; }
    void SetRawDrawMode(int mode) { m_rawDrawMode = mode; }

private:
    void MapStep();
    void BringRawListToLineCount(bool deleteAbove);
    void RedrawPage(IRefreshList& list);
    bool AnyRowCountFlag() const { return m_dirtyAdded || m_dirtyDeleted || m_dirty35 || m_dirty36 || m_dirty38; }

    IJobViewRefreshHost& m_host;
    IRefreshList& m_grid;
    IRefreshList* m_rawList;
    IRefreshMap* m_map;

    bool m_dirtyDeleted = false;
    bool m_dirtyAdded = false;
    bool m_dirty36 = false;
    bool m_dirty35 = false;
    bool m_dirtySelection = false;
    bool m_dirtyCoordinates = false;
    bool m_dirty38 = false;
    bool m_dirtySettings = false;
    bool m_dirtyRawLines = false;
    bool m_rawDrawingDirty = false;
    bool m_deferred = false;
    int m_rawDrawMode = 1;
};
