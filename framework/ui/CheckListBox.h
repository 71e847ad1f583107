#pragma once

#include <wx/checklst.h>

#include <cstdint>

// A check list whose item check cycles with a click anywhere on the item (flag bit 0) and whose
// selected item follows the mouse while the left button is held (flag bit 1). GTK check lists
// have two states, so the three-state styles of other platforms are not offered.
class CEasyCheckListBox : public wxCheckListBox
{
public:
    static constexpr uint32_t ClickAnywhere = 0x1;
    static constexpr uint32_t DragToReorder = 0x2;

    CEasyCheckListBox(wxWindow* parent, wxWindowID id, uint32_t flags = 0);

    void SetBehaviour(uint32_t flags) { m_flags = flags; }
    uint32_t GetBehaviour() const { return m_flags; }

    virtual void CheckAll();
    virtual void InvertChecks();

    // What the mouse reaches, in client pixels: a press toggles the item under the point and tells
    // the parent (wxEVT_CHECKLISTBOX); a move with the button held drags the selected item.
    void OnLeftDown(const wxPoint& point);
    virtual void OnDragTo(const wxPoint& point);

protected:
    // Moves the selected item (text, check and data) to the row; false when nothing moved.
    bool MoveSelectedTo(int row);

private:
    int RowAt(const wxPoint& point) const;

    uint32_t m_flags;
};

// The check list of the column editors: an item whose client data is BlankItemData is a blank
// entry, and after a drag the list always ends with exactly one.
class CEasyCheckListWithBlankBox : public CEasyCheckListBox
{
public:
    static constexpr uintptr_t BlankItemData = 0xFFFF;

    using CEasyCheckListBox::CEasyCheckListBox;

    void CheckAll() override {}
    void InvertChecks() override {}

    void AppendBlank(const wxString& text);
    bool IsBlank(unsigned int item) const;
    // The drag, then the blank entries tidied.
    void OnDragTo(const wxPoint& point) override;
};
