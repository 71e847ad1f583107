#include "views/JobViewRefresh.h"

#include "model/HintCodes.h"

#include <algorithm>

void CJobViewRefresh::MapStep()
{
    if (m_map == nullptr)
        return;
    if (m_deferred && m_map->HasPendingDrawing() && m_host.HasDocument())
        m_host.SendRefreshAllHint();
    m_map->RedrawLayers();
}

void CJobViewRefresh::RedrawPage(IRefreshList& list)
{
    const int32_t top = list.GetTopIndex();
    list.RedrawItems(top, top + list.GetCountPerPage());
}

void CJobViewRefresh::BringRawListToLineCount(bool deleteAbove)
{
    const int32_t lines = m_host.GetRawLineCount();
    const int32_t count = m_rawList->GetItemCount();
    if (count < lines || (deleteAbove && count > lines))
        m_rawList->SetItemCount(lines);
}

void CJobViewRefresh::OnUpdate(int32_t hint, intptr_t hintObject)
{
    if (!m_host.HasDocument() || hint > HintFileState)
        return;
    const auto* record = reinterpret_cast<const CRecord*>(hintObject);
    switch (hint) {
    case HintCancel:
    case HintEscape:
        if (m_host.IsPointsTabCurrent())
            m_grid.CancelRangeDrag();
        m_host.RestoreDefaultTool();
        break;
    case HintJobSettingsChanged:
        MapStep();
        m_dirtySettings = true;
        if (m_map)
            m_map->OnSettingsChanged();
        if (!m_deferred) {
            ApplyPendingChanges(nullptr);
            m_host.RefreshRawDataDrawing();
        }
        break;
    case HintRefreshAll:
        m_host.RefreshRawDataDrawing();
        break;
    case HintUndoDone:
        MapStep();
        m_dirty35 = m_dirty36 = m_dirtyAdded = m_dirtyDeleted = true;
        m_dirtyCoordinates = m_dirty38 = m_dirtySettings = m_dirtyRawLines = true;
        m_host.RedrawMapPane();
        if (!m_deferred) {
            ApplyPendingChanges(nullptr);
            m_rawDrawingDirty = true;
            m_host.RefreshRawDataDrawing();
        }
        break;
    case HintFontsChanged:
        m_host.ApplyGridFont();
        break;
    case HintFormatSettingsChanged:
        m_host.ReloadRawLines();
        m_host.InvalidateView();
        break;
    case HintCode14:
        if (m_map)
            m_map->DeferLayout(true);
        break;
    case HintCode15:
        if (m_map)
            m_map->DeferLayout(false);
        break;
    case HintViewKindChanged:
        m_host.InvalidateView();
        m_host.RefreshTitle();
        break;
    case HintViewActivated:
    case HintModifiedState:
        m_host.RefreshTitle();
        break;
    case HintPointsAddedInBulk:
        if (m_map)
            m_map->ZoomExtents(hintObject == 0);
        break;
    case HintCode31:
        m_host.ClearMessageWindow();
        break;
    case HintNewBegin:
        if (m_map)
            m_map->RedrawLayers();
        m_host.RedrawMapPane();
        break;
    case HintNewEnd:
        if (m_map)
            m_map->ClearZoomHistory();
        m_host.ReloadRows();
        m_host.SelectFirstRawRow();
        break;
    case HintUnloading:
        if (m_map)
            m_map->RedrawLayers();
        m_grid.DeleteAllItems();
        if (m_rawList)
            m_rawList->DeleteAllItems();
        break;
    case HintCode35:
    case HintCode36:
    case HintCoordinatesChanged:
    case HintCode38:
    case HintPointAdded:
    case HintPointDeleted:
        MapStep();
        if (hint == HintCode35)
            m_dirty35 = true;
        else if (hint == HintCode36)
            m_dirty36 = true;
        else if (hint == HintCoordinatesChanged)
            m_dirtyCoordinates = true;
        else if (hint == HintCode38)
            m_dirty38 = true;
        else if (hint == HintPointAdded)
            m_dirtyAdded = true;
        else
            m_dirtyDeleted = true;
        if (!m_deferred) {
            ApplyPendingChanges(record);
            if (hint != HintCode36)
                m_host.RefreshRawDataDrawing();
        }
        break;
    case HintRawLineAppended:
    case HintRawLinesChanged:
        if (m_rawList == nullptr)
            break;
        if (m_map)
            m_map->RedrawLayers();
        BringRawListToLineCount(hint == HintRawLinesChanged);
        if (!m_deferred) {
            m_rawDrawingDirty = true;
            m_host.RefreshRawDataDrawing();
            m_host.InvalidateView();
        } else {
            m_host.RedrawMapPane();
            m_dirtyRawLines = true;
        }
        break;
    case HintSelectionChanged:
        m_dirtySelection = true;
        if (!m_deferred) {
            ApplyPendingChanges(nullptr);
            m_host.RefreshRawDataDrawing();
        }
        break;
    case HintFileState:
        m_host.RecordFileState();
        break;
    default:
        break;
    }
}

