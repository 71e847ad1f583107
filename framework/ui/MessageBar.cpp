#include "framework/ui/MessageBar.h"

#include "core/ReportOutput.h"
#include "framework/ui/EasyRichEdit.h"
#include "shell/RtfReader.h"

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/toplevel.h>

wxDEFINE_EVENT(EVT_MESSAGEBAR_CLEAR_8078, wxCommandEvent);
wxDEFINE_EVENT(EVT_MESSAGEBAR_REPORT_8079, wxCommandEvent);
wxDEFINE_EVENT(EVT_MESSAGEBAR_REPORTED_807A, wxCommandEvent);

CMessageBar::CMessageBar(wxWindow* parent) : CDockableWindow(parent, BarId)
{
    SetName("Message Bar");
    m_text = new CEasyRichEdit(this, wxID_ANY, MenuMessageBar, &CMessageBar::BuildMenu,
                               wxVSCROLL | wxHSCROLL | wxBORDER_THEME);
    m_text->SetMaxLength(MaxTextLength);
    m_close = new wxButton(this, IdMessageBarClose, "X", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    m_close->SetToolTip("Close the message window");
    Bind(wxEVT_SIZE, &CMessageBar::OnSize, this);
    Bind(wxEVT_MENU, &CMessageBar::OnMenu, this, IdMessageBarReport);
    Bind(wxEVT_MENU, &CMessageBar::OnMenu, this, IdMessageBarClear);
    // Clicks on the bar's own surface do nothing.
    Bind(wxEVT_LEFT_DOWN, [](wxMouseEvent&) {});
    Bind(wxEVT_LEFT_DCLICK, [](wxMouseEvent&) {});
}

wxMenu* CMessageBar::BuildMenu(unsigned menuId)
{
    if (menuId != MenuMessageBar)
        return nullptr;
    auto* menu = new wxMenu;
    menu->Append(IdMessageBarReport, "Report", "Create a report that you can edit and save");
    menu->Append(IdMessageBarClear, "Clear", "Clear the message window");
    return menu;
}

void CMessageBar::SetText(const std::string& rtf, bool caretAtEnd)
{
    if (m_text == nullptr)
        return;
    RtfDocument document;
    CRtfReader reader;
    if (!reader.Read(rtf, document)) {
        // Not our rich text: shown as it is, line by line, rather than lost.
        document = RtfDocument{};
        for (size_t start = 0; start <= rtf.size();) {
            size_t end = rtf.find('\n', start);
            if (end == std::string::npos)
                end = rtf.size();
            RtfRun run;
            run.text = rtf.substr(start, end - start);
            if (!run.text.empty() && run.text.back() == '\r')
                run.text.pop_back();
            document.paragraphs.push_back(RtfParagraph{RtfAlignment::Left, {std::move(run)}});
            start = end + 1;
        }
    }
    m_rtf = rtf;
    m_text->SetDocument(document);
    if (caretAtEnd) {
        m_text->SetInsertionPointEnd();
        m_text->ShowPosition(m_text->GetLastPosition());
    } else {
        m_text->SetInsertionPoint(0);
        m_text->Scroll(0, 0);
    }
}

long CMessageBar::AskFrame(wxEventType type)
{
    wxWindow* frame = wxGetTopLevelParent(this);
    if (frame == nullptr)
        return 0;
    wxCommandEvent event(type, GetId());
    event.SetEventObject(this);
    event.SetExtraLong(0);
    frame->ProcessWindowEvent(event);
    return event.GetExtraLong();
}

void CMessageBar::OnReport()
{
    if (AskFrame(EVT_MESSAGEBAR_REPORT_8079) != 0)
        return;
    // Through the program's report output like every other report, which shows it in the
    // program's own viewer when the desktop has no program for rich text.
    if (CReportOutput* output = GetReportOutput())
        output->SendTextToKVLEdit(m_rtf);
    if (wxWindow* frame = wxGetTopLevelParent(this)) {
        auto* event = new wxCommandEvent(EVT_MESSAGEBAR_REPORTED_807A, GetId());
        frame->GetEventHandler()->QueueEvent(event);
    }
}

void CMessageBar::OnClear()
{
    if (AskFrame(EVT_MESSAGEBAR_CLEAR_8078) != 0)
        return;
    m_rtf.clear();
    if (m_text != nullptr) {
        m_text->Clear();
        m_text->SetInsertionPoint(0);
    }
}

void CMessageBar::OnMenu(wxCommandEvent& event)
{
    if (event.GetId() == IdMessageBarReport)
        OnReport();
    else
        OnClear();
}

void CMessageBar::OnSize(wxSizeEvent& event)
{
    event.Skip();
    const wxSize size = GetClientSize();
    // A small square button in the strip above the text, as narrow as the "X" allows.
    const int buttonHeight = std::max(GetCharHeight() + FromDIP(4), FromDIP(18));
    const int buttonWidth = buttonHeight + FromDIP(2);
    m_close->SetSize(size.x - buttonWidth - FromDIP(1), FromDIP(1), buttonWidth, buttonHeight);
    const int top = buttonHeight + FromDIP(2);
    m_text->SetSize(FromDIP(1), top, std::max(0, size.x - FromDIP(2)), std::max(0, size.y - top - FromDIP(1)));
}
