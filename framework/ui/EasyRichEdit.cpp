#include "framework/ui/EasyRichEdit.h"

#include "shell/RtfReader.h"

#include <wx/menu.h>
#include <wx/wupdlock.h>

#include <algorithm>
#include <memory>

CEasyRichEdit::CEasyRichEdit(wxWindow* parent, wxWindowID id, unsigned menuId, MenuBuilder buildMenu, long style)
    : CRichTextView(parent, id, style), m_nMenuId(menuId),
      m_buildMenu(std::move(buildMenu))
{
    Bind(wxEVT_RIGHT_UP, &CEasyRichEdit::OnRightUp, this);
    Bind(wxEVT_CONTEXT_MENU, &CEasyRichEdit::OnContextMenu, this);
}

void CEasyRichEdit::ShowOwnMenu(const wxPoint& point)
{
    wxWindow* parent = GetParent();
    if (m_nMenuId == 0 || parent == nullptr || !m_buildMenu)
        return;
    std::unique_ptr<wxMenu> menu(m_buildMenu(m_nMenuId));
    if (!menu)
        return;
    // Shown by the parent, so that the parent hears the commands.
    parent->PopupMenu(menu.get(), parent->ScreenToClient(ClientToScreen(point)));
}

void CEasyRichEdit::OnRightUp(wxMouseEvent& event)
{
    if (m_nMenuId != 0 && GetParent() != nullptr)
        ShowOwnMenu(event.GetPosition());
    else
        event.Skip();
}

void CEasyRichEdit::OnContextMenu(wxContextMenuEvent& event)
{
    // Swallowed while the control has its own menu, so the standard one never shows.
    if (m_nMenuId == 0 || GetParent() == nullptr)
        event.Skip();
}

void ApplyRtfDocumentToRichText(wxRichTextCtrl& control, const RtfDocument& document, bool replace)
{
    // The paragraphs go straight into the control's buffer and are laid out once at the end;
    // writing them through the control would lay out the text again at every run.
    wxWindowUpdateLocker freeze(&control);
    control.BeginSuppressUndo();
    if (replace)
        control.Clear();
    wxRichTextBuffer& buffer = control.GetBuffer();
    // A cleared buffer keeps one empty paragraph: the first of ours takes its place.
    if (buffer.GetChildCount() == 1 && control.GetLastPosition() == 0 && !document.paragraphs.empty())
        buffer.DeleteChildren();
    for (const RtfParagraph& paragraph : document.paragraphs) {
        wxRichTextAttr paragraphStyle;
        switch (paragraph.alignment) {
        case RtfAlignment::Centre:
            paragraphStyle.SetAlignment(wxTEXT_ALIGNMENT_CENTRE);
            break;
        case RtfAlignment::Right:
            paragraphStyle.SetAlignment(wxTEXT_ALIGNMENT_RIGHT);
            break;
        default:
            paragraphStyle.SetAlignment(wxTEXT_ALIGNMENT_LEFT);
            break;
        }
        auto* para = new wxRichTextParagraph(&buffer, &paragraphStyle);
        for (const RtfRun& run : paragraph.runs) {
            if (run.text.empty())
                continue;
            wxRichTextAttr style;
            if (!run.face.empty())
                style.SetFontFaceName(wxString::FromUTF8(run.face));
            style.SetFontSize(std::max(1, run.fontSize / 2));
            style.SetFontWeight(run.bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
            style.SetFontUnderlined(run.underline);
            para->AppendChild(new wxRichTextPlainText(wxString::FromUTF8(run.text), para, &style));
        }
        // Every paragraph holds at least one (empty) text object, as the control's own do.
        if (para->GetChildCount() == 0)
            para->AppendChild(new wxRichTextPlainText(wxEmptyString, para));
        buffer.AppendChild(para);
    }
    if (buffer.GetChildCount() == 0)
        buffer.AddParagraph(wxEmptyString);
    buffer.UpdateRanges();
    buffer.Invalidate(wxRICHTEXT_ALL);
    control.EndSuppressUndo();
    control.LayoutContent();
    control.SetInsertionPointEnd();
    control.Refresh();
}

bool ApplyRtfToRichText(wxRichTextCtrl& control, const std::string& rtf, bool replace)
{
    RtfDocument document;
    CRtfReader reader;
    if (!reader.Read(rtf, document))
        return false;
    ApplyRtfDocumentToRichText(control, document, replace);
    return true;
}
