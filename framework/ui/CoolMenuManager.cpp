#include "framework/ui/CoolMenuManager.h"

#include "framework/ui/Icons.h"
#include "framework/ui/RichTextView.h"

#include <wx/accel.h>
#include <wx/artprov.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/textentry.h>

#include <algorithm>
#include <memory>

namespace {

uint8_t FlagsFromWx(int flags)
{
    uint8_t out = AccelEntry::VirtKey;
    if (flags & wxACCEL_ALT)
        out |= AccelEntry::Alt;
    if (flags & wxACCEL_CTRL)
        out |= AccelEntry::Control;
    if (flags & wxACCEL_SHIFT)
        out |= AccelEntry::Shift;
    return out;
}

int FlagsToWx(uint8_t flags)
{
    int out = wxACCEL_NORMAL;
    if (flags & AccelEntry::Alt)
        out |= wxACCEL_ALT;
    if (flags & AccelEntry::Control)
        out |= wxACCEL_CTRL;
    if (flags & AccelEntry::Shift)
        out |= wxACCEL_SHIFT;
    return out;
}

bool HasPlace(const wxMenuItem* item)
{
    return item && !item->IsSeparator() && !item->IsSubMenu() && item->GetId() != wxID_ANY;
}

} // namespace

wxAcceleratorEntry* CKeyTextMenuItem::GetAccel() const
{
    wxString keys = GetItemLabel().AfterFirst('\t');
    if (keys.EndsWith("(+)") || keys.EndsWith("(-)"))
        keys = keys.Left(keys.length() - 3) + keys[keys.length() - 2];
    auto accel = std::make_unique<wxAcceleratorEntry>();
    return !keys.empty() && accel->FromString(keys) ? accel.release() : nullptr;
}

CCoolMenuManager::CCoolMenuManager(CIcons* icons) : m_icons(icons) {}

CCoolMenuManager::~CCoolMenuManager() { ClearImages(); }

void CCoolMenuManager::Install(wxFrame* frame)
{
    m_frame = frame;
    HookWindow(frame);
}

bool CCoolMenuManager::LoadToolbarImages(const std::vector<int>& toolbarIds)
{
    for (int id : toolbarIds)
        LoadToolbarImage(id);
    return true;
}

bool CCoolMenuManager::LoadToolbarImage(int toolbarId)
{
    const std::optional<Toolbar> toolbar = m_toolbars ? m_toolbars(toolbarId) : std::nullopt;
    if (!toolbar)
        return false;
    const int before = m_imageMap.GetImageCount();
    if (!m_imageMap.LoadToolbar(toolbarId, toolbar->commands, toolbar->imageWidth, toolbar->imageHeight))
        return false;
    const std::vector<int>& commands = m_imageMap.GetImageCommands();
    for (int i = before; i < m_imageMap.GetImageCount(); ++i) {
        const int command = commands[size_t(i)];
        const wxBitmap* icon = m_icons ? m_icons->GetIconOfSize(uint32_t(command), toolbar->imageWidth,
                                                                 toolbar->imageHeight)
                                       : nullptr;
        m_images.push_back(icon && icon->IsOk() ? *icon : wxBitmap());
    }
    return true;
}

void CCoolMenuManager::ClearImages()
{
    m_imageMap.Clear();
    m_images.clear();
}

void CCoolMenuManager::ReloadImages()
{
    const std::vector<int> ids = m_imageMap.GetToolbarIds();
    ClearImages();
    LoadToolbarImages(ids);
    UpdateMenus();
}

wxBitmap CCoolMenuManager::GetCommandImage(int command) const
{
    const int index = m_imageMap.GetImageIndex(command);
    return index >= 0 && size_t(index) < m_images.size() ? m_images[size_t(index)] : wxBitmap();
}

void CCoolMenuManager::LoadAccelerators(const std::vector<AccelEntry>& entries) { m_chain.LoadAccelerators(entries); }

std::string CCoolMenuManager::KeyName(uint16_t key, bool virtualKey)
{
    if (!virtualKey)
        return std::string(1, static_cast<char>(key));
    return wxAcceleratorEntry(wxACCEL_NORMAL, key).ToString().utf8_string();
}

bool CCoolMenuManager::GetAcceleratorText(std::string& text, int command) const
{
    return m_chain.GetAcceleratorText(text, static_cast<uint16_t>(command), &CCoolMenuManager::KeyName);
}

void CCoolMenuManager::HarvestLabelAccelerators(wxMenu* menu)
{
    std::vector<AccelEntry> entries = m_chain.GetEntries();
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSubMenu()) {
            HarvestLabelAccelerators(item->GetSubMenu());
            entries = m_chain.GetEntries();
            continue;
        }
        if (!HasPlace(item) || !m_chain.GetCommandEntries(uint16_t(item->GetId())).empty())
            continue;
        std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        if (!accel || !accel->IsOk())
            continue;
        const AccelEntry entry{FlagsFromWx(accel->GetFlags()), uint16_t(accel->GetKeyCode()), uint16_t(item->GetId())};
        // A key the list gives to another command stays with that command.
        const bool taken = std::any_of(entries.begin(), entries.end(), [&](const AccelEntry& e) {
            return e.command == entry.command || (e.flags == entry.flags && e.key == entry.key);
        });
        if (taken)
            continue;
        entries.push_back(entry);
        m_chain.LoadAccelerators(entries);
    }
}

