#pragma once

#include "model/RedBlackTree.h"

class CDxfBlock;
class CDxfLayer;

// A name-to-object table ordered by strcmp. The tree keeps the caller's name pointer, so the
// name must outlive its entry; the objects are not owned.
template <class V>
class CDxfNameTable : public CRedBlackTree<const char*, V>
{
public:
    using Base = CRedBlackTree<const char*, V>;

    // The entry of that name. When it is absent: null if it must exist, else the entry before
    // which the name would go (the tree's handle when it would go last).
    RedBlackNode* Find(const char* name, bool mustExist = true) const
    {
        RedBlackNode* node = nullptr;
        const bool found = FindRedBlackNode(this->m_tree, name, node, this->m_compare);
        return found || !mustExist ? node : nullptr;
    }
    static V GetValue(const RedBlackNode* node) { return static_cast<V>(GetRedBlackNodeValue(node)); }
    void RemoveAll() { this->Reset(); }
};

using CDxfBlockNameTable = CDxfNameTable<CDxfBlock*>;
using CDxfLayerNameTable = CDxfNameTable<CDxfLayer*>;
