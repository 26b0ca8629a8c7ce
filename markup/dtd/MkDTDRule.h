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

// Compiled content models.  A rule is matched by Apply, which repeats its
// Match as the rule's repetition says.  Match is given a fresh node: the
// record of what it matches goes into that node.
class TMkBaseRule {
public:
    static constexpr std::uint8_t AtomKind = 0;
    static constexpr std::uint8_t RuleKind = 1;

    virtual ~TMkBaseRule() = default;
    virtual bool Match(TMkDeductionTree &node) = 0;
    // Matches the rule as often as its repetition asks, each attempt in a new
    // child of node.
    bool Apply(TMkDeductionTree &node);
    // Whether Apply needs a node of its own: ExactlyOnce and Optional take
    // back their matches when the item occurs twice.  Every other rule leaves
    // nothing behind when it fails, and its matches can go into the node of
    // whatever contains it, in the same order.
    bool NeedsOwnNode() const;

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
    bool Attempt(TMkDeductionTree &node, TMkDeductionTree *&child);

    TMkDTDGuard *guard_;
};

// A reference to one entry.
class TMkAtomRule : public TMkBaseRule {
public:
    TMkAtomRule(TMkEntryPoint *entry, TMkRepetition repetition, TMkDTDGuard *guard)
        : TMkBaseRule(AtomKind, repetition, guard),
          Entry(entry)
    {
    }
    bool Match(TMkDeductionTree &node) override;

    TMkEntryPoint *Entry;
};

// One alternative: rules matched in sequence.
class TMkRuleList {
public:
    // Matches the rules one after the other into node.  When one fails, the
    // matches of the rules before it are taken back and node is left as it
    // was.
    bool MatchSequence(TMkDeductionTree &node);
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
    TMkRule(TMkRepetition repetition, TMkDTDGuard *guard) : TMkBaseRule(RuleKind, repetition, guard)
    {
    }
    ~TMkRule() override;
    bool Match(TMkDeductionTree &node) override;

    std::vector<std::unique_ptr<TMkRuleList>> Alternatives;

private:
    // Most alternatives of a group begin with an element whose start tag is
    // required: they can match only at that tag.  Match tries, in order, the
    // alternatives that begin otherwise and those that begin with the
    // current tag, and passes over the rest, which would fail at once.
    void Prepare();
    bool prepared_ = false;
    TMkExtParser *parser_ = nullptr;
    std::vector<std::size_t> anyAlternatives_;
    // (interned name, alternative), sorted.
    std::vector<std::pair<std::int32_t, std::size_t>> keyedAlternatives_;
};
