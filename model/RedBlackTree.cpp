#include "model/RedBlackTree.h"

#include "core/MemoryPoison.h"

#include <algorithm>
#include <new>
#include <type_traits>
#include <vector>

namespace {

bool IsRed(const RedBlackNode* n) { return (n->flags & kRedBlackRed) != 0; }
bool IsBranch(const RedBlackNode* n) { return (n->flags & kRedBlackBranch) != 0; }
bool IsRoot(const RedBlackNode* n) { return (n->flags & kRedBlackRoot) != 0; }
bool IsLeftChild(const RedBlackNode* n) { return (n->flags & kRedBlackLeftChild) != 0; }
void SetBlack(RedBlackNode* n) { n->flags &= ~kRedBlackRed; }
void SetRed(RedBlackNode* n) { n->flags |= kRedBlackRed; }

constexpr uint32_t kPlace = kRedBlackLeftChild | kRedBlackRoot;

// Each tree takes its branches (and, when made so, its leaves) from slabs of its own, so a closing
// job frees a few hundred slabs instead of a node at a time, and freed nodes are reused by the
// same tree. Other leaves are heap nodes: callers may make them and take them back. The sentinel
// is the first member of the tree's head, which holds the slabs.
struct TreeHead
{
    RedBlackNode sentinel;
    RedBlackNode* freeNodes = nullptr; // chained through link1
    RedBlackNode* slabs = nullptr;     // each slab's first node chains the slabs through link1
    RedBlackNode* unused = nullptr;    // the newest slab's nodes not yet handed out
    std::size_t unusedCount = 0;
    std::size_t nextSlabNodes = 8;
    bool slabLeaves = false;
};
static_assert(std::is_standard_layout_v<TreeHead>);

constexpr std::size_t kLargestSlabNodes = 1024;

void PoisonNodes(RedBlackNode* first, std::size_t count) { PoisonMemory(first, count * sizeof(RedBlackNode)); }

void UnpoisonNodes(RedBlackNode* first, std::size_t count) { UnpoisonMemory(first, count * sizeof(RedBlackNode)); }

TreeHead* HeadOf(RedBlackNode* sentinel) { return reinterpret_cast<TreeHead*>(sentinel); }

// The tree a node hangs in: up the parent links to the sentinel.
TreeHead* HeadAbove(RedBlackNode* node)
{
    while (!(node->flags & kRedBlackSentinel))
        node = node->link3;
    return HeadOf(node);
}

RedBlackNode* NewNode(TreeHead* head)
{
    RedBlackNode* node = head->freeNodes;
    if (node != nullptr) {
        UnpoisonNodes(node, 1);
        head->freeNodes = node->link1;
    } else {
        if (head->unusedCount == 0) {
            const std::size_t count = head->nextSlabNodes;
            auto* slab = static_cast<RedBlackNode*>(::operator new((count + 1) * sizeof(RedBlackNode)));
            slab->link1 = head->slabs;
            slab->flags = uint32_t(count);
            head->slabs = slab;
            head->unused = slab + 1;
            head->unusedCount = count;
            PoisonNodes(head->unused, count);
            head->nextSlabNodes = std::min(count * 2, kLargestSlabNodes);
        }
        node = head->unused++;
        --head->unusedCount;
        UnpoisonNodes(node, 1);
    }
    return new (node) RedBlackNode;
}

void FreeNode(TreeHead* head, RedBlackNode* node)
{
    // A free node never reads as a slab leaf, so a recycling pass can tell the live leaves apart.
    node->flags = 0;
    node->link1 = head->freeNodes;
    head->freeNodes = node;
    // A freed node read through a stale link shows up under the address checker.
    PoisonNodes(node, 1);
}

RedBlackNode* NewLeaf(TreeHead* head)
{
    RedBlackNode* leaf = NewNode(head);
    leaf->flags = kRedBlackSlabLeaf;
    return leaf;
}

void FreeLeaf(TreeHead* head, RedBlackNode* leaf)
{
    if (leaf->flags & kRedBlackSlabLeaf)
        FreeNode(head, leaf);
    else
        delete leaf;
}

// A leaf's place words, keeping where its memory came from.
void SetLeafPlace(RedBlackNode* leaf, uint32_t place) { leaf->flags = (leaf->flags & kRedBlackSlabLeaf) | place; }

// Puts node where old hangs: same parent, same side, root of the tree when old was.
void ReplaceInParent(RedBlackNode* old, RedBlackNode* node)
{
    RedBlackNode* parent = old->link3;
    node->link3 = parent;
    node->flags = (node->flags & ~kPlace) | (old->flags & kPlace);
    if (IsRoot(old))
        parent->link3 = node; // the parent of the root is the sentinel
    else if (IsLeftChild(old))
        parent->link1 = node;
    else
        parent->link2 = node;
}

// Rotations keep the in-order sequence of leaves, so the routing words stay right.
void RotateLeft(RedBlackNode* x)
{
    RedBlackNode* y = x->link2;
    ReplaceInParent(x, y);
    RedBlackNode* b = y->link1;
    x->link2 = b;
    b->link3 = x;
    b->flags &= ~kPlace;
    y->link1 = x;
    x->link3 = y;
    x->flags = (x->flags & ~kPlace) | kRedBlackLeftChild;
}

void RotateRight(RedBlackNode* x)
{
    RedBlackNode* y = x->link1;
    ReplaceInParent(x, y);
    RedBlackNode* b = y->link2;
    x->link1 = b;
    b->link3 = x;
    b->flags = (b->flags & ~kPlace) | kRedBlackLeftChild;
    y->link2 = x;
    x->link3 = y;
    x->flags &= ~kPlace;
}

void FixAfterInsert(RedBlackNode* n)
{
    while (!IsRoot(n) && IsRed(n->link3)) {
        RedBlackNode* p = n->link3;
        RedBlackNode* g = p->link3; // p is red, so it is not the root
        if (IsLeftChild(p)) {
            RedBlackNode* u = g->link2;
            if (IsRed(u)) {
                SetBlack(p);
                SetBlack(u);
                SetRed(g);
                n = g;
                continue;
            }
            if (!IsLeftChild(n)) {
                RotateLeft(p);
                p = n;
            }
            SetBlack(p);
            SetRed(g);
            RotateRight(g);
        } else {
            RedBlackNode* u = g->link1;
            if (IsRed(u)) {
                SetBlack(p);
                SetBlack(u);
                SetRed(g);
                n = g;
                continue;
            }
            if (IsLeftChild(n)) {
                RotateRight(p);
                p = n;
            }
            SetBlack(p);
            SetRed(g);
            RotateLeft(g);
        }
        break;
    }
    // Only a recolouring that reaches the root can leave it red; a rotation keeps it black. No
    // walk up to the root for every insert.
    if (IsRoot(n))
        SetBlack(n);
}

// x carries one black too few on its side.
void FixAfterDelete(RedBlackNode* x)
{
    while (!IsRoot(x) && !IsRed(x)) {
        RedBlackNode* p = x->link3;
        if (IsLeftChild(x)) {
            RedBlackNode* w = p->link2;
            if (IsRed(w)) {
                SetBlack(w);
                SetRed(p);
                RotateLeft(p);
                w = p->link2;
            }
            if (!IsRed(w->link1) && !IsRed(w->link2)) {
                SetRed(w);
                x = p;
                continue;
            }
            if (!IsRed(w->link2)) {
                SetBlack(w->link1);
                SetRed(w);
                RotateRight(w);
                w = p->link2;
            }
            w->flags = (w->flags & ~kRedBlackRed) | (p->flags & kRedBlackRed);
            SetBlack(p);
            SetBlack(w->link2);
            RotateLeft(p);
        } else {
            RedBlackNode* w = p->link1;
            if (IsRed(w)) {
                SetBlack(w);
                SetRed(p);
                RotateRight(p);
                w = p->link1;
            }
            if (!IsRed(w->link1) && !IsRed(w->link2)) {
                SetRed(w);
                x = p;
                continue;
            }
            if (!IsRed(w->link1)) {
                SetBlack(w->link2);
                SetRed(w);
                RotateLeft(w);
                w = p->link1;
            }
            w->flags = (w->flags & ~kRedBlackRed) | (p->flags & kRedBlackRed);
            SetBlack(p);
            SetBlack(w->link1);
            RotateRight(p);
        }
        break;
    }
    SetBlack(x);
}

// Makes node a new red branch in place of leaf, with the two given leaves as children.
RedBlackNode* SplitLeaf(TreeHead* head, RedBlackNode* leaf, RedBlackNode* left, RedBlackNode* right)
{
    RedBlackNode* branch = NewNode(head);
    ReplaceInParent(leaf, branch);
    branch->flags |= kRedBlackBranch | kRedBlackRed;
    branch->link1 = left;
    branch->link2 = right;
    branch->key = left;
    branch->value = right;
    left->link3 = branch;
    SetLeafPlace(left, kRedBlackLeftChild);
    right->link3 = branch;
    SetLeafPlace(right, 0);
    return branch;
}

// What every level of a one-pass build shares.
struct LinkPass
{
    RedBlackNode* const* leaves;
    std::size_t count;
    int redDepth;
    std::vector<RedBlackNode*>& spare;
    RedBlackNode* previous; // the last leaf chained so far
    bool setValues;
    void* value;
};

// Builds leaves[lo, hi) under parent. Splitting evenly puts every leaf at depth redDepth or one
// below; making the branches at redDepth red gives all leaves the same black depth. Leaves are
// reached left to right, so each is also chained here, in its only visit.
RedBlackNode* LinkBalanced(LinkPass& pass, std::size_t lo, std::size_t hi, RedBlackNode* parent, uint32_t place,
                           int depth)
{
    if (hi - lo == 1) {
        // Leaves in a new order lie anywhere in memory: ask for the coming ones ahead of time.
        constexpr std::size_t Ahead = 12;
        if (lo + Ahead < pass.count)
            __builtin_prefetch(pass.leaves[lo + Ahead], 1);
        RedBlackNode* leaf = pass.leaves[lo];
        leaf->link3 = parent;
        SetLeafPlace(leaf, place);
        leaf->link2 = pass.previous;
        pass.previous->link1 = leaf;
        pass.previous = leaf;
        if (pass.setValues)
            leaf->value = pass.value;
        return leaf;
    }
    const std::size_t mid = lo + (hi - lo) / 2;
    RedBlackNode* branch = pass.spare.back();
    pass.spare.pop_back();
    branch->link3 = parent;
    branch->flags = kRedBlackBranch | place | (depth == pass.redDepth ? kRedBlackRed : 0u);
    branch->key = pass.leaves[mid - 1];
    branch->value = pass.leaves[mid];
    branch->link1 = LinkBalanced(pass, lo, mid, branch, kRedBlackLeftChild, depth + 1);
    branch->link2 = LinkBalanced(pass, mid, hi, branch, 0, depth + 1);
    return branch;
}

// Hands every branch and leaf below the sentinel to the visitor, each after its children have
// been read, so the visitor may delete it.
template <class Visit> void VisitNodesBelow(RedBlackNode* tree, Visit visit)
{
    std::vector<RedBlackNode*> pending;
    if (tree->link3 != tree)
        pending.push_back(tree->link3);
    while (!pending.empty()) {
        RedBlackNode* n = pending.back();
        pending.pop_back();
        if (IsBranch(n)) {
            pending.push_back(n->link1);
            pending.push_back(n->link2);
        }
        visit(n);
    }
}

} // namespace

