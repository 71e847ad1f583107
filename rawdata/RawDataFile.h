#pragma once

#include "core/MemoryPoison.h"
#include "core/StableColumn.h"
#include "model/JobRawData.h"
#include "rawdata/records/NikonRawDataSetup.h"
#include "rawdata/records/RawDataRecord.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CColoredTextLines;
class CDataFileDoc;
class CLocation;
class CNikonRawDataRecord;
class CRawDataDrawTarget;
class CRawDataRecord;
class CRawDataSetup;
class CRawPointNameMap;
class CStakeoutStateTable;

// Memory for the lines' records and texts, taken in large blocks and handed back together: a
// long file then costs a few frees on close instead of two per line. Nothing is reused before
// Release, so a removed or replaced line keeps its bytes until the lines are cleared.
class CLineBlocks
{
public:
    void* Take(std::size_t size, std::size_t align);
    // Hands back the last bytes of the latest Take, unused: the next Take starts there.
    void GiveBack(std::size_t size) { m_used -= size; }
    void Release();

private:
    std::vector<std::unique_ptr<std::byte[]>> m_blocks;
    std::size_t m_used = 0;
};

// Ends the life of a record placed in the blocks; the blocks own the memory.
struct CLineDestroy
{
    template <class T> void operator()(T* object) const
    {
        object->~T();
        // The block stays: marked, so sanitizer builds still catch a use after the line went.
        PoisonMemory(object, sizeof(T));
    }
};
template <class T> using LineHolder = std::unique_ptr<T, CLineDestroy>;

// A job's raw lines in memory: one record per line and beside it the setup in force after the
// line. Structural edits recompute the setups from the first line they touch; appending applies
// only the new line.
class CRawDataFile : public CJobRawData
{
public:
    explicit CRawDataFile(CDataFileDoc* doc);
    ~CRawDataFile() override;
    CRawDataFile(const CRawDataFile&) = delete;
    CRawDataFile& operator=(const CRawDataFile&) = delete;

    // A typed record reprints itself in the units at the end of the raw data and is appended;
    // the new line, or -1.
    virtual int32_t AddRecord(CRawDataRecord* record, int32_t option = 0) = 0;
    // Every setup again from line 0 ("Processing Raw Data", hint 45).
    void RecomputeSetups() { RecomputeSetupsFrom(0); }
    // The setups of the line and every later one; earlier setups are unchanged because a setup
    // depends only on its own and earlier lines.
    void RecomputeSetupsAfterChangeAt(int32_t firstLine) { RecomputeSetupsFrom(firstLine); }
    virtual std::unique_ptr<CNikonRawDataRecord> CreateRecord(const CRawDataRecord* record) = 0;
    virtual void AddPointToNameMap(std::string_view name, const CLocation& location, std::string_view description,
                                   bool deleted, int32_t line) = 0;
    virtual void ApplyStakeoutRecord(CNikonRawDataRecord& record) = 0;
    virtual CRawPointNameMap& GetPointNameMap() = 0;
    virtual CStakeoutStateTable& GetStakeoutTable() = 0;
    virtual void ClearMaps() = 0;

    bool GetDocument(CDataFileDoc** doc) const;
    CDataFileDoc* GetDocument() const { return m_doc; }
    int32_t GetLineCount() const override { return int32_t(m_records.size()); }
    // Null outside the lines.
    CNikonRawDataRecord* GetRecord(int32_t line) const;
    CRawDataSetup* GetSetup(int32_t line) override;
    const CRawDataSetup* GetSetup(int32_t line) const;

    // Copies the record to the end; 0 and nothing stored for a null record.
    int32_t AppendRecord(const CRawDataRecord* record);
    // The line, 0 for a null record, -1 without document or for a line outside the records.
    int32_t ReplaceRecord(int32_t line, CRawDataRecord* record);
    // As ReplaceRecord; the line may be the line count (appends).
    int32_t InsertRecord(int32_t line, CRawDataRecord* record);
    // Lines outside the records and repeated lines are left out; the rest go from the highest
    // down. The number removed.
    int32_t RemoveRecords(const std::vector<int32_t>& lines) override;
    // The number of lines marked (a line already marked counts), or turned into notes or back.
    int32_t SetRecordsDeleted(const std::vector<int32_t>& lines, bool deleted) override;
    int32_t ToggleRecordsNote(const std::vector<int32_t>& lines, bool toNote) override;
    bool RenamePoints(const RenameMap& names) override;
    void Clear() override;
    void Reset();
    void SetDrawTarget(CRawDataDrawTarget* target) { m_drawTarget = target; }
    CRawDataDrawTarget* GetDrawTarget() const { return m_drawTarget; }
    void DrawRecord(int32_t line);
    void DrawSetup(int32_t line, uint32_t flags);
    bool DescribeLine(CColoredTextLines* lines, int32_t line, bool longLabels, bool withSetup, bool wholeLabels);
    bool CheckLine(CColoredTextLines* lines, int32_t line);
    // The hover text of a line: its number, type, fields, mode and setup, and its check.
    bool FormatLineInfo(CColoredTextLines* lines, int32_t line, bool longLabels);

    // CJobRawData.
    bool AppendInputPoint(const CPointRecord& point, bool deleted, std::string* text, int32_t* line) override;
    void ReserveInputPoints(std::size_t more) override;
    // Makes room for that many more lines before a load.
    void ReserveLines(std::size_t more);
    // A line read from a file appended as it stands, without the copy AppendRecord makes.
    int32_t AppendLineText(std::string_view text);

protected:
    // Recomputes the setups of the line and every later one; earlier setups are unchanged because a
    // setup depends only on its own and earlier lines.
    virtual void RecomputeSetupsFrom(int32_t firstLine) = 0;

    CDataFileDoc* m_doc;
    CRawDataDrawTarget* m_drawTarget = nullptr;
    // Declared before the lines so that they outlive them.
    CLineBlocks m_blocks;
    CLineBlocks m_texts;
    std::vector<LineHolder<CNikonRawDataRecord>> m_records;
    // Held in place, not each behind a pointer: a setup is its line, its container and one shared
    // pointer, no larger than a pointer and a block's share would be.
    CStableColumn<CNikonRawDataSetup> m_setups;

    // A copy of the record in the blocks, bound to the document at the line. A short text sits
    // in the text blocks, so a stored line costs no allocation of its own.
    LineHolder<CNikonRawDataRecord> PlaceRecord(const CRawDataRecord* record, int32_t line);
    // A record of the text, placed the same way.
    LineHolder<CNikonRawDataRecord> PlaceText(std::string_view text, int32_t line);
    // Room in the text blocks for a line of up to `most` characters, printed in place and then
    // made a record by PlacePrinted; null for a text too long to be placed (it goes by PlaceText).
    char* TakeTextRoom(std::size_t most);
    // The record of the `size` characters printed at `chars`, which TakeTextRoom(most) gave.
    LineHolder<CNikonRawDataRecord> PlacePrinted(char* chars, std::size_t size, std::size_t most, int32_t line);
    // Appends the placed record with a copy of the previous line's setup, not yet applied.
    int32_t PushPlaced(LineHolder<CNikonRawDataRecord> record);

private:
    // Appends the placed record with its setup, applied after the previous line's.
    int32_t AppendPlaced(LineHolder<CNikonRawDataRecord> record);
};

// The raw data container of the job the document owns; null when its raw data is not one.
CRawDataFile* RawDataFileOf(const CDataFileDoc* doc);
