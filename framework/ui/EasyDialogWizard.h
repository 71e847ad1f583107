#pragma once

#include "framework/WizardModel.h"
#include "framework/ui/EasyDialog.h"

#include <cstdint>
#include <string>
#include <vector>

class wxButton;
class wxSimplebook;
class wxStaticText;

// Control ids of a dialog's wizard frame.
inline constexpr int WizardFrameId = 1246;
inline constexpr int WizardBackId = 1247;
inline constexpr int WizardNextId = 1248;
inline constexpr int WizardHintId = 1424;

// One page of a dialog shown as a wizard. Enter inside the page acts as the dialog's Next.
class CEasyDialogWizardPage : public CEasyDialog
{
public:
    explicit CEasyDialogWizardPage(uint32_t templateId, const wxString& title = wxString());

    uint32_t GetTemplateId() const { return m_templateId; }
    // Texts of the Next button on this page; empty for "&Next >" and "&Finish".
    void SetNextText(const std::string& text) { m_nextText = text; }
    void SetFinishText(const std::string& text) { m_finishText = text; }
    const std::string& GetNextText() const { return m_nextText; }
    const std::string& GetFinishText() const { return m_finishText; }

    void OnOK() override;

protected:
    bool OnInitDialog() override;

private:
    CEasyDialog* ParentDialog() const;

    uint32_t m_templateId;
    std::string m_nextText;
    std::string m_finishText;
};

// The wizard frame of a CEasyDialog: the pages in a book where frame 1246 stands, Back, Next
// and the hint line, run by CWizardModel.
class CEasyDialogWizard : public CWizardHost
{
public:
    explicit CEasyDialogWizard(CEasyDialog& dialog) : m_dialog(dialog), m_model(*this) {}

    void AddPage(CEasyDialogWizardPage* page);
    // The frame, Back, Next and hint controls in the dialog, laid out in the returned sizer.
    wxSizer* CreateFrame();
    bool HasFrame() const { return m_book != nullptr; }
    // Creates the pages' windows and shows the first usable page.
    void Start();

    CWizardModel& Model() { return m_model; }
    int32_t FindPage(const CEasyDialogWizardPage* page) const;
    CEasyDialogWizardPage* GetPage(int32_t index) const;
    wxButton* GetBackButton() const { return m_back; }
    wxButton* GetNextButton() const { return m_next; }
    wxStaticText* GetHint() const { return m_hint; }

    // CWizardHost.
    bool ExchangeWizardPage(int32_t index, bool save) override;
    void ShowWizardPage(int32_t index, bool show) override;
    void SetBackEnabled(bool enabled) override;
    void SetNextText(const std::string& text) override;
    void SetHintText(const std::string& text) override;
    void FinishWizard() override { m_dialog.OnOK(); }
    void OnLeavingWizardPage(int32_t index) override;
    void OnWizardPageActivated(int32_t index) override;

private:
    CEasyDialog& m_dialog;
    CWizardModel m_model;
    std::vector<CEasyDialogWizardPage*> m_pages; // not owned
    wxSimplebook* m_book = nullptr;
    wxButton* m_back = nullptr;
    wxButton* m_next = nullptr;
    wxStaticText* m_hint = nullptr;
};
