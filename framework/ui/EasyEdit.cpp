#include "framework/ui/EasyEdit.h"

#include <utility>

CEasyEdit::CEasyEdit(wxWindow* parent, wxWindowID id, const wxString& value, long style)
{
    Create(parent, id, value, style);
}

bool CEasyEdit::Create(wxWindow* parent, wxWindowID id, const wxString& value, long style)
{
    if (!wxTextCtrl::Create(parent, id, value, wxDefaultPosition, wxDefaultSize, style))
        return false;
    SetWindow(static_cast<const wxWindow*>(this));
    Bind(wxEVT_SET_FOCUS, &CEasyEdit::OnSetFocus, this);
    return true;
}

void CEasyEdit::OnSetFocus(wxFocusEvent& event)
{
    event.Skip();
    // After the click that gave the focus has placed the caret, or at the first key, whichever
    // comes first: the idle call runs only after every key already queued.
    m_focusSelectionPending = true;
    CallAfter(&CEasyEdit::RunPendingFocusSelection);
}

bool CEasyEdit::TryBefore(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (m_focusSelectionPending && (type == wxEVT_KEY_DOWN || type == wxEVT_CHAR))
        RunPendingFocusSelection();
    return wxTextCtrl::TryBefore(event);
}

void CEasyEdit::RunPendingFocusSelection()
{
    if (!std::exchange(m_focusSelectionPending, false))
        return;
    OnPostGetFocus();
}

void CEasyEdit::OnPostGetFocus()
{
    if (m_nFocusSelection == SelectAllOnFocus) {
        SelectAll();
    } else if (m_nFocusSelection == CaretAtEndOnFocus) {
        const long end = GetLastPosition();
        SetSelection(end, end);
    }
}