void TakeRedBlackBranches(RedBlackNode* tree, std::vector<RedBlackNode*>& spare)
{
    VisitNodesBelow(tree, [&spare](RedBlackNode* n) {
        if (IsBranch(n))
            spare.push_back(n);
    });
    tree->link1 = tree->link2 = tree->link3 = tree;
}

void RecycleRedBlackBranches(RedBlackNode* tree)
{
    TreeHead* head = HeadOf(tree);
    // Every node of every slab is free now: a pass along the slabs instead of a walk down the
    // tree, and the new branches are handed out in address order.
    // Leaves cut from the slabs stay where they are: they are rows the rebuild links again.
    head->freeNodes = nullptr;
    for (RedBlackNode* slab = head->slabs; slab != nullptr; slab = slab->link1) {
        RedBlackNode* first = slab + 1;
        const std::size_t count = slab->flags;
        // Only the newest slab has nodes never handed out, at its end; their words are unset.
        const std::size_t handedOut =
            head->unused != nullptr && head->unused >= first && head->unused <= first + count
                ? std::size_t(head->unused - first)
                : count;
        UnpoisonNodes(first, count);
        for (std::size_t i = count; i-- > 0;) {
            if (i < handedOut && (first[i].flags & kRedBlackSlabLeaf))
                continue;
            first[i].flags = 0;
            first[i].link1 = head->freeNodes;
            head->freeNodes = &first[i];
            PoisonNodes(&first[i], 1);
        }
    }
    head->unused = nullptr;
    head->unusedCount = 0;
    tree->link1 = tree->link2 = tree->link3 = tree;
}