void CJobViewRefresh::ApplyPendingChanges(const CRecord* record)
{
    if (m_dirtyRawLines && m_rawList != nullptr) {
        m_rawList->SetRedraw(false);
        BringRawListToLineCount(true);
        RedrawPage(*m_rawList);
        m_rawList->SetRedraw(true);
        if (!m_host.IsPointsTabCurrent())
            m_rawDrawingDirty = true;
        m_dirtyRawLines = false;
    }
    if (!AnyRowCountFlag()) {
        if (!m_host.HasDocument())
            return;
        if (m_dirtySelection || m_dirtyCoordinates || m_dirtySettings) {
            // On the Raw Data tab the flags wait for the Points tab.
            if (!m_host.IsPointsTabCurrent())
                return;
            const int32_t top = m_grid.GetTopIndex();
            const int32_t page = m_grid.GetCountPerPage();
            const int32_t count = m_host.GetSortedCount();
            bool redrawn = false;
            if (m_dirtySettings) {
                m_host.UpdateColumnHeadings();
                m_grid.RedrawItems(top, top + page);
                redrawn = true;
            } else {
                if (m_dirtyCoordinates) {
                    for (int32_t row = top; row < top + 1 + page && row < count; ++row)
                        if (record == nullptr || m_host.GetRecordAtRow(row) == record) {
                            m_grid.RedrawItems(row, row);
                            redrawn = true;
                        }
                }
                if (m_dirtySelection) {
                    for (int32_t row = top; row < top + 1 + page && row < count; ++row)
                        if (m_host.IsRowSelectionStale(row)) {
                            m_grid.RedrawItems(row, row);
                            redrawn = true;
                        }
                }
            }
            if (redrawn)
                m_grid.UpdateWindow();
        }
        m_dirtyCoordinates = m_dirtySelection = m_dirtySettings = m_deferred = false;
        return;
    }
    m_grid.SetRedraw(false);
    if (m_dirty38 && record == nullptr)
        m_host.RebuildSortOrder();
    const int32_t n = m_host.GetSortedCount();
    const int32_t items = m_grid.GetItemCount();
    if (items != n) {
        // Removing most rows one by one from the end costs more than starting again.
        if (n < items / 3)
            m_grid.DeleteAllItems();
        m_grid.SetItemCount(n);
    }
    RedrawPage(m_grid);
    m_grid.UpdateWindow();
    m_dirtyDeleted = m_dirty36 = m_dirtyAdded = m_dirty35 = m_dirtySelection = m_dirty38 = m_deferred = false;
    m_grid.SetRedraw(true);
}

void CJobViewRefresh::OnEndHintBatch()
{
    if (!m_deferred)
        return;
    m_deferred = false;
    const bool rowsOrPaint = m_dirtyDeleted || m_dirtyAdded || m_dirty36 || m_dirty35 || m_dirtyCoordinates ||
                             m_dirty38 || m_dirtySettings || m_dirtyRawLines;
    if (!rowsOrPaint) {
        if (m_dirtySelection)
            ApplyPendingChanges(nullptr);
        return;
    }
    ApplyPendingChanges(nullptr);
    if (m_rawDrawMode != 1 && m_rawDrawingDirty)
        m_host.RefreshRawDataDrawing();
}
