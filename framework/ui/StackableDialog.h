#pragma once

#include "framework/DialogStackModel.h"
#include "framework/ui/EasyDialog.h"

#include <wx/menu.h>
#include <wx/weakref.h>

#include <cstdint>
#include <string>
#include <vector>

class CCustomIconButton;
class CMenuButton;
class wxButton;
class CStackingDialogBar;
class CTitleStrip;

// A command panel of the side bar: a title strip in caption colours with a switch button (a menu
// of the stacked panels) and a close button, the panel's own controls below. OK, Cancel, Escape
// and the close button end it; it leaves every stack and the bar shows the next panel.
class CStackableDialog : public CEasyDialog, public CStackPanel
{
public:
    static constexpr int32_t SwitchButtonId = 666666;
    static constexpr int32_t CloseButtonId = 666668;
    static constexpr uint32_t CloseIconId = 621;
    static constexpr int FirstStackCommand = 666;
    static constexpr int LastStackCommand = 767;
    static constexpr size_t MaxTipLength = 80;

    CStackableDialog(uint32_t templateId, const wxString& title);
    ~CStackableDialog() override;

    // The bar the panel lives in; set when the bar takes it.
    void SetBar(CStackingDialogBar* bar) { m_bar = bar; }
    CStackingDialogBar* GetBar() const { return m_bar; }

    void SetLockNavigation(bool lock) { m_lockNavigation = lock; }
    // The home panel cannot be closed; its switch button still leads back to the stacked panels.
    void SetLockClose(bool lock) { m_lockClose = lock; }
    void SetReusable(bool reusable) { m_reusable = reusable; }
    void SetCloseWhenCovered(bool close) { m_closeWhenCovered = close; }
    void SetShowBarOnActivation(bool show) { m_showBarOnActivation = show; }
    void AddPreferredControl(wxWindow* control) { m_preferred.push_back(control); }
    // A panel whose ring of preferred controls changes builds it again from empty.
    void ClearPreferredControls() { m_preferred.clear(); }

    // The painted caption; the title unless a panel says otherwise.
    virtual std::string GetCaption() const { return GetTitle(); }
    static std::string TipForControl(int32_t controlId);

    // Remembers the control and, while the panel is shown, has the bar give it the keyboard
    // (change hint 23 through the job, so the focus moves once the current input is done).
    void SetActiveControl(wxWindow* control);
    // Gives the control the keyboard; a side panel that holds it also keeps it as the control to
    // hand the keyboard back to when the main window becomes active again.
    static void GiveInput(wxWindow& control);
    // The side panel that holds the window; null when it lies in none.
    static CStackableDialog* Enclosing(const wxWindow& window);
    void SaveActiveControl() override;
    void RestoreActiveControl() override;
    bool ActivateFirstUsableWindow();
    void UpdateNavigationButtons() override;
    // Whether the window lies in the panel (not counting hidden parts).
    bool IsDescendant(const wxWindow* window) const;
    // The bar's private messages passed on to the shown panel: 0x8078 to 0x807A and 0x80BD.
    // 0x8079 (the message bar's Report) presses the panel's Report button and answers 1 when
    // that ran the panel's report, so the bar does not hand its own text over as well.
    virtual intptr_t OnBarMessage(uint32_t message, intptr_t wParam);
    static constexpr int ReportButtonId = 1070;
    // The panel's Report button (id 1070); null when it has none. Only a button counts: a field
    // of the same id (on an Adjustments page) is not it.
    wxButton* FindReportButton() const;
    // The switch menu as the title button drops it.
    std::unique_ptr<wxMenu> BuildSwitchMenu();
    void OnStackMenuCommand(int id);

    CMenuButton* GetSwitchButton() const { return m_switchButton; }
    CCustomIconButton* GetCloseButton() const { return m_closeButton; }
    wxWindow* GetTitleStrip() const;
    void PaintTitle(wxDC& dc, bool active);

    // --- CStackPanel.
    uint32_t GetTemplateId() const override { return m_templateId; }
    std::string GetTitle() const override { return CEasyDialog::GetTitle().utf8_string(); }
    bool IsReusable() const override { return m_reusable; }
    bool ClosesWhenCovered() const override { return m_closeWhenCovered; }
    bool HasWindow() const override { return m_created && !m_destroying; }
    void CreatePanelWindow(uint32_t templateId) override;
    void ShowPanel(bool show) override;
    void OnActivateInBar() override;
    // A pick for one of the panel's fields brings the side bar up.
    void OnGraphicDataReceived() override;
    // The stack rules reach the dialog's own selection hooks.
    void OnDeactivateInBar() override { CEasyDialog::OnDeactivateInBar(); }
    void ApplyChipSelection(bool sendHint) override { CEasyDialog::ApplyChipSelection(sendHint); }
    bool HasActiveFilter() const override { return CEasyDialog::HasActiveFilter(); }
    bool OnCovered(int32_t code, const void* parameter) override;
    void DestroyPanel() override;
    void CloseFromBar() override;
    void DiscardPanel() override;

    // --- CInterested: only the home panel and panels the active view allows hear the job.
    bool IsInterested(int32_t code) override;

    // --- CEasyDialog.
    void OnOK() override;
    void OnCancel() override;
    bool PreTranslateInput(const DialogKeyMessage& msg) override;
    // 0x80D5, Enter in the panel: 1 when one of its preferred controls is usable.
    int OnEnterRelay() override;
    // Enter never closes a side panel nor loses what was typed: answered 1, it brings the
    // keyboard to the first usable preferred control; from there on it moves as Tab does.
    int OfferEnterKey() override;

protected:
    bool OnInitDialog() override;
    bool WantsStandardButtons() const override { return false; }

private:
    friend class CTitleStrip;
    void DestroyWindowEx();
    void RequestFocusFor(wxWindow* control);
    wxWindow* FirstUsablePreferred() const;

    CStackingDialogBar* m_bar = nullptr;
    uint32_t m_templateId;
    bool m_lockNavigation = false;
    bool m_lockClose = false;
    bool m_reusable = true;
    bool m_closeWhenCovered = false;
    bool m_showBarOnActivation = true;
    bool m_closedByBar = false;
    bool m_saveArmed = true;
    bool m_created = false;
    bool m_destroying = false;
    // Weak: a panel re-used for another record, or reloaded by an undo while covered, destroys
    // the controls it had remembered.
    wxWeakRef<wxWindow> m_savedControl;
    std::vector<wxWeakRef<wxWindow>> m_preferred;
    CTitleStrip* m_strip = nullptr;
    CMenuButton* m_switchButton = nullptr;
    CCustomIconButton* m_closeButton = nullptr;
};
