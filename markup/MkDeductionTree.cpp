#include "markup/MkDeductionTree.h"

#include "markup/MkDTDEntry.h"

#include <algorithm>
#include <memory>

namespace {

// The pool keeps at most this many nodes; a parse of a long document can
// discard far more, and there is no reason to hold that memory for the rest
// of the program's life.
constexpr std::size_t MaxPooledNodes = 1 << 16;

struct TNodePool {
    std::vector<TMkDeductionTree*> Nodes;
    std::size_t Live = 0;
    ~TNodePool()
    {
        for (TMkDeductionTree* node : Nodes)
            delete node;
    }
};

TNodePool& NodePool()
{
    static TNodePool pool;
    return pool;
}

}  // namespace

TMkDeductionTree::~TMkDeductionTree()
{
    ClearChildren();
}

std::size_t TMkDeductionTree::PoolSize()
{
    return NodePool().Nodes.size();
}

std::size_t TMkDeductionTree::LiveCount()
{
    return NodePool().Live;
}

TMkDeductionTree* TMkDeductionTree::NewChild()
{
    auto& pool = NodePool().Nodes;
    ++NodePool().Live;
    TMkDeductionTree* child = nullptr;
    if (pool.empty()) {
        child = new TMkDeductionTree;
    } else {
        child = pool.back();
        pool.pop_back();
    }
    child->Parent = this;
    child->Container = Container;
    child->StartPosition = StartPosition;
    child->Entry = nullptr;
    Children.push_back(child);
    return child;
}

void TMkDeductionTree::Recycle(TMkDeductionTree* node)
{
    // Walk the subtree with an explicit stack; children are taken from the
    // last, as the pool would receive them one by one.
    std::vector<TMkDeductionTree*> pending{node};
    auto& pool = NodePool().Nodes;
    while (!pending.empty()) {
        TMkDeductionTree* n = pending.back();
        pending.pop_back();
        --NodePool().Live;
        for (auto it = n->Children.rbegin(); it != n->Children.rend(); ++it)
            pending.push_back(*it);
        n->Children.clear();  // keeps its capacity for reuse
        n->Parent = nullptr;
        n->Container = nullptr;
        n->Entry = nullptr;
        n->StartPosition = -1;
        if (pool.size() < MaxPooledNodes)
            pool.push_back(n);
        else
            delete n;  // no children left, so this does not recurse
    }
}

void TMkDeductionTree::ClearChildren()
{
    std::vector<TMkDeductionTree*> children;
    children.swap(Children);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        Recycle(*it);
}

void TMkDeductionTree::Discard()
{
    if (Parent) {
        auto& siblings = Parent->Children;
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
        TMkDeductionTree* Node;
        std::size_t Remaining;
    };
    std::vector<TFrame> stack{{this, Children.size()}};
    while (!stack.empty()) {
        TFrame& top = stack.back();
        if (top.Remaining > 0) {
            TMkDeductionTree* child = top.Node->Children[--top.Remaining];
            stack.push_back({child, child->Children.size()});
            continue;
        }
        TMkDeductionTree* node = top.Node;
        stack.pop_back();
        node->ClearChildren();
        if (node->Entry)
            node->Entry->Undo(*node);
    }
}
