#pragma once

#include "core/Location.h"
#include "exchange/dxf/DxfEntity.h"

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

// A named block definition (or the drawing's model space): it owns its entities, in reading order.
class CDxfBlock
{
public:
    CDxfBlock() = default;
    virtual ~CDxfBlock() = default;
    CDxfBlock(const CDxfBlock&) = delete;
    CDxfBlock& operator=(const CDxfBlock&) = delete;

    void SetName(std::string name) { m_name = std::move(name); }
    const std::string& GetName() const { return m_name; }

    void AddEntity(std::unique_ptr<CDxfEntity> entity);
    size_t GetEntityCount() const { return m_entities.size(); }
    CDxfEntity* GetEntity(size_t i) const { return m_entities[i].get(); }
    // Deletes the given entities; the others keep their order.
    void RemoveEntities(const std::unordered_set<const CDxfEntity*>& entities);

    // The box of every entity that has one, computed once and then kept.
    CExtent2D GetExtent() const;

private:
    std::string m_name;
    std::vector<std::unique_ptr<CDxfEntity>> m_entities;
    mutable CExtent2D m_extent;
};

// Walks a block's entities in order, only those of one type unless the type is kDxfAnyEntity.
class CDxfEntityIterator
{
public:
    CDxfEntityIterator(const CDxfBlock* block, int type) : m_block(block), m_type(type) {}
    // The next entity; false after the last.
    bool Next(CDxfEntity*& entity);

private:
    const CDxfBlock* m_block;
    int m_type;
    size_t m_index = 0;
};