void CCoolMenuManager::ApplyToMenu(wxMenu* menu)
{
    const wxMenuItemList& items = menu->GetMenuItems();
    for (size_t pos = 0; pos < items.size(); ++pos) {
        wxMenuItem* item = menu->FindItemByPosition(pos);
        if (item->IsSubMenu()) {
            ApplyToMenu(item->GetSubMenu());
            continue;
        }
        if (!HasPlace(item))
            continue;
        const int id = item->GetId();
        std::string text = item->GetItemLabel().utf8_string();
        const std::string old = text;
        if (m_bAutoAccel) {
            const std::vector<AccelEntry> keys = m_chain.GetCommandEntries(uint16_t(id));
            const size_t tab = text.find('\t');
            if (tab != std::string::npos && tab != 0)
                text.erase(tab);
            // GTK takes one key per item; the others stay live in the frame's table.
            if (!keys.empty()) {
                text += "\t" + CAcceleratorChain::KeyText(keys.front(), &CCoolMenuManager::KeyName);
                m_shownCommands.push_back(uint16_t(id));
            }
        }
        const wxBitmap image = m_bShowButtons ? GetCommandImage(id) : wxBitmap();
        const bool wantsImage = item->GetKind() == wxITEM_NORMAL && image.IsOk();
        const bool imageChanged = item->GetKind() == wxITEM_NORMAL &&
                                  (wantsImage != item->GetBitmap().IsOk() ||
                                   (wantsImage && !item->GetBitmap().IsSameAs(image)));
        if (imageChanged) {
            // GTK makes an item's picture when the item is added: the item goes in again.
            const bool enabled = item->IsEnabled();
            menu->Remove(item);
            item->SetItemLabel(wxString::FromUTF8(text));
            item->SetBitmap(wantsImage ? wxBitmapBundle(image) : wxBitmapBundle());
            menu->Insert(pos, item);
            item->Enable(enabled);
        } else if (text != old) {
            item->SetItemLabel(wxString::FromUTF8(text));
        }
    }
}

void CCoolMenuManager::UpdateMenu(wxMenu* menu)
{
    if (!menu)
        return;
    HarvestLabelAccelerators(menu);
    ApplyToMenu(menu);
}

void CCoolMenuManager::UpdateMenus()
{
    wxMenuBar* bar = m_frame ? m_frame->GetMenuBar() : nullptr;
    m_shownCommands.clear();
    if (bar) {
        for (size_t i = 0; i < bar->GetMenuCount(); ++i)
            HarvestLabelAccelerators(bar->GetMenu(i));
        for (size_t i = 0; i < bar->GetMenuCount(); ++i)
            ApplyToMenu(bar->GetMenu(i));
    }
    ApplyFrameTable();
}

std::vector<AccelEntry> CCoolMenuManager::GetUnshownAccelerators() const
{
    std::vector<AccelEntry> rest;
    std::vector<uint16_t> firstTaken;
    const std::vector<AccelEntry>& all = m_chain.GetEntries();
    // Walk latest first: the first key met for a shown command is the one its item shows.
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        const bool shown = std::find(m_shownCommands.begin(), m_shownCommands.end(), it->command) !=
                           m_shownCommands.end();
        const bool first = std::find(firstTaken.begin(), firstTaken.end(), it->command) == firstTaken.end();
        if (shown && first) {
            firstTaken.push_back(it->command);
            continue;
        }
        rest.push_back(*it);
    }
    std::reverse(rest.begin(), rest.end());
    return rest;
}

void CCoolMenuManager::ApplyFrameTable()
{
    if (!m_frame)
        return;
    // Every key, the shown ones too: a handler that rewrites an item's text (Undo, Redo) drops the
    // key GTK took from it, and the table keeps it working.
    std::vector<wxAcceleratorEntry> entries;
    for (const AccelEntry& e : m_chain.GetEntries())
        entries.emplace_back(FlagsToWx(e.flags), e.key, e.command);
    m_frame->SetAcceleratorTable(entries.empty() ? wxNullAcceleratorTable
                                                 : wxAcceleratorTable(int(entries.size()), entries.data()));
}

bool CCoolMenuManager::IsCommandEnabled(int command)
{
    wxMenuBar* bar = m_frame ? m_frame->GetMenuBar() : nullptr;
    wxMenuItem* item = bar ? bar->FindItem(command) : nullptr;
    if (!item)
        return true;
    wxUpdateUIEvent update(command);
    update.SetEventObject(m_frame);
    if (m_frame->ProcessWindowEvent(update) && update.GetSetEnabled())
        return update.GetEnabled();
    return item->IsEnabled();
}

bool CCoolMenuManager::LeaveKeyToTextBox(wxWindow* focus, const wxKeyEvent& key)
{
    if (focus == nullptr || key.GetModifiers() != wxMOD_CONTROL || key.GetKeyCode() != 'A')
        return false;
    // The frame's table sees the key before the text box does, so the text box is served here.
    if (auto* entry = dynamic_cast<wxTextEntry*>(focus)) {
        entry->SelectAll();
        return true;
    }
    if (auto* view = dynamic_cast<CRichTextView*>(focus)) {
        view->SelectAll();
        return true;
    }
    return false;
}

bool CCoolMenuManager::WindowProc(wxEvent& event)
{
    if (event.GetEventType() == wxEVT_CHAR_HOOK &&
        LeaveKeyToTextBox(wxWindow::FindFocus(), static_cast<wxKeyEvent&>(event)))
        return true;
    // A key of the window's table reaches a command only while its menu item is enabled, as the
    // item itself would.
    if (event.GetEventType() == wxEVT_MENU && m_frame && event.GetEventObject() == m_frame &&
        !IsCommandEnabled(event.GetId()))
        return true;
    if (event.GetEventType() == wxEVT_SYS_COLOUR_CHANGED) {
        ReloadImages();
        event.Skip();
    }
    return false;
}
