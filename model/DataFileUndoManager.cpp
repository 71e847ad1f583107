#include "model/DataFileUndoManager.h"

#include "core/DataFileFormat.h"
#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "model/DataFileDoc.h"
#include "model/DataFileDocSettings.h"
#include "model/HintCodes.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"

#include <cstdio>

namespace {

std::string DescribeStep(int32_t kind, const std::string& text)
{
    static const char* const verbs[] = {"Delete", "Add", "Modify"};
    if (kind < 0 || kind >= UndoOther)
        return text;
    const char* verb = verbs[kind % 3];
    if (!text.empty())
        return std::string(verb) + " " + text;
    return std::string(verb) + (kind < UndoDeleteObjects ? " point" : " points");
}

std::string PointText(CDataFileDoc* document, CRecord* record)
{
    if (record == nullptr || record->GetType() != kRecordTypePoint)
        return {};
    const std::string name = static_cast<CPointRecord*>(record)->GetName();
    if (document != nullptr && document->GetDataFileFormat() != nullptr)
        return document->GetDataFileFormat()->FormatPointName(name, false);
    return name;
}

void RemoveFile(std::string& path)
{
    if (!path.empty())
        std::remove(path.c_str());
    path.clear();
}

} // namespace

// --- CDataFileUndoObject

CDataFileUndoObject::CDataFileUndoObject(CDataFileDoc* document, std::string description, int32_t kind,
                                         CRecord* record)
    : m_document(document), m_description(std::move(description)), m_record(record), m_kind(kind)
{
}

CDataFileUndoObject::~CDataFileUndoObject() { Discard(); }

bool CDataFileUndoObject::IsValid() const { return !m_jobPath.empty() && FileExists(m_jobPath); }

bool CDataFileUndoObject::Capture()
{
    if (m_document == nullptr)
        return false;
    SetKeptModified(m_document->IsModified());
    m_jobPath = MakeTempFilePath();
    if (m_jobPath.empty() || !m_document->WriteJobSnapshot(m_jobPath)) {
        Discard();
        return false;
    }
    m_rawPath = MakeTempFilePath();
    if (m_rawPath.empty() || !m_document->WriteRawDataSnapshot(m_rawPath)) {
        Discard();
        return false;
    }
    if (CDataFileDocSettings* settings = m_document->GetJobSettings())
        m_settings = settings->Clone();
    return true;
}

bool CDataFileUndoObject::Restore()
{
    if (!IsValid() || m_document == nullptr)
        return false;
    return m_document->ReloadThroughCopy(m_jobPath, m_rawPath, m_settings.get(), GetKeptModified());
}

void CDataFileUndoObject::Cancel()
{
    if (m_document != nullptr)
        m_document->SetModifiedWithText("Cancel Undo", GetKeptModified(), false);
    Discard();
}

void CDataFileUndoObject::Discard()
{
    RemoveFile(m_jobPath);
    RemoveFile(m_rawPath);
    m_description.clear();
    m_record = nullptr;
    m_kind = UndoOther;
}

// --- CUndoManager

CUndoManager::~CUndoManager() { RemoveAll(); }

CUndoObject* CUndoManager::GetStep(int32_t position) const
{
    return position >= 0 && position < int32_t(m_steps.size()) ? m_steps[size_t(position)].get() : nullptr;
}

bool CUndoManager::CanUndo()
{
    if (m_current < 0)
        return false;
    if (m_current >= int32_t(m_steps.size()))
        m_current = int32_t(m_steps.size()) - 1;
    if (m_current < 0)
        return false;
    PurgeInvalidSteps();
    return m_current >= 0;
}

bool CUndoManager::CanRedo()
{
    if (m_steps.empty()) {
        m_current = -1;
        return false;
    }
    if (m_current < 0)
        m_current = -1;
    PurgeInvalidSteps();
    if (m_steps.empty())
        return false;
    return m_current < int32_t(m_steps.size()) - 1;
}

std::string CUndoManager::GetUndoDescription()
{
    if (!CanUndo() || m_current >= int32_t(m_steps.size()))
        return {};
    return m_steps[size_t(m_current)]->GetDescription();
}

void CUndoManager::SetUndoDescription(const std::string& text)
{
    if (!CanUndo() || m_current >= int32_t(m_steps.size()))
        return;
    m_steps[size_t(m_current)]->SetDescription(text);
}

std::string CUndoManager::GetRedoDescription()
{
    if (!CanRedo() || m_current >= int32_t(m_steps.size()) - 1)
        return {};
    const int32_t at = (m_current < 0 ? -1 : m_current) + 1;
    return m_steps[size_t(at)]->GetDescription();
}

void CUndoManager::RemoveAll()
{
    for (auto& step : m_steps)
        if (step != nullptr)
            step->Discard();
    m_steps.clear();
    m_current = -1;
}

bool CUndoManager::CancelLastStep()
{
    if (CanRedo() || !CanUndo())
        return false;
    std::unique_ptr<CUndoObject> step = std::move(m_steps[size_t(m_current)]);
    m_steps.erase(m_steps.begin() + m_current);
    --m_current;
    step->Cancel();
    return true;
}

void CUndoManager::SetStepsModified(bool modified)
{
    for (auto& step : m_steps)
        step->SetKeptModified(modified);
}

void CUndoManager::ReleaseStep(CUndoObject* step)
{
    if (step != nullptr)
        step->Discard();
}

