#include "markup/dtd/MkDeductionTree.h"

#include "markup/MkNodePool.h"
#include "markup/dtd/MkDTDEntry.h"
#include "textobjects/MkShallowStack.h"

#include <new>
#include <utility>

TMkDeductionTree *TMkDeductionTree::NewChild(TMkNodePool &pool)
{
    auto *child = new (pool.Take()) TMkDeductionTree();
    child->Parent = this;
    child->Mark = Mark;
    child->StartPosition = StartPosition;
    child->previous_ = lastChild_;
    lastChild_ = child;
    return child;
}

// The link in the parent's list that leads to this node: the parent's last
// child itself, for every node the engine takes out.
TMkDeductionTree **TMkDeductionTree::LinkToThis() const
{
    TMkDeductionTree **link = &Parent->lastChild_;
    while (*link != this)
        link = &(*link)->previous_;
    return link;
}

void TMkDeductionTree::Unlink()
{
    if (!Parent)
        return;
    *LinkToThis() = previous_;
    previous_ = nullptr;
    Parent = nullptr;
}

// Gives back to the pool, without recursion, the nodes of a list linked
// through previous_ (from its last node) and their subtrees: each node's
// children are put in front of the rest of the walk.  Nodes need no
// destructor once their children are gone.
void TMkDeductionTree::Recycle(TMkDeductionTree *list, TMkNodePool &pool)
{
    while (list) {
        TMkDeductionTree *rest = list->previous_;
        if (TMkDeductionTree *children = list->lastChild_) {
            TMkDeductionTree *first = children;
            while (first->previous_)
                first = first->previous_;
            first->previous_ = rest;
            rest = children;
        }
        pool.Give(list);
        list = rest;
    }
}

void TMkDeductionTree::AbandonChildren()
{
    lastChild_ = nullptr;
}

void TMkDeductionTree::ClearChildren(TMkNodePool &pool)
{
    Recycle(std::exchange(lastChild_, nullptr), pool);
}

void TMkDeductionTree::DiscardAfter(TMkDeductionTree *after, TMkNodePool &pool)
{
    if (lastChild_ == after)
        return;
    TMkDeductionTree *first = lastChild_;
    while (first->previous_ != after)
        first = first->previous_;
    first->previous_ = nullptr;
    Recycle(std::exchange(lastChild_, after), pool);
}

void TMkDeductionTree::Discard(TMkNodePool &pool)
{
    Unlink();
    Recycle(this, pool);
}

void TMkDeductionTree::Dissolve(TMkNodePool &pool)
{
    TMkDeductionTree **link = LinkToThis();
    if (lastChild_) {
        TMkDeductionTree *first = lastChild_;
        for (;;) {
            first->Parent = Parent;
            if (!first->previous_)
                break;
            first = first->previous_;
        }
        first->previous_ = previous_;
        *link = lastChild_;
    } else {
        *link = previous_;
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
