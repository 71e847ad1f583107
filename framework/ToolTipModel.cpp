#include "framework/ToolTipModel.h"

#include <algorithm>

CToolTipModel::CToolTipModel(bool tracking, Clock clock) : m_tracking(tracking), m_clock(std::move(clock)) {}

void CToolTipModel::AddTool(const void* tool)
{
    if (!tool)
        return;
    if (m_tracking)
        m_toolWindow = tool;
    if (!HasTool(tool))
        m_tools.push_back(tool);
}

void CToolTipModel::RemoveTool(const void* tool)
{
    m_tools.erase(std::remove(m_tools.begin(), m_tools.end(), tool), m_tools.end());
    if (m_hover == tool) {
        m_hover = nullptr;
        m_restStart = -1;
    }
}

bool CToolTipModel::HasTool(const void* tool) const
{
    return std::find(m_tools.begin(), m_tools.end(), tool) != m_tools.end();
}

void CToolTipModel::Activate(bool on)
{
    m_active = on;
    if (!on)
        m_restStart = -1;
}

void CToolTipModel::OnMouse(const void* tool, int x, int y, bool buttonDown)
{
    if (!HasTool(tool))
        tool = nullptr;
    const bool moved = tool != m_hover || x != m_x || y != m_y;
    if (tool != m_hover)
        m_asked = nullptr; // a new window under the mouse may be asked again
    m_hover = tool;
    m_x = x;
    m_y = y;
    if (buttonDown || !tool) {
        m_restStart = -1;
        return;
    }
    if (moved || m_restStart < 0)
        m_restStart = m_clock();
}

void CToolTipModel::RestartTracking()
{
    if (!m_tracking || m_tools.size() != 1)
        return;
    const void* tool = m_tools.front();
    RemoveTool(tool);
    m_toolWindow = tool;
    m_asked = nullptr;
    m_restartAt = m_clock() + RestartDelay;
}

void CToolTipModel::Tick()
{
    if (m_restartAt >= 0 && m_clock() >= m_restartAt) {
        m_restartAt = -1;
        AddTool(m_toolWindow);
        Activate(true);
    }
}

const void* CToolTipModel::TakeDueTool()
{
    Tick();
    if (!m_active || !m_hover || m_restStart < 0 || m_clock() - m_restStart < m_delay)
        return nullptr;
    m_restStart = -1;
    // Outside tracking the tip is not asked again for the window it is already shown for.
    if (!m_tracking && m_asked == m_hover)
        return nullptr;
    m_asked = m_hover;
    return m_hover;
}

int64_t CToolTipModel::NextDueIn() const
{
    const int64_t now = m_clock();
    int64_t next = -1;
    if (m_restartAt >= 0)
        next = std::max<int64_t>(0, m_restartAt - now);
    if (m_active && m_hover && m_restStart >= 0) {
        const int64_t rest = std::max<int64_t>(0, m_restStart + m_delay - now);
        next = next < 0 ? rest : std::min(next, rest);
    }
    return next;
}