void CUndoManager::PurgeInvalidSteps()
{
    for (int32_t i = 0; i < int32_t(m_steps.size());) {
        if (m_steps[size_t(i)]->IsValid()) {
            ++i;
            continue;
        }
        m_steps[size_t(i)]->Discard();
        m_steps.erase(m_steps.begin() + i);
        if (i <= m_current)
            --m_current;
    }
}

std::unique_ptr<CUndoObject>& CUndoManager::PopUndoStep()
{
    std::unique_ptr<CUndoObject>& slot = m_steps[size_t(m_current)];
    --m_current;
    return slot;
}

std::unique_ptr<CUndoObject>& CUndoManager::PopRedoStep()
{
    m_current = m_current < 0 ? 0 : m_current + 1;
    return m_steps[size_t(m_current)];
}

// --- CDataFileUndoManager

bool CDataFileUndoManager::Undo() { return Step(true); }

bool CDataFileUndoManager::Redo() { return Step(false); }

bool CDataFileUndoManager::Step(bool undo)
{
    if (undo ? !CanUndo() : !CanRedo())
        return false;
    std::unique_ptr<CUndoObject>& slot = undo ? PopUndoStep() : PopRedoStep();
    // Put back where it was when nothing was restored, so that the step can be tried again.
    auto moveBack = [this, undo] { m_current += undo ? 1 : -1; };
    const std::string description = slot->GetDescription();
    const std::string history = (undo ? "Undo: " : "Redo: ") + description;

    auto current = std::make_unique<CDataFileUndoObject>(m_document, description, UndoOther, nullptr);
    if (!current->Capture()) {
        moveBack();
        return false;
    }
    if (m_document == nullptr)
        return false;
    m_document->SendHint(nullptr, HintUndoBegin, 0);
    if (!slot->Restore()) {
        // The restore emptied the job: bring back the state from just before, and keep the
        // history so that nothing else is lost.
        const bool back = current->Restore();
        current->Discard();
        moveBack();
        m_document->SendHint(nullptr, HintUndoDone, 0);
        ShowMessageBoxFS(back ? (undo ? "Unable to undo \"" : "Unable to redo \"") + description +
                                    "\": its copy of the job could not be read. The job is as it was."
                              : (undo ? "Unable to undo \"" : "Unable to redo \"") + description +
                                    "\", and the job could not be read back. Reload the job from its files.",
                         MB_OK | MB_ICONERROR);
        return false;
    }
    m_document->AddHistoryEntry(history);
    m_document->SendHint(nullptr, HintUndoDone, 0);
    ReleaseStep(slot.get());
    slot = std::move(current);
    return true;
}

bool CDataFileUndoManager::RecordUndoForRecord(int32_t kind, CRecord* record)
{
    std::string text;
    switch (kind) {
    case UndoDeletePoint:
    case UndoModifyPoint: {
        const std::string name = PointText(m_document, record);
        if (!name.empty())
            text = "point " + name;
        break;
    }
    case UndoAddPoint:
        return RecordUndo(kind, text, record);
    case UndoDeleteObjects:
    case UndoModifyObjects: {
        // Counted now: the operator's cached count does not see selections made since.
        int32_t count = 0;
        if (m_document != nullptr && m_document->GetCurrentSelection() != nullptr)
            count = m_document->GetCurrentSelection()->GetCount();
        text = std::to_string(count) + " objects";
        record = nullptr;
        break;
    }
    default:
        record = nullptr;
        break;
    }
    return RecordUndo(kind, text, record);
}

bool CDataFileUndoManager::RecordUndo(int32_t kind, const std::string& text, CRecord* record)
{
    const std::string description = DescribeStep(kind, text);
    PurgeInvalidSteps();
    if (int32_t(m_steps.size()) > MaxSteps)
        RemoveOldestSteps(int32_t(m_steps.size()) - MaxSteps);
    RemoveStepsAfter(m_current);

    if (!m_mergeBreak && record != nullptr && !m_steps.empty()) {
        auto* newest = dynamic_cast<CDataFileUndoObject*>(m_steps.back().get());
        if (newest != nullptr && newest->GetKind() == kind) {
            if (kind == UndoModifyPoint && newest->GetRecord() == record)
                return true;
            if (kind == UndoAddPoint && (newest->GetRecord() == record || newest->GetRecord() == nullptr)) {
                newest->SetRecord(record);
                const std::string name = PointText(m_document, record);
                newest->SetDescription(name.empty() ? std::string() : "Add point " + name);
                return true;
            }
        }
    }

    m_mergeBreak = false;
    auto step = std::make_unique<CDataFileUndoObject>(m_document, description, kind, record);
    if (!step->Capture())
        return false;
    m_steps.push_back(std::move(step));
    m_current = int32_t(m_steps.size()) - 1;
    return true;
}

void CDataFileUndoManager::RemoveStepsAfter(int32_t position)
{
    const size_t keep = size_t(position < -1 ? 0 : position + 1);
    while (m_steps.size() > keep) {
        m_steps.back()->Discard();
        m_steps.pop_back();
    }
}

void CDataFileUndoManager::RemoveOldestSteps(int32_t count)
{
    for (int32_t i = 0; i < count && !m_steps.empty(); ++i) {
        m_steps.front()->Discard();
        m_steps.erase(m_steps.begin());
        if (m_current >= 0)
            --m_current;
    }
}

CDataFileUndoManager* GetActiveUndoManager()
{
    CDataFileDoc* document = CDataFileDoc::GetActiveDoc();
    return document != nullptr ? document->GetUndoManager() : nullptr;
}
