#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDataFileDoc;
class CDataFileDocSettings;
class CRecord;

// Kinds of undo step: one point deleted, added or modified; several objects deleted, added or
// modified; anything else.
inline constexpr int32_t UndoDeletePoint = 0;
inline constexpr int32_t UndoAddPoint = 1;
inline constexpr int32_t UndoModifyPoint = 2;
inline constexpr int32_t UndoDeleteObjects = 3;
inline constexpr int32_t UndoAddObjects = 4;
inline constexpr int32_t UndoModifyObjects = 5;
inline constexpr int32_t UndoOther = 6;

// One step of a job's undo history.
class CUndoObject
{
public:
    virtual ~CUndoObject() = default;

    virtual std::string GetDescription() const = 0;
    virtual void SetDescription(const std::string& text) = 0;
    virtual bool IsValid() const = 0;
    // Takes the job's state now; false leaves nothing behind.
    virtual bool Capture() = 0;
    // Puts the job back into the captured state.
    virtual bool Restore() = 0;
    // Withdraws a step whose command changed nothing: the job's modified flag goes back.
    virtual void Cancel() = 0;
    // Lets go of the captured state (its files are deleted).
    virtual void Discard() = 0;

    // The job's modified state when the step was captured.
    bool GetKeptModified() const { return m_keptModified; }
    void SetKeptModified(bool modified) { m_keptModified = modified; }

private:
    bool m_keptModified = true;
};

// A whole-job step: the job in the job file format and its raw data as text, each in a temporary
// file, and a detached copy of the job's settings.
class CDataFileUndoObject : public CUndoObject
{
public:
    CDataFileUndoObject(CDataFileDoc* document, std::string description, int32_t kind, CRecord* record);
    ~CDataFileUndoObject() override;
    CDataFileUndoObject(const CDataFileUndoObject&) = delete;
    CDataFileUndoObject& operator=(const CDataFileUndoObject&) = delete;

    std::string GetDescription() const override { return m_description; }
    void SetDescription(const std::string& text) override { m_description = text; }
    // True while the job snapshot file exists.
    bool IsValid() const override;
    bool Capture() override;
    bool Restore() override;
    void Cancel() override;
    void Discard() override;

    const std::string& GetJobSnapshotPath() const { return m_jobPath; }
    const std::string& GetRawSnapshotPath() const { return m_rawPath; }
    CRecord* GetRecord() const { return m_record; }
    void SetRecord(CRecord* record) { m_record = record; }
    int32_t GetKind() const { return m_kind; }

private:
    CDataFileDoc* m_document;
    std::string m_description;
    std::string m_jobPath;
    std::string m_rawPath;
    std::unique_ptr<CDataFileDocSettings> m_settings;
    CRecord* m_record = nullptr; // not owned; only compared when steps merge
    int32_t m_kind = UndoOther;
};

// A job's undo history: steps oldest first; the step at the current index is the one the next
// undo restores, those after it are redo steps.
class CUndoManager
{
public:
    CUndoManager() = default;
    virtual ~CUndoManager();
    CUndoManager(const CUndoManager&) = delete;
    CUndoManager& operator=(const CUndoManager&) = delete;

    // Both drop steps whose snapshot file has gone.
    virtual bool CanUndo();
    virtual bool CanRedo();
    // Empty when there is nothing to undo or redo.
    virtual std::string GetUndoDescription();
    virtual void SetUndoDescription(const std::string& text);
    virtual std::string GetRedoDescription();
    // Drops every step with its files.
    virtual void RemoveAll();
    virtual bool Undo() = 0;
    virtual bool Redo() = 0;
    // Withdraws the newest step when it is the current one: the job's modified flag goes back
    // and the step's files are deleted. False when there is no such step.
    virtual bool CancelLastStep();
    virtual bool RecordUndoForRecord(int32_t kind, CRecord* record) = 0;
    virtual bool RecordUndoOfKind(int32_t kind) = 0;
    virtual bool RecordUndoWithText(const std::string& text) = 0;
    // The next step recorded is never merged into the newest one.
    virtual void BreakMerge() { m_mergeBreak = true; }
    // After a save: any later undo or redo leaves the job marked modified.
    virtual void SetStepsModified(bool modified);
    virtual void ReleaseStep(CUndoObject* step);
    virtual void PurgeInvalidSteps();
    // The slot of the current step; the index moves one down.
    virtual std::unique_ptr<CUndoObject>& PopUndoStep();
    // The index moves one up (from -1 when negative); the slot there.
    virtual std::unique_ptr<CUndoObject>& PopRedoStep();

    // Names other commands call the same operations by.
    void SetStepDescription(const std::string& text) { SetUndoDescription(text); }

    int32_t GetStepCount() const { return int32_t(m_steps.size()); }
    int32_t GetCurrentIndex() const { return m_current; }
    CUndoObject* GetStep(int32_t position) const;

protected:
    std::vector<std::unique_ptr<CUndoObject>> m_steps;
    int32_t m_current = -1;
    bool m_mergeBreak = false;
};

// The undo history of one job document, whose steps are whole-job snapshots.
class CDataFileUndoManager : public CUndoManager
{
public:
    // The most steps kept before a new one is added.
    static constexpr int32_t MaxSteps = 300;

    explicit CDataFileUndoManager(CDataFileDoc* document) : m_document(document) {}
    ~CDataFileUndoManager() override = default;

    CDataFileDoc* GetDocument() const { return m_document; }

    bool Undo() override;
    bool Redo() override;
    // Kinds 0 and 2 describe a point by name, kinds 3 and 5 give the number of selected objects.
    bool RecordUndoForRecord(int32_t kind, CRecord* record) override;
    bool RecordUndoOfKind(int32_t kind) override { return RecordUndoForRecord(kind, nullptr); }
    // A step of kind 6 described by the text.
    bool RecordUndoWithText(const std::string& text) override { return RecordUndo(UndoOther, text, nullptr); }
    // Records a step before the job changes. Consecutive modifications of one point share a step,
    // and an added point names the step recorded just before it existed.
    virtual bool RecordUndo(int32_t kind, const std::string& text, CRecord* record);

    void RemoveStepsAfter(int32_t position);
    void RemoveOldestSteps(int32_t count);

    // Names other commands call the same operations by.
    bool RecordCaptionedUndo(const std::string& caption) { return RecordUndoWithText(caption); }
    bool RecordObjectUndo(int32_t kind, CRecord* record) { return RecordUndoForRecord(kind, record); }
    bool RecordKindUndo(int32_t kind) { return RecordUndoOfKind(kind); }

private:
    // Undo and redo differ only in the direction and the history word.
    bool Step(bool undo);

    CDataFileDoc* m_document;
};

// The undo history of the active job; null when no job is open.
CDataFileUndoManager* GetActiveUndoManager();
