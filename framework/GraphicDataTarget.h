#pragma once

#include <cstdint>

class CGraphicDataExchange;

// What the exchange needs of an input field that waits for a pick on the map. The interactive
// fields implement it; a field that dies tells the exchange, so no link to it is left behind.
class CGraphicDataTarget
{
public:
    CGraphicDataTarget() = default;
    CGraphicDataTarget(const CGraphicDataTarget&) = delete;
    CGraphicDataTarget& operator=(const CGraphicDataTarget&) = delete;
    virtual ~CGraphicDataTarget();

    // The field's window exists and is enabled.
    virtual bool IsTargetEnabled() const = 0;
    // The field takes clicks of the map's pick tools.
    virtual bool IsInteractive() const = 0;
    // The field takes lines from the anchor-line tool.
    virtual bool AcceptsLinePick() const { return false; }
    virtual bool IsPointControl() const { return false; }
    // The main window still accepts the field (it is not in a closed or foreign window).
    virtual bool IsAcceptedByFrame() const { return true; }
    // Reads the exchange's values for this code; true when the field took them.
    virtual bool TakeGraphicData(uint32_t code) = 0;
    // Tells the field's dialog that values arrived; a field outside a dialog ignores it.
    virtual void NotifyDialog(uint32_t code) {}
    // The field lies in the stacked panel the side bar shows.
    virtual bool IsInVisibleStackedDialog() const { return false; }
    // Starts the field's map interaction again after a temporary tool.
    virtual void ResumeInteraction() {}
    // The focus goes to the main window and back, so the field starts its interaction afresh.
    virtual void TakeFocusAgain() {}

private:
    friend class CGraphicDataExchange;
    CGraphicDataExchange* linkedExchange = nullptr;
};

// Takes deliveries when no field is the target (a tool's own follow-up, for example).
class CGraphicDataReceiver
{
public:
    virtual ~CGraphicDataReceiver() = default;
    virtual void Deliver(uint32_t code) = 0;
};
