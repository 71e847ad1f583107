#pragma once

#include <string>
#include <vector>

class CRecord;

// The window that asked the identification popup or the object chooser to show objects: it gives
// the unit label of the descriptions, highlights the object being looked at and says whether its
// drawing is still pending. Popups that keep an owner watch it, so that an owner that goes takes
// nothing with it.
class CObjectIdOwner
{
public:
    class Watcher
    {
    public:
        virtual ~Watcher() = default;
        // The owner is being destroyed: forget it without calling it.
        virtual void OnObjectIdOwnerGone(CObjectIdOwner* owner) = 0;

    protected:
        // Stops watching the owner held and watches `owner` instead; `held` then names it.
        void WatchOwner(CObjectIdOwner*& held, CObjectIdOwner* owner);
    };

    CObjectIdOwner() = default;
    virtual ~CObjectIdOwner();
    CObjectIdOwner(const CObjectIdOwner&) = delete;
    CObjectIdOwner& operator=(const CObjectIdOwner&) = delete;

    // 0x808D: the job's distance-unit label; false when the owner has none to give.
    virtual bool GetObjectUnitLabel(std::string& label) = 0;
    // 0x8090: draws the record highlighted (on) or normally again; true when drawn.
    virtual bool HighlightObject(CRecord* record, bool on) = 0;
    // 0x807F: drawing is still pending, so a popup would be painted over.
    virtual bool IsDrawingPending() = 0;
    // 0x80BC: a visible tip went without an object to unhighlight.
    virtual void OnObjectTipDismissed() {}

    void AddWatcher(Watcher* watcher);
    void RemoveWatcher(Watcher* watcher);

private:
    std::vector<Watcher*> m_watchers;
};
