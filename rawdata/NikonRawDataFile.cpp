#include "rawdata/NikonRawDataFile.h"

#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/PointRecord.h"
#include "rawdata/JobRawDataFile.h"
#include "rawdata/RawDataReduction.h"
#include "rawdata/records/NikonRawDataSetup.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"

CNikonRawDataFile::CNikonRawDataFile(CDataFileDoc* doc) : CRawDataFile(doc), m_names(doc), m_stakeouts(doc) {}

CNikonRawDataFile::~CNikonRawDataFile()
{
    ClearMaps();
}

int32_t CNikonRawDataFile::AddRecord(CRawDataRecord* record, int32_t)
{
    if (!record || !m_doc)
        return -1;
    record->SetDocument(m_doc);
    if (!record->UpdateText(GetLineCount() - 1))
        return -1;
    return AppendRecord(record);
}

std::unique_ptr<CNikonRawDataRecord> CNikonRawDataFile::CreateRecord(const CRawDataRecord* record)
{
    return record ? std::make_unique<CNikonRawDataRecord>(*record) : std::make_unique<CNikonRawDataRecord>();
}

void CNikonRawDataFile::AddPointToNameMap(std::string_view name, const CLocation& location,
                                          std::string_view description, bool deleted, int32_t line)
{
    m_names.AddPoint(name, description, location, line, deleted);
}

void CNikonRawDataFile::ApplyStakeoutRecord(CNikonRawDataRecord& record)
{
    m_stakeouts.ApplyRecord(&record);
}

void CNikonRawDataFile::ClearMaps()
{
    m_names.RemoveAll();
    m_stakeouts.Clear();
}

void CNikonRawDataFile::RecomputeSetupsFrom(int32_t firstLine)
{
    CStatusProgress progress;
    progress.Begin("Processing Raw Data");
    const int32_t count = GetLineCount();
    firstLine = std::max(0, std::min(firstLine, count));
    m_names.RemoveFromLine(firstLine);
    m_stakeouts.RemoveFromLine(firstLine);
    for (int32_t line = firstLine; line < count; ++line) {
        CNikonRawDataSetup* setup = &m_setups[size_t(line)];
        if (line > 0) {
            setup->CopyFrom(m_setups[size_t(line) - 1]);
        } else {
            setup->Reset();
        }
        setup->SetLine(line);
        CNikonRawDataRecord& record = *m_records[size_t(line)];
        record.SetLine(line);
        setup->ApplyRecord(record);
        if ((line & 1023) == 0)
            progress.SetPercent(MulDiv(line, 100, count));
    }
    if (m_doc)
        m_doc->SendHint(nullptr, HintRawDataReadEnd, 0);
}

bool CNikonRawDataFile::AppendCogoPoint(const CPointRecord& point, std::string* text, int32_t* line)
{
    CRawDataNikonCogoRecord record;
    record.SetFromPoint(&point);
    bool deleted = false;
    return AppendRecord(record, text, line, &deleted);
}

bool CNikonRawDataFile::AppendRecord(const CRawDataRecord& record, std::string* text, int32_t* line, bool* deleted)
{
    // Adding reprints the caller's record, as the document's append always has.
    const int32_t index = AddRecord(const_cast<CRawDataRecord*>(&record));
    if (index < 0)
        return false;
    if (text)
        *text = m_records[size_t(index)]->GetText();
    if (line)
        *line = index;
    if (deleted)
        *deleted = m_records[size_t(index)]->IsDeletedFlag();
    return true;
}

bool CNikonRawDataFile::AppendRecordText(const CRawDataRecord& record, std::string* text, int32_t* line)
{
    const int32_t index = CRawDataFile::AppendRecord(&record);
    if (text)
        *text = m_records[size_t(index)]->GetText();
    if (line)
        *line = index;
    return true;
}

bool CNikonRawDataFile::ReplaceRecord(int32_t line, const CRawDataRecord& record, std::string* text, int32_t* at)
{
    CNikonRawDataRecord copy(record);
    const int32_t index = CRawDataFile::ReplaceRecord(line, &copy);
    if (index < 0 || index != line)
        return false;
    if (text)
        *text = copy.GetText();
    if (at)
        *at = index;
    return true;
}

bool CNikonRawDataFile::InsertRecord(int32_t line, const CRawDataRecord& record, std::string* text, int32_t* at)
{
    CNikonRawDataRecord copy(record);
    const int32_t index = CRawDataFile::InsertRecord(line, &copy);
    if (index < 0 || index != line)
        return false;
    if (text)
        *text = copy.GetText();
    if (at)
        *at = index;
    return true;
}

bool CNikonRawDataFile::LoadRawDataFromText(const std::string& path, bool snapshot)
{
    return m_doc && ::LoadRawDataFromText(*m_doc, *this, path, snapshot);
}

bool CNikonRawDataFile::SaveRawDataToText(const std::string& path, bool snapshot)
{
    return m_doc && ::SaveRawDataToText(*m_doc, *this, path, snapshot);
}

bool CNikonRawDataFile::GenerateRawData(bool markModified)
{
    return m_doc && ::GenerateRawData(*m_doc, *this, markModified);
}

void CNikonRawDataFile::ReduceRawData(bool ignoreStorePoints, bool ignoreDeleted, CReport* report,
                                      std::vector<std::string>* duplicates)
{
    if (m_doc)
        ::ReduceRawData(*m_doc, *this, ignoreStorePoints, ignoreDeleted, report, duplicates);
}

bool CNikonRawDataFile::CreateRawDataFromPoints(const std::string& path)
{
    return m_doc && ::CreateRawDataFromPoints(*m_doc, *this, path);
}

void CNikonRawDataFile::AppendSettingsComments(const SettingsChangeFlags& flags)
{
    if (m_doc)
        ::AppendSettingsComments(*m_doc, *this, flags);
}
