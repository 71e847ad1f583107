#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

// Node of the leaf-oriented red-black tree. Data sit in the leaves, which are chained in key order
// with the sentinel (the tree handle) closing the ring, so an in-order walk is a list walk.
//
//            leaf                   branch                          sentinel
//   link1    next leaf              left child                      first leaf
//   link2    previous leaf          right child                     last leaf
//   link3    parent                 parent                          root
//   key      the key                largest leaf of left subtree    ""
//   value    the value              smallest leaf of right subtree  -
//
// Keys are never copied: the tree stores the caller's pointer.
struct RedBlackNode
{
    RedBlackNode* link1 = nullptr;
    RedBlackNode* link2 = nullptr;
    RedBlackNode* link3 = nullptr;
    uint32_t flags = 0;
    const void* key = nullptr;
    void* value = nullptr;
};

constexpr uint32_t kRedBlackRed = 0x01;
constexpr uint32_t kRedBlackBranch = 0x02;
constexpr uint32_t kRedBlackLeftChild = 0x04;
constexpr uint32_t kRedBlackRoot = 0x08;
constexpr uint32_t kRedBlackSentinel = 0x10;
// A leaf cut from its tree's slabs (NewRedBlackLeaf): it goes back to them, not to the heap.
constexpr uint32_t kRedBlackSlabLeaf = 0x20;

// Routing words of a branch node.
inline RedBlackNode* RedBlackRouteLeft(const RedBlackNode* branch)
{
    return static_cast<RedBlackNode*>(const_cast<void*>(branch->key));
}
inline RedBlackNode* RedBlackRouteRight(const RedBlackNode* branch) { return static_cast<RedBlackNode*>(branch->value); }

template <class K>
K GetRedBlackNodeKey(const RedBlackNode* leaf)
{
    return static_cast<K>(const_cast<void*>(leaf->key));
}

// With slabLeaves, the leaves InsertRedBlackNode makes come from the tree's own storage too, so
// only the tree may free them; otherwise they are heap nodes a caller may take back and delete.
RedBlackNode* CreateRedBlackTree(bool slabLeaves = false);
// Frees every node; not what keys and values point to. Branches, and leaves from the tree's
// storage, go with that storage at once; heap leaves are deleted one by one. A tree made with
// slabLeaves holds only leaves of its own storage, so its leaves are not walked at all.
void DestroyRedBlackTree(RedBlackNode* tree);
// A blank leaf from the tree's own storage, for LinkRedBlackLeaves into that same tree only.
RedBlackNode* NewRedBlackLeaf(RedBlackNode* tree);
// Gives back an unlinked leaf of this tree, whichever way it was made.
void FreeRedBlackLeaf(RedBlackNode* tree, RedBlackNode* leaf);
// Inserts a new leaf before position (a leaf, or the sentinel to append) and rebalances.
RedBlackNode* InsertRedBlackNode(RedBlackNode* position, const void* key, void* value);
// For a leaf the caller chained into the ring straight after the last leaf hung in the tree
// (bulk appends chain first and hang later): hangs it under the right spine and rebalances.
void HangRedBlackLeafLast(RedBlackNode* tree, RedBlackNode* leaf);
// Unlinks and frees the leaf, removes its parent branch and rebalances.
void DeleteRedBlackNode(RedBlackNode* leaf);
inline void* GetRedBlackNodeValue(const RedBlackNode* leaf) { return leaf->value; }
// Empties the tree for a rebuild: its branches go to spare, its leaves survive unlinked. Spare
// branches go back to the same tree's LinkRedBlackLeaves, never to another tree.
void TakeRedBlackBranches(RedBlackNode* tree, std::vector<RedBlackNode*>& spare);
// Empties the tree for a rebuild as TakeRedBlackBranches does, with every branch put back among
// the tree's free nodes instead of handed out.
void RecycleRedBlackBranches(RedBlackNode* tree);
// Hangs leaves, already in key order, under an empty tree as a balanced tree in one pass, instead
// of a descent per leaf. Branches come from spare first; what spare has left over is freed. Only
// link and flag words are written; keys and values stay as they are.
void LinkRedBlackLeaves(RedBlackNode* tree, RedBlackNode* const* leaves, std::size_t count,
                        std::vector<RedBlackNode*>& spare);
// The same, with every leaf's value set to value on the way.
void LinkRedBlackLeaves(RedBlackNode* tree, RedBlackNode* const* leaves, std::size_t count,
                        std::vector<RedBlackNode*>& spare, void* value);
// Checking aids: black nodes, and all nodes, from the node up to the sentinel.
int GetRedBlackBlackDepth(const RedBlackNode* node);
int GetRedBlackDepth(const RedBlackNode* node);

