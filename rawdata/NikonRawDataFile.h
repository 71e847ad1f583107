#pragma once

#include "rawdata/RawDataFile.h"
#include "rawdata/RawPointNameMap.h"
#include "rawdata/StakeoutStateTable.h"

// The raw data container of a job in the raw layout: its records, setups, point-name map and
// stake-out states.
class CNikonRawDataFile : public CRawDataFile
{
public:
    explicit CNikonRawDataFile(CDataFileDoc* doc);
    ~CNikonRawDataFile() override;

    int32_t AddRecord(CRawDataRecord* record, int32_t option = 0) override;
    std::unique_ptr<CNikonRawDataRecord> CreateRecord(const CRawDataRecord* record) override;
    std::unique_ptr<CRawDataSetup> CreateSetup(CDataFileDoc* doc, int32_t line) override;
    void AddPointToNameMap(const std::string& name, const CLocation& location, const std::string& description,
                           bool deleted, int32_t line) override;
    void ApplyStakeoutRecord(CNikonRawDataRecord& record) override;
    CRawPointNameMap& GetPointNameMap() override { return m_names; }
    CStakeoutStateTable& GetStakeoutTable() override { return m_stakeouts; }
    void ClearMaps() override;

protected:
    void RecomputeSetupsFrom(int32_t firstLine) override;

private:
    CRawPointNameMap m_names;
    CStakeoutStateTable m_stakeouts;
};
