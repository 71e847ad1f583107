#include "framework/PersistentFields.h"

#include <utility>

void CPersistentFields::RestorePersistentFields()
{
    m_saving = false;
    m_cursor = 0;
    CPersistDataList* list = GetPersistDataList();
    if (!list)
        return;
    m_filling = list->IsEmpty();
    if (list->HasData() || m_filling)
        PersistFields();
    m_filling = false;
}

void CPersistentFields::SavePersistentFields()
{
    m_saving = true;
    m_cursor = 0;
    m_filling = false;
    CPersistDataList* list = GetPersistDataList();
    if (!list)
        return;
    list->SetHasData();
    PersistFields();
}

PersistValue* CPersistentFields::NextSlot(PersistValue fresh)
{
    CPersistDataList* list = GetPersistDataList();
    if (!list)
        return nullptr;
    auto& entries = list->GetEntries();
    if (m_filling) {
        entries.push_back(std::move(fresh));
        return nullptr;
    }
    if (entries.empty())
        return nullptr;
    // A pass with more members than slots starts again at the head.
    if (m_cursor >= entries.size())
        m_cursor = 0;
    return &entries[m_cursor++];
}
