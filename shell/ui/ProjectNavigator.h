#pragma once

#include "core/ColoredTextLines.h"
#include "framework/ui/NavigatorPanel.h"
#include "framework/ui/StackableDialog.h"
#include "shell/NavigatorModel.h"

#include <wx/treectrl.h>

#include <memory>

class CCustomToolTipCtrl;
class CObjectIdWnd;
class wxImageList;
class wxStaticText;

// The navigator's tree; its tooltip follows the one tree window and starts over on every click.
class CNavigatorTree : public wxTreeCtrl
{
public:
    explicit CNavigatorTree(wxWindow* parent);
    ~CNavigatorTree() override;
    CCustomToolTipCtrl* GetToolTip() const { return m_tooltip.get(); }

private:
    std::unique_ptr<CCustomToolTipCtrl> m_tooltip;
};

// The side bar's home panel: the active job with its two data files and shortcuts to the common
// job operations. Hovering an item shows what it is; a click on a shortcut posts its main-menu
// command; a click on a file item asks the main window to show (or rebuild) the job.
class CProjectNavigator : public CStackableDialog, public CNavigatorPanel
{
public:
    static constexpr uint32_t TemplateId = 1727;
    static constexpr int IdTree = 1080;
    static constexpr int IdLabel = 1089;

    CProjectNavigator();
    ~CProjectNavigator() override;

    std::string GetCaption() const override { return "   "; }

    // --- CNavigatorPanel.
    void Initialize() override;
    void ShowNoFile() override;
    void SetJobTitle(const std::string& title) override;
    void ShowFile(const std::string& path) override;
    void RefreshAllJobs() override;
    void RefreshActiveJobMarks() override;
    void UpdateFileItems(const std::string& fileName) override;
    void SelectActiveJobFile(bool raw) override;

    // --- Change hints: 26 (saved) and 30 refresh the file marks.
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

    // --- What the mouse reaches; points in tree client coordinates. Tests call these directly.
    void OnTreeClick(const wxPoint& treePoint);
    // The context menu for the item at the point (which becomes the selected one).
    std::unique_ptr<wxMenu> BuildContextMenu(const wxPoint& treePoint);
    void OnTreeRightClick(const wxPoint& treePoint);
    // Fills the tip for the screen point; the kind of what is there, 0 for nothing.
    uint32_t FormatItemInfo(const wxPoint& screen);
    void OnToolTipNeedText(wxWindow* tool, const wxPoint& screen);

    // --- Commands on the selected item.
    void ToggleIconSize();
    void OnReloadFromFile();
    bool CanReloadFromFile();
    void OnDeleteFile();
    bool CanDeleteFile();
    void OnOpenInEditor();
    bool CanOpenInEditor();
    void RequestRegeneration(int index, bool raw);

    // The file an item stands for; kind gets the item's kind (the job item's first child's).
    std::string GetItemFileName(const wxTreeItemId& item, uint32_t& kind);
    std::string GetJobFilePath(const std::string& name);

    // --- What a person sees.
    CNavigatorTree* GetTree() const { return m_tree; }
    wxStaticText* GetTitleLabel() const { return m_label; }
    int GetIconSize() const { return m_iconSize; }
    const CColoredTextLines& GetTipLines() const { return m_tipLines; }
    uint32_t GetTipIcon() const { return m_tipIcon; }
    CObjectIdWnd* GetTipWindow() const { return m_popup; }
    uint32_t GetItemKind(const wxTreeItemId& item) const;
    wxTreeItemId FindItemOfKind(uint32_t kind) const;
    // The item shows the file-missing mark.
    bool IsItemMarked(const wxTreeItemId& item) const;

    // The first icon size: 32 above 1024 x 768, else 16.
    static int DefaultIconSize(int screenWidth, int screenHeight);

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void OnOK() override {}

private:
    nav::Job ActiveJob() const;
    void BuildImageList();
    void BuildTree();
    void RefreshJobFiles(const wxTreeItemId& jobItem);
    void SetItemMark(const wxTreeItemId& item, bool marked);
    void SelectJobFileItem(int n, bool raw);
    wxWindow* MainWindow() const;

    CColoredTextLines m_tipLines;
    std::unique_ptr<CCustomToolTipCtrl> m_tooltip;
    uint32_t m_tipIcon = 245;
    CNavigatorTree* m_tree = nullptr;
    wxStaticText* m_label = nullptr;
    std::unique_ptr<wxImageList> m_images;
    int m_iconSize = 32;
    CObjectIdWnd* m_popup = nullptr;
};
