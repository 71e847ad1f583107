#pragma once

#include "model/Selection.h"

// The records a job shows highlighted; bound to a free slot of the job's record store.
class CDataFileHiSelection : public CSelection
{
public:
    explicit CDataFileHiSelection(CRecordDatabase* store) : CSelection(store) {}
};
