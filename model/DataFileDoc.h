#pragma once

#include "core/JobValueSource.h"
#include "model/HistoryLines.h"
#include "model/JobRawData.h"
#include "model/RecordOwner.h"
#include "model/Selection.h"
#include "model/SettingsChangeFlags.h"
#include "model/SpRecordRBTree.h"
#include "platform/Document.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CDataFileDocSettings;
class CDataFileFormat;
class CDataFileHiSelection;
class CDataFileSelOperator;
class CDataFileSmartHintManager;
class CDataFileUndoManager;
class CDocTemplate;
class CJobFileDocSettings;
class CJobFileMathConversions;
class CJobRawData;
class CPointDatabase;
class CLocation;
class CPointRecord;
class CRawDataRecord;
class CRecord;
class CRecordDatabase;
class CReport;
class CView;

// A record to show or to continue with, and its index.
struct RecordRef
{
    CRecord* record = nullptr;
    int32_t index = -1;
};

void InitRecordRef(RecordRef& ref);

// The sorted index's default order: by sequence number; 0 only for the same record.
int CompareRecordSequence(CRecord* a, CRecord* b);
// Sorts arrays of record pointers (each argument points to a CRecord*) with points first.
int CompareRecordTypes(const void* a, const void* b);

// The job in memory: the record store, the point-name index and the grid order, the change hints,
// the undo history, the job's value format and unit conversions, and the selections. Every change
// of a job goes through its operations, which keep the store and both indexes in step, write the
// change history, set the modified flag and send the change hints. The job document derives from
// it and binds it to the job and raw-data files.
class CDataFileDoc : public CDocument, public CRecordOwner, public CJobValueSource
{
public:
    CDataFileDoc();
    ~CDataFileDoc() override;

    // The first open job document; null when no job is open. The argument is not used.
    static CDataFileDoc* GetActiveDoc(void* unused = nullptr);
    // The active view when it is a job view, else null.
    static CView* GetActiveDataFileView();
    // Keeps the program-wide lookups of the active job (hint delivery, value texts) in step
    // with the list of open documents.
    static void OnOpenDocumentsChanged();

    // --- What the job document supplies.
    virtual CDataFileDocSettings* GetJobSettings() = 0;
    // The same settings as the job's own class, with its per-job values (stake-out offset).
    virtual CJobFileDocSettings* GetDocSettings() = 0;
    virtual bool Reload(bool noPrompt) = 0;
    virtual bool OpenJobFile(const std::string& path, bool& generatedRawData) = 0;
    virtual bool LoadRawDataFromText(const std::string& path, bool snapshot) = 0;
    virtual bool WriteRawData(const std::string& path, bool snapshot) = 0;
    bool IsValidPointName(const char* name) override = 0;
    virtual std::string GetJobExtension() = 0;
    virtual std::string GetJobFileName() = 0;
    virtual std::string GetRawDataFileName() = 0;
    virtual std::string GetRawDataExtension() = 0;
    virtual CDocTemplate* GetJobDocTemplate() = 0;
    virtual bool AllowsAlphanumericNames() = 0;
    virtual bool GenerateRawData(const std::string& jobPath, bool markModified) = 0;
    // Reduces the raw data to points; report and duplicates may be null.
    virtual void ReduceRawData(bool ignoreStorePoints, bool ignoreDeleted, CReport* report,
                               std::vector<std::string>* duplicates) = 0;
    virtual bool ReloadThroughCopy(const std::string& jobSnapshot, const std::string& rawSnapshot,
                                   CDataFileDocSettings* settingsCopy, bool modifiedAfter)
    {
        return false;
    }
    virtual bool WriteJobSnapshot(const std::string& path) { return false; }
    virtual bool WriteRawDataSnapshot(const std::string& path) { return false; }
    // Saves the job under its own name; false when it could not be saved.
    virtual bool DoFileSave() = 0;
    // Writes the points (those of the selection, or all) as a new job file at the path through a
    // temporary job, with raw data beside it when asked. selection null means the current one.
    virtual bool ExportSelection(const std::string& path, bool selectedOnly, bool withRawData,
                                 CSelection* selection) = 0;
    // Writes a job file with default settings and no points.
    virtual bool CreateEmptyJobFile(const std::string& path) = 0;

