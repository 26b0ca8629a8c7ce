#pragma once

#include "markup/MkTreeBuilder.h"

#include <cstddef>
#include <cstdint>

class TMkEntryPoint;
class TMkNodePool;

// One node of the record of a match: which entry matched where, and at which
// container of the tree being built (a mark of the tree builder, never a
// pointer into the tree).  The record lets a partial match be taken back.
//
// Nodes are made and thrown away at a high rate (one for each match of an
// element or a type, and one for each content pass), so they are linked in
// place, each to its last child and to the sibling before it, and they live
// in blocks of the engine's node pool (MkNodePool.h): making and discarding
// a node does not call the heap.  A node does not keep its pool: tens of
// thousands of nodes live at once in a long row, and the operations that
// make or give back nodes are told the pool instead.  Every node below the
// root comes from that one pool.  Only matches that have something to undo
// keep a node once they are done: a group (an entity) gets none, and a
// finished content pass gives way to its children (Dissolve).  Every walk
// over a subtree here is iterative: a tree recording deeply nested markup
// must not exhaust the call stack when it is freed.
class TMkDeductionTree {
public:
    TMkDeductionTree() = default;
    TMkDeductionTree(const TMkDeductionTree &) = delete;
    TMkDeductionTree &operator=(const TMkDeductionTree &) = delete;

    // A node from the pool (or a new one) appended to this node's
    // children, with this node's mark and start position and no entry.
    TMkDeductionTree *NewChild(TMkNodePool &pool);
    // Takes this node out of its parent and recycles it with its subtree.  No
    // handler is called and the parser does not move.
    void Discard(TMkNodePool &pool);
    // Takes back the children that follow after (all of them when after is
    // null), the last first: each one's subtree is taken back, the last match
    // first, and then its own entry (each entry's Undo reports Undone and
    // rewinds the parser).  The children are dropped.
    void RollbackAfter(TMkDeductionTree *after, TMkNodePool &pool);
    // Puts this node's children in its place among its parent's children,
    // in their order, and recycles the node itself.  For a finished match
    // whose own node nothing will need again: taking back the children one
    // by one, the last first, is what taking back the node would have done,
    // when the node has no entry to undo.  The node must have a parent.
    void Dissolve(TMkNodePool &pool);
    // Drops the children that follow after (all of them when after is
    // null), recycled with their subtrees; no handler is called.
    void DiscardAfter(TMkDeductionTree *after, TMkNodePool &pool);
    // Drops all children (recycled, no handler called).
    void ClearChildren(TMkNodePool &pool);
    // Forgets the children without looking at them, for when their pool is
    // taken back as a whole (TMkNodePool::GiveAll).
    void AbandonChildren();

    TMkDeductionTree *LastChild() const { return lastChild_; }

    std::int32_t StartPosition = -1;
    TMkDeductionTree *Parent = nullptr;
    // Where in the tree the node's handlers build (MkTreeBuilder.h).
    TMkTreeMark Mark;
    TMkEntryPoint *Entry = nullptr;

private:
    TMkDeductionTree **LinkToThis() const;
    void Unlink();
    static void Recycle(TMkDeductionTree *list, TMkNodePool &pool);

    // The children, linked from the last one back: nodes are only ever
    // added at the end and, in practice, taken from the end.
    TMkDeductionTree *lastChild_ = nullptr;
    TMkDeductionTree *previous_ = nullptr; // the sibling before
};
