#pragma once

#include "framework/PersistDataList.h"

#include <cstddef>

// Mixed into a dialog whose class keeps chosen members between instances. The class returns its
// one static list from GetPersistDataList, names its kept members in PersistFields (always the
// same members in the same order), calls RestorePersistentFields at the end of its constructor
// and SavePersistentFields when it is closed.
class CPersistentFields
{
public:
    virtual ~CPersistentFields() = default;

    virtual CPersistDataList* GetPersistDataList() { return nullptr; }
    virtual void PersistFields() {}

    // The first instance of a class in a run makes the slots and keeps its constructor's values;
    // later instances take the last saved values, once some instance has saved.
    void RestorePersistentFields();
    void SavePersistentFields();

    // One kept member. A slot of another type (a class that changed its list) copies nothing.
    template <PersistableField T>
    void PersistField(T& member)
    {
        PersistValue* slot = NextSlot(PersistValue(std::in_place_type<T>));
        if (!slot)
            return;
        T* kept = std::get_if<T>(slot);
        if (!kept)
            return;
        if (m_saving)
            *kept = member;
        else
            member = *kept;
    }

private:
    // Null in the filling pass (a slot was appended) or without a list.
    PersistValue* NextSlot(PersistValue fresh);

    bool m_saving = false;
    bool m_filling = false;
    std::size_t m_cursor = 0;
};
