#pragma once

#include "core/DataExchange.h"
#include "core/Report.h"
#include "framework/DialogKeys.h"
#include "framework/DialogNotifyTarget.h"
#include "framework/PersistentFields.h"

#include <wx/panel.h>
#include <wx/weakref.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

class wxDialog;
class wxSizer;
class CObjectIdWnd;
class CEasyDialogWizard;
class CEasyDialogWizardPage;

// Roles of the windows that hold a northing or an easting field, so that the dialog can put them
// in the preferred coordinate order.
inline constexpr int CoordinateRoleNone = 0;
inline constexpr int CoordinateRoleNorthing = 1;
inline constexpr int CoordinateRoleEasting = 2;

// The base of every dialog and command panel. It is a panel, so a side bar, a notebook or a wizard
// can hold it as a child; DoModal shows it in a small modal dialog with OK and Cancel. It hears the
// change hints, exchanges its fields through the program's own field exchange (DoDataExchange,
// UpdateDataEx), keeps its coordinate fields in the preferred order, its unit captions current,
// and handles Enter as Tab and Escape as the rest of the program does.
class CEasyDialog : public wxPanel,
                    public CDialogNotifyTarget,
                    public CPersistentFields,
                    public CDdxDialog,
                    public CDialogKeyHost
{
public:
    explicit CEasyDialog(const wxString& title = wxString());
    ~CEasyDialog() override;

    // Makes the window as a child of parent, builds the controls and initialises them.
    bool Create(wxWindow* parent);
    // Shows the dialog in a modal host; ends with wxID_OK or wxID_CANCEL (or EndDialog's result).
    int DoModal(wxWindow* parent = nullptr);
    // Makes the modal host and the dialog's window in it without showing them, so a dialog can be
    // looked at before it runs; DoModal then shows this host.
    void CreateModalHost(wxWindow* parent);
    const wxString& GetTitle() const { return m_title; }
    // Ends a modal run with the result; outside one, only records it.
    void EndDialog(int result);
    int GetResult() const { return m_result; }
    bool HasEnded() const { return m_ended; }
    wxDialog* GetModalHost() const { return m_host; }
    // The dialog a modal host shows; null for any other dialog.
    static CEasyDialog* FromHost(wxDialog& host);

    // The exchange entry point: with save, under the job's point-name reservation. A non-zero flag
    // is held for the length of the exchange; while it is set a refused field shows no pop-up.
    bool UpdateDataEx(bool save, uint8_t flag = 0);
    uint8_t GetExchangeFlag() const { return m_exchangeFlag; }

    // OK exchanges with validation and ends with wxID_OK; Cancel ends with wxID_CANCEL.
    virtual void OnOK();
    virtual void OnCancel();

    // Moves the window (the modal host when there is one) next to a point, the mouse by default:
    // right and below, else shifted left, up, then right again; centred when nothing fits.
    void PositionNear(const wxPoint* at = nullptr, const wxSize* size = nullptr);

    // Hooks of the side bar, the graphic data exchange and the wizard; they do nothing here.
    virtual void OnGraphicDataReceived() {}
    virtual void OnGraphicDataTargetSet() {}
    virtual void OnActivateInBar() {}
    virtual void UpdateUnitLabels();
    // The selection hooks act on the current wizard page when there is one.
    CSelectionFilterPtr GetSelectionFilter() override;
    bool HasActiveFilter() const override;
    void OnDeactivateInBar() override;
    void ApplyChipSelection(bool sendHint) override;
    bool SelectFiltered() override;
    bool DeselectFiltered() override;
    bool ToggleFiltered() override;

    // --- The dialog as a wizard: pages shown one at a time in the frame CreateWizardFrame makes
    // (framework/ui/EasyDialogWizard.h). The pages are the derived dialog's; they are not owned.
    void AddPage(CEasyDialogWizardPage* page);
    wxSizer* CreateWizardFrame();
    bool IsPageEnabled(int32_t index) const;
    void SetPageEnabled(CEasyDialogWizardPage* page, bool enabled);
    CEasyDialogWizardPage* GetActivePage() const;
    bool SetActivePage(int32_t index);
    bool ValidateAllPages();
    virtual void UpdateWizardButtons();
    void WizardBack();
    void WizardNext();
    CEasyDialogWizard* GetWizard() const { return m_wizard.get(); }

    // The popup in which the dialog's fields show their tips; made on first use, null when it
    // cannot be made.
    CObjectIdWnd* GetObjectIdPopup();

    // What the dialog reports (filled by the dialogs that write a report).
    CReport& GetReport() { return m_report; }

    // Unit captions follow the job's units (hint 2) and the captions and order (hint 10).
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

    void SetCoordinateRole(wxWindow* window, int role);
    int GetCoordinateRole(const wxWindow* window) const;

    // 0x80D5: 1 when the dialog stands alone (Enter presses OK), else what the enclosing dialog says.
    virtual int OnEnterRelay();

    // The sender this dialog passes with its hints, so receivers compare one pointer type.
    void* AsHintSender() { return static_cast<void*>(this); }

    // Field exchange.
    CDdxControl* GetDdxControl(int id) override;
    bool IsDdxQuiet() const override { return m_exchangeFlag != 0; }
    void ShowDdxPage() override;
    void GiveDdxFocus(int id) override;

    // Key handling.
    DialogWindow GetFocus() override;
    void FocusNextControl() override;
    int GetControlId(DialogWindow control) override;
    bool IsPushButton(DialogWindow control) override;
    bool IsPressOnEnterButton(DialogWindow control) override { return false; }
    void PostCommand(DialogWindow control) override;
    void NotifyActiveDocument(int32_t hint, intptr_t parameter) override;
    bool BasePreTranslate(const DialogKeyMessage& msg) override { return false; }
    bool IsInContextHelpMode() override { return false; }
    bool IsMultiLineEdit(DialogWindow control) override;
    int OfferEnterKey() override;
    bool ParentFramesPreTranslate(const DialogKeyMessage& msg) override { return false; }
    bool PreTranslateInput(const DialogKeyMessage& msg) override;
    // A key as it reaches the dialog; true when it was handled.
    bool HandleKey(int wxKeyCode);

protected:
    // Creates the controls and the sizer; the window exists.
    virtual void BuildControls() {}
    // After the controls exist: captions, coordinate order, view kind. Derived dialogs call this
    // first, then load their fields.
    virtual bool OnInitDialog();
    // Lists the fields in a fixed order; the base has none.
    virtual void DoDataExchange(CDataExchange& dx) {}
    // Whether the modal host adds OK and Cancel below the dialog.
    virtual bool WantsStandardButtons() const { return true; }

    void SwapCoordinateFields(bool order) override;

private:
    class CControlAdapter;

    void OnCharHook(wxKeyEvent& event);
    CEasyDialogWizard& Wizard();
    void StartWizard();

    wxString m_title;
    wxDialog* m_host = nullptr; // owned while a modal run made it; destroyed after the panel
    bool m_buildingHost = false;
    std::optional<wxPoint> m_placeWhenBuilt;
    std::map<int, std::unique_ptr<CControlAdapter>> m_adapters;
    std::map<const wxWindow*, int> m_roles;
    int m_result = 0;
    bool m_ended = false;
    uint8_t m_exchangeFlag = 0;
    CReport m_report{0};
    std::unique_ptr<CEasyDialogWizard> m_wizard;
    wxWeakRef<wxWindow> m_objectIdWnd; // a child window, goes with the dialog
};
