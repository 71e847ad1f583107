#pragma once

#include "rawdata/RawFieldEditorModel.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CDataFileDoc;
class CNikonRawDataRecord;
class CRawDataFile;
class CRawDataSetup;

// The raw line editor apart from its windows. It keeps the line's index and the text it loaded,
// never a pointer into the raw data: lines are removed, inserted and moved under an open editor,
// and undo rebuilds every record. The record and its setup are read again at each use.
class CRawEditRecordModel
{
public:
    enum class ApplyResult { Applied, Invalid, Reloaded, NoLine };

    explicit CRawEditRecordModel(CDataFileDoc* doc) : m_doc(doc) {}

    // Loads the line; false when the job has no such line (what was shown stays).
    bool Load(int32_t line);
    bool IsLoaded() const { return m_copy != nullptr; }
    int32_t GetLine() const { return m_line; }
    int32_t GetShownLineNumber() const { return m_line + 1; }
    int32_t GetRecordType() const { return m_type; }
    bool IsDeleted() const { return m_deleted; }
    // The text the line field shows: the loaded line, or the record a type switch prepared.
    const std::string& GetLineText() const { return m_lineText; }
    const std::string& GetLoadedText() const { return m_loadedText; }
    // The record the field editor is built from.
    CNikonRawDataRecord* GetEditorRecord() const { return m_editor ? m_editor.get() : m_copy.get(); }
    // The setup in force at the line now; null when the line is gone.
    CRawDataSetup* GetSetup() const;
    // Whether the line still holds the text that was loaded.
    bool IsLineCurrent() const;

    // The user chose another record type: the values typed for the old type are written into
    // the working copy (and kept as that type's last text), and the editor record becomes the
    // new type's last applied text, or its empty line.
    void SwitchType(int32_t newType, const std::vector<CRawFieldEntry>& entries);

    // Writes the values as a line of the current type and replaces the job's line as one undo
    // step "Edit Raw Data Line #n" (n the 0-based index). An invalid record changes nothing. When
    // the line is gone or holds another text now, nothing is replaced and the line is reloaded.
    ApplyResult Apply(bool deleted, const std::vector<CRawFieldEntry>& entries);

    // Around an undo or redo: the line is remembered, then reloaded when it still exists.
    void BeforeUndo();
    bool AfterUndo();

    // Shared by every editor of the run: the last applied text per record type, the last line.
    static std::map<int32_t, std::string>& LastAppliedTexts();
    static int32_t& LastEditedLine();

private:
    CRawDataFile* File() const;

    CDataFileDoc* m_doc;
    int32_t m_line = -1;
    int32_t m_type = -1;
    bool m_deleted = false;
    std::string m_loadedText;
    std::string m_lineText;
    std::unique_ptr<CNikonRawDataRecord> m_copy;
    std::unique_ptr<CNikonRawDataRecord> m_editor;
};

// The line a record of the type prints from empty values at the line, or its empty form (the
// type's code and a comma per value).
std::string EmptyRawRecordText(CDataFileDoc* doc, int32_t type, int32_t line);
