#pragma once

#include "markup/MkDeductionTree.h"

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
    // Match attempts in one run.  Backtracking can take exponential time on
    // contrived markup; once the budget is spent every further attempt fails
    // and every open element ends its content at once, so the run unwinds in
    // time proportional to its depth.  Ordinary markup needs from a few to
    // some forty steps per token (a 64 KiB page of table rows about 600,000
    // steps); a step costs about 0.1 microseconds in a release build, so the
    // budget stops a pathological row after some 0.3 seconds.
    std::int64_t WorkBudget = 3'000'000;
    // Deduction nodes in use.  Matches that succeed keep their nodes until
    // the run ends; a document type whose repeated items can match without
    // consuming tokens would otherwise fill memory before the work budget
    // ends it.  Reaching the bound counts as spending the budget.
    std::size_t MaxTreeNodes = 2'000'000;
};

// The running counts of one run, shared by the compiled entries and rules.
class TMkDTDGuard {
public:
    void Start(const TMkDTDLimits& limits)
    {
        Limits = limits;
        MatchDepth = 0;
        ElementDepth = 0;
        Work = 0;
        NodeBase = TMkDeductionTree::LiveCount();  // other documents' trees do not count
        WorkExhausted = false;
        DepthLimitReached = false;
    }

    // Called before each rule or entry match; false means the match fails.
    bool EnterMatch()
    {
        if (WorkExhausted)
            return false;
        if (++Work > Limits.WorkBudget || TMkDeductionTree::LiveCount() - NodeBase > Limits.MaxTreeNodes) {
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
};
