#pragma once

#include "framework/GraphicDataTarget.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/EasyEdit.h"
#include "model/DataFileDoc.h"
#include "views/ui/InteractionPart.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CCustomToolTipCtrl;
class CDataExchange;
class CFormat;
class CInteractiveControl;
class CObjectIdWnd;
class CView;
class CRecord;
class CRawDataSetup;

// The drop button beside a field: asks the field about each item, then drops the menu.
class CInteractiveControlMenuButton : public CMenuButton
{
public:
    CInteractiveControlMenuButton(wxWindow* parent, CInteractiveControl* owner, int32_t menuId);
    void SetMenuId(int32_t id) { m_menuId = id; }
    int32_t GetMenuId() const { return m_menuId; }
    // Builds the menu as the field wants it; null without a menu.
    std::unique_ptr<wxMenu> BuildMenu();
    void DropMenu();

private:
    CInteractiveControl* m_owner;
    int32_t m_menuId;
};

// The edit field of every survey value: typed, or picked in the map while it waits as the
// exchange's target. Its text is its value; numbers pass through the exchange routines only.
class CInteractiveControl : public CEasyEdit, public CGraphicDataTarget
{
public:
    CInteractiveControl();
    ~CInteractiveControl() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& value = wxString(), long style = 0);

    // --- The contract of the fields.
    virtual void RestartInteraction();
    virtual bool IsInteractive() const override { return false; }
    virtual void DrawMapFeedback(CObjectIdWnd* popup, CView* view) {}
    virtual void StartInteraction(bool quiet);
    virtual bool OnToolEvent(int32_t code) { return true; }
    // Reads the text through the field's exchange and writes it back normalised, quietly. It
    // takes the toolkit's name for validation; the answer is always true.
    bool Validate() override = 0;
    virtual bool AcceptsUnsnappedClick() const { return true; }
    // Answers to 0x80B5 to 0x80B7 while the menu is prepared; 0 leaves the item as it is.
    virtual intptr_t OnMenuItemQuery(uint32_t message, int32_t command, void* data) { return 0; }
    // A menu command; false when the field does not take it.
    virtual bool OnFieldCommand(int32_t command);
    // After the focus made a field of a stacked panel the target.
    virtual void OnFieldFocused() {}

    bool ActivateInteraction();
    void ResumeInteraction() override;
    void MarkFilledBy(CInteractiveControl* buddy);
    CInteractiveControl* GetBuddy() const;
    void SetMenuId(int32_t id);
    int32_t GetMenuId() const { return m_menuId; }
    CInteractiveControlMenuButton* GetMenuButton() const { return m_menuButton; }
    CCustomToolTipCtrl* GetToolTip() const { return m_toolTip.get(); }
    void ShowInvalidSelectionTip(const std::string& text);
    bool QueryObjectAtPick(int32_t kind, RecordRef& out, int32_t code);
    bool QueryPointAtPick(RecordRef& out, int32_t code);
    bool QueryHitObject(RecordRef& out, uint32_t typeMask);
    // Sets the text, all of it selected.
    void SetFieldText(const std::string& text);
    std::string GetFieldText() const;
    // Drops the menu (the button's click and the Down key).
    void DropMenu();
    // Runs the dropped menu at a client point: the chosen command, wxID_NONE for none.
    virtual int TrackFieldMenu(wxMenu& menu, const wxPoint& client);

    int32_t GetInteractionKind() const { return m_part.GetInteractionKind(); }
    void SetInteractionKind(int32_t kind) { m_part.SetInteractionKind(kind); }
    bool IsInStackedDialog() const { return m_part.IsInStackedDialog(); }
    CInteractionPart& GetPart() { return m_part; }

    // Values are formatted for a raw line's setup instead of the job when set.
    void SetRawFormat(const CRawDataSetup* setup)
    {
        m_rawFormat = true;
        m_rawSetup = setup;
    }
    // The formatter in effect: the raw line's or the active job's.
    std::unique_ptr<CFormat> MakeFormatter() const;

    // --- CGraphicDataTarget.
    bool IsTargetEnabled() const override;
    bool AcceptsLinePick() const override { return AcceptsUnsnappedClick(); }
    bool IsAcceptedByFrame() const override;
    bool TakeGraphicData(uint32_t code) override;
    void NotifyDialog(uint32_t code) override;
    bool IsInVisibleStackedDialog() const override;
    void TakeFocusAgain() override;

    bool Enable(bool enable = true) override;
    bool Show(bool show = true) override;

protected:
    // Runs one exchange routine over this field alone.
    bool ExchangeSelf(bool save, const std::function<bool(CDataExchange*, int)>& routine);

private:
    void Attach();
    void CreateMenuButton();
    // Whether the side bar that holds the field is being destroyed.
    bool IsInDyingBar() const;
    void OnSetFocusField(wxFocusEvent& event);
    void OnKillFocusField(wxFocusEvent& event);
    void OnKeyDownField(wxKeyEvent& event);
    void OnMenuCommand(wxCommandEvent& event);
    void OnCalculator();

    CInteractionPart m_part;
    CInteractiveControlMenuButton* m_menuButton = nullptr; // a sibling window
    // The tip about the field's value, a second after the pointer came to rest on it.
    std::unique_ptr<CCustomToolTipCtrl> m_toolTip;
    int32_t m_menuId = -1;
    bool m_rawFormat = false;
    const CRawDataSetup* m_rawSetup = nullptr; // not owned
};

// The main frame's calculator takes a field's number (no value opens it empty).
void OpenFieldCalculator(double value);