namespace {

void LinkLeaves(RedBlackNode* tree, RedBlackNode* const* leaves, std::size_t count, std::vector<RedBlackNode*>& spare,
                bool setValues, void* value)
{
    TreeHead* head = HeadOf(tree);
    // Spare branches came from this tree's own slabs.
    if (count == 0) {
        for (RedBlackNode* n : spare)
            FreeNode(head, n);
        spare.clear();
        return;
    }
    // Every branch is at hand before the first link is written, so running out of memory cannot
    // leave half a tree.
    spare.reserve(count - 1);
    while (spare.size() < count - 1)
        spare.push_back(NewNode(head));
    for (std::size_t i = 0; i < std::min(count, std::size_t(12)); ++i)
        __builtin_prefetch(leaves[i], 1);
    int shallowest = 0; // floor(log2(count)): the depth of the highest leaf
    while ((std::size_t(2) << shallowest) <= count)
        ++shallowest;
    LinkPass pass{leaves, count, shallowest, spare, tree, setValues, value};
    tree->link3 = LinkBalanced(pass, 0, count, tree, kRedBlackRoot, 0);
    pass.previous->link1 = tree;
    tree->link2 = pass.previous;
    for (RedBlackNode* n : spare)
        FreeNode(head, n);
    spare.clear();
}

} // namespace

