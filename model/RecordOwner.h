#pragma once

#include <functional>
#include <string>

class CRecord;
class CRecordDatabase;
class CPointDatabase;

// A selection as the records and the store see it: membership of a record and a way to let go
// of the store. The selection framework's classes implement it.
class CRecordSelection
{
public:
    virtual ~CRecordSelection() = default;
    virtual bool IsSelected(const CRecord* record) const = 0;
    // Frees the selection's slot and unregisters it from the store it is bound to.
    virtual void Detach() = 0;
    // The record is leaving the store (still alive); every record is about to leave.
    virtual void OnRecordRemoved(const CRecord* record) {}
    virtual void OnAllRecordsRemoved() {}
};

// What records, the store and the point-name index need of the job document that holds them.
// The job document implements it; records keep only this narrow view of their owner.
class CRecordOwner
{
public:
    // Gives back the number records knew this owner by.
    virtual ~CRecordOwner();

    // The job's point-name check (the job may allow digits only).
    virtual bool IsValidPointName(const char* name) = 0;
    virtual void SetModifiedWithText(const char* text, bool modified, bool addHistory) = 0;
    // The current selection; null when there is none.
    virtual CRecordSelection* GetSelection() = 0;
    virtual CRecordDatabase* GetRecordDatabase() = 0;
    virtual CPointDatabase* GetPointDatabase() = 0;
    // Files a new record in the store and both indexes; false leaves the record with the caller.
    virtual bool AddRecord(CRecord* record) = 0;
    // The seed of new point names.
    virtual void SetLastPointName(const std::string& name) = 0;
    // The same from the text the indexes hold, so that filing a point makes no string for it.
    virtual void SetLastPointName(const char* name) { SetLastPointName(std::string(name)); }
};

// The active job view as records see it when they draw themselves on its map.
class CRecordView
{
public:
    virtual ~CRecordView() = default;
    // drawFlag is 1 for the normal look and -1 for the alternate (highlight) look.
    virtual void DrawRecord(CRecord& record, int drawFlag, bool flag) = 0;
};

// The shell installs a function that returns the active job view, or null when the active view is
// not a job view. Records draw nothing without it.
void SetActiveRecordViewHook(std::function<CRecordView*()> hook);
CRecordView* GetActiveRecordView();