// Finds the leaf holding a key equal to key under compare. Not found: out is the leaf before which
// the key would go, or the sentinel when it would go last (and for an empty tree).
template <class K, class Compare>
bool FindRedBlackNode(RedBlackNode* tree, K key, RedBlackNode*& out, Compare compare)
{
    RedBlackNode* node = tree->link3;
    if (node == tree) {
        out = tree;
        return false;
    }
    RedBlackNode* last = tree->link2;
    int r = compare(key, GetRedBlackNodeKey<K>(last));
    if (r >= 0) {
        out = r == 0 ? last : tree;
        return r == 0;
    }
    while (node->flags & kRedBlackBranch) {
        RedBlackNode* route = RedBlackRouteLeft(node);
        r = compare(key, GetRedBlackNodeKey<K>(route));
        if (r == 0) {
            out = route;
            return true;
        }
        node = r > 0 ? node->link2 : node->link1;
    }
    out = node;
    return false;
}

// Inserts unless an equal key is present; the new leaf, or null.
template <class K, class Compare>
RedBlackNode* InsertRedBlackUnique(RedBlackNode* tree, K key, void* value, Compare compare)
{
    RedBlackNode* position = nullptr;
    if (FindRedBlackNode(tree, key, position, compare))
        return nullptr;
    return InsertRedBlackNode(position, key, value);
}

template <class K>
int DefaultRedBlackCompare(K a, K b)
{
    if constexpr (std::is_same_v<K, const char*> || std::is_same_v<K, char*>)
        return std::strcmp(a, b);
    else
        return a == b ? 0 : (a < b ? -1 : 1);
}

// A tree with its compare callback. Values are pointer-sized.
template <class K, class V>
class CRedBlackTree
{
public:
    using Compare = int (*)(K a, K b);

    explicit CRedBlackTree(Compare compare = &DefaultRedBlackCompare<K>)
        : m_tree(CreateRedBlackTree()), m_compare(compare)
    {
    }
    CRedBlackTree(const CRedBlackTree&) = delete;
    CRedBlackTree& operator=(const CRedBlackTree&) = delete;
    virtual ~CRedBlackTree() { DestroyRedBlackTree(m_tree); }

    // Later insertions use the new order; what is stored is not re-sorted.
    void SetCompare(Compare compare)
    {
        if (compare != nullptr)
            m_compare = compare;
    }
    Compare GetCompare() const { return m_compare; }
    void Reset()
    {
        DestroyRedBlackTree(m_tree);
        m_tree = CreateRedBlackTree(m_slabLeaves);
    }
    RedBlackNode* Insert(K key, V value)
    {
        return InsertRedBlackUnique(m_tree, key, ToWord(value), m_compare);
    }
    // The leaf holding an equal key; null when there is none.
    RedBlackNode* Find(K key) const
    {
        RedBlackNode* found = nullptr;
        return FindRedBlackNode(m_tree, key, found, m_compare) ? found : nullptr;
    }
    static V GetValue(const RedBlackNode* leaf)
    {
        if constexpr (std::is_pointer_v<V>)
            return static_cast<V>(leaf->value);
        else
            return static_cast<V>(reinterpret_cast<intptr_t>(leaf->value));
    }
    RedBlackNode* GetFirstPosition() const { return m_tree->link1 == m_tree ? nullptr : m_tree->link1; }
    RedBlackNode* GetLastPosition() const { return m_tree->link2 == m_tree ? nullptr : m_tree->link2; }
    // The key at pos; pos moves along the leaf chain and becomes null past either end.
    K GetNext(RedBlackNode*& pos) const { return Step(pos, pos->link1); }
    K GetPrev(RedBlackNode*& pos) const { return Step(pos, pos->link2); }
    K Remove(RedBlackNode* leaf)
    {
        K key = GetRedBlackNodeKey<K>(leaf);
        DeleteRedBlackNode(leaf);
        return key;
    }
    RedBlackNode* GetHandle() const { return m_tree; }

protected:
    // A tree whose leaves nobody takes back to delete may cut them from its own storage.
    CRedBlackTree(Compare compare, bool slabLeaves)
        : m_tree(CreateRedBlackTree(slabLeaves)), m_compare(compare), m_slabLeaves(slabLeaves)
    {
    }

    static void* ToWord(V value)
    {
        if constexpr (std::is_pointer_v<V>)
            return const_cast<void*>(static_cast<const void*>(value));
        else
            return reinterpret_cast<void*>(static_cast<intptr_t>(value));
    }
    K Step(RedBlackNode*& pos, RedBlackNode* to) const
    {
        K key = GetRedBlackNodeKey<K>(pos);
        pos = to == m_tree ? nullptr : to;
        return key;
    }

    RedBlackNode* m_tree;
    Compare m_compare;
    bool m_slabLeaves = false;
};
