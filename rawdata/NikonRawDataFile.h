#pragma once

#include "rawdata/RawDataFile.h"
#include "rawdata/RawPointNameMap.h"
#include "rawdata/StakeoutStateTable.h"
#include "model/SettingsChangeFlags.h"

#include <string>
#include <vector>

class CReport;

// The raw data container of a job in the raw layout: its records, setups, point-name map and
// stake-out states.
class CNikonRawDataFile : public CRawDataFile
{
public:
    explicit CNikonRawDataFile(CDataFileDoc* doc);
    ~CNikonRawDataFile() override;

    int32_t AddRecord(CRawDataRecord* record, int32_t option = 0) override;
    std::unique_ptr<CNikonRawDataRecord> CreateRecord(const CRawDataRecord* record) override;
    void AddPointToNameMap(std::string_view name, const CLocation& location, std::string_view description,
                           bool deleted, int32_t line) override;
    void ApplyStakeoutRecord(CNikonRawDataRecord& record) override;
    CRawPointNameMap& GetPointNameMap() override { return m_names; }
    CStakeoutStateTable& GetStakeoutTable() override { return m_stakeouts; }
    void ClearMaps() override;

    // --- What the job document forwards to its raw data (CJobRawData). Each line operation
    // reports the line's text and index for the document's history.
    bool AppendCogoPoint(const CPointRecord& point, std::string* text, int32_t* line) override;
    // Reprints the record (a typed record) in the units at the end and appends it.
    bool AppendRecord(const CRawDataRecord& record, std::string* text, int32_t* line, bool* deleted) override;
    bool AppendRecordText(const CRawDataRecord& record, std::string* text, int32_t* line) override;
    bool ReplaceRecord(int32_t line, const CRawDataRecord& record, std::string* text, int32_t* at) override;
    bool InsertRecord(int32_t line, const CRawDataRecord& record, std::string* text, int32_t* at) override;
    bool LoadRawDataFromText(const std::string& path, bool snapshot) override;
    bool SaveRawDataToText(const std::string& path, bool snapshot) override;
    bool GenerateRawData(bool markModified) override;
    void ReduceRawData(bool ignoreStorePoints, bool ignoreDeleted, CReport* report, std::vector<std::string>* duplicates) override;
    bool CreateRawDataFromPoints(const std::string& path) override;
    void AppendSettingsComments(const SettingsChangeFlags& flags) override;
    bool AppendInputPoint(const CPointRecord& point, bool deleted, std::string* text, int32_t* line) override;
    using CRawDataFile::AppendRecord;
    using CRawDataFile::InsertRecord;
    using CRawDataFile::ReplaceRecord;

protected:
    void RecomputeSetupsFrom(int32_t firstLine) override;

private:
    CRawPointNameMap m_names;
    CStakeoutStateTable m_stakeouts;
};
