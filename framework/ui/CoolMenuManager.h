#pragma once

#include "framework/AcceleratorChain.h"
#include "framework/ToolbarImageMap.h"
#include "framework/ui/SubclassWnd.h"

#include <wx/bitmap.h>
#include <wx/menuitem.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CIcons;
class wxFrame;
class wxKeyEvent;
class wxMenu;
class wxWindow;

// A menu item whose key text brackets a "+" or "-" key ("Zoom In\tAlt+(+)"). The toolkit reads
// "+" and "-" as joining signs and would take ")" for the key; this item gives it the sign.
class CKeyTextMenuItem : public wxMenuItem
{
public:
    using wxMenuItem::wxMenuItem;
    wxAcceleratorEntry* GetAccel() const override;
};

// Gives the frame's menus the toolbar picture of each command and the keys of each command after
// its text. GTK draws the menus itself (pictures, checks, radio dots, greyed items); the manager
// decides what each item shows. The menus are read as the frame built them; a key written in an
// item's text joins the frame's key list when the list has none for that command and the key is
// free. Every key of the list is live in the frame's accelerator table.
class CCoolMenuManager : public CSubclassWnd
{
public:
    // A toolbar's buttons: command ids in order (0 a separator) and their picture size.
    struct Toolbar
    {
        std::vector<int> commands;
        int imageWidth = 16;
        int imageHeight = 16;
    };
    using ToolbarSource = std::function<std::optional<Toolbar>(int toolbarId)>;

    explicit CCoolMenuManager(CIcons* icons = nullptr);
    ~CCoolMenuManager() override;

    void Install(wxFrame* frame);
    wxFrame* GetFrame() const { return m_frame; }
    void SetIcons(CIcons* icons) { m_icons = icons; }
    void SetToolbarSource(ToolbarSource source) { m_toolbars = std::move(source); }

    // Loads each toolbar's pictures; true in every case.
    bool LoadToolbarImages(const std::vector<int>& toolbarIds);
    // False, loading nothing, for an unknown toolbar or one of another picture size.
    bool LoadToolbarImage(int toolbarId);
    void ClearImages();
    // Loads the same toolbars again and shows them (colours or settings changed).
    void ReloadImages();

    // The frame's key list, every key that reaches a command from anywhere in the frame.
    void LoadAccelerators(const std::vector<AccelEntry>& entries);
    const std::vector<AccelEntry>& GetAccelerators() const { return m_chain.GetEntries(); }
    // "\t" and every key of the command, after the text cut at its first tab (see CAcceleratorChain).
    bool GetAcceleratorText(std::string& text, int command) const;
    // A key as wx writes it ("F5", "Del", "W").
    static std::string KeyName(uint16_t key, bool virtualKey);

    // -1 when the command has no picture.
    int GetImageIndex(int command) const { return m_imageMap.GetImageIndex(command); }
    wxBitmap GetCommandImage(int command) const;
    const std::vector<int>& GetToolbarIds() const { return m_imageMap.GetToolbarIds(); }

    // Puts pictures and key texts on every item of the frame's menu bar, and makes every key of
    // the list live in the frame's accelerator table.
    void UpdateMenus();
    // The same for one menu and its submenus (a menu the frame shows by itself).
    void UpdateMenu(wxMenu* menu);
    // The keys that no menu item shows.
    std::vector<AccelEntry> GetUnshownAccelerators() const;
    // Whether the command's menu item would take it now (true without an item).
    bool IsCommandEnabled(int command);
    // Ctrl+A in a text box (the focused window) selects its text, though the frame's table gives
    // the key to a command; true when the text box took it.
    static bool LeaveKeyToTextBox(wxWindow* focus, const wxKeyEvent& key);

    bool IsShowButtons() const { return m_bShowButtons; }
    void SetShowButtons(bool show) { m_bShowButtons = show; }
    bool IsAutoAccelerators() const { return m_bAutoAccel; }
    void SetAutoAccelerators(bool on) { m_bAutoAccel = on; }

protected:
    bool WindowProc(wxEvent& event) override;

private:
    void HarvestLabelAccelerators(wxMenu* menu);
    void ApplyToMenu(wxMenu* menu);
    void ApplyFrameTable();

    CIcons* m_icons;
    wxFrame* m_frame = nullptr;
    ToolbarSource m_toolbars;
    bool m_bShowButtons = true;
    bool m_bAutoAccel = true;
    CToolbarImageMap m_imageMap;
    std::vector<wxBitmap> m_images;
    CAcceleratorChain m_chain;
    // Per command, whether an item shows its first key.
    std::vector<uint16_t> m_shownCommands;
};
