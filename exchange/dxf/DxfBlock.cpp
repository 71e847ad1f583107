#include "exchange/dxf/DxfBlock.h"

void CDxfBlock::AddEntity(std::unique_ptr<CDxfEntity> entity)
{
    if (entity)
        m_entities.push_back(std::move(entity));
}

void CDxfBlock::RemoveEntities(const std::unordered_set<const CDxfEntity*>& entities)
{
    std::erase_if(m_entities, [&](const auto& e) { return entities.count(e.get()) != 0; });
    m_extent = CExtent2D();
}

CExtent2D CDxfBlock::GetExtent() const
{
    if (m_extent.IsEmpty()) {
        for (const auto& entity : m_entities) {
            CExtent2D e;
            if (entity->GetExtent(e, nullptr)) {
                m_extent.AddPoint(CLocation(e.left, e.top, NoValue));
                m_extent.AddPoint(CLocation(e.right, e.bottom, NoValue));
            }
        }
    }
    return m_extent;
}

bool CDxfEntityIterator::Next(CDxfEntity*& entity)
{
    while (m_block && m_index < m_block->GetEntityCount()) {
        CDxfEntity* e = m_block->GetEntity(m_index++);
        if (m_type == kDxfAnyEntity || e->GetType() == m_type) {
            entity = e;
            return true;
        }
    }
    return false;
}
