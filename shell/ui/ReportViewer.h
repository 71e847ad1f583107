#pragma once

#include <wx/dialog.h>

#include <string>

class wxRichTextCtrl;

// Puts rich text into a rich-text control: replacing the content, or appended at the end.
void StreamRtfIntoRichEdit(const std::string& text, wxRichTextCtrl& control, bool replace);

// A small modal window that shows a report's rich text (" Report viewer", control 2021).
class CReportViewer : public wxDialog
{
public:
    static constexpr int IdViewer = 2021;

    explicit CReportViewer(wxWindow* parent);

    void SetText(const std::string& rtf) { m_text = rtf; }
    // Fills the viewer with the text; done when the window is shown.
    void InitDialog() override;
    wxRichTextCtrl* GetViewer() const { return m_viewer; }

private:
    std::string m_text;
    wxRichTextCtrl* m_viewer = nullptr;
};
