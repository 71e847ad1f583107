#include "shell/FrameAccelerators.h"

#include "shell/CommandIds.h"
#include "views/MapCommands.h"

namespace {

constexpr uint8_t Ctrl = AccelEntry::VirtKey | AccelEntry::Control;
constexpr uint8_t Alt = AccelEntry::VirtKey | AccelEntry::Alt;
constexpr uint8_t Plain = AccelEntry::VirtKey;
// wx key codes of the function keys.
constexpr uint16_t KeyF1 = 340;
constexpr uint16_t KeyF5 = 344;
// wx key codes of the keypad's + and -.
constexpr uint16_t KeyPadAdd = 388;
constexpr uint16_t KeyPadSubtract = 390;

constexpr uint16_t Cmd(int id) { return static_cast<uint16_t>(id); }

} // namespace

const std::vector<AccelEntry>& GetFrameAccelerators()
{
    static const std::vector<AccelEntry> entries = {
        {Ctrl, 'Z', Cmd(WxCommandId(57643))}, // Undo
        {Ctrl, 'Y', Cmd(WxCommandId(57644))}, // Redo
        {Ctrl, 'D', Cmd(7121)},               // Delete Points
        {Ctrl, 'J', Cmd(7159)},               // Add Points / Edit Points
        {Ctrl, 'I', Cmd(7151)},               // Inverse Point to Point
        {Ctrl, 'O', Cmd(7284)},               // Identify Objects
        {Ctrl, 'N', Cmd(7232)},               // Point Labels
        {Ctrl, 'E', Cmd(7196)},               // Erase Scratch Lines
        {Ctrl, 'R', Cmd(7366)},               // Scientific Calculator
        {Plain, KeyF5, Cmd(7169)},            // Redraw
        {Plain, KeyF1, Cmd(IdViewManual)},
        // The job map's view tools, wherever the focus is in the window.
        {Ctrl, 'A', Cmd(IdZoomExtents)},
        {Ctrl, 'W', Cmd(IdZoomWindow)},
        {Ctrl, '0', Cmd(IdZoomPrevious)},
        {Ctrl, '9', Cmd(IdZoomNext)},
        {Ctrl, 'Q', Cmd(IdRealtimeZoom)},
        {Alt, 'Q', Cmd(IdRealtimePan)},
        // Alt with + or -, on the main keyboard or the keypad. Where + is Shift with the = key,
        // the key arrives as Shift+=. The last key of a command is the one its menu item shows.
        {Alt | AccelEntry::Shift, '=', Cmd(IdZoomIn)},
        {Alt, KeyPadAdd, Cmd(IdZoomIn)},
        {Alt, '+', Cmd(IdZoomIn)},
        {Alt, KeyPadSubtract, Cmd(IdZoomOut)},
        {Alt, '-', Cmd(IdZoomOut)},
    };
    return entries;
}
