#include "rawdata/RawEditRecordModel.h"

#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/records/RawDataRecord.h"

std::map<int32_t, std::string>& CRawEditRecordModel::LastAppliedTexts()
{
    static std::map<int32_t, std::string> texts;
    return texts;
}

int32_t& CRawEditRecordModel::LastEditedLine()
{
    static int32_t line = -1;
    return line;
}

CRawDataFile* CRawEditRecordModel::File() const { return m_doc ? RawDataFileOf(m_doc) : nullptr; }

bool CRawEditRecordModel::Load(int32_t line)
{
    CRawDataFile* file = File();
    CNikonRawDataRecord* record = file ? file->GetRecord(line) : nullptr;
    if (!record)
        return false;
    m_copy = file->CreateRecord(record);
    m_copy->SetDocument(m_doc);
    m_copy->SetLine(line);
    m_editor.reset();
    m_line = line;
    m_loadedText = record->GetText();
    m_type = m_copy->GetType();
    // A line that does not read as its type is shown in its canonical form.
    if (!m_copy->DescribeLong(nullptr, line, true, false, true))
        m_copy->Canonicalize();
    m_deleted = m_copy->IsDeleted();
    m_lineText = m_copy->GetText();
    return true;
}

CRawDataSetup* CRawEditRecordModel::GetSetup() const
{
    CRawDataFile* file = File();
    return file && m_line >= 0 && m_line < file->GetLineCount() ? file->GetSetup(m_line) : nullptr;
}

bool CRawEditRecordModel::IsLineCurrent() const
{
    CRawDataFile* file = File();
    const CNikonRawDataRecord* record = file ? file->GetRecord(m_line) : nullptr;
    return record && record->GetText() == m_loadedText;
}

std::string EmptyRawRecordText(CDataFileDoc* doc, int32_t type, int32_t line)
{
    const std::string code = record_codes::GetTypeCode(type);
    CNikonRawDataRecord seed(code + ",");
    seed.SetDocument(doc);
    seed.SetLine(line);
    if (std::unique_ptr<CNikonRawDataRecord> view = CreateTypedView(seed)) {
        view->SetDocument(doc);
        if (view->UpdateText(line))
            return view->GetText().str();
    }
    std::string text = code;
    text.append(record_codes::GetLayout(type).size(), ',');
    return text;
}

void CRawEditRecordModel::SwitchType(int32_t newType, const std::vector<CRawFieldEntry>& entries)
{
    if (!m_copy)
        return;
    const int32_t oldType = m_type;
    if (oldType >= 0) {
        CollectRawFields(*m_copy, oldType, entries);
        LastAppliedTexts()[oldType] = m_copy->GetText();
    }
    auto it = LastAppliedTexts().find(newType);
    const std::string text = it != LastAppliedTexts().end() ? it->second : EmptyRawRecordText(m_doc, newType, m_line);
    m_editor = std::make_unique<CNikonRawDataRecord>(text);
    m_editor->SetDocument(m_doc);
    m_editor->SetLine(m_line);
    m_type = newType;
    m_lineText = m_editor->GetText();
}

CRawEditRecordModel::ApplyResult CRawEditRecordModel::Apply(bool deleted, const std::vector<CRawFieldEntry>& entries)
{
    CRawDataFile* file = File();
    if (!m_copy || !file)
        return ApplyResult::NoLine;
    if (!IsLineCurrent()) {
        // Lines were removed, inserted or moved since loading: replacing by index would hit
        // another record.
        return Load(m_line) ? ApplyResult::Reloaded : ApplyResult::NoLine;
    }
    std::unique_ptr<CNikonRawDataRecord> record = file->CreateRecord(m_copy.get());
    record->SetDocument(m_doc);
    record->SetLine(m_line);
    record->SetDeleted(deleted);
    CollectRawFields(*record, m_type, entries);
    if (!record->DescribeLong(nullptr, m_line, true, false, true))
        return ApplyResult::Invalid;
    LastAppliedTexts()[m_type] = record->GetText();
    CDataFileUndoManager* undo = m_doc->GetUndoManager();
    const bool stepRecorded = undo && undo->RecordUndoWithText("Edit Raw Data Line #" + std::to_string(m_line));
    if (!m_doc->ReplaceRawDataLine(m_line, record.get())) {
        // Nothing changed: no step to undo.
        if (stepRecorded)
            undo->CancelLastStep();
        return ApplyResult::NoLine;
    }
    const CNikonRawDataRecord* now = file->GetRecord(m_line);
    m_loadedText = now ? now->GetText() : record->GetText();
    m_lineText = m_loadedText;
    m_deleted = record->IsDeleted();
    return ApplyResult::Applied;
}

void CRawEditRecordModel::BeforeUndo() { LastEditedLine() = m_copy ? m_line : -1; }

bool CRawEditRecordModel::AfterUndo()
{
    const int32_t line = LastEditedLine();
    CRawDataFile* file = File();
    if (line < 0 || !file || line >= file->GetLineCount())
        return false;
    return Load(line);
}