void LinkRedBlackLeaves(RedBlackNode* tree, RedBlackNode* const* leaves, std::size_t count,
                        std::vector<RedBlackNode*>& spare)
{
    LinkLeaves(tree, leaves, count, spare, false, nullptr);
}

void LinkRedBlackLeaves(RedBlackNode* tree, RedBlackNode* const* leaves, std::size_t count,
                        std::vector<RedBlackNode*>& spare, void* value)
{
    LinkLeaves(tree, leaves, count, spare, true, value);
}

RedBlackNode* CreateRedBlackTree(bool slabLeaves)
{
    auto* head = new TreeHead;
    head->slabLeaves = slabLeaves;
    RedBlackNode* tree = &head->sentinel;
    tree->link1 = tree->link2 = tree->link3 = tree;
    tree->flags = kRedBlackSentinel;
    tree->key = "";
    return tree;
}

void DestroyRedBlackTree(RedBlackNode* tree)
{
    if (tree == nullptr)
        return;
    TreeHead* head = HeadOf(tree);
    // Leaves made with new along their chain, everything else with its slab: no walk down the tree.
    // A tree of slab leaves has none made with new, and a closing job skips the walk.
    if (!head->slabLeaves)
        for (RedBlackNode* leaf = tree->link1; leaf != tree;) {
            RedBlackNode* next = leaf->link1;
            if (!(leaf->flags & kRedBlackSlabLeaf))
                delete leaf;
            leaf = next;
        }
    for (RedBlackNode* slab = head->slabs; slab != nullptr;) {
        RedBlackNode* next = slab->link1;
        UnpoisonNodes(slab, std::size_t(slab->flags) + 1);
        ::operator delete(slab);
        slab = next;
    }
    delete head;
}

RedBlackNode* NewRedBlackLeaf(RedBlackNode* tree) { return NewLeaf(HeadOf(tree)); }