    // --- Accessors.
    CRecordDatabase* GetRecordDatabase() override { return m_records.get(); }
    CPointDatabase* GetPointDatabase() override { return m_points.get(); }
    CDataFileFormat* GetDataFileFormat() { return m_format.get(); }
    CJobFileMathConversions* GetMathConversions() { return m_conversions.get(); }
    CDataFileSmartHintManager* GetSmartHintManager() const { return m_hints.get(); }
    CDataFileUndoManager* GetUndoManager() const { return m_undo.get(); }
    // The job's raw lines, not owned; null until the job document supplies them.
    CJobRawData* GetRawDataFile() const { return m_rawData.get(); }
    // The job owns its raw data from then on; an earlier one is freed.
    void SetRawDataFile(std::unique_ptr<CJobRawData> rawData);
    CDataFileSelOperator* GetSelOperator() const { return m_selOperator.get(); }
    CDataFileHiSelection* GetHiSelection() const { return m_hiSelection.get(); }
    // The grid's rows, with every point added so far filed.
    CSpRecordRBTree* GetSortedIndex()
    {
        FileHeldRows();
        return &m_sorted;
    }
    // Empties the grid's rows, held ones too, without filing them first.
    void ClearSortedIndex();
    // One list of display texts per raw line, filled by the raw-data display.
    std::vector<std::vector<std::string>>& GetRawDataLines() { return m_rawLines; }
    const CHistoryLines& GetHistoryList() const { return m_history; }
    void ClearHistoryList() { m_history.Clear(); }
    // The current selection held by the selection operator; null when there is none.
    CSelection* GetSelection() override;
    CSelection* GetCurrentSelection() const;

    // --- Current record.
    void SetCurrentRecord(CRecord* record, int32_t index);
    bool GetCurrentRecord(RecordRef& out) const;
    // As GetCurrentRecord, then the record is cleared.
    bool TakeCurrentRecord(RecordRef& out);
    void ClearCurrentRecord();

    // --- Hints: queued on the hint manager, but only when the job has a view.
    void SendHint(void* sender, int32_t code, intptr_t parameter);

    // --- Records.
    // Files a point in the store and both indexes; the job owns it from then on. False for a
    // non-point, an invalid or taken name; the record then stays with the caller.
    bool AddRecord(CRecord* record) override;
    // Makes room in the record store, the grid's rows and the raw data for that many more points
    // and their input-point lines, so a bulk add grows them once instead of step by step.
    void ReserveForPoints(std::size_t more);
    bool RecordModified(CRecord* record);
    // Takes the record out of the job and frees it; with log, the raw data records the deletion.
    bool DeleteRecord(CRecord* record, bool logToRawData);
    // Whether the store holds the record (and it has the type, unless type is 0).
    bool ContainsRecord(const CRecord* record, uint16_t type) const;
    bool GetRecordDistance(CRecord*& record, double easting, double northing, double& distance) const;
    // Highlights the record exactly when the current selection holds it.
    void SyncHighlight(CRecord* record);

    // --- Point names.
    // The base, or the last point name when it is empty, moved on until no point holds it (and,
    // during a reservation, no earlier call handed it out).
    std::string MakeUniquePointName(const std::string& base) override;
    std::string NextFreePointName(const std::string& base, bool untilFree, int32_t step);
    void BeginNameReservation() { m_reserving = true; }
    void EndNameReservation();
    const std::string& GetLastPointName() const { return m_lastPointName; }
    void SetLastPointName(const std::string& name) override { m_lastPointName = name; }
    void SetLastPointName(const char* name) override { m_lastPointName = name; }

    // Fills the grid order from the store after a read and starts the job unmodified.
    void BuildSortedIndex();

    // --- Raw lines. Each forwards to the raw data; only when that succeeds are the cached line
    // texts, the history, the modified flag and the hints (41 appended, 42 changed) brought in step.
    bool AppendRawDataRecord(const CRawDataRecord* record);
    bool AppendRawDataRecordText(const CRawDataRecord* record);
    // Appends an input-point (MP) line made from the point, as a merged or keyed point is logged.
    bool AppendInputPointLine(const CPointRecord& point);
    bool ReplaceRawDataLine(int32_t line, const CRawDataRecord* record);
    bool InsertRawDataLine(int32_t line, const CRawDataRecord* record);
    // Number of lines removed.
    int32_t RemoveRawDataLines(const std::vector<int32_t>& lines);
    bool MarkRawDataLineDeleted(const std::vector<int32_t>& lines, bool deleted);
    bool ConvertRawDataLineToNote(const std::vector<int32_t>& lines, bool note);
    bool RenamePointsInRawData(const PointRenameMap& renames);
    // Empties every cached line text and sends hint 42.
    void ReloadRawDataLines();
    // Raw data made from the target's points, written to the path.
    bool CreateRawDataFromPoints(CDataFileDoc* target, const std::string& path);
    // Comment lines describing the job's settings that the flags select.
    void AppendSettingsComments(CDataFileDoc* target, const SettingsChangeFlags& flags);

