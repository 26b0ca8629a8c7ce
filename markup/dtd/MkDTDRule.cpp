#include "markup/dtd/MkDTDRule.h"

#include "markup/dtd/MkDTDEntry.h"
#include "markup/dtd/MkDTDGuard.h"
#include "markup/dtd/MkDeductionTree.h"

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

bool TMkBaseRule::Attempt(TMkDeductionTree &node, TMkDeductionTree *&child)
{
    child = node.NewChild();
    return Match(*child);
}

bool TMkBaseRule::Apply(TMkDeductionTree &node)
{
    TMkDeductionTree *child = nullptr;
    switch (Repetition) {
    case TMkRepetition::Once:
        if (Attempt(node, child))
            return true;
        child->Discard();
        return false;
    case TMkRepetition::ExactlyOnce:
    case TMkRepetition::Optional:
        if (!Attempt(node, child)) {
            child->Discard();
            return Repetition == TMkRepetition::Optional;
        }
        // A second match right after the first means the item occurs twice:
        // both are taken back and the whole fails.
        if (Attempt(node, child)) {
            node.Rollback();
            return false;
        }
        child->Discard();
        return true;
    case TMkRepetition::ZeroOrMore:
    case TMkRepetition::OneOrMore: {
        bool first = true;
        while (Attempt(node, child))
            first = false;
        child->Discard();
        return !(first && Repetition == TMkRepetition::OneOrMore);
    }
    }
    return false; // an unknown repetition never matches
}

bool TMkAtomRule::Match(TMkDeductionTree &node)
{
    if (Entry->FailsAtOnce())
        return false;
    TMatchScope scope(*guard_);
    if (!scope)
        return false;
    TMkDeductionTree *child = node.NewChild();
    child->Entry = Entry;
    if (Entry->Match(*child))
        return true;
    child->Discard();
    return false;
}

bool TMkRuleList::MatchSequence(TMkDeductionTree &node)
{
    if (Rules.empty())
        return false;
    bool firstRule = true;
    for (const auto &rule : Rules) {
        TMkDeductionTree *item = node.NewChild();
        if (!rule->Apply(*item)) {
            item->Discard();
            // Items matched before this one are taken back; a failing first
            // item is only discarded (what it consumed stays consumed).
            if (!firstRule)
                node.Rollback();
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
    const bool required = first.Repetition == TMkRepetition::Once ||
                          first.Repetition == TMkRepetition::ExactlyOnce ||
                          first.Repetition == TMkRepetition::OneOrMore;
    return required && first.Kind == TMkBaseRule::AtomKind &&
           static_cast<const TMkAtomRule &>(first).Entry->FailsAtOnce();
}

bool TMkRule::Match(TMkDeductionTree &node)
{
    TMatchScope scope(*guard_);
    if (!scope)
        return false;
    for (const auto &alternative : Alternatives) {
        if (alternative->FailsAtOnce())
            continue;
        TMkDeductionTree *branch = node.NewChild();
        if (alternative->MatchSequence(*branch))
            return true;
        branch->Discard();
    }
    return false;
}
