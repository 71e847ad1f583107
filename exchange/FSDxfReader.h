#pragma once

#include "core/StatusProgress.h"
#include "exchange/dxf/DxfReader.h"

// The drawing reader of the DXF import: the engine's reader with a status progress
// ("Loading the DXF file...") for as long as it lives.
class CFSDxfReader : public CDxfReader
{
public:
    CFSDxfReader();
    ~CFSDxfReader() override;

protected:
    int AddLeader(const DXF_ADD_LEADER& leader) override;
    void Progress(int percent) override;
    bool ContinueReading() override { return true; }

private:
    CStatusProgress m_progress;
    bool m_keepLeaders = true;
};
