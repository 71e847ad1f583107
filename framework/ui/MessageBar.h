#pragma once

#include "framework/ui/DockableWindow.h"

#include <wx/event.h>

#include <string>

class CEasyRichEdit;
class wxButton;
class wxMenu;

// The message bar asks the main frame before it acts; the frame lets the top side-bar panel
// answer. A sent event's answer is its extra long: non-zero when the panel did the work itself.
// 0x8078: before Clear. 0x8079: before Report. 0x807A: posted after Report.
wxDECLARE_EVENT(EVT_MESSAGEBAR_CLEAR_8078, wxCommandEvent);
wxDECLARE_EVENT(EVT_MESSAGEBAR_REPORT_8079, wxCommandEvent);
wxDECLARE_EVENT(EVT_MESSAGEBAR_REPORTED_807A, wxCommandEvent);

inline constexpr int IdMessageBarClose = 3142;
inline constexpr int IdMessageBarReport = 7256;
inline constexpr int IdMessageBarClear = 7257;
inline constexpr unsigned MenuMessageBar = 428;

// The bar along the bottom of the main frame in which reports are shown: a read-only rich-text
// window with its own menu ("Report", "Clear") and an "X" button that closes the bar. It keeps
// the rich text it was last given, which Report hands to the companion editor.
class CMessageBar : public CDockableWindow
{
public:
    static constexpr int BarId = 59397;
    // Characters the text window holds at most.
    static constexpr size_t MaxTextLength = 16777215;

    explicit CMessageBar(wxWindow* parent);

    // Replaces the whole content with the rich text; the caret goes to the end or the start.
    void SetText(const std::string& rtf, bool caretAtEnd);
    const std::string& GetRtf() const { return m_rtf; }
    CEasyRichEdit* GetTextWindow() const { return m_text; }
    wxButton* GetCloseButton() const { return m_close; }

    // Menu commands 7256 and 7257.
    void OnReport();
    void OnClear();

    // Menu 428, "MessageBar".
    static wxMenu* BuildMenu(unsigned menuId);

private:
    void OnSize(wxSizeEvent& event);
    void OnMenu(wxCommandEvent& event);
    // Sends the event to the frame and gives its answer.
    long AskFrame(wxEventType type);

    CEasyRichEdit* m_text = nullptr;
    wxButton* m_close = nullptr;
    std::string m_rtf;
};