    // --- Bulk edits of the points of the current selection, in name order. A transform that
    // would put any point at 1e7 or more from the origin (easting, northing, or a present
    // elevation) changes nothing and returns false; otherwise each moved point is logged as a
    // calculated-coordinate raw line.
    bool TranslatePoints(const CLocation& offset);
    // About the origin, by the angle in radians, counter-clockwise positive.
    bool RotatePoints(double originEasting, double originNorthing, double angle);
    bool ScalePoints(double originEasting, double originNorthing, double originElevation, double easting,
                     double northing, double elevation);
    // Deletes the selected records; with log, each deleted point is recorded in the raw data.
    bool DeleteObjects(bool log);

    // --- Modified state and history.
    bool IsModified() override { return CDocument::IsModified(); }
    // Stores the flag and sends hint 25.
    void SetModifiedFlag(bool modified = true) override;
    void SetModifiedFlagOnly(bool modified) { CDocument::SetModifiedFlag(modified); }
    void SetModifiedWithText(const char* text, bool modified, bool addHistory) override;
    // Appends the text with the local date and time; an empty text adds nothing.
    bool AddHistoryEntry(const std::string& text);

    // --- Document life.
    bool OnNewDocument() override;
    void OnCloseDocument() override;
    bool SaveModified() override;
    void SetPathName(const std::string& path, bool addToRecentFiles = true) override;
    void ShowJobFileView();

    // --- What the value texts ask of the job.
    const CMathConversions& GetMathConversions() const override;
    const CFormat& GetDataFileFormat() const override;
    int GetSurveyUnits() const override;
    int GetAngleUnits() const override;
    bool FindPointLocation(const std::string& name, CLocation* location) const override;

private:
    // Adds the time-stamped line; text is never empty here.
    void AppendHistoryLine(std::string_view text);
    // What SetModifiedWithText does for a text given in parts, with the line built once: a
    // bulk import adds two lines per point.
    void NoteModifiedWithParts(std::initializer_list<std::string_view> parts);
    // Adds "Added '(deleted)...'" for a deleted point's input-point line.
    void LogDeletedPoint(const CPointRecord& copy);
    // History and hint 41 for a line the raw data appended.
    void NoteAppendedLine(const std::string& text, int32_t line, bool deleted);
    // History and hint 42 for a line replaced or inserted; the cached texts from it on go.
    void NoteChangedLine(const char* format, const std::string& text, int32_t line, int32_t from);
    // The selected points in name order.
    std::vector<CPointRecord*> CollectSelectedPoints();
    // Checks every new location, then moves the points and logs them.
    bool MovePoints(const std::vector<CPointRecord*>& points, const std::vector<CLocation>& moved);
    bool IsReservedName(const std::string& name) const;
    // Files the rows AddRecord held back, in the order they came, as filing each then would have.
    void FileHeldRows();

    std::unique_ptr<CRecordDatabase> m_records;
    std::unique_ptr<CPointDatabase> m_points;
    std::unique_ptr<CDataFileFormat> m_format;
    std::unique_ptr<CJobFileMathConversions> m_conversions;
    std::unique_ptr<CDataFileSmartHintManager> m_hints;
    std::unique_ptr<CDataFileUndoManager> m_undo;
    std::unique_ptr<CJobRawData> m_rawData;
    std::unique_ptr<CDataFileSelOperator> m_selOperator;
    std::unique_ptr<CDataFileHiSelection> m_hiSelection;
    RecordRef m_current;
    CSpRecordRBTree m_sorted;
    // Points added while the rows are in sequence order, not yet filed: they go last, in this
    // order, when the rows are next read or changed. A job whose grid nobody reads (a reduction,
    // an import without a window) keeps its record's cell number instead of a leaf, a branch and
    // an entry; in small blocks, without a vector's spare room or its copies as it grows.
    std::deque<uint32_t> m_heldRows;
    std::vector<std::vector<std::string>> m_rawLines;
    CHistoryLines m_history;
    // The last appended input-point line's text, kept for its room: a bulk import appends one per point.
    std::string m_appendedText;
    std::string m_lastPointName;
    std::list<std::string> m_reservedNames;
    bool m_reserving = false;
    bool m_closing = false;
};
