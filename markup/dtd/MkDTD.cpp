#include "markup/dtd/MkDTD.h"

#include "markup/MkEngine.h"
#include "markup/MkParser.h"
#include "markup/MkStrings.h"
#include "markup/MkTreeBuilder.h"
#include "markup/dtd/MkDTDRule.h"

#include <vector>

TMkDTD::TMkDTD(TMkExtParser *parser) : parser_(parser), nodes_(parser->Engine().DeductionNodes)
{
    guard_.Parser = parser;
}

TMkDTD::~TMkDTD()
{
    // A run left by an exception may still hold nodes of the engine's pool.
    root_.ClearChildren(nodes_);
    // Entries first: the rules refer to them, the declarations outlive them.
    entryList_.clear();
    Declarations.Clear();
}

TMkEntryPoint *TMkDTD::FindEntry(std::string_view name) const
{
    for (const auto &entry : entryList_)
        if (MkSameText(entry->Name, name))
            return entry.get();
    return nullptr;
}

std::unique_ptr<TMkEntryPoint> TMkDTD::MakeEntry(const TMkDTDBaseDefinition &declaration)
{
    switch (declaration.Kind) {
    case TMkDTDBaseDefinition::TypeKind: {
        const auto &type = static_cast<const TMkDTDTypeDefiniton &>(declaration);
        auto entry = std::make_unique<TMkTypeEntry>(type.Name, parser_, &entriesByName_, &guard_);
        entry->NotifyHandler = type.NotifyHandler;
        entry->TypeTest = type.TypeTest;
        return entry;
    }
    case TMkDTDBaseDefinition::EntityKind:
        return std::make_unique<TMkEntityEntry>(declaration.Name, parser_, &entriesByName_,
                                                &guard_);
    default: {
        const auto &element = static_cast<const TMkDTDElementDefiniton &>(declaration);
        auto entry =
            std::make_unique<TMkElementEntry>(element.Name, parser_, &entriesByName_, &guard_);
        entry->NotifyHandler = element.NotifyHandler;
        entry->SkipHandler = element.SkipHandler;
        entry->StartTagRequired = element.StartTagRequired;
        entry->EndTagRequired = element.EndTagRequired;
        entry->SetTerminators(element.Terminators ? &*element.Terminators : nullptr);
        return entry;
    }
    }
}

std::unique_ptr<TMkBaseRule> TMkDTD::BuildRule(const TMkDataModel &top)
{
    // Nested models are built with an explicit stack of pending groups rather
    // than by recursion: the declarations may come from anywhere.
    struct TPending {
        const TMkDataModel *Model;
        TMkRule *Rule;
    };
    auto result = std::make_unique<TMkRule>(top.Repetition, &guard_);
    std::vector<TPending> pending{{&top, result.get()}};
    while (!pending.empty()) {
        const TPending p = pending.back();
        pending.pop_back();
        auto lastAlternative = [&]() -> TMkRuleList & {
            if (p.Rule->Alternatives.empty())
                p.Rule->Alternatives.push_back(std::make_unique<TMkRuleList>());
            return *p.Rule->Alternatives.back();
        };
        for (int i = 0; i < p.Model->Count(); ++i) {
            const TMkDataModeBase &item = p.Model->Item(i);
            if (item.ItemKind == TMkDataModeBase::EntryKind) {
                // A name without an entry is dropped without a message.
                const auto &name = static_cast<const TMkDataModelEntry &>(item).Name;
                if (TMkEntryPoint *entry = FindEntry(name))
                    lastAlternative().Rules.push_back(
                        std::make_unique<TMkAtomRule>(entry, item.Repetition, &guard_));
            } else if (item.ItemKind == TMkDataModeBase::ModelKind) {
                auto nested = std::make_unique<TMkRule>(item.Repetition, &guard_);
                pending.push_back({static_cast<const TMkDataModel *>(&item), nested.get()});
                lastAlternative().Rules.push_back(std::move(nested));
            } else {
                p.Rule->Alternatives.push_back(std::make_unique<TMkRuleList>());
            }
        }
    }
    return result;
}

