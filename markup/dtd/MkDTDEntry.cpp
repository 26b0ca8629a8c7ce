#include "markup/dtd/MkDTDEntry.h"

#include "markup/MkParser.h"
#include "markup/MkStrings.h"
#include "markup/MkTagNames.h"
#include "markup/MkTreeBuilder.h"
#include "markup/dtd/MkDTDGuard.h"
#include "markup/dtd/MkDTDRule.h"
#include "markup/dtd/MkDeductionTree.h"

#include <algorithm>

TMkEntryPoint::TMkEntryPoint(std::string name, TMkExtParser *parser,
                             const TMkEntriesByName *allEntries, TMkDTDGuard *guard)
    : Name(std::move(name)),
      NameId(parser->Engine().TagNames.Intern(Name)),
      Parser(parser),
      AllEntries(allEntries),
      guard_(guard)
{
}

void TMkEntriesByName::Build(const TMkEntryList &entries)
{
    std::int32_t names = 0;
    for (const auto &entry : entries)
        if (entry)
            names = std::max(names, entry->NameId + 1);
    // Counted per name first, then placed: a counting sort that keeps the
    // declaration order within each name.
    starts_.assign(static_cast<std::size_t>(names) + 1, 0);
    for (const auto &entry : entries)
        if (entry && entry->NameId >= 0)
            ++starts_[static_cast<std::size_t>(entry->NameId) + 1];
    for (std::size_t i = 1; i < starts_.size(); ++i)
        starts_[i] += starts_[i - 1];
    entries_.assign(starts_.back(), nullptr);
    std::vector<std::size_t> placed(starts_.begin(), starts_.end() - 1);
    for (const auto &entry : entries)
        if (entry && entry->NameId >= 0)
            entries_[placed[static_cast<std::size_t>(entry->NameId)]++] = entry.get();
}

namespace {

void CallAt(const TMkDTDHandler &handler, TMkTreeBuilder &tree, TMkDeductionTree &node,
            TMkDTDAction action)
{
    tree.MoveTo(node.Mark);
    handler(tree, action);
    node.Mark = tree.Here();
}

} // namespace

void TMkEntryPoint::Notify(TMkDeductionTree &node, TMkDTDAction action)
{
    ++guard_->HandlerCalls;
    if (NotifyHandler)
        CallAt(NotifyHandler, *Tree, node, action);
}

void TMkEntryPoint::Skip(TMkDeductionTree &node)
{
    ++guard_->HandlerCalls;
    if (SkipHandler)
        CallAt(SkipHandler, *Tree, node, TMkDTDAction::ContentStep);
}

void TMkEntryPoint::SkipUnknownTags(TMkDeductionTree &node)
{
    Parser->Advance();
    while (Parser->HasCurrent() && Parser->CurrentIsTag() && !IsKnownTag()) {
        Skip(node);
        Parser->Advance();
    }
}

bool TMkEntryPoint::IsKnownTag() const
{
    if (!AllEntries)
        return true;
    const auto *tag = Parser->CurrentTag();
    if (!tag)
        return false;
    const bool endTag = tag->IsEndTag();
    for (const TMkEntryPoint *entry : AllEntries->Named(Parser->NameIdOf(*tag))) {
        if (endTag ? !entry->Suppressed() || entry->OpenCount > 0 : !entry->Suppressed())
            return true;
    }
    return false;
}

// --- types ---------------------------------------------------------------

bool TMkTypeEntry::Match(TMkDeductionTree &node)
{
    if (!Parser->HasCurrent() || !TypeTest)
        return false;
    bool matched = false;
    while (Parser->HasCurrent() && TypeTest()) {
        Notify(node, TMkDTDAction::ContentStep);
        SkipUnknownTags(node);
        matched = true;
    }
    return matched;
}

void TMkTypeEntry::Undo(TMkDeductionTree &node)
{
    Notify(node, TMkDTDAction::Undone);
    Parser->SetTokenPosition(node.StartPosition);
}

// --- entities ------------------------------------------------------------

TMkEntityEntry::~TMkEntityEntry() = default;

bool TMkEntityEntry::Match(TMkDeductionTree &node)
{
    if (!ContentRule)
        return true;
    return ContentRule->Apply(node);
}

void TMkEntityEntry::Undo(TMkDeductionTree & /*node*/) {}

// --- elements ------------------------------------------------------------

TMkElementEntry::TMkElementEntry(std::string name, TMkExtParser *parser,
                                 const TMkEntriesByName *allEntries, TMkDTDGuard *guard)
    : TMkEntryPoint(std::move(name), parser, allEntries, guard),
      // A nameless element has no end tag; class "none" is answered first.
      endTagClass_(NameId != MkNoTagName ? TMkExtParser::TagClass(NameId, true)
                                         : TMkExtParser::NoTokenClass)
{
}

void TMkElementEntry::SetTerminators(const TMkNameList *terminators)
{
    Terminators = terminators;
    terminatorClasses_.clear();
    if (!terminators)
        return;
    for (const std::string &terminator : *terminators) {
        if (terminator.empty()) { // any text
            terminatorClasses_.push_back(TMkExtParser::KindClass(TMkTokenKind::Text));
            continue;
        }
        const bool endTag = terminator.front() == '/';
        const std::string_view name = std::string_view(terminator).substr(endTag ? 1 : 0);
        terminatorClasses_.push_back(
            TMkExtParser::TagClass(Parser->Engine().TagNames.Intern(name), endTag));
    }
}

TMkElementEntry::~TMkElementEntry() = default;

