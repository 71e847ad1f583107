#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A page of a tab control, as the tab's rules see it.
class CTabPage
{
public:
    virtual ~CTabPage() = default;
    // The page's field exchange; false when a field refused (it has told the user).
    virtual bool ExchangePage(bool save, uint8_t flag) = 0;
    virtual void ShowPage(bool show) = 0;
    virtual bool IsPageShown() const = 0;
};

// The rules of a tab control that holds one page per tab: which page is shown, when leaving a page
// validates it, and which pages an exchange covers. The window only mirrors the selection.
class CTabPagesModel
{
public:
    // 0: exchange covers the shown page, leaving does not validate; 1: the shown page, leaving
    // validates; 2: every page, leaving does not validate.
    enum ValidationMode : int32_t { CurrentPageOnly = 0, ValidateOnLeave = 1, AllPages = 2 };

    virtual ~CTabPagesModel() = default;

    void SetValidationMode(int32_t mode) { m_nValidationMode = mode; }
    int32_t GetValidationMode() const { return m_nValidationMode; }

    int32_t GetCount() const { return int32_t(m_pages.size()); }
    int32_t GetSelection() const { return m_selection; }
    CTabPage* GetPage(int32_t index) const;
    const std::string& GetTitle(int32_t index) const;
    int32_t FindPage(const CTabPage* page) const;
    CTabPage* GetActivePage() const { return GetPage(m_selection); }

    // Appends; with a window the current tab (tab 0 when none) is shown again. The index.
    int32_t AddPage(const std::string& title, CTabPage* page);
    // -1 for an index past the end.
    int32_t InsertPage(const std::string& title, CTabPage* page, int32_t index);
    // The page, hidden and no longer held (the caller owns it); a removed selected tab leaves the
    // selection on the tab now at its place, or the last one, without showing its page.
    CTabPage* RemovePage(int32_t index);
    bool RemovePage(CTabPage* page);
    void RemoveAllPages();

    // The leaving check: false when the shown page refused to be left.
    bool CanLeaveCurrentPage(uint8_t flag);
    // Hides the page left (previous), shows the one at the new selection.
    void ShowSelectedPage(int32_t previous);
    // The leaving check, then the new page; false when the page stays.
    bool SelectPage(int32_t index, uint8_t flag = 0);
    // The window changed the selection itself, after the leaving check passed.
    void NoteSelection(int32_t index) { m_selection = GetPage(index) ? index : m_selection; }
    // The exchange over the range the mode names; a failing page is brought forward without
    // being validated again. False at the first failure.
    bool Exchange(bool save, uint8_t flag);

protected:
    // The window's selection follows the model's (no notifications).
    virtual void OnSelectionChanged(int32_t) {}
    virtual void OnPageAdded(int32_t, const std::string&) {}
    virtual void OnPageRemoved(int32_t) {}
    virtual bool HasWindow() const { return true; }

private:
    struct Entry
    {
        std::string title;
        CTabPage* page;
    };
    std::vector<Entry> m_pages;
    int32_t m_nValidationMode = ValidateOnLeave;
    int32_t m_nPrevSel = -1;
    int32_t m_selection = -1;
    bool m_bSelectingForError = false;
};
