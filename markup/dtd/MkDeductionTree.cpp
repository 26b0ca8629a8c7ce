#include "markup/dtd/MkDeductionTree.h"

#include "markup/MkNodePool.h"
#include "markup/dtd/MkDTDEntry.h"
#include "textobjects/MkShallowStack.h"

#include <new>

TMkDeductionTree *TMkDeductionTree::NewChild(TMkNodePool &pool)
{
    auto *child = new (pool.Take()) TMkDeductionTree();
    child->Parent = this;
    child->Mark = Mark;
    child->StartPosition = StartPosition;
    child->previous_ = lastChild_;
    if (lastChild_)
        lastChild_->next_ = child;
    else
        firstChild_ = child;
    lastChild_ = child;
    return child;
}

void TMkDeductionTree::Unlink()
{
    if (!Parent)
        return;
    (previous_ ? previous_->next_ : Parent->firstChild_) = next_;
    (next_ ? next_->previous_ : Parent->lastChild_) = previous_;
    previous_ = next_ = nullptr;
    Parent = nullptr;
}

// Gives a node unlinked from its parent, and its subtree, back to the pool
// without recursion: each node's children are spliced in front of the rest
// of the walk.  Nodes need no destructor once their children are gone.
void TMkDeductionTree::Recycle(TMkDeductionTree *node, TMkNodePool &pool)
{
    node->next_ = nullptr;
    while (node) {
        TMkDeductionTree *rest = node->next_;
        if (node->firstChild_) {
            node->lastChild_->next_ = rest;
            rest = node->firstChild_;
        }
        pool.Give(node);
        node = rest;
    }
}

void TMkDeductionTree::AbandonChildren()
{
    firstChild_ = lastChild_ = nullptr;
}

void TMkDeductionTree::ClearChildren(TMkNodePool &pool)
{
    TMkDeductionTree *first = firstChild_;
    if (!first)
        return;
    firstChild_ = lastChild_ = nullptr;
    // The children stay linked to each other: Recycle walks them as one
    // chain, from the first.
    for (TMkDeductionTree *n = first; n; n = n->next_)
        n->Parent = nullptr;
    TMkDeductionTree *walk = first;
    while (walk) {
        TMkDeductionTree *following = walk->next_;
        Recycle(walk, pool);
        walk = following;
    }
}

void TMkDeductionTree::Discard(TMkNodePool &pool)
{
    Unlink();
    Recycle(this, pool);
}

void TMkDeductionTree::Dissolve(TMkNodePool &pool)
{
    if (firstChild_) {
        for (TMkDeductionTree *child = firstChild_; child; child = child->next_)
            child->Parent = Parent;
        firstChild_->previous_ = previous_;
        lastChild_->next_ = next_;
        (previous_ ? previous_->next_ : Parent->firstChild_) = firstChild_;
        (next_ ? next_->previous_ : Parent->lastChild_) = lastChild_;
        firstChild_ = lastChild_ = nullptr;
        previous_ = next_ = nullptr;
        Parent = nullptr;
    } else {
        Unlink();
    }
    pool.Give(this);
}

void TMkDeductionTree::RollbackAfter(TMkDeductionTree *after, TMkNodePool &pool)
{
    // Post-order walk, children from the last to the first: a node's entry is
    // undone only after everything matched inside it.  Each frame remembers
    // the child still to be visited next (walking backwards).
    struct TFrame {
        TMkDeductionTree *Node;
        TMkDeductionTree *Next;
    };
    TMkShallowStack<TFrame> frames;

    // Each discarded child is the last one, so the one before it comes next.
    for (TMkDeductionTree *child = lastChild_; child != after;) {
        TMkDeductionTree *previous = child->previous_;
        frames.push({child, child->lastChild_});
        while (!frames.empty()) {
            TFrame &frame = frames.top();
            if (frame.Next) {
                TMkDeductionTree *next = frame.Next;
                frame.Next = next->previous_;
                frames.push({next, next->lastChild_});
                continue;
            }
            TMkDeductionTree *node = frame.Node;
            frames.pop();
            node->ClearChildren(pool);
            if (node->Entry)
                node->Entry->Undo(*node);
        }
        child->Discard(pool);
        child = previous;
    }
}