void FreeRedBlackLeaf(RedBlackNode* tree, RedBlackNode* leaf)
{
    if (leaf != nullptr)
        FreeLeaf(HeadOf(tree), leaf);
}

RedBlackNode* InsertRedBlackNode(RedBlackNode* position, const void* key, void* value)
{
    // An append (a job's points come in order) needs no walk up to find the tree.
    TreeHead* head = (position->flags & kRedBlackSentinel) ? HeadOf(position) : HeadAbove(position);
    RedBlackNode* leaf = head->slabLeaves ? NewLeaf(head) : new RedBlackNode;
    leaf->key = key;
    leaf->value = value;
    // The sentinel's first and last words act as its next and previous, so this also covers
    // appending and the empty tree.
    leaf->link1 = position;
    leaf->link2 = position->link2;
    position->link2->link1 = leaf;
    position->link2 = leaf;

    RedBlackNode* branch = nullptr;
    if (position->flags & kRedBlackSentinel) {
        if (position->link3 == position) {
            leaf->link3 = position;
            SetLeafPlace(leaf, kRedBlackRoot);
            position->link3 = leaf;
            return leaf;
        }
        // The old last leaf hangs on the right spine, where no ancestor is a left child: no
        // routing word above names it, so none changes.
        branch = SplitLeaf(head, leaf->link2, leaf->link2, leaf);
    } else {
        branch = SplitLeaf(head, position, leaf, position);
        RedBlackNode* n = branch;
        while (IsLeftChild(n) && !IsRoot(n))
            n = n->link3;
        if (!IsRoot(n))
            n->link3->value = leaf;
    }
    FixAfterInsert(branch);
    return leaf;
}

void HangRedBlackLeafLast(RedBlackNode* tree, RedBlackNode* leaf)
{
    if (tree->link3 == tree) {
        leaf->link3 = tree;
        SetLeafPlace(leaf, kRedBlackRoot);
        tree->link3 = leaf;
        return;
    }
    FixAfterInsert(SplitLeaf(HeadOf(tree), leaf->link2, leaf->link2, leaf));
}

void DeleteRedBlackNode(RedBlackNode* leaf)
{
    leaf->link2->link1 = leaf->link1;
    leaf->link1->link2 = leaf->link2;
    if (IsRoot(leaf)) {
        RedBlackNode* tree = leaf->link3;
        tree->link3 = tree;
        FreeLeaf(HeadOf(tree), leaf);
        return;
    }
    TreeHead* head = HeadAbove(leaf);
    RedBlackNode* parent = leaf->link3;
    RedBlackNode* sibling = IsLeftChild(leaf) ? parent->link2 : parent->link1;
    const bool parentWasRoot = IsRoot(parent);
    const bool parentWasRed = IsRed(parent);
    ReplaceInParent(parent, sibling);
    FreeNode(head, parent);
    FreeLeaf(head, leaf);
    if (parentWasRoot) {
        SetBlack(sibling);
        return;
    }

    RedBlackNode* leftmost = sibling;
    while (IsBranch(leftmost))
        leftmost = leftmost->link1;
    RedBlackNode* rightmost = sibling;
    while (IsBranch(rightmost))
        rightmost = rightmost->link2;
    RedBlackNode* n = sibling;
    while (IsLeftChild(n) && !IsRoot(n))
        n = n->link3;
    if (!IsRoot(n))
        n->link3->value = leftmost;
    n = sibling;
    while (!IsLeftChild(n) && !IsRoot(n))
        n = n->link3;
    if (!IsRoot(n))
        n->link3->key = rightmost;

    if (IsRed(sibling)) {
        SetBlack(sibling);
        return;
    }
    if (parentWasRed)
        return;
    FixAfterDelete(sibling);
}

int GetRedBlackBlackDepth(const RedBlackNode* node)
{
    int depth = 0;
    for (; !(node->flags & kRedBlackSentinel); node = node->link3)
        if (!IsRed(node))
            ++depth;
    return depth;
}

int GetRedBlackDepth(const RedBlackNode* node)
{
    int depth = 0;
    for (; !(node->flags & kRedBlackSentinel); node = node->link3)
        ++depth;
    return depth;
}
