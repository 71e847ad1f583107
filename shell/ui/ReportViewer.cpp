#include "shell/ui/ReportViewer.h"

#include "framework/ui/EasyRichEdit.h"

#include <wx/button.h>
#include <wx/sizer.h>

#include <algorithm>

namespace {

// A report's rows are padded to its columns: wrapped at the window's edge, a heading breaks apart
// and the padding of each row falls onto a line of its own. Its lines are laid out as wide as the
// widest one, and scroll.
class CReportTextCtrl : public wxRichTextCtrl
{
public:
    using wxRichTextCtrl::wxRichTextCtrl;

protected:
    void DoLayoutBuffer(wxRichTextBuffer& buffer, wxDC& dc, wxRichTextDrawingContext& context, const wxRect& rect,
                        const wxRect& parentRect, int flags) override
    {
        wxRect unbounded(rect);
        unbounded.width = 1000000;
        wxRichTextCtrl::DoLayoutBuffer(buffer, dc, context, unbounded, unbounded, flags);
        int widest = 0;
        for (wxRichTextObjectList::compatibility_iterator node = buffer.GetChildren().GetFirst(); node;
             node = node->GetNext())
            if (auto* paragraph = wxDynamicCast(node->GetData(), wxRichTextParagraph))
                for (const wxRichTextLine* line : paragraph->GetLines())
                    widest = std::max(widest, line->GetSize().x);
        wxRect fitted(rect);
        fitted.width = std::max(rect.width, widest + rect.x + 2 * GetBuffer().GetLeftMargin());
        buffer.Invalidate(wxRICHTEXT_ALL);
        wxRichTextCtrl::DoLayoutBuffer(buffer, dc, context, fitted, fitted, flags);
    }

    // The control scrolls only up and down by itself.
    void SetupScrollbars(bool atTop, bool fromOnPaint) override
    {
        wxRichTextCtrl::SetupScrollbars(atTop, fromOnPaint);
        int unitX = 0, unitY = 0;
        GetScrollPixelsPerUnit(&unitX, &unitY);
        const int width = GetBuffer().GetCachedSize().x;
        if (unitY <= 0 || width <= GetClientSize().x)
            return;
        int startX = 0, startY = 0;
        GetViewStart(&startX, &startY);
        const int unitsY = GetVirtualSize().y / unitY;
        SetScrollbars(unitY, unitY, (width + unitY - 1) / unitY, unitsY, atTop ? 0 : startX, atTop ? 0 : startY, true);
    }
};

} // namespace

void StreamRtfIntoRichEdit(const std::string& text, wxRichTextCtrl& control, bool replace)
{
    control.SetInsertionPointEnd();
    if (text.empty()) {
        if (replace)
            control.Clear();
    } else if (!ApplyRtfToRichText(control, text, replace)) {
        // Not our rich text: shown as plain text rather than dropped.
        if (replace)
            control.Clear();
        control.SetInsertionPointEnd();
        control.WriteText(wxString::FromUTF8(text));
    }
    control.SetInsertionPointEnd();
    control.Refresh();
}

CReportViewer::CReportViewer(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, " Report viewer", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_viewer = new CReportTextCtrl(this, IdViewer, wxEmptyString, wxDefaultPosition, FromDIP(wxSize(560, 360)),
                                  wxRE_MULTILINE | wxRE_READONLY | wxVSCROLL | wxHSCROLL);
    sizer->Add(m_viewer, 1, wxEXPAND | wxALL, FromDIP(8));
    sizer->Add(CreateButtonSizer(wxOK), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
    SetSizerAndFit(sizer);
    Centre();
}

void CReportViewer::InitDialog()
{
    wxDialog::InitDialog();
    StreamRtfIntoRichEdit(m_text, *m_viewer, true);
}
