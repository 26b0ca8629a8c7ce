#pragma once

#include "markup/dtd/MkDataModel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TMkDeductionTree;
class TMkDTDGuard;
class TMkEntryPoint;
class TMkExtParser;
class TMkNodePool;

// Compiled content models.  A rule is matched by Apply, which repeats its
// Match as the rule's repetition says.  Match appends the record of what it
// matched to the children of the node it is given; when it fails, the node's
// children are as they were (the parser may have moved on).
class TMkBaseRule {
public:
    static constexpr std::uint8_t AtomKind = 0;
    static constexpr std::uint8_t RuleKind = 1;

    virtual ~TMkBaseRule() = default;
    virtual bool Match(TMkDeductionTree &node) = 0;
    // Matches the rule as often as its repetition asks.
    bool Apply(TMkDeductionTree &node);
    // True when the rule must match at least once.
    bool Required() const;
    // True when a Match here would fail without calling any handler or
    // moving the parser: a reference to an entry that fails at once.
    bool FailsAtOnce() const;

    std::string Name;
    std::uint8_t Kind;
    TMkRepetition Repetition;

protected:
    TMkBaseRule(std::uint8_t kind, TMkRepetition repetition, TMkDTDGuard *guard)
        : Kind(kind),
          Repetition(repetition),
          guard_(guard)
    {
    }
    TMkDTDGuard *guard_;
};

// A reference to one entry.
class TMkAtomRule : public TMkBaseRule {
public:
    TMkAtomRule(TMkEntryPoint *entry, TMkRepetition repetition, TMkDTDGuard *guard);
    bool Match(TMkDeductionTree &node) override;

    TMkEntryPoint *Entry;

private:
    // Whether a match of the entry is recorded in a node of its own: asked
    // once here, not at every match.
    bool ownNode_;
};

// One alternative: rules matched in sequence.
class TMkRuleList {
public:
    // Matches the rules one after the other into node.  When one fails, the
    // matches of the rules before it are taken back and node's children are
    // left as they were; nodes is the pool the taken-back records go to.
    bool MatchSequence(TMkDeductionTree &node, TMkNodePool &nodes);
    // True when MatchSequence would fail on its first rule without calling
    // any handler or moving the parser: that rule must match and names an
    // entry that fails at once.  Lets a group skip the alternative without
    // recording the attempt.
    bool FailsAtOnce() const;
    std::vector<std::unique_ptr<TMkBaseRule>> Rules;
};

// Alternatives; the first that matches is taken.
class TMkRule : public TMkBaseRule {
public:
    TMkRule(TMkRepetition repetition, TMkDTDGuard *guard);
    ~TMkRule() override;
    bool Match(TMkDeductionTree &node) override;

    std::vector<std::unique_ptr<TMkRuleList>> Alternatives;

private:
    // Most alternatives of a group begin with an element whose start tag is
    // required: they can match only at that tag.  Match tries, in order, the
    // alternatives that begin otherwise and those that begin with the
    // current tag, and passes over the rest, which would fail at once.
    void Prepare();
    // Match without the memo of failures.
    bool MatchAlternatives(TMkDeductionTree &node);

    // The group's number for the memo of failures (MkFailureMemo.h).
    std::uint32_t group_;
    bool prepared_ = false;
    TMkExtParser *parser_ = nullptr;
    std::vector<std::size_t> anyAlternatives_;
    // (interned name, alternative), sorted.
    std::vector<std::pair<std::int32_t, std::size_t>> keyedAlternatives_;
};
