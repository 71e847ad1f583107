#pragma once

#include "framework/ui/RichTextView.h"

#include <wx/richtext/richtextctrl.h>

#include <functional>
#include <string>

class wxMenu;
struct RtfDocument;

// A read-only rich-text window with a context menu of its own: a right click shows the menu the
// owner builds for the menu id, whose commands go to the parent; no standard menu ever shows.
class CEasyRichEdit : public CRichTextView
{
public:
    using MenuBuilder = std::function<wxMenu*(unsigned menuId)>;

    CEasyRichEdit(wxWindow* parent, wxWindowID id, unsigned menuId, MenuBuilder buildMenu, long style);

    unsigned GetMenuId() const { return m_nMenuId; }
    // The right click at a point of the control, as the mouse gives it.
    void ShowOwnMenu(const wxPoint& point);

private:
    void OnRightUp(wxMouseEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);

    unsigned m_nMenuId = 0;
    MenuBuilder m_buildMenu;
};

// Puts rich text (as the report writer makes it) into a rich-text editor: the whole content is
// replaced, or the text is appended at the end. Fills under Freeze/Thaw with undo off, so a
// large report goes in as one step. False (control unchanged) when the text cannot be read.
bool ApplyRtfToRichText(wxRichTextCtrl& control, const std::string& rtf, bool replace);
void ApplyRtfDocumentToRichText(wxRichTextCtrl& control, const RtfDocument& document, bool replace);

// The application's palette selected around drawing: with a true-colour display there is
// nothing to select, so this scope does nothing and reports success.
class CEasyPalette
{
public:
    CEasyPalette() = default;
    template <typename DC> explicit CEasyPalette(DC*) {}
    template <typename DC> bool Select(DC* dc) { return dc != nullptr; }
    bool Restore() { return false; }
};
