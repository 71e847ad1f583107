#pragma once

#include "model/Interested.h"

#include <wx/textctrl.h>

#include <cstdint>

// The base of the program's value fields. When the field gets the focus, its text is selected
// (or the caret put after it) once the focus change is over, so the click that gave the focus
// does not undo the selection, but before any key that follows the focus, so a key typed at
// once is never selected and replaced. It hears the change hints like any interested object.
class CEasyEdit : public wxTextCtrl, public CInterested
{
public:
    static constexpr int32_t SelectAllOnFocus = 0;
    static constexpr int32_t CaretAtEndOnFocus = 1;

    CEasyEdit() = default;
    CEasyEdit(wxWindow* parent, wxWindowID id, const wxString& value = wxString(), long style = 0);
    bool Create(wxWindow* parent, wxWindowID id, const wxString& value = wxString(), long style = 0);

    // 0 select all, 1 caret at the end, anything else leaves the selection alone.
    int32_t m_nFocusSelection = SelectAllOnFocus;

    // Runs after the focus change has completed.
    virtual void OnPostGetFocus();
    // Whether the field holds a northing or an easting (CoordinateRole* of the dialog base), so
    // the dialog can put the two in the preferred order.
    virtual int GetCoordinateRole() const { return 0; }

protected:
    // A key reaching the field runs the waiting focus selection before any handler sees it.
    bool TryBefore(wxEvent& event) override;

private:
    void OnSetFocus(wxFocusEvent& event);
    void RunPendingFocusSelection();

    bool m_focusSelectionPending = false;
};
