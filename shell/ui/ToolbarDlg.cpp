#include "shell/ui/ToolbarDlg.h"

#include "framework/ui/WindowHelpers.h"

#include <wx/button.h>
#include <wx/sizer.h>

CToolbarDlg::CToolbarDlg(wxWindow* parent, std::vector<Entry>& entries, ShowBar show, IsBarShown isShown)
    : wxDialog(parent, wxID_ANY, "Toolbars"), m_entries(entries), m_show(std::move(show)),
      m_isShown(std::move(isShown))
{
    m_list = new CEasyCheckListBox(this, wxID_ANY, CEasyCheckListBox::ClickAnywhere);
    for (const Entry& entry : m_entries) {
        const unsigned item = unsigned(m_list->Append(ToWx(entry.name)));
        m_list->Check(item, entry.shown);
    }
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_list, 1, wxEXPAND | wxALL, 10);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    sizer->Add(ok, 0, wxALIGN_RIGHT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
    m_list->Bind(wxEVT_CHECKLISTBOX, [this](wxCommandEvent& e) {
        m_list->SetSelection(e.GetInt());
        ApplySelection();
    });
    m_list->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { ApplySelection(); });
    m_list->Bind(wxEVT_KEY_UP, [this](wxKeyEvent& e) {
        e.Skip();
        ApplySelection();
    });
    CentreOnParent();
}

void CToolbarDlg::ApplySelection()
{
    const int item = m_list->GetSelection();
    if (item == wxNOT_FOUND || size_t(item) >= m_entries.size())
        return;
    Entry& entry = m_entries[size_t(item)];
    const bool checked = m_list->IsChecked(unsigned(item));
    if (checked == m_isShown(entry.bar))
        return;
    m_show(entry.bar, checked);
    entry.shown = checked;
    if (entry.shownOut)
        *entry.shownOut = checked;
    Raise();
}
