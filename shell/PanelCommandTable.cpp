#include "shell/PanelCommandTable.h"

#include <algorithm>

void CPanelCommandTable::Add(int command, uint32_t templateId)
{
    auto row = std::find_if(m_rows.begin(), m_rows.end(), [command](const PanelCommandRow& r) { return r.command == command; });
    if (row != m_rows.end())
        row->templateId = templateId;
    else
        m_rows.push_back({command, templateId});
}

uint32_t CPanelCommandTable::FindTemplate(int command) const
{
    for (const PanelCommandRow& row : m_rows)
        if (row.command == command)
            return row.templateId;
    return 0;
}

CPanelCommandTable& GetPanelCommandTable()
{
    static CPanelCommandTable table;
    return table;
}
