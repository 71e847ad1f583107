#include "shell/FrameAccelerators.h"

#include "shell/CommandIds.h"
#include "views/MapCommands.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

TEST(FrameAcceleratorsTest, EachKeyReachesOneCommand)
{
    std::set<std::pair<uint8_t, uint16_t>> keys;
    for (const AccelEntry& entry : GetFrameAccelerators())
        EXPECT_TRUE(keys.emplace(entry.flags, entry.key).second) << "key " << entry.key << " of " << entry.command;

    // The job map's zoom and tool keys are in the window's list, not a list of the map's own.
    CAcceleratorChain chain;
    chain.LoadAccelerators(GetFrameAccelerators());
    const auto name = [](uint16_t key, bool) { return std::string(1, char(key)); };
    for (const auto& [command, expected] :
         {std::pair{IdZoomExtents, "\tCtrl+A"}, std::pair{IdZoomWindow, "\tCtrl+W"},
          std::pair{IdZoomPrevious, "\tCtrl+0"}, std::pair{IdZoomNext, "\tCtrl+9"},
          std::pair{IdRealtimeZoom, "\tCtrl+Q"}, std::pair{IdRealtimePan, "\tAlt+Q"},
          std::pair{IdZoomIn, "\tAlt+(+)"}, std::pair{IdZoomOut, "\tAlt+(-)"}}) {
        // The key a menu item shows: the command's latest.
        const std::vector<AccelEntry> keys = chain.GetCommandEntries(uint16_t(command));
        ASSERT_FALSE(keys.empty());
        EXPECT_EQ("\t" + CAcceleratorChain::KeyText(keys.front(), name), expected);
    }
}
