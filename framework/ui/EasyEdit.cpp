#include "framework/ui/EasyEdit.h"

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
    CallAfter(&CEasyEdit::OnPostGetFocus);
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
