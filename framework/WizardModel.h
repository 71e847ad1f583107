#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the wizard's rules need of the dialog that shows the pages.
class CWizardHost
{
public:
    virtual ~CWizardHost() = default;
    // The page's field exchange; false when a field refused (it has told the user).
    virtual bool ExchangeWizardPage(int32_t index, bool save) = 0;
    virtual void ShowWizardPage(int32_t index, bool show) = 0;
    virtual void SetBackEnabled(bool enabled) = 0;
    virtual void SetNextText(const std::string& text) = 0;
    virtual void SetHintText(const std::string& text) = 0;
    // Next on the last usable page, after it validated: the dialog's OK.
    virtual void FinishWizard() = 0;
    // Before the current page is left, and after a new page became current.
    virtual void OnLeavingWizardPage(int32_t) {}
    virtual void OnWizardPageActivated(int32_t) {}
};

// The rules of a dialog shown as a wizard: pages one at a time, disabled pages skipped, moving
// forward validates the page left, moving back never does, and Next on the last usable page
// validates it and finishes.
class CWizardModel
{
public:
    static constexpr const char* DefaultNextText = "&Next >";
    static constexpr const char* DefaultFinishText = "&Finish";
    static constexpr const char* NextHint = "Press Next to continue";
    static constexpr const char* FinishHint = "Press Finish when done";

    explicit CWizardModel(CWizardHost& host) : m_host(host) {}

    // Appends a page; its index.
    int32_t AddPage(bool enabled = true);
    // Texts of the Next button on this page while further pages follow, and while it is the last
    // usable one; empty for the defaults.
    void SetPageTexts(int32_t index, const std::string& next, const std::string& finish);
    int32_t GetPageCount() const { return int32_t(m_pages.size()); }
    bool IsPageEnabled(int32_t index) const;
    // The current page keeps its flag; the buttons follow at once either way.
    void SetPageEnabled(int32_t index, bool enabled);
    int32_t GetActivePage() const { return m_current; }

    // The first enabled page (page 0 when none is) becomes current and is shown, the others hidden.
    void Start();
    bool SetActivePage(int32_t index);
    void Back();
    void Next();
    void UpdateWizardButtons();
    // Each page in turn shown and validated; the first that fails becomes current and stays shown.
    bool ValidateAllPages();

private:
    struct Page
    {
        bool enabled = true;
        std::string nextText;
        std::string finishText;
    };
    bool HasEnabledPage(int32_t from, int32_t to) const;
    void ValidateAndFinish();

    CWizardHost& m_host;
    std::vector<Page> m_pages;
    int32_t m_current = -1;
};
