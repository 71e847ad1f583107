#include "framework/ToolbarImageMap.h"

bool CToolbarImageMap::LoadToolbar(int toolbarId, const std::vector<int>& commands, int imageWidth, int imageHeight)
{
    if (imageWidth <= 0 || imageHeight <= 0)
        return false;
    if (m_width != 0 && (imageWidth != m_width || imageHeight != m_height))
        return false;
    m_width = imageWidth;
    m_height = imageHeight;
    for (int command : commands) {
        if (command == 0)
            continue;
        m_images.emplace(command, m_imageCount);
        m_imageCommands.push_back(command);
        ++m_imageCount;
    }
    m_toolbarIds.push_back(toolbarId);
    return true;
}

void CToolbarImageMap::Clear()
{
    m_images.clear();
    m_imageCommands.clear();
    m_toolbarIds.clear();
    m_imageCount = 0;
    m_width = 0;
    m_height = 0;
}

int CToolbarImageMap::GetImageIndex(int command) const
{
    auto it = m_images.find(command);
    return it == m_images.end() ? -1 : it->second;
}
