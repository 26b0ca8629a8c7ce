#pragma once

#include "markup/dtd/MkDTDDefinition.h"
#include "markup/dtd/MkDTDEntry.h"
#include "markup/dtd/MkDTDGuard.h"
#include "markup/dtd/MkDeductionTree.h"

#include <cstdint>
#include <string_view>

class TMkExtParser;
class TMkTreeBuilder;

// A document type: declarations that decide how the flat token band nests,
// compiled into entries and rules and run over the parser's band by every
// Deduce.  It builds
// nothing itself; it reports what it recognises to the handlers given with
// each declaration, which build the text objects.
class TMkDTD {
public:
    explicit TMkDTD(TMkExtParser *parser);
    ~TMkDTD();
    TMkDTD(const TMkDTD &) = delete;
    TMkDTD &operator=(const TMkDTD &) = delete;

    // Makes the entries and rules from the declarations.
    void Compile();
    // The first entry, in declaration order, with that name (ignoring case).
    TMkEntryPoint *FindEntry(std::string_view name) const;
    // Matches the band from the entry named startName, starting before the
    // first token, the handlers building through tree from its cursor.  True
    // when the start entry matched; the cursor is then where the handlers
    // left it for the start entry.  A missing start entry gives false and
    // leaves the tree alone.  The record of the match (RootNode's children)
    // is dropped when the run ends.
    bool Deduce(std::string_view startName, TMkTreeBuilder &tree);

    TMkDTDDefinition Declarations;
    const TMkEntryList &Entries() const { return entryList_; }
    TMkDeductionTree &RootNode() { return root_; }

    // Bounds of a run (see TMkDTDLimits), and what the last run ran into: a
    // caller whose run ended on the work budget knows that the result is cut
    // short and may present the document in a simpler way.
    TMkDTDLimits Limits;
    // Whether runs remember the failures of groups (MkFailureMemo.h) and
    // skip repeating them.  It changes nothing but the time a run takes;
    // tests turn it off to show that.
    bool RememberFailures = true;
    bool LastRunExhausted() const { return guard_.WorkExhausted; }
    bool LastRunHitDepthLimit() const { return guard_.DepthLimitReached; }
    std::int64_t LastRunWork() const { return guard_.Work; }
    // The most deduction nodes the last run held at once, as its matches
    // began.
    std::size_t LastRunNodes() const { return lastRunNodes_; }

private:
    std::unique_ptr<TMkEntryPoint> MakeEntry(const TMkDTDBaseDefinition &declaration);
    std::unique_ptr<TMkBaseRule> BuildRule(const TMkDataModel &model);
    void CompileDeclaration(const TMkDTDBaseDefinition &declaration, TMkEntryPoint &entry);
    void ReleaseRecord();

    TMkExtParser *parser_;
    // The engine's pool of deduction nodes, which every run's record uses.
    TMkNodePool &nodes_;
    TMkDTDGuard guard_;
    TMkEntryList entryList_;
    TMkEntriesByName entriesByName_;
    TMkDeductionTree root_;
    std::uint64_t compiledVersion_ = 0;
    std::size_t lastRunNodes_ = 0;
};
