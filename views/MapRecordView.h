#pragma once

#include "model/RecordOwner.h"

class CMapCtrlCore;

// Lets records draw themselves on a map at once (CRecord::Draw and its alternate look): the job
// view hands one over as the active record view.
class CMapRecordView : public CRecordView
{
public:
    explicit CMapRecordView(CMapCtrlCore* map) : m_map(map) {}
    // drawFlag 1 draws the record in its normal colours, -1 erases it.
    void DrawRecord(CRecord& record, int drawFlag, bool flag) override;

private:
    CMapCtrlCore* m_map;
};
