#include "views/MapRecordView.h"

#include "views/MapCtrlCore.h"

void CMapRecordView::DrawRecord(CRecord& record, int drawFlag, bool flag)
{
    if (m_map)
        m_map->DrawWithState(CDrawState(m_map->GetViewKind(), DrawModeOneRecord, &record, 0, 0, drawFlag));
}
