#include "markup/dtd/MkDeductionTree.h"

#include "markup/dtd/MkDTDEntry.h"

#include <algorithm>
#include <memory>

namespace {

// The pool keeps at most this many nodes; a parse of a long document can
// discard far more, and there is no reason to hold that memory for the rest
// of the program's life.
constexpr std::size_t MaxPooledNodes = 1 << 16;

// Whether the pool below still exists.  A document type held in a static
// object may be destroyed after the pool at the end of the program; its nodes
// are then simply freed.
bool PoolAlive = false;

struct TNodePool {
    std::vector<TMkDeductionTree *> Nodes;
    std::vector<TMkDeductionTree *> Walk; // the stack of Recycle, kept between calls
    std::size_t Live = 0;
    TNodePool() { PoolAlive = true; }
    ~TNodePool()
    {
        PoolAlive = false;
        for (TMkDeductionTree *node : Nodes)
            delete node;
        Nodes.clear();
    }
};

TNodePool &NodePool()
{
    static TNodePool pool;
    return pool;
}

} // namespace

TMkDeductionTree::~TMkDeductionTree()
{
    ClearChildren();
}

std::size_t TMkDeductionTree::PoolSize()
{
    return PoolAlive ? NodePool().Nodes.size() : 0;
}

std::size_t TMkDeductionTree::LiveCount()
{
    return PoolAlive ? NodePool().Live : 0;
}

TMkDeductionTree *TMkDeductionTree::NewChild()
{
    TMkDeductionTree *child = nullptr;
    TNodePool &pool = NodePool();
    if (!PoolAlive || pool.Nodes.empty()) {
        child = new TMkDeductionTree;
    } else {
        child = pool.Nodes.back();
        pool.Nodes.pop_back();
    }
    if (PoolAlive)
        ++pool.Live;
    child->Parent = this;
    child->Container = Container;
    child->StartPosition = StartPosition;
    child->Entry = nullptr;
    Children.push_back(child);
    return child;
}

void TMkDeductionTree::RecycleOne(TMkDeductionTree *node)
{
    node->Children.clear(); // keeps its capacity for reuse
    node->Parent = nullptr;
    node->Container = nullptr;
    node->Entry = nullptr;
    node->StartPosition = -1;
    if (!PoolAlive) {
        delete node; // no children left, so this does not recurse
        return;
    }
    TNodePool &pool = NodePool();
    if (pool.Live > 0)
        --pool.Live;
    if (pool.Nodes.size() < MaxPooledNodes)
        pool.Nodes.push_back(node);
    else
        delete node;
}

void TMkDeductionTree::Recycle(TMkDeductionTree *node)
{
    // Most discarded nodes are leaves: no walk needed.
    if (node->Children.empty()) {
        RecycleOne(node);
        return;
    }
    // Walk the subtree with an explicit stack, kept with the pool so that
    // discarding allocates nothing; children are taken from the last.  After
    // the pool has gone (a document type destroyed at the very end of the
    // program) a stack of its own is used.
    std::vector<TMkDeductionTree *> own;
    std::vector<TMkDeductionTree *> &pending = PoolAlive ? NodePool().Walk : own;
    const std::size_t base = pending.size();
    pending.push_back(node);
    while (pending.size() > base) {
        TMkDeductionTree *n = pending.back();
        pending.pop_back();
        for (auto it = n->Children.rbegin(); it != n->Children.rend(); ++it)
            pending.push_back(*it);
        RecycleOne(n);
    }
}

void TMkDeductionTree::ClearChildren()
{
    for (auto it = Children.rbegin(); it != Children.rend(); ++it)
        Recycle(*it);
    Children.clear();
}

void TMkDeductionTree::Discard()
{
    if (Parent) {
        auto &siblings = Parent->Children;
        // The node taken out is almost always the last one added.
        auto it = std::find(siblings.rbegin(), siblings.rend(), this);
        if (it != siblings.rend())
            siblings.erase(std::next(it).base());
    }
    Recycle(this);
}

void TMkDeductionTree::Rollback()
{
    // Post-order walk, children from the last to the first: a node's entry is
    // undone only after everything matched inside it.  Each frame remembers
    // how many of its children are still to be visited.
    struct TFrame {
        TMkDeductionTree *Node;
        std::size_t Remaining;
    };
    std::vector<TFrame> stack{{this, Children.size()}};
    while (!stack.empty()) {
        TFrame &top = stack.back();
        if (top.Remaining > 0) {
            TMkDeductionTree *child = top.Node->Children[--top.Remaining];
            stack.push_back({child, child->Children.size()});
            continue;
        }
        TMkDeductionTree *node = top.Node;
        stack.pop_back();
        node->ClearChildren();
        if (node->Entry)
            node->Entry->Undo(*node);
    }
}
