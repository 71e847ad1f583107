#pragma once

#include "views/MapCtrlCore.h"

#include <wx/bitmap.h>
#include <wx/eventfilter.h>
#include <wx/window.h>

#include <cstdint>
#include <functional>
#include <memory>

class CDataFileDoc;
class CMapLayer;
class CRecord;
class wxMenu;

// The map window of a job: shows the job's points through its off-screen layer, keeps the world
// window and its zoom history (in its core), and passes every mouse event to the current view
// tool. The handlers below are the entry points the mouse and keys reach; tests call them with
// client points converted from world positions.
class CMapCtrl : public wxWindow, public CMapHost
{
public:
    CMapCtrl(wxWindow* parent, wxWindowID id, std::unique_ptr<CMapCtrlCore> core);
    ~CMapCtrl() override;

    CMapCtrlCore& Core() { return *m_core; }
    void SetDocument(CDataFileDoc* document) { m_core->SetDocument(document); }
    CDataFileDoc* GetDocument() const { return m_core->GetDocument(); }
    CMapLayer* GetMapLayer() const;

    // --- CMapHost.
    std::unique_ptr<CMapCtrlMemoryView> CreateLayer(CMapCtrlCore& map, int32_t width, int32_t height) override;
    DevicePoint GetScreenSize() const override;
    bool HasWindow() const override { return !IsBeingDeleted(); }
    void RedrawWindow() override;
    void InvalidateWindow() override { Refresh(false); }
    void EraseToolFeedback() override;
    void AnimateZoomRing(DevicePoint centre) override;
    CGraphicDataExchange* GetGraphicDataExchange() override;
    uint32_t PaletteColour(int32_t index) const override;
    bool IsSnapLocked() const override;

    // --- Mouse and keys, in client pixels.
    void OnLeftDown(const wxPoint& p, uint32_t flags = 0);
    void OnLeftUp(const wxPoint& p, uint32_t flags = 0);
    void OnMiddleDown(const wxPoint& p, uint32_t flags = 0);
    void OnMiddleUp(const wxPoint& p, uint32_t flags = 0);
    void OnRightDown(const wxPoint& p, uint32_t flags = 0);
    void OnRightUp(const wxPoint& p, uint32_t flags = 0);
    void OnMove(const wxPoint& p, uint32_t flags = 0);
    void OnLeftDoubleClick(const wxPoint& p, uint32_t flags = 0);
    // Wheel rotation in notches of 120.
    void OnWheel(int32_t rotation);
    void OnEscapeKey() { m_escape = true; }

    // The context menu for a client point: "Point Context", "Store Point Context" or "Zoom Context";
    // null when none opens (then the caller beeps or a tip shows). The current record is set as
    // the menu needs it.
    virtual std::unique_ptr<wxMenu> BuildContextMenu(const wxPoint& client, bool& beep);
    // The "Point Context" menu of a point (the object chooser shows it too).
    static std::unique_ptr<wxMenu> BuildPointContextMenu(const std::string& pointName);
    // Shows it at the point and sends the chosen command to the main window.
    void ShowContextMenu(const wxPoint& client);
    // Draws one record with a colour flag of CDrawState (the highlight while a menu about it is
    // open, then normal again).
    void DrawRecordState(CRecord* record, int32_t flag);

    // --- Overlays: drawn over a copy of the layer and erased by showing the layer again.
    // Inside a paint the copy is only made; the paint shows it.
    void ShowOverlay(const std::function<void(wxDC&)>& draw);
    // now: repaint at once; else the next paint shows the picture alone.
    void EraseOverlay(bool now = true);
    bool HasOverlay() const { return m_overlay.IsOk(); }
    // Inside the window's paint handler (where the tools put their feedback back).
    bool IsPainting() const { return m_inPaint; }
    // What the window shows now: the overlay copy when there is one, else the layer.
    wxImage GetShownImage();

    // --- Esc during drawing.
    bool TakeEscape()
    {
        const bool pressed = m_escape;
        m_escape = false;
        return pressed;
    }
    bool IsDrawingYield() const { return m_inYield; }
    void SetDrawingYield(bool on) { m_inYield = on; }

    // Runs once, when the first layout has given the map its window (the owner zooms to the job).
    void SetFirstLayoutHandler(std::function<void()> handler) { m_onFirstLayout = std::move(handler); }

    const wxBitmap* GetIconBitmap(int32_t icon);
    // The object a left press took from the identification popup, while the press is handled
    // (what a field told of an object hit reads); false otherwise.
    bool GetCurrentHit(RecordRef& out) const
    {
        out = m_toolRecord;
        return out.record != nullptr;
    }

    // The main window, which takes the map's commands; null when there is none.
    wxWindow* GetCommandTarget() const;

protected:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKey(wxKeyEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    // Refreshes the pick tolerance and stores the point's world position as the exchange's last
    // cursor location.
    void NotePress(const wxPoint& p);
    CLocation PickTolerance() const;
    // Shows what the window holds now (the overlay copy or the layer) at once.
    void Repaint();

    // While the layer yields to input, Escape ends the drawing wherever the focus is.
    class EscapeFilter : public wxEventFilter
    {
    public:
        explicit EscapeFilter(CMapCtrl* map) : m_map(map) {}
        int FilterEvent(wxEvent& event) override;

    private:
        CMapCtrl* m_map;
    };

    std::unique_ptr<CMapCtrlCore> m_core;
    EscapeFilter m_escapeFilter{this};
    std::function<void()> m_onFirstLayout;
    wxBitmap m_overlay;
    wxPoint m_lastButtonPoint;
    wxPoint m_lastMovePoint{-5000, -5000};
    bool m_pendingToolHit = false;
    // The object taken from the identification popup while a left press is handled.
    RecordRef m_toolRecord;
    bool m_escape = false;
    bool m_inYield = false;
    bool m_inPaint = false;
};
