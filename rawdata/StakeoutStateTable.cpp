#include "rawdata/StakeoutStateTable.h"

#include "core/RawDataSetup.h"
#include "model/DataFileDoc.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/records/RawDataNikonCommentRecord.h"
#include "rawdata/records/RawDataNikonStakeOutRecord.h"

void CStakeoutStateTable::Clear()
{
    m_states.clear();
    m_running.Reset();
}

void CStakeoutStateTable::RemoveFromLine(int32_t line)
{
    m_states.erase(m_states.lower_bound(line), m_states.end());
    // A stored state never depends on the running state before its SO line (every SO line
    // resets it), so starting afresh is exact.
    m_running.Reset();
}

int32_t CStakeoutStateTable::GetLineCount() const
{
    const CJobRawData* raw = m_doc ? m_doc->GetRawDataFile() : nullptr;
    return raw ? raw->GetLineCount() : 0;
}

void CStakeoutStateTable::ApplyRecord(CNikonRawDataRecord* record)
{
    if (!record)
        return;
    const int32_t type = record->GetType();
    if (type == RecordTypeComment) {
        CRawDataNikonCommentRecord comment(*record);
        std::string name;
        double north = 0, east = 0, elevation = 0;
        if (comment.ParseStakeoutDeltas(name, north, east, elevation))
            m_running.m_deltas = CLocation(east, north, elevation);
        return;
    }
    if (type != RecordTypeStakeOut)
        return;

    CRawDataNikonStakeOutRecord shot(*record);
    CRawDataSetup* setup = record->GetSetup();
    m_running.m_designName = shot.GetDesignPointName();
    // A design point that cannot be named or found leaves nothing behind, not even a warning that
    // a later line would carry.
    if (m_running.m_designName.empty() || !setup ||
        !setup->GetPointLocation(m_running.m_designName, &m_running.m_designLocation)) {
        m_running.Reset();
        return;
    }
    setup->GetPointDescription(m_running.m_designName, &m_running.m_designDescription);
    CDataFileDoc* doc = record->GetDocument();
    const std::string asBuilt = shot.GetPointName();
    if (doc && doc->IsValidPointName(asBuilt.c_str())) {
        m_running.m_asBuiltName = asBuilt;
        setup->GetPointLocation(asBuilt, &m_running.m_asBuiltLocation);
        setup->GetPointDescription(asBuilt, &m_running.m_asBuiltDescription);
        m_running.ComputeDeltas();
        m_states[record->GetLine()] = m_running;
    }
    m_running.Reset();
}

bool CStakeoutStateTable::Lookup(int32_t line, const CStakeoutState** state) const
{
    const auto it = m_states.find(line);
    if (it == m_states.end())
        return false;
    if (state)
        *state = &it->second;
    return true;
}

bool CStakeoutStateTable::Lookup(int32_t line, CStakeoutState* state) const
{
    const CStakeoutState* found = nullptr;
    if (!Lookup(line, &found))
        return false;
    if (state)
        *state = *found;
    return true;
}

std::map<int32_t, CStakeoutState>::const_iterator CStakeoutStateTable::FirstFrom(int32_t from) const
{
    const auto it = m_states.lower_bound(from);
    return it != m_states.end() && it->first < GetLineCount() ? it : m_states.end();
}

CStakeoutStateTable::Position CStakeoutStateTable::GetStartPosition() const
{
    if (!m_doc || m_states.empty())
        return 0;
    const auto it = FirstFrom(0);
    return it == m_states.end() ? 0 : Position(it->first) + 1;
}

bool CStakeoutStateTable::GetNext(Position& position, const CStakeoutState** state, int32_t* line) const
{
    if (position <= 0)
        return false;
    if (state)
        *state = nullptr;
    if (!m_doc || m_states.empty()) {
        position = 0;
        return false;
    }
    const auto it = FirstFrom(int32_t(position - 1));
    if (it == m_states.end()) {
        position = 0;
        return false;
    }
    if (state)
        *state = &it->second;
    if (line)
        *line = it->first;
    const auto next = it->first < INT32_MAX ? FirstFrom(it->first + 1) : m_states.end();
    position = next == m_states.end() ? 0 : Position(next->first) + 1;
    return true;
}
