#pragma once

#include "rawdata/StakeoutState.h"

#include <cstdint>
#include <map>

class CDataFileDoc;
class CNikonRawDataRecord;

// The stake-out state of every SO line that resolved, by line, rebuilt with the setups.
class CStakeoutStateTable
{
public:
    // Walk positions: 0 ends the walk; a position names line (position - 1), so a state at
    // line 0 is walked too.
    using Position = int64_t;

    explicit CStakeoutStateTable(CDataFileDoc* doc = nullptr) : m_doc(doc) {}

    void Clear();
    // Forgets the states of the line and every later one, before those lines are applied again.
    void RemoveFromLine(int32_t line);
    void ApplyRecord(CNikonRawDataRecord* record);
    bool Lookup(int32_t line, const CStakeoutState** state) const;
    bool Lookup(int32_t line, CStakeoutState* state) const;
    Position GetStartPosition() const;
    bool GetNext(Position& position, const CStakeoutState** state, int32_t* line) const;
    size_t GetCount() const { return m_states.size(); }

private:
    // The first stored line at or after `from` and below the raw data's line count.
    std::map<int32_t, CStakeoutState>::const_iterator FirstFrom(int32_t from) const;
    int32_t GetLineCount() const;

    CDataFileDoc* m_doc;
    CStakeoutState m_running;
    std::map<int32_t, CStakeoutState> m_states;
};
