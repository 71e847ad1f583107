#pragma once

#include "framework/SelectionFilterPtr.h"
#include "model/Interested.h"

#include <cstdint>
#include <vector>

class CRecord;

// A selection chip as the dialog that holds it sees it.
class CSelectionChipBase
{
public:
    virtual ~CSelectionChipBase() = default;
    virtual bool HasPickedObject() const = 0;
    // The job is closing: the picked object goes.
    virtual void ForgetPickedObject() = 0;
    // The one object a single chip picked; null for none.
    virtual CRecord* GetPickedObject() const { return nullptr; }
    // A new filter over what the chip selects; empty when it has none (no job).
    virtual CSelectionFilterPtr GetChipFilter() const { return CSelectionFilterPtr(); }
};

// Redraws the active map's selection (only the selected objects when asked); the map installs it
// while a job view's map exists, and without it there is nothing to redraw.
void SetMapSelectionRedraw(void (*redraw)(bool selectedOnly));

// View kinds as the shell reports them.
inline constexpr int32_t ViewKindJob = 0;
inline constexpr int32_t ViewKindPrintPreview = 1;
inline constexpr int32_t ViewKindNone = 2;

// What every dialog of the program does with the change hints, free of windows: it keeps its
// coordinate fields in the preferred order (hint 10), follows the kind of the active view
// (hint 16) and makes its chips forget their picks when the job closes (hint 21). The dialog base
// of the window layer derives from it and lays the fields out.
class CDialogNotifyTarget : public CInterested
{
public:
    CDialogNotifyTarget();
    ~CDialogNotifyTarget() override;
    CDialogNotifyTarget(const CDialogNotifyTarget&) = delete;
    CDialogNotifyTarget& operator=(const CDialogNotifyTarget&) = delete;

    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

    // Lays the coordinate fields out for the preference when it differs from the order in effect.
    void ArrangeCoordinateFields();
    // 1 is the order of the dialog's own layout (northing before easting).
    bool GetCoordOrderInEffect() const { return m_coordOrder; }
    int32_t GetActiveViewKind() const { return m_activeViewKind; }
    void ReadActiveViewKind();

    // Chips register and leave (0x8081, 0x8082): 1 when added or found, else 0.
    int32_t RegisterChip(CSelectionChipBase* chip);
    int32_t UnregisterChip(CSelectionChipBase* chip);
    const std::vector<CSelectionChipBase*>& GetChips() const { return m_chips; }

    // The chips' filters joined (a chip holding a picked object adds none); with no chip filter,
    // one that accepts everything.
    virtual CSelectionFilterPtr GetSelectionFilter();
    // Whether some chip contributes a filter.
    virtual bool HasActiveFilter() const;
    // The dialog leaves the side bar: its chips' selection is kept aside for it and leaves the
    // view (see CSelectionOperator's hand-over). A dialog without chip filters touches nothing.
    virtual void OnDeactivateInBar();
    // The dialog shows: the selection it kept comes back, then the single chips' objects join it;
    // with sendHint, hint 43 and the map redrawn.
    virtual void ApplyChipSelection(bool sendHint);
    uint64_t GetSelectionHolder() const { return m_holder; }
    // The dialog's chip filter handed to the job's selection: everything it accepts selected,
    // deselected or toggled. False (nothing done) without a job or without a chip filter.
    virtual bool SelectFiltered();
    virtual bool DeselectFiltered();
    virtual bool ToggleFiltered();

protected:
    // Exchanges the northing and easting fields' places; order is the preference now in effect.
    virtual void SwapCoordinateFields(bool order) {}

private:
    std::vector<CSelectionChipBase*> m_chips; // not owned
    uint64_t m_holder;
    int32_t m_activeViewKind = ViewKindNone;
    bool m_coordOrder = true;
};
