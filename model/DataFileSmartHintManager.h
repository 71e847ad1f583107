#pragma once

#include "model/SmartHintManager.h"

#include <functional>

class CDocument;

// The hint queue of one job document. Hints are delivered at once or queued by the hint table;
// queued ones go out in one batch, in table order, to the document's views and to the
// CInterested broadcast, when the main frame asks for them or a sender sends code 1.
class CDataFileSmartHintManager : public CSmartHintManager {
public:
    explicit CDataFileSmartHintManager(CDocument* document);

    // False while this queue or the global queue holds a hint, else whether the map is idle.
    bool IsIdle() override;
    bool AddHint(void* sender, int32_t code, intptr_t parameter) override;
    // Delivers the queue; returns at once when a flush is already running further up.
    bool Flush() override;
    void DispatchHint(const CHintObject& hint);

    CDocument* GetDocument() const { return document; }
    bool IsRefreshed() const { return refreshed; }

private:
    bool IsActiveJob() const;

    CDocument* document;
    // Set when a full refresh went out; cleared by most queued hints, so a refresh is only
    // delivered when something happened since the last one.
    bool refreshed = true;
};

// The hint manager of the active job, null when no job is open. The job document installs the
// lookup; the main frame's deliver-hints message (0x80D7) flushes what it returns.
CDataFileSmartHintManager* GetActiveHintManager();
void SetActiveHintManagerLookup(std::function<CDataFileSmartHintManager*()> lookup);

// True when no job is open or the active job has nothing left to deliver.
bool CanActiveDocDispatchHints();
