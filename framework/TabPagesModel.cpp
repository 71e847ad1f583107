#include "framework/TabPagesModel.h"

#include <algorithm>

CTabPage* CTabPagesModel::GetPage(int32_t index) const
{
    return index >= 0 && index < GetCount() ? m_pages[size_t(index)].page : nullptr;
}

const std::string& CTabPagesModel::GetTitle(int32_t index) const
{
    static const std::string none;
    return index >= 0 && index < GetCount() ? m_pages[size_t(index)].title : none;
}

int32_t CTabPagesModel::FindPage(const CTabPage* page) const
{
    for (int32_t i = 0; i < GetCount(); ++i)
        if (m_pages[size_t(i)].page == page)
            return i;
    return -1;
}

int32_t CTabPagesModel::AddPage(const std::string& title, CTabPage* page)
{
    const int32_t index = InsertPage(title, page, GetCount());
    if (index >= 0 && HasWindow()) {
        const int32_t shown = m_selection >= 0 ? m_selection : 0;
        m_selection = shown;
        OnSelectionChanged(shown);
        ShowSelectedPage(-1);
    }
    return index;
}

int32_t CTabPagesModel::InsertPage(const std::string& title, CTabPage* page, int32_t index)
{
    if (page == nullptr || index < 0 || index > GetCount())
        return -1;
    m_pages.insert(m_pages.begin() + index, Entry{title, page});
    OnPageAdded(index, title);
    if (m_selection >= index)
        ++m_selection;
    return index;
}

CTabPage* CTabPagesModel::RemovePage(int32_t index)
{
    CTabPage* page = GetPage(index);
    if (page == nullptr)
        return nullptr;
    m_pages.erase(m_pages.begin() + index);
    OnPageRemoved(index);
    page->ShowPage(false);
    if (m_selection == index) {
        m_selection = GetCount() == 0 ? -1 : std::min(index, GetCount() - 1);
        OnSelectionChanged(m_selection);
    } else if (m_selection > index) {
        --m_selection;
    }
    return page;
}

bool CTabPagesModel::RemovePage(CTabPage* page)
{
    const int32_t index = FindPage(page);
    return index >= 0 && RemovePage(index) != nullptr;
}

void CTabPagesModel::RemoveAllPages()
{
    while (GetCount() > 0)
        RemovePage(0);
}

bool CTabPagesModel::CanLeaveCurrentPage(uint8_t flag)
{
    m_nPrevSel = m_selection;
    CTabPage* page = GetPage(m_selection);
    if (page == nullptr || !page->IsPageShown() || m_bSelectingForError || m_nValidationMode != ValidateOnLeave)
        return true;
    return page->ExchangePage(true, flag);
}

void CTabPagesModel::ShowSelectedPage(int32_t previous)
{
    if (CTabPage* left = GetPage(previous); left != nullptr && previous != m_selection)
        left->ShowPage(false);
    if (CTabPage* page = GetPage(m_selection))
        page->ShowPage(true);
}

bool CTabPagesModel::SelectPage(int32_t index, uint8_t flag)
{
    if (GetPage(index) == nullptr)
        return false;
    if (!CanLeaveCurrentPage(flag))
        return false;
    const int32_t previous = m_selection;
    m_selection = index;
    OnSelectionChanged(index);
    ShowSelectedPage(previous);
    return true;
}

bool CTabPagesModel::Exchange(bool save, uint8_t flag)
{
    if (GetCount() == 0)
        return true;
    int32_t first = m_selection >= 0 ? m_selection : 0;
    int32_t last = first;
    if (m_nValidationMode == AllPages) {
        first = 0;
        last = GetCount() - 1;
    }
    for (int32_t i = first; i <= last; ++i) {
        if (GetPage(i)->ExchangePage(save, flag))
            continue;
        // The failing page comes forward; the switch itself must not validate the page left.
        m_bSelectingForError = true;
        if (i != m_selection)
            SelectPage(i, flag);
        m_bSelectingForError = false;
        return false;
    }
    return true;
}
