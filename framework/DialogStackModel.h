#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

// What the side bar's stack rules need of a command panel. The window panel implements it; tests
// use fakes. A panel that leaves (destroyed by its own OK or Cancel) tells the model through
// CDialogStackModel::RemoveDialog; one the model closes itself (CloseFromBar) does not.
class CStackPanel
{
public:
    virtual ~CStackPanel() = default;

    virtual uint32_t GetTemplateId() const = 0;
    virtual std::string GetTitle() const = 0;
    virtual bool IsReusable() const { return true; }
    // A stacked panel of the same template may refuse to stand in for a new one.
    virtual bool CanReuse() { return true; }
    virtual bool ClosesWhenCovered() const { return false; }
    virtual bool HasActiveFilter() const { return false; }
    // The objects the panel's selection chips picked go into the view selection.
    virtual void ApplyChipSelection(bool sendHint) {}
    virtual int CanCloseJob() { return 1; }

    virtual bool HasWindow() const = 0;
    virtual void CreatePanelWindow(uint32_t templateId) = 0;
    virtual void ShowPanel(bool show) = 0;
    virtual void OnActivateInBar() {}
    virtual void OnDeactivateInBar() {}
    virtual void SaveActiveControl() {}
    virtual void RestoreActiveControl() {}
    virtual void UpdateNavigationButtons() {}

    // A re-used panel takes over what the user set up in the new one, which is then discarded.
    virtual void TakeOver(CStackPanel* newPanel) {}
    // Another panel covers this one (code 0) or the view changes (code 16); true when the panel
    // closed itself.
    virtual bool OnCovered(int32_t code, const void* parameter) = 0;
    // Destroys the panel as its own OK or Cancel would (it removes itself from the stacks).
    virtual void DestroyPanel() = 0;
    // Destroys the panel without asking to be removed; the model has removed it already.
    virtual void CloseFromBar() = 0;
    // Frees a refused or replaced new panel that never got a window.
    virtual void DiscardPanel() { delete this; }
};

// What the stack rules need of the program around them.
class CDialogStackHost
{
public:
    virtual ~CDialogStackHost() = default;
    virtual const void* GetActiveView() = 0;
    // A live job view (the only kind of view whose stack takes the shared panels).
    virtual bool IsJobView(const void* view) = 0;
    virtual int32_t GetActiveViewKind() { return 2; }
    virtual void RestoreDefaultTool() {}
    virtual void NotifyActiveJob(int32_t code, intptr_t parameter) {}
    virtual void ResetGraphicDataExchange() {}
    virtual bool IsBarVisible() { return true; }
    virtual void ShowBar() {}
    virtual bool ShowNavigatorPreferred() { return true; }
    virtual void FocusMainWindow() {}
    virtual void RenewLabels() {}
    // Asks the main window (posted) to have the home panel refresh every job's file items.
    virtual void RequestFileItemsRefresh() {}
};

// The side bar's stacks: one per view, the top at the front, panels of the shared templates
// stacked for every job view. The home panel (navigator) is never in a stack.
class CDialogStackModel
{
public:
    static constexpr size_t MaxPanelsPerView = 101;
    static const char* const TooManyMessage;

    CDialogStackModel(CDialogStackHost& host, CStackPanel* navigator);

    static bool IsIdAllowedInJobView(uint32_t templateId);
    bool IsDialogAllowedInView(const void* view, uint32_t templateId);

    // False when the panel was refused or an existing one was re-activated in its place.
    bool PushDialog(CStackPanel* panel, uint32_t templateId);
    void ShowDialog(CStackPanel* panel, const void* view);
    CStackPanel* ActivateStackEntry(int n);
    void RemoveDialog(CStackPanel* panel, const void* view);
    // A panel freed from outside leaves every stack without anything else being shown.
    void ForgetPanel(CStackPanel* panel);
    void CloseAllDialogs();
    int QueryCanCloseJob();

    // Change hints the rules act on: 5, 16, 17, 18 (sender = the view), 20, 27 and 29.
    void OnHint(const void* sender, int32_t code, intptr_t parameter);

    CStackPanel* GetTopDialog();
    CStackPanel* GetCurrent() const { return current; }
    CStackPanel* GetNavigator() const { return navigator; }
    size_t GetStackCount();
    bool AreAllStacksEmpty() const;
    CStackPanel* FindDialogById(uint32_t templateId) const;
    bool IsDialogOpen(uint32_t templateId) const { return FindDialogById(templateId) != nullptr; }
    std::vector<std::string> GetStackTitles();
    bool IsNavigatorShown() const { return current == navigator; }
    bool IsNavigatorChosen() const { return navigatorChosen; }
    bool IsClosing() const { return closing; }
    // The panels of one view's stack, top first (empty when the view has none).
    std::vector<CStackPanel*> GetStack(const void* view) const;

private:
    bool IsStacked(const CStackPanel* panel) const;
    void RemoveEverywhere(const CStackPanel* panel);
    void SaveVisibleControl();
    void GiveFocusBack();
    void OnViewActivated();
    void OnViewClosed(const void* view);

    CDialogStackHost& host;
    CStackPanel* navigator;
    std::map<const void*, std::deque<CStackPanel*>> stacks;
    bool closing = false;
    CStackPanel* current;
    const void* previousView = nullptr;
    int32_t viewKindShown = 2;
    uint32_t shownId = 0;
    bool navigatorChosen = true;
};