void TMkDTD::CompileDeclaration(const TMkDTDBaseDefinition &declaration, TMkEntryPoint &entry)
{
    if (declaration.Kind == TMkDTDBaseDefinition::EntityKind) {
        const auto &entity = static_cast<const TMkDTDEntityDefiniton &>(declaration);
        if (entity.ContentModel) {
            auto rule = BuildRule(*entity.ContentModel);
            rule->Name = entity.Name;
            static_cast<TMkEntityEntry &>(entry).ContentRule = std::move(rule);
        }
    } else if (declaration.Kind == TMkDTDBaseDefinition::ElementKind) {
        const auto &element = static_cast<const TMkDTDElementDefiniton &>(declaration);
        auto &target = static_cast<TMkElementEntry &>(entry);
        if (element.ContentModel) {
            auto rule = BuildRule(*element.ContentModel);
            rule->Name = element.Name;
            target.ContentRule = std::move(rule);
        }
        if (element.Exclusions) {
            target.Exclusions.emplace();
            for (const std::string &name : *element.Exclusions)
                if (TMkEntryPoint *excluded = FindEntry(name))
                    target.Exclusions->push_back(excluded);
        }
    }
}

void TMkDTD::Compile()
{
    compiledVersion_ = Declarations.Version();
    entriesByName_ = TMkEntriesByName(); // it points into the entries
    guard_.Failures.Forget();            // they belong to the groups made before
    entryList_.clear();
    for (int i = 0; i < Declarations.Count(); ++i)
        entryList_.push_back(MakeEntry(Declarations.Item(i)));
    for (int i = 0; i < Declarations.Count(); ++i)
        CompileDeclaration(Declarations.Item(i), *entryList_[static_cast<std::size_t>(i)]);
    entriesByName_.Build(entryList_);
}

bool TMkDTD::Deduce(std::string_view startName, TMkTreeBuilder &tree)
{
    root_.ClearChildren(nodes_);
    root_.Entry = nullptr;
    // The entries and rules are compiled once and kept while the
    // declarations stay as they are; a run starts them afresh.  A run left by
    // an error may have left exclusions raised and elements open.
    if (entryList_.empty() || compiledVersion_ != Declarations.Version())
        Compile();
    // The entries know the builder only while the run lasts, however it ends.
    struct TTreeLoan {
        const TMkEntryList &Entries;
        ~TTreeLoan()
        {
            for (const auto &entry : Entries)
                entry->Tree = nullptr;
        }
    } loan{entryList_};
    for (const auto &entry : entryList_) {
        entry->SuppressCount = 0;
        entry->OpenCount = 0;
        entry->Tree = &tree;
    }
    TMkEntryPoint *start = FindEntry(startName);
    if (!start)
        return false;
    root_.Entry = start;
    root_.Mark = tree.Here();
    guard_.Start(Limits.ForTokens(static_cast<std::size_t>(parser_->Band.Count())), nodes_);
    guard_.RememberFailures = RememberFailures;
    start->SkipUnknownTags(root_);
    const bool matched = start->Match(root_);
    tree.MoveTo(root_.Mark);
    ReleaseRecord();
    return matched;
}

// Once the run is over, nothing reads its record.  When no other run of the
// engine held nodes as this one began, every node in use is this run's, and
// the pool takes them all back without a walk over the record.  (A nested
// run, made by a handler of this one, ends before it and frees its own.)
void TMkDTD::ReleaseRecord()
{
    lastRunNodes_ = guard_.MostLive - guard_.NodeBase;
    if (guard_.NodeBase == 0) {
        root_.AbandonChildren();
        nodes_.GiveAll();
    } else {
        root_.ClearChildren(nodes_);
    }
}