void TMkElementEntry::RaiseExclusions()
{
    if (!Exclusions)
        return;
    ++guard_->RaisedExclusions;
    for (TMkEntryPoint *entry : *Exclusions)
        ++entry->SuppressCount;
}

void TMkElementEntry::LowerExclusions()
{
    if (!Exclusions)
        return;
    if (guard_->RaisedExclusions > 0)
        --guard_->RaisedExclusions;
    for (TMkEntryPoint *entry : *Exclusions)
        if (entry->SuppressCount > 0)
            --entry->SuppressCount;
}

bool TMkElementEntry::FailsAtOnce() const
{
    // Most alternatives of a group are elements whose required start tag is
    // not the current token.
    return !Parser->HasCurrent() || Suppressed() ||
           (StartTagRequired && !Parser->CurrentIsTagNamed(NameId, false));
}

bool TMkElementEntry::Match(TMkDeductionTree &node)
{
    if (!Parser->HasCurrent() || Suppressed())
        return false;
    // Only elements with content nest; an element that would open beyond the
    // nesting limit fails as if its required start tag were missing.
    const bool nests = ContentRule != nullptr;
    if (nests && !guard_->EnterElement())
        return false;
    struct TLeave {
        TMkDTDGuard *Guard;
        bool Active;
        std::int32_t &OpenCount;
        ~TLeave()
        {
            --OpenCount;
            if (Active)
                Guard->LeaveElement();
        }
    } leave{guard_, nests, ++OpenCount};

    if (Parser->CurrentIsTagNamed(NameId, false)) {
        Notify(node, TMkDTDAction::StartTagSeen);
        Parser->Advance();
    } else if (StartTagRequired) {
        return false;
    }
    RaiseExclusions();
    if (!MatchContent(node)) {
        LowerExclusions();
        Notify(node, TMkDTDAction::Failed);
        return false;
    }
    if (Parser->CurrentIsTagNamed(NameId, true)) {
        Notify(node, TMkDTDAction::EndTagSeen);
        LowerExclusions();
        Notify(node, TMkDTDAction::Closed);
        Parser->Advance();
        return true;
    }
    if (EndTagRequired) {
        Notify(node, TMkDTDAction::Failed);
        LowerExclusions();
        return false;
    }
    LowerExclusions();
    Notify(node, TMkDTDAction::Closed);
    return true;
}

void TMkElementEntry::Undo(TMkDeductionTree &node)
{
    Notify(node, TMkDTDAction::Undone);
    Parser->SetTokenPosition(node.StartPosition);
}

bool TMkElementEntry::MatchContent(TMkDeductionTree &node)
{
    std::int32_t lastFailed = -1;
    const TMkToken *lastFailedToken = nullptr;
    bool result = false;
    for (;;) {
        TMkDeductionTree &pass = *node.NewChild(guard_->Nodes());
        pass.StartPosition = Parser->TokenPosition();
        Notify(pass, TMkDTDAction::ContentStep);
        if (!ContentRule) {
            pass.Dissolve(guard_->Nodes());
            return true; // an empty element gets exactly one pass
        }
        const bool applied = ContentRule->Apply(pass);
        if (applied)
            result = true;
        const bool progress = applied && Parser->TokenPosition() != pass.StartPosition;
        // Once the work budget is spent, content ends wherever it stands so
        // that the run unwinds without consuming more.
        const bool ends = ContentEnds() || guard_->WorkExhausted;
        if (progress || ends) {
            // A pass that stays has no entry to undo: what matched in it
            // goes to the element's node, which takes it back if need be.
            pass.Dissolve(guard_->Nodes());
            if (ends)
                return result;
            lastFailed = -1;
            continue; // progress: next pass
        }
        const bool dropped = SkipOrDrop(pass, lastFailedToken);
        Notify(pass, TMkDTDAction::NoProgress);
        pass.Discard(guard_->Nodes());
        if (ContentEnds())
            return result;
        if (dropped) {
            lastFailed = -1; // moving past the token is progress
            continue;
        }
        // Two failed passes in a row at one position end the content; this is
        // what stops an element whose skip handler neither moves nor inserts.
        if (Parser->TokenPosition() == lastFailed)
            return result;
        lastFailed = Parser->TokenPosition();
    }
}

bool TMkElementEntry::SkipOrDrop(TMkDeductionTree &pass, const TMkToken *&lastFailedToken)
{
    // A skip handler that inserts a tag instead of moving on (the implied
    // paragraph) can loop: a stray "</td>" in a body gets a P inserted, the
    // P ends at once because "</td>" is one of its terminators, and the next
    // pass fails on the same "</td>" again, for ever, the band growing by one
    // tag each time.  When a pass fails on the very token an earlier pass of
    // this content failed on, the handler has already had its chance with it:
    // the token is dropped instead.  Handlers that move on never see a token
    // twice, so only such loops are affected.
    const TMkToken *failedAt = Parser->CurrentToken();
    const bool drop = failedAt && failedAt == lastFailedToken;
    if (drop)
        Parser->Advance();
    else
        Skip(pass);
    lastFailedToken = failedAt;
    return drop;
}

bool TMkElementEntry::ContentEnds() const
{
    // Asked after every content pass: the current token's class is found
    // once and compared with each class that ends the content.
    const std::uint32_t current = Parser->CurrentTokenClass();
    if (current == TMkExtParser::NoTokenClass ||
        current == TMkExtParser::KindClass(TMkTokenKind::End) || current == endTagClass_)
        return true;
    return std::find(terminatorClasses_.begin(), terminatorClasses_.end(), current) !=
           terminatorClasses_.end();
}
