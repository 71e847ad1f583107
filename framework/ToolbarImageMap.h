#pragma once

#include <cstdint>
#include <map>
#include <vector>

// Which image of the menus' image strip each command shows: the toolbars' buttons are added in
// load order, one image per button, and a command on two toolbars keeps the image of its first
// button. All toolbars share one image size.
class CToolbarImageMap
{
public:
    // The toolbar's command list (0 marks a separator) with its image size; false, adding
    // nothing, when the size differs from the toolbars loaded before.
    bool LoadToolbar(int toolbarId, const std::vector<int>& commands, int imageWidth, int imageHeight);
    void Clear();

    // -1 when the command has no image.
    int GetImageIndex(int command) const;
    // Images in the strip, one per button of every toolbar loaded.
    int GetImageCount() const { return m_imageCount; }
    // For each image of the strip, the command of the button it came from.
    const std::vector<int>& GetImageCommands() const { return m_imageCommands; }
    const std::vector<int>& GetToolbarIds() const { return m_toolbarIds; }
    int GetImageWidth() const { return m_width; }
    int GetImageHeight() const { return m_height; }

private:
    std::map<int, int> m_images;
    std::vector<int> m_imageCommands;
    std::vector<int> m_toolbarIds;
    int m_imageCount = 0;
    int m_width = 0;
    int m_height = 0;
};
