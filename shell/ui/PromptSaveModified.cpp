#include "shell/ui/PromptSaveModified.h"

#include "framework/ui/ModalDialog.h"
#include "framework/ui/WindowHelpers.h"
#include "platform/MessageBox.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

// Fetches the rows from the change list on paint, so a long history costs nothing to show.
class ChangeListCtrl : public wxListCtrl
{
public:
    ChangeListCtrl(wxWindow* parent, const std::vector<std::string>* changes)
        : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(460, 220)),
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_NO_HEADER | wxLC_SINGLE_SEL),
          m_changes(changes)
    {
        InsertColumn(0, wxString());
        SetItemCount(changes ? long(changes->size()) : 0);
    }

    wxString OnGetItemText(long item, long) const override
    {
        if (!m_changes || item < 0 || size_t(item) >= m_changes->size())
            return {};
        return ToWx((*m_changes)[size_t(item)]);
    }

private:
    const std::vector<std::string>* m_changes;
};

} // namespace

CPromptSaveModified::CPromptSaveModified(wxWindow* parent, const std::string& text,
                                         const std::vector<std::string>* changes, bool okOnly)
    : CEasyDialog(wxTheApp ? wxTheApp->GetAppDisplayName() : wxString("Morvel")), m_okOnly(okOnly), m_text(text),
      m_changes(changes)
{
    CreateModalHost(parent);
}

void CPromptSaveModified::BuildControls()
{
    const std::string& text = m_text;
    const std::vector<std::string>* changes = m_changes;
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, ToWx(text)), 0, wxALL, 10);
    sizer->Add(new wxStaticText(this, wxID_ANY, "Recent Changes"), 0, wxLEFT | wxRIGHT, 10);
    m_list = new ChangeListCtrl(this, changes);
    sizer->Add(m_list, 1, wxEXPAND | wxALL, 10);
    m_list->SetColumnWidth(0, m_list->GetClientSize().x - wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, m_list));
    if (changes && !changes->empty())
        m_list->EnsureVisible(long(changes->size()) - 1);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    struct Button
    {
        int id;
        const char* caption;
    };
    const std::vector<Button> row =
        m_okOnly ? std::vector<Button>{{IDOK, "OK"}} : std::vector<Button>{{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
    for (const auto& b : row) {
        auto* button = new wxButton(this, wxID_ANY, b.caption);
        button->Bind(wxEVT_BUTTON, [this, id = b.id](wxCommandEvent&) { Answer(id); });
        buttons->Add(button, 0, wxALL, 5);
        if (b.id == row.front().id)
            button->SetDefault();
    }
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxRIGHT | wxBOTTOM, 5);
    SetSizerAndFit(sizer);
}

void CPromptSaveModified::Answer(int id)
{
    EndDialog(id);
}

CViewLastModified::CViewLastModified(wxWindow* parent, const std::string& text, const std::vector<std::string>* changes)
    : CPromptSaveModified(parent, text, changes, true)
{
    if (wxDialog* host = GetModalHost())
        host->SetTitle(ToWx(text));
}
