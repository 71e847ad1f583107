#pragma once

#include "framework/DialogNotifyTarget.h"
#include "framework/GraphicDataTarget.h"
#include "model/Interested.h"
#include "views/ui/InteractionPart.h"

#include <wx/control.h>
#include <wx/timer.h>

#include <cstdint>
#include <memory>

class CCustomToolTipCtrl;
class CDataExchange;
class CObjectIdWnd;
class CSelectionDescription;
class CView;

// The field that turns map picks into selection changes over its description: a click toggles a
// point, a rectangle adds (Alt: removes) what lies inside, a single description takes one point.
// It takes no typed text.
class CUniversalControl : public wxControl, public CGraphicDataTarget, public CInterested, public CSelectionChipBase
{
public:
    CUniversalControl();
    ~CUniversalControl() override;

    void SetDescription(CSelectionDescription* description) { m_description = description; }
    CSelectionDescription* GetDescription() const { return m_description; }

    virtual bool OnToolEvent(int32_t code);
    virtual void DrawMapFeedback(CObjectIdWnd* popup, CView* view) {}
    void StartInteraction(bool quiet);
    bool ActivateInteraction();
    int32_t GetInteractionKind() const { return m_part.GetInteractionKind(); }
    void SetInteractionKind(int32_t kind) { m_part.SetInteractionKind(kind); }
    CInteractionPart& GetPart() { return m_part; }
    void MarkFilledBy(CUniversalControl* buddy) { m_part.MarkFilledBy(buddy ? &buddy->m_part : nullptr); }

    // --- CGraphicDataTarget.
    bool IsTargetEnabled() const override;
    bool IsInteractive() const override;
    bool IsAcceptedByFrame() const override;
    bool TakeGraphicData(uint32_t code) override;
    void NotifyDialog(uint32_t code) override;
    void ResumeInteraction() override;

    // --- CSelectionChipBase.
    bool HasPickedObject() const override;
    void ForgetPickedObject() override;
    CRecord* GetPickedObject() const override;
    CSelectionFilterPtr GetChipFilter() const override;

protected:
    void AttachPart();

    CInteractionPart m_part;
    CSelectionDescription* m_description = nullptr; // not owned
};

// The owner-drawn chip: a glyph, an optional drop arrow with the selection menu, the marching
// border while it waits for picks, and a dither when disabled.
class CMouseChip : public CUniversalControl
{
public:
    static constexpr int RefreshTimerId = 17;
    static constexpr int RefreshDelayMs = 250;

    explicit CMouseChip(bool flag);
    ~CMouseChip() override;
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption = "MOUSE");

    virtual bool HasSelection() const = 0;
    int32_t GetArrowWidth() const { return m_hasArrow ? m_arrowWidth : 0; }
    int32_t GetArrowPartWidth() const { return m_arrowWidth; }
    bool HasArrow() const { return m_hasArrow; }
    bool IsMenuOpen() const { return m_menuOpen; }
    CCustomToolTipCtrl* GetToolTip() const { return m_toolTip.get(); }
    // Re-reads the selection state and the arrow (what a paint and the hints do).
    void RefreshChip();
    // A press at a client point; true when the arrow part took it.
    bool HandleClick(int32_t x, int32_t y);
    // The menu with its items, as it drops; null without one.
    std::unique_ptr<wxMenu> BuildMenu() const;
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;
    // Paints the whole chip into the DC.
    void DrawItem(wxDC& dc);

protected:
    virtual void ShowMenu(const wxPoint& screen);
    void OnChipFocus();
    void OnChipClick();

    uint32_t m_glyphId = 423;
    uint32_t m_iconEmpty = 0;
    uint32_t m_iconSelected = 0;
    bool m_flag;
    bool m_arrowSuppressed = false;
    int32_t m_arrowWidth;
    bool m_hasArrow = false;
    uint32_t m_menuId = 0;
    bool m_showGlyph = true;
    bool m_menuOpen = false;
    long long m_lastMenuTick = -1;
    bool m_selected = false;

private:
    wxSize DoGetBestSize() const override;
    void UpdateArrow();
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnTimer(wxTimerEvent& event);

    wxTimer m_refreshTimer;
    std::unique_ptr<CCustomToolTipCtrl> m_toolTip;
};

class CSelectionChip : public CMouseChip
{
public:
    explicit CSelectionChip(bool flag) : CMouseChip(flag) {}
    bool IsInteractive() const override { return true; }
    bool HasSelection() const override { return false; }
};

// The chip every dialog uses: the selection's glyphs, the arrow and the menu "Select All",
// "Clear Selection", "Invert Selection".
class CGeneralSelectionChip : public CSelectionChip
{
public:
    static constexpr int CmdSelectAll = 7334;
    static constexpr int CmdClearSelection = 7335;
    static constexpr int CmdInvertSelection = 7337;

    CGeneralSelectionChip();
    CGeneralSelectionChip(wxWindow* parent, wxWindowID id, const wxString& caption = "MOUSE");
    bool HasSelection() const override;
    void DrawMapFeedback(CObjectIdWnd* popup, CView* view) override;
    // The menu's commands; false when the chip does not act (single unlinked, no job).
    bool OnChipCommand(int32_t command);
};

// Bind a chip and its description; saving refuses "Nothing Selected.".
void DDX_SelectionChip(CDataExchange* dx, int id, CGeneralSelectionChip& chip, CSelectionDescription& description);
// The same without refusing; a single object the description no longer takes is dropped.
void DDX_SelectionChipOptional(CDataExchange* dx, int id, CGeneralSelectionChip& chip,
                               CSelectionDescription& description);
// Also refuses "Selection contains alphanumeric point names.".
void DDX_SelectionChipNumericNames(CDataExchange* dx, int id, CGeneralSelectionChip& chip,
                                   CSelectionDescription& description);
