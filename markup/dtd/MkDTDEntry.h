#pragma once

#include "markup/dtd/MkDTDDefinition.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TMkBaseRule;
class TMkDeductionTree;
class TMkDTDGuard;
class TMkEntryPoint;
class TMkExtParser;
class TMkToken;
class TMkTreeBuilder;

using TMkEntryList = std::vector<std::unique_ptr<TMkEntryPoint>>;

// The entries of a document type by interned name.  Whether a tag is known is
// asked for nearly every tag of the band, so it is one look here rather than
// a walk over every entry.
class TMkEntriesByName {
public:
    void Build(const TMkEntryList &entries);
    // The entries named id, in declaration order (none for a name that no
    // entry has, MkNoTagName included).
    std::span<TMkEntryPoint *const> Named(std::int32_t id) const
    {
        if (id < 0 || static_cast<std::size_t>(id) + 1 >= starts_.size())
            return {};
        const std::size_t i = static_cast<std::size_t>(id);
        return {entries_.data() + starts_[i], entries_.data() + starts_[i + 1]};
    }

private:
    // Entries of name id are entries_[starts_[id]] up to entries_[starts_[id + 1]].
    std::vector<std::size_t> starts_;
    std::vector<TMkEntryPoint *> entries_;
};

// A compiled declaration: what the engine matches.  One entry is made per
// declaration, in declaration order, when the document type is first run or
// its declarations have changed since; later runs only reset the counts.
class TMkEntryPoint {
public:
    TMkEntryPoint(std::string name, TMkExtParser *parser, const TMkEntriesByName *allEntries,
                  TMkDTDGuard *guard);
    virtual ~TMkEntryPoint() = default;
    TMkEntryPoint(const TMkEntryPoint &) = delete;
    TMkEntryPoint &operator=(const TMkEntryPoint &) = delete;

    virtual bool Match(TMkDeductionTree &node) = 0;
    virtual void Undo(TMkDeductionTree &node) = 0;
    // True when Match would fail at once, without calling any handler or
    // moving the parser; lets a rule skip the attempt and its bookkeeping.
    virtual bool FailsAtOnce() const { return false; }
    // Whether Undo has anything to do: when it has not, a match needs no
    // node of its own.
    virtual bool UndoesAnything() const { return true; }

    // Advances, then drops the tags that no visible entry knows (calling the
    // skip handler for each), so that such tags vanish between accepted tokens.
    void SkipUnknownTags(TMkDeductionTree &node);
    // Whether the current token is the start or end tag of some entry that is
    // not suppressed at this point, or the end tag of an element that is open
    // (an exclusion keeps an element from opening, never from closing: a
    // BUTTON, FORM or LABEL excludes itself, and its end tag must still end it).
    bool IsKnownTag() const;
    bool Suppressed() const { return SuppressCount != 0; }

    std::string Name;
    // Name as an interned number, compared with the tags' (MkTagNames.h).
    std::int32_t NameId;
    TMkExtParser *Parser;
    std::int32_t SuppressCount = 0;
    // How many matches of this element are between their start and end.
    std::int32_t OpenCount = 0;
    const TMkEntriesByName *AllEntries;
    TMkDTDHandler NotifyHandler;
    TMkDTDHandler SkipHandler;
    // The tree the handlers build into, for the length of a run (TMkDTD::Deduce
    // sets it and takes it away again).
    TMkTreeBuilder *Tree = nullptr;

protected:
    // A handler is called with the builder's cursor at the node's mark, and
    // the cursor as the handler leaves it is stored back into the node.
    void Notify(TMkDeductionTree &node, TMkDTDAction action);
    void Skip(TMkDeductionTree &node);

    TMkDTDGuard *guard_;
};

class TMkTypeEntry : public TMkEntryPoint {
public:
    using TMkEntryPoint::TMkEntryPoint;
    // Takes the whole run of tokens of the type at once.
    bool Match(TMkDeductionTree &node) override;
    void Undo(TMkDeductionTree &node) override;

    TMkTypeTest TypeTest;
};

class TMkEntityEntry : public TMkEntryPoint {
public:
    using TMkEntryPoint::TMkEntryPoint;
    ~TMkEntityEntry() override;
    bool Match(TMkDeductionTree &node) override;
    void Undo(TMkDeductionTree &node) override;
    bool UndoesAnything() const override { return false; }

    std::unique_ptr<TMkBaseRule> ContentRule;
};

class TMkElementEntry : public TMkEntryPoint {
public:
    TMkElementEntry(std::string name, TMkExtParser *parser, const TMkEntriesByName *allEntries,
                    TMkDTDGuard *guard);
    ~TMkElementEntry() override;
    bool Match(TMkDeductionTree &node) override;
    void Undo(TMkDeductionTree &node) override;
    bool FailsAtOnce() const override;

    // Whether the current token ends this element's content: the end of
    // input, its own end tag or one of its terminators.
    bool ContentEnds() const;

    std::unique_ptr<TMkBaseRule> ContentRule;
    bool StartTagRequired = false;
    bool EndTagRequired = false;
    // The declaration's terminators (not owned); SetTerminators also keeps
    // them as interned names.
    const TMkNameList *Terminators = nullptr;
    void SetTerminators(const TMkNameList *terminators);
    std::optional<std::vector<TMkEntryPoint *>> Exclusions;

private:
    bool MatchContent(TMkDeductionTree &node);
    bool SkipOrDrop(TMkDeductionTree &pass, const TMkToken *&lastFailedToken);
    void RaiseExclusions();
    void LowerExclusions();

    // The token classes (TMkExtParser::CurrentTokenClass) that end the
    // content: the element's own end tag and its terminators.
    std::uint32_t endTagClass_;
    std::vector<std::uint32_t> terminatorClasses_;
};
