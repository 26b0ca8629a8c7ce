#pragma once

#include "markup/MkNodePool.h"
#include "markup/dtd/MkFailureMemo.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

class TMkExtParser;

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
    //
    // A long document needs more: ordinary HTML takes up to some 27 steps a
    // token (a run of unclosed `<b>a`), so a fixed budget would cut off the
    // end of every document past a few hundred kilobytes.  A run therefore
    // gets WorkPerToken steps for each token of its band when that is more.
    // The work stays linear in the input.  A row of 64 KiB holds some 32,000
    // tokens at most, and REPEAT copies stop at 65,536 (MaxExpandedTokens),
    // so a pathological row is still stopped within about a second.
    std::int64_t WorkBudget = 1'500'000;
    std::int64_t WorkPerToken = 48;
    // Deduction nodes in use.  Matches of elements and types that succeed
    // keep their nodes until the run ends; a document type whose repeated
    // items can match without consuming tokens would otherwise fill memory
    // before the work budget ends it.  Reaching the bound counts as spending
    // the budget.  A node takes 48 bytes; the densest 64 KiB rows keep up to
    // some 40,000, and ordinary HTML keeps at most about one a token, so a
    // long document's run may keep NodesPerToken for each token of its band.
    std::size_t MaxTreeNodes = 1'000'000;
    std::size_t NodesPerToken = 4;

    // These bounds for a run over a band of `tokens` tokens.
    TMkDTDLimits ForTokens(std::size_t tokens) const
    {
        TMkDTDLimits limits = *this;
        const auto count = static_cast<std::int64_t>(tokens);
        if (WorkPerToken > 0 && count > WorkBudget / WorkPerToken)
            limits.WorkBudget = WorkPerToken * count;
        if (NodesPerToken > 0 && tokens > MaxTreeNodes / NodesPerToken)
            limits.MaxTreeNodes = NodesPerToken * tokens;
        return limits;
    }
};

// The running counts of one run, shared by the compiled entries and rules.
class TMkDTDGuard {
public:
    // limits: the run's bounds, already fitted to its band (ForTokens);
    // nodes: the pool the run's deduction nodes come from.
    void Start(const TMkDTDLimits &limits, TMkNodePool &nodes)
    {
        nodes_ = &nodes;
        Limits = limits;
        MatchDepth = 0;
        ElementDepth = 0;
        Work = 0;
        NodeBase = nodes.Live(); // other documents' trees do not count
        WorkExhausted = false;
        DepthLimitReached = false;
        RaisedExclusions = 0;
        MostLive = NodeBase;
        DeepestMatch = 0;
    }

    // Called before each rule or entry match; false means the match fails.
    bool EnterMatch()
    {
        if (WorkExhausted)
            return false;
        const std::size_t live = nodes_->Live();
        if (++Work > Limits.WorkBudget || live > NodeBase + Limits.MaxTreeNodes) {
            WorkExhausted = true;
            ++LimitHits;
            return false;
        }
        if (MatchDepth >= Limits.MaxMatchDepth) {
            DepthLimitReached = true;
            ++LimitHits;
            return false;
        }
        ++MatchDepth;
        MostLive = std::max(MostLive, live);
        DeepestMatch = std::max(DeepestMatch, MatchDepth);
        return true;
    }
    void LeaveMatch() { --MatchDepth; }

    bool EnterElement()
    {
        if (ElementDepth >= Limits.MaxElementDepth) {
            DepthLimitReached = true;
            ++ElementLimitHits;
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

    // What tells a failure that leaves no trace (TMkFailureMemo): handler
    // calls, bounds met (the element depth apart from the others) and
    // exclusions in force, counted over the engine's life (the first three)
    // and over the run.
    std::int64_t HandlerCalls = 0;
    std::int64_t LimitHits = 0;
    std::int64_t ElementLimitHits = 0;
    std::int32_t RaisedExclusions = 0;

    // The most nodes in use and the deepest nesting that matches have met
    // as they began, since the run began or whoever watches them last set
    // them (TMkRule::Match, which puts back the larger when it is done).
    std::size_t MostLive = 0;
    int DeepestMatch = 0;
    std::size_t Live() const { return nodes_->Live(); }
    // The pool the run's deduction nodes come from and go back to.
    TMkNodePool &Nodes() const { return *nodes_; }

    // True when an attempt, begun here, that takes `work` more steps, nests
    // `depth` deeper and finds `nodes` more nodes in use is sure to meet no
    // bound.
    bool Affords(std::int64_t work, int depth, std::size_t nodes) const
    {
        return Work + work <= Limits.WorkBudget && MatchDepth + depth <= Limits.MaxMatchDepth &&
               nodes_->Live() + nodes <= NodeBase + Limits.MaxTreeNodes;
    }

    // Whether groups use and fill Failures.
    bool RememberFailures = true;
    // The parser whose band the run reads.
    TMkExtParser *Parser = nullptr;
    // The failures of the groups; kept from run to run.
    TMkFailureMemo Failures;
    // Numbers for the groups, which key their failures.
    std::uint32_t GroupCount = 0;

private:
    TMkNodePool *nodes_ = nullptr;
};
