#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// How often an item of a content model may occur.  Codes outside the list
// never match.
enum class TMkRepetition : std::uint8_t {
    Once = 0,
    ExactlyOnce = 1, // one match, failing when a second would follow
    Optional = 2,    // none or one, failing when a second would follow
    ZeroOrMore = 3,
    OneOrMore = 4,
};

// Content models: a model is one or more alternatives separated by operation
// items; each alternative is a sequence of names and nested models.
class TMkDataModeBase {
public:
    static constexpr std::uint8_t EntryKind = 0;
    static constexpr std::uint8_t ModelKind = 1;
    static constexpr std::uint8_t OperationKind = 2;

    virtual ~TMkDataModeBase() = default;

    std::uint8_t ItemKind;
    TMkRepetition Repetition = TMkRepetition::Once;

protected:
    explicit TMkDataModeBase(std::uint8_t kind) : ItemKind(kind) {}
};

class TMkDataModelEntry : public TMkDataModeBase {
public:
    TMkDataModelEntry(std::string name, TMkRepetition repetition)
        : TMkDataModeBase(EntryKind),
          Name(std::move(name))
    {
        Repetition = repetition;
    }
    std::string Name;
};

class TMkDataModelOperation : public TMkDataModeBase {
public:
    TMkDataModelOperation() : TMkDataModeBase(OperationKind) {}
};

class TMkDataModel : public TMkDataModeBase {
public:
    TMkDataModel() : TMkDataModeBase(ModelKind) {}
    ~TMkDataModel() override;
    explicit TMkDataModel(TMkRepetition repetition) : TMkDataModeBase(ModelKind)
    {
        Repetition = repetition;
    }

    TMkDataModel &AddName(std::string name, TMkRepetition repetition = TMkRepetition::Once);
    // The nested model keeps its own repetition; this model owns it.
    TMkDataModel &AddModel(std::unique_ptr<TMkDataModel> model);
    // Starts the next alternative.
    TMkDataModel &AddChoice();

    int Count() const { return static_cast<int>(Items.size()); }
    const TMkDataModeBase &Item(int index) const { return *Items[static_cast<std::size_t>(index)]; }

private:
    std::vector<std::unique_ptr<TMkDataModeBase>> Items;
};

// Reads a content model written in the usual DTD notation, so that a document
// type can be kept as a table of strings:
//   ","  separates the items of a sequence (a blank does too);
//   "|"  separates alternatives;
//   "( )" groups; a suffix "?", "*", "+" gives the repetition of the item or
//        group before it (Optional, ZeroOrMore, OneOrMore), none is Once.
// When the whole text is one parenthesised group, that group is the model
// itself and its suffix the model's own repetition: "(LI)*" is a model with
// the item LI, repeated.  Names are any other run of characters
// ("#PCDATA", "%block", "!DOCTYPE").  An empty text gives an empty model.
// Unbalanced parentheses are closed at the end of the text.
std::unique_ptr<TMkDataModel> MkReadContentModel(std::string_view notation);
