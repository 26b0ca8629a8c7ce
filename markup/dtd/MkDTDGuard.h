#pragma once

#include "markup/MkNodePool.h"

#include <cstddef>
#include <cstdint>

// Bounds on one run of the grammar engine.
//
// The engine matches by recursive descent with backtracking.  Markup comes
// from list items, so it must never be able to overflow the call stack or
// keep the program busy: nesting depth is bounded, and so is the total work.
// The bounds are far above anything ordinary markup needs (the game's rows
// open nine elements and cost a few thousand steps), so they change nothing
// for it.
struct TMkDTDLimits {
    // Elements with content open at once.  An element that would open deeper
    // does not match, exactly as if its start tag were required and missing:
    // its tag then goes to the enclosing element's skip handler (dropped or
    // kept as hidden text) while the text around it is still matched.  Each
    // open element costs a few dozen call frames in the HTML document type,
    // so 128 keeps the stack in the low megabytes even in debug builds.
    int MaxElementDepth = 128;
    // Nested rule and entry matches.  This bounds the stack for any document
    // type, including one whose groups name each other without consuming a
    // token (which would otherwise recurse without end).  It sits well above
    // MaxElementDepth times the nesting of the HTML document type's groups.
    int MaxMatchDepth = 2048;
    // Match attempts in one run (attempts that fail on the first look at the
    // current token are not counted).  Backtracking can take exponential time
    // on contrived markup; once the budget is spent every further attempt
    // fails and every open element ends its content at once, so the run
    // unwinds in time proportional to its depth.  Measured in a release
    // build: the densest ordinary 64 KiB row (a table of 11,000 cells) needs
    // about 700,000 steps with the HTML document type, a game row 350; a step
    // costs 0.25 to 0.35 microseconds, so a pathological row is stopped after
    // about half a second.
    std::int64_t WorkBudget = 1'500'000;
    // Deduction nodes in use.  Matches that succeed keep their nodes until
    // the run ends; a document type whose repeated items can match without
    // consuming tokens would otherwise fill memory before the work budget
    // ends it.  Reaching the bound counts as spending the budget.  A node
    // takes about 100 bytes; ordinary 64 KiB rows keep up to some 150,000.
    std::size_t MaxTreeNodes = 1'000'000;
};

// The running counts of one run, shared by the compiled entries and rules.
class TMkDTDGuard {
public:
    // nodes: the pool the run's deduction nodes come from.
    void Start(const TMkDTDLimits &limits, const TMkNodePool &nodes)
    {
        nodes_ = &nodes;
        Limits = limits;
        MatchDepth = 0;
        ElementDepth = 0;
        Work = 0;
        NodeBase = nodes.Live(); // other documents' trees do not count
        WorkExhausted = false;
        DepthLimitReached = false;
    }

    // Called before each rule or entry match; false means the match fails.
    bool EnterMatch()
    {
        if (WorkExhausted)
            return false;
        if (++Work > Limits.WorkBudget || nodes_->Live() > NodeBase + Limits.MaxTreeNodes) {
            WorkExhausted = true;
            return false;
        }
        if (MatchDepth >= Limits.MaxMatchDepth) {
            DepthLimitReached = true;
            return false;
        }
        ++MatchDepth;
        return true;
    }
    void LeaveMatch() { --MatchDepth; }

    bool EnterElement()
    {
        if (ElementDepth >= Limits.MaxElementDepth) {
            DepthLimitReached = true;
            return false;
        }
        ++ElementDepth;
        return true;
    }
    void LeaveElement() { --ElementDepth; }

    TMkDTDLimits Limits;
    int MatchDepth = 0;
    int ElementDepth = 0;
    std::int64_t Work = 0;
    std::size_t NodeBase = 0;

    bool WorkExhausted = false;
    bool DepthLimitReached = false;

private:
    const TMkNodePool *nodes_ = nullptr;
};
