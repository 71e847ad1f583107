#include "exchange/FSDxfReader.h"

CFSDxfReader::CFSDxfReader()
{
    m_progress.Begin("Loading the DXF file...");
}

CFSDxfReader::~CFSDxfReader() = default;

int CFSDxfReader::AddLeader(const DXF_ADD_LEADER& leader)
{
    return m_keepLeaders ? CDxfReader::AddLeader(leader) : 0;
}

void CFSDxfReader::Progress(int percent)
{
    m_progress.SetPercent(percent);
}
