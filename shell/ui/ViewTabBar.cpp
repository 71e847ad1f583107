#include "shell/ui/ViewTabBar.h"

#include "framework/ui/Icons.h"
#include "model/HintCodes.h"
#include "platform/ShellHooks.h"
#include "shell/CommandIds.h"
#include "views/ui/MorvelView.h"

#include <wx/imaglist.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

namespace {
constexpr int32_t JobViewKind = 0;

CMorvelView* ActiveJobView()
{
    int32_t kind = 2;
    CView* view = GetActiveViewAndKind(&kind);
    return kind == JobViewKind ? dynamic_cast<CMorvelView*>(view) : nullptr;
}
} // namespace

CViewTabBar::CViewTabBar(wxWindow* parent, wxWindowID id, CIcons& icons) : wxPanel(parent, id)
{
    SetName("View Tab Bar");
    m_tabs = new wxNotebook(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxNB_TOP);
    auto* images = new wxImageList(16, 16, true, 2);
    for (unsigned icon : {IconCoordinatesTab, IconRawDataTab}) {
        const wxBitmap* bitmap = icons.GetIcon(icon, true);
        images->Add(bitmap ? *bitmap : wxBitmap(16, 16));
    }
    m_tabs->AssignImageList(images);
    // The tabs only switch the job view's panes; their pages stay empty, blank squares that the
    // keyboard passes by.
    for (const char* title : {"Coordinates", "Raw Data"}) {
        auto* blank = new wxWindow(m_tabs, wxID_ANY);
        blank->SetCanFocus(false);
        m_tabs->AddPage(blank, title, m_tabs->GetPageCount() == 0, int(m_tabs->GetPageCount()));
    }
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_tabs, 1, wxEXPAND);
    SetSizer(sizer);
    SetWindow(this);
    m_tabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CViewTabBar::OnPageChanged, this);
}

CViewTabBar::~CViewTabBar() = default;

void CViewTabBar::RebuildTabs()
{
    CMorvelView* view = ActiveJobView();
    if (!view)
        return;
    const int tab = view->GetCurrentTab();
    if (tab >= 0 && tab < int(m_tabs->GetPageCount()) && tab != m_tabs->GetSelection()) {
        m_rebuilding = true;
        m_tabs->ChangeSelection(size_t(tab));
        m_rebuilding = false;
    }
}

void CViewTabBar::OnTabChosen(int index)
{
    CMorvelView* view = ActiveJobView();
    if (view && view->GetCurrentTab() != index)
        view->SelectTab(index);
    if (m_tabs->GetSelection() != index && index >= 0 && index < int(m_tabs->GetPageCount()))
        m_tabs->ChangeSelection(size_t(index));
}

void CViewTabBar::OnPageChanged(wxBookCtrlEvent& event)
{
    if (!m_rebuilding)
        OnTabChosen(event.GetSelection());
}

int CViewTabBar::GetTabCount() const { return int(m_tabs->GetPageCount()); }

wxString CViewTabBar::GetTabText(int index) const { return m_tabs->GetPageText(size_t(index)); }

int CViewTabBar::GetSelectedTab() const { return m_tabs->GetSelection(); }

bool CViewTabBar::IsInterested(int32_t code) { return code == HintViewActivated || code == HintNewEnd; }

void CViewTabBar::OnNotify(void*, int32_t code, intptr_t)
{
    if (!IsInterested(code))
        return;
    RebuildTabs();
}
