#include "markup/dtd/MkDTDRule.h"

#include "markup/MkParser.h"
#include "markup/dtd/MkDTDEntry.h"
#include "markup/dtd/MkDTDGuard.h"
#include "markup/dtd/MkDeductionTree.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

// Counts one nested match against the run's bounds for as long as it lives.
class TMatchScope {
public:
    explicit TMatchScope(TMkDTDGuard &guard) : guard_(guard), entered_(guard.EnterMatch()) {}
    ~TMatchScope()
    {
        if (entered_)
            guard_.LeaveMatch();
    }
    TMatchScope(const TMatchScope &) = delete;
    TMatchScope &operator=(const TMatchScope &) = delete;
    explicit operator bool() const { return entered_; }

private:
    TMkDTDGuard &guard_;
    bool entered_;
};

} // namespace

TMkRule::TMkRule(TMkRepetition repetition, TMkDTDGuard *guard)
    : TMkBaseRule(RuleKind, repetition, guard),
      group_(++guard->GroupCount)
{
}

TMkRule::~TMkRule()
{
    // Nested rules are taken apart one level at a time (see TMkDataModel).
    std::vector<std::unique_ptr<TMkBaseRule>> pending;
    for (auto &alternative : Alternatives)
        for (auto &rule : alternative->Rules)
            pending.push_back(std::move(rule));
    while (!pending.empty()) {
        std::unique_ptr<TMkBaseRule> rule = std::move(pending.back());
        pending.pop_back();
        if (rule && rule->Kind == RuleKind)
            for (auto &alternative : static_cast<TMkRule &>(*rule).Alternatives)
                for (auto &nested : alternative->Rules)
                    pending.push_back(std::move(nested));
    }
}

bool TMkBaseRule::Required() const
{
    return Repetition == TMkRepetition::Once || Repetition == TMkRepetition::ExactlyOnce ||
           Repetition == TMkRepetition::OneOrMore;
}

bool TMkBaseRule::FailsAtOnce() const
{
    return Kind == AtomKind && static_cast<const TMkAtomRule &>(*this).Entry->FailsAtOnce();
}

bool TMkBaseRule::Apply(TMkDeductionTree &node)
{
    switch (Repetition) {
    case TMkRepetition::Once: return Match(node);
    case TMkRepetition::ExactlyOnce:
    case TMkRepetition::Optional: {
        TMkDeductionTree *before = node.LastChild();
        if (!Match(node))
            return Repetition == TMkRepetition::Optional;
        // A second match right after the first means the item occurs twice:
        // both are taken back and the whole fails.
        if (Match(node)) {
            node.RollbackAfter(before, guard_->Nodes());
            return false;
        }
        return true;
    }
    case TMkRepetition::ZeroOrMore:
    case TMkRepetition::OneOrMore: {
        bool first = true;
        while (Match(node))
            first = false;
        return !(first && Repetition == TMkRepetition::OneOrMore);
    }
    }
    return false; // an unknown repetition never matches
}

TMkAtomRule::TMkAtomRule(TMkEntryPoint *entry, TMkRepetition repetition, TMkDTDGuard *guard)
    : TMkBaseRule(AtomKind, repetition, guard),
      Entry(entry),
      ownNode_(entry->UndoesAnything())
{
}

// The entry's match is recorded in a child of its own, which the entry's
// handlers see; an attempt that would fail at once gets no child at all
// (most attempts are of this kind).
bool TMkAtomRule::Match(TMkDeductionTree &node)
{
    if (Entry->FailsAtOnce())
        return false;
    TMatchScope scope(*guard_);
    if (!scope)
        return false;
    TMkNodePool &nodes = guard_->Nodes();
    if (!ownNode_) {
        // A group has nothing of its own to take back, so it gets no node:
        // what matches in it is recorded in this node, and a failure drops
        // what it added there.  (A node of its own would hold memory for
        // every group matched until the run ends.)
        TMkDeductionTree *before = node.LastChild();
        if (Entry->Match(node))
            return true;
        node.DiscardAfter(before, nodes);
        return false;
    }
    TMkDeductionTree &record = *node.NewChild(nodes);
    record.Entry = Entry;
    if (Entry->Match(record))
        return true;
    record.Discard(nodes);
    return false;
}

bool TMkRuleList::MatchSequence(TMkDeductionTree &node, TMkNodePool &nodes)
{
    if (Rules.empty())
        return false;
    TMkDeductionTree *before = node.LastChild();
    bool firstRule = true;
    for (const auto &rule : Rules) {
        if (!rule->Apply(node)) {
            // Items matched before this one are taken back; a failing first
            // item leaves nothing behind (what it consumed stays consumed).
            if (!firstRule)
                node.RollbackAfter(before, nodes);
            return false;
        }
        firstRule = false;
    }
    return true;
}

