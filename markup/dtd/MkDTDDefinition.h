#pragma once

#include "markup/dtd/MkDataModel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TMkTreeBuilder;

// What the grammar engine reports to the element and type handlers.
enum class TMkDTDAction : std::uint8_t {
    StartTagSeen = 0, // the start tag is current (the engine moves past it afterwards)
    EndTagSeen = 1,   // the end tag is current
    ContentStep = 2,  // element: a content pass begins; type: the current token is accepted
    NoProgress = 3,   // a content pass matched or consumed nothing (after the skip handler)
    Closed = 5,       // the element ended, by its end tag or implicitly
    Failed = 6,       // the element did not match
    Undone = 7,       // a match is being taken back
};

// Handlers receive the tree builder with its cursor at the node's container,
// and build through it; where they leave the cursor becomes the node's (an
// element that opens a table makes the table the container of its content).
// What each action means for the tree is told with the builder
// (markup/MkTreeBuilder.h).  A skip handler deals with a token that fits
// nowhere in an element's content and is always called with ContentStep's
// code 2.  An empty handler is not called.
using TMkDTDHandler = std::function<void(TMkTreeBuilder &tree, TMkDTDAction action)>;
// True when the parser's current token belongs to the type.  A test looks at
// no more than the token's kind and, for a tag, its name and whether it is
// an end tag: the grammar engine remembers its failures at such a class of
// token (MkFailureMemo.h).
using TMkTypeTest = std::function<bool()>;

using TMkNameList = std::vector<std::string>;

class TMkDTDBaseDefinition {
public:
    static constexpr std::uint8_t TypeKind = 0;
    static constexpr std::uint8_t EntityKind = 1;
    static constexpr std::uint8_t ElementKind = 2;

    virtual ~TMkDTDBaseDefinition() = default;

    std::uint8_t Kind;
    std::string Name;

protected:
    TMkDTDBaseDefinition(std::uint8_t kind, std::string name) : Kind(kind), Name(std::move(name)) {}
};

// A token type such as #PCDATA.
class TMkDTDTypeDefiniton : public TMkDTDBaseDefinition {
public:
    TMkDTDTypeDefiniton(std::string name, TMkDTDHandler notify, TMkTypeTest test)
        : TMkDTDBaseDefinition(TypeKind, std::move(name)),
          NotifyHandler(std::move(notify)),
          TypeTest(std::move(test))
    {
    }
    TMkDTDHandler NotifyHandler;
    TMkTypeTest TypeTest;
};

// A named content group such as %block: it stands for its content model and
// adds no tag of its own.
class TMkDTDEntityDefiniton : public TMkDTDBaseDefinition {
public:
    TMkDTDEntityDefiniton(std::string name, std::unique_ptr<TMkDataModel> model)
        : TMkDTDBaseDefinition(EntityKind, std::move(name)),
          ContentModel(std::move(model))
    {
    }
    std::unique_ptr<TMkDataModel> ContentModel; // may be absent
};

class TMkDTDElementDefiniton : public TMkDTDBaseDefinition {
public:
    TMkDTDElementDefiniton(std::string name) : TMkDTDBaseDefinition(ElementKind, std::move(name)) {}
    bool StartTagRequired = false;
    bool EndTagRequired = false;
    std::unique_ptr<TMkDataModel> ContentModel; // absent: an empty element
    std::optional<TMkNameList> Exclusions;      // elements that may not open inside
    TMkDTDHandler NotifyHandler;
    TMkDTDHandler SkipHandler;
    // Tags that end the content ("/TABLE" for an end tag, "" for any text).
    std::optional<TMkNameList> Terminators;
};

// The declarations of a document type, in the order they were added; that
// order decides which declaration a name finds when two share it.
class TMkDTDDefinition {
public:
    void AddType(std::string name, TMkDTDHandler notifyHandler, TMkTypeTest typeTest);
    void AddEntity(std::string name, std::unique_ptr<TMkDataModel> model);
    void AddElement(std::string name, bool startTagRequired, TMkDTDHandler skipHandler,
                    TMkDTDHandler notifyHandler, std::optional<TMkNameList> exclusions,
                    std::unique_ptr<TMkDataModel> model, std::optional<TMkNameList> terminators,
                    bool endTagRequired);
    // As AddElement with a single excluded name (a FORM may not hold a FORM).
    void AddElementExcluding(std::string name, bool startTagRequired, TMkDTDHandler skipHandler,
                             TMkDTDHandler notifyHandler, std::string excludedName,
                             std::unique_ptr<TMkDataModel> model,
                             std::optional<TMkNameList> terminators, bool endTagRequired);

    void Clear()
    {
        Items.clear();
        ++version_;
    }
    int Count() const { return static_cast<int>(Items.size()); }
    // Changes with every declaration added and with Clear, so that what is
    // compiled from the declarations knows when it is out of date.
    std::uint64_t Version() const { return version_; }
    const TMkDTDBaseDefinition &Item(int index) const
    {
        return *Items[static_cast<std::size_t>(index)];
    }

private:
    std::vector<std::unique_ptr<TMkDTDBaseDefinition>> Items;
    std::uint64_t version_ = 0;
};
