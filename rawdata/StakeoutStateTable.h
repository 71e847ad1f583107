#pragma once

#include <cstdint>

class CDataFileDoc;
class CNikonRawDataRecord;

// The stake-out state of one SO line.
class CStakeoutState
{
public:
    int32_t GetLine() const { return m_line; }

private:
    int32_t m_line = -1;
};

// Stake-out states by SO line, rebuilt with the setups.
class CStakeoutStateTable
{
public:
    explicit CStakeoutStateTable(CDataFileDoc* doc = nullptr) : m_doc(doc) {}

    void Clear() {}
    // Forgets the states of the line and the lines after it.
    void RemoveFromLine(int32_t line) {}
    void ApplyRecord(CNikonRawDataRecord& record) {}
    bool Lookup(int32_t line, CStakeoutState* state) const { return false; }

private:
    CDataFileDoc* m_doc;
};