bool TMkRuleList::FailsAtOnce() const
{
    if (Rules.empty())
        return true;
    const TMkBaseRule &first = *Rules.front();
    return first.Required() && first.FailsAtOnce();
}

void TMkRule::Prepare()
{
    prepared_ = true;
    for (std::size_t i = 0; i < Alternatives.size(); ++i) {
        const auto &rules = Alternatives[i]->Rules;
        const TMkBaseRule *first = rules.empty() ? nullptr : rules.front().get();
        const auto *element = first && first->Kind == AtomKind
                                  ? dynamic_cast<const TMkElementEntry *>(
                                        static_cast<const TMkAtomRule *>(first)->Entry)
                                  : nullptr;
        if (element && first->Required() && element->StartTagRequired) {
            keyedAlternatives_.emplace_back(element->NameId, i);
            parser_ = element->Parser;
        } else {
            anyAlternatives_.push_back(i);
        }
    }
    std::sort(keyedAlternatives_.begin(), keyedAlternatives_.end());
}

bool TMkRule::Match(TMkDeductionTree &node)
{
    TMatchScope scope(*guard_);
    if (!scope)
        return false;
    // A failure worked out before is counted, not repeated.  While an
    // exclusion is in force, failures depend on more than the token, and
    // none is remembered or used.
    TMkDTDGuard &guard = *guard_;
    const TMkExtParser &parser = *guard.Parser;
    if (!guard.RememberFailures || guard.RaisedExclusions != 0)
        return MatchAlternatives(node);
    const TMkFailureMemo::TKey key = TMkFailureMemo::KeyOf(
        group_, parser.CurrentTokenClass(), guard.ElementDepth >= guard.Limits.MaxElementDepth);
    const TMkFailureMemo::TCost *known = guard.Failures.Find(key);
    if (known && guard.Affords(known->Work, known->Depth, static_cast<std::size_t>(known->Nodes))) {
        guard.Work += known->Work;
        if (known->MetElementBound) {
            guard.DepthLimitReached = true;
            ++guard.ElementLimitHits;
        }
        return false;
    }

    // Watched: whether the attempt leaves a trace, and what it takes.
    const std::int64_t work = guard.Work;
    const std::int64_t handlerCalls = guard.HandlerCalls;
    const std::int64_t limitHits = guard.LimitHits;
    const std::int64_t elementLimitHits = guard.ElementLimitHits;
    const std::int32_t position = parser.TokenPosition();
    const int depth = guard.MatchDepth;
    const std::size_t live = guard.Live();
    const int deepestBefore = std::exchange(guard.DeepestMatch, depth);
    const std::size_t mostLiveBefore = std::exchange(guard.MostLive, live);
    const bool matched = MatchAlternatives(node);
    const std::int64_t steps = guard.Work - work;
    const std::size_t nodes = guard.MostLive - live;
    const int deeper = guard.DeepestMatch - depth;
    guard.DeepestMatch = std::max(deepestBefore, guard.DeepestMatch);
    guard.MostLive = std::max(mostLiveBefore, guard.MostLive);
    if (!matched && guard.HandlerCalls == handlerCalls && guard.LimitHits == limitHits &&
        parser.TokenPosition() == position && steps < INT32_MAX && nodes < INT32_MAX)
        guard.Failures.Remember(key, {static_cast<std::int32_t>(steps), deeper,
                                      static_cast<std::int32_t>(nodes),
                                      guard.ElementLimitHits != elementLimitHits});
    return matched;
}

bool TMkRule::MatchAlternatives(TMkDeductionTree &node)
{
    if (!prepared_)
        Prepare();
    // The alternatives that begin with the current start tag, if any.
    auto keyed = keyedAlternatives_.end();
    auto keyedEnd = keyed;
    if (parser_) {
        const TMkTagToken *tag = parser_->CurrentTag();
        const std::int32_t id = tag ? parser_->NameIdOf(*tag) : MkNoTagName;
        if (tag && !tag->IsEndTag() && id != MkNoTagName) {
            keyed = std::lower_bound(keyedAlternatives_.begin(), keyedAlternatives_.end(),
                                     std::pair<std::int32_t, std::size_t>(id, 0));
            keyedEnd = keyed;
            while (keyedEnd != keyedAlternatives_.end() && keyedEnd->first == id)
                ++keyedEnd;
        }
    }
    auto any = anyAlternatives_.begin();
    while (any != anyAlternatives_.end() || keyed != keyedEnd) {
        std::size_t index = 0;
        if (keyed == keyedEnd || (any != anyAlternatives_.end() && *any < keyed->second))
            index = *any++;
        else
            index = (keyed++)->second;
        const auto &alternative = Alternatives[index];
        if (alternative->FailsAtOnce())
            continue;
        // An alternative that fails leaves the node as it found it.
        if (alternative->MatchSequence(node, guard_->Nodes()))
            return true;
    }
    return false;
}
