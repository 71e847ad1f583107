#pragma once

#include "framework/ui/EasyListCtrl.h"
#include "views/GridRangeDrag.h"

#include <wx/timer.h>

#include <cstdint>
#include <string>

class CGridViewListCtrl;

// What the grid list asks of the view that holds it (the private messages of the classic list,
// with rows carried whole).
class IGridListOwner
{
public:
    virtual ~IGridListOwner() = default;
    virtual bool IsListRowSelected(const CGridViewListCtrl& list, int32_t row) const = 0; // 0x8080
    virtual std::string GetListCellText(const CGridViewListCtrl& list, int32_t row, int column) const = 0;
    virtual void OnRowPressed(const GridRowNotify& rows) {}                              // 0x80AD
    virtual void OnRowsPicked(const GridRowNotify& rows) {}                              // 0x80AE
    virtual void OnListRightDown(const GridRowNotify& rows, const wxPoint& screen) {}    // 0x80AF
    virtual void OnListRightUp(const GridRowNotify& rows, const wxPoint& screen) {}      // 0x80B0
    virtual void OnListColumnClick(int column) {}
    virtual bool ShowRowTip(const wxPoint& listPoint) { return false; }                  // 0x80B9
    virtual void OnListDoubleClick(const GridRowNotify& rows) {}                         // NM_DBLCLK
    virtual void OnListEscape() {}
    virtual void FlushQueuedHints() {}
    virtual bool IsSelectByRectToolCurrent() const { return false; }
};

// The coordinate grid's list: draws each row itself, asks its owner whether a row is selected,
// turns the cursor keys into pure scrolling, marks the pressed row and, with the select-by-
// rectangle tool current, lets a drag mark a range of rows with automatic scrolling at the edges.
class CGridViewListCtrl : public CEasyListCtrl
{
public:
    static constexpr int AutoScrollTimerId = 23;
    static constexpr int AutoScrollPeriodMs = 100;

    CGridViewListCtrl(wxWindow* parent, wxWindowID id, IGridListOwner* owner);
    ~CGridViewListCtrl() override;

    std::string GetItemText(int32_t row, int column) const override;
    bool IsRowSelected(int32_t row) const override;
    bool IsRowMarked(int32_t row) const override { return m_range.Contains(row); }
    // The coordinate grid keeps its yellow selected rows with plain text.
    wxColour SelectedRowFill() const override { return wxColour(255, 255, 0); }
    wxColour SelectedRowInk() const override;
    bool RequestRowTip(const wxPoint& bodyPoint) override;
    void OnColumnClick(int column) override;

    void OnListLeftDown(const wxPoint& p, uint32_t flags) override;
    void OnListLeftUp(const wxPoint& p, uint32_t flags) override;
    void OnListLeftDoubleClick(const wxPoint& p, uint32_t flags) override;
    void OnListMotion(const wxPoint& p, uint32_t flags, bool leftDown) override;
    void OnListRightDown(const wxPoint& p, uint32_t flags) override;
    void OnListRightUp(const wxPoint& p, uint32_t flags) override;
    void OnListCaptureLost() override;
    bool OnListKeyDown(int keyCode) override;

    // One step of the automatic scrolling, with the cursor at p (row area coordinates).
    void AutoScrollStep(const wxPoint& p);

    bool GetReportedRange(int32_t& first, int32_t& last) const { return m_range.GetReportedRange(first, last); }
    void CancelRangeDrag();
    int32_t GetRangeFirst() const { return m_range.GetRangeFirst(); }
    int32_t GetRangeLast() const { return m_range.GetRangeLast(); }
    bool IsRangeDragging() const { return m_range.IsDragging(); }
    bool IsAutoScrolling() const { return m_timer.IsRunning(); }

private:
    void RedrawRange(int32_t first, int32_t last);

    IGridListOwner* m_owner;
    wxPoint m_lastPoint{-50000, -50000};
    CGridRangeDrag m_range;
    wxTimer m_timer;
};
