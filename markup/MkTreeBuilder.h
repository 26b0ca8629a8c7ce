#pragma once

#include "markup/MkBlockArray.h"

#include <cstdint>
#include <memory>
#include <utility>

class TMkBaseText;
class TMkParsedTextList;

// A container of the tree under construction, as a value the builder hands
// out and takes back: a slot of the builder's table and the generation the
// slot had when the mark was made.  A mark is never a pointer, so keeping one
// past the container's destruction is harmless: the builder sees that the
// slot's generation moved on and resolves the mark to nothing.  The default
// mark names no container.
class TMkTreeMark {
public:
    constexpr TMkTreeMark() = default;
    // Names no container at all (as opposed to one since destroyed).
    bool IsNone() const { return slot_ == NoSlot; }
    friend bool operator==(TMkTreeMark, TMkTreeMark) = default;

private:
    friend class TMkTreeBuilder;
    static constexpr std::uint32_t NoSlot = UINT32_MAX;
    constexpr TMkTreeMark(std::uint32_t slot, std::uint32_t generation)
        : slot_(slot),
          generation_(generation)
    {
    }
    std::uint32_t slot_ = NoSlot;
    std::uint32_t generation_ = 0;
};

// The tree builder: the one way from the grammar engine's handlers to the
// text objects of a parse.
//
// The builder holds the root container, which the caller owns, and a cursor,
// the mark of the current container.  Handlers build through it: Open appends
// a new container to the current one and makes it current, Add appends a leaf
// (a word, a rule, a picture, hidden text ...), Leave makes the parent
// current, and RollBack takes the current container out of its parent,
// destroys it with everything in it, and makes the parent current.
//
// Who makes and who destroys.  Handlers make every object, through Open and
// Add, always inside the current container; nothing is made elsewhere during
// a run but the placeholder rows and cells a table adds to itself when it
// normalises its grid at its end tag, which adds only and destroys or moves
// no container to another parent.  Only RollBack destroys, and only the
// current container with its subtree; the root is never destroyed (rolling
// it back leaves no container current, and handlers then build nothing).
// Every mark of a destroyed container resolves to null from then on, so a
// record that still holds one finds no container instead of freed memory.
//
// The grammar engine (TMkDTD, markup/dtd/) keeps a mark in every node of its
// deduction tree.  A new node takes its parent's mark.  Before a handler is
// called for a node the engine moves the cursor to the node's mark, and
// afterwards stores the cursor back into the node: an element whose start
// tag opens a container thus hands that container to its content, while its
// siblings, made from the enclosing node, still start from the enclosing
// container.  Leaving an element therefore needs no call: the marks do it.
// A run starts at the cursor and ends with the cursor at the root node's mark.
//
// What each TMkDTDAction means for the tree, as the HTML parser's handlers
// (markup/html/MkHTMLParser.cpp) build it:
//   StartTagSeen  the element's node, at the enclosing container.  An element
//                 with content opens its container (P, headings, BLOCKQUOTE,
//                 lists, TREE, TABLE, TR, TD, TH, REPEAT; LI opens a list
//                 when not in one, then the item and a paragraph in it); an
//                 empty one adds its leaf (HR, BR, IMG, INPUT, CONTROL);
//                 unsupported markup adds its tag as hidden text.
//   ContentStep   an element: a new content pass, on a node of its own made
//                 from the element's node; PLAIN opens the pass's paragraph
//                 here.  A type (#PCDATA): each accepted token; text adds its
//                 words (or hidden text) to the current container.  Skip
//                 handlers are called with this code too, and may add the
//                 skipped tag as hidden text.
//   EndTagSeen    at the element's container: TABLE normalises its grid,
//                 unsupported markup adds its end tag as hidden text.
//   NoProgress    on the pass node of a pass that matched nothing, right
//                 before the node is dropped: PLAIN rolls back the paragraph
//                 it opened for the pass.
//   Closed        the element ended; nothing is built, the enclosing node's
//                 mark takes over.
//   Failed        the element did not match, and its node is dropped:
//   Undone        a match is taken back, the last first and each node's
//                 content before the node itself.  For both, an element that
//                 opened a container rolls it back, with all its content.
//                 LI rolls back only its paragraph: the item, and a list
//                 made for it, stay.  PLAIN rolls back nothing on Undone: its
//                 node's mark is the enclosing cell, tree item or repeat
//                 block, which that element takes back itself right after,
//                 the paragraphs with it.
// The style state and the count of hidden elements are the parser's own and
// follow the same actions; the tree sees only the calls above.
class TMkTreeBuilder {
public:
    // Builds into root, which is current; a null root gives a builder with no
    // tree, for grammars that build nothing.
    explicit TMkTreeBuilder(TMkParsedTextList *root);
    TMkTreeBuilder(const TMkTreeBuilder &) = delete;
    TMkTreeBuilder &operator=(const TMkTreeBuilder &) = delete;

    TMkParsedTextList *Root() const { return Resolve(RootMark()); }
    TMkTreeMark RootMark() const;

    // The cursor.  Moving to a stale or empty mark is allowed: then no
    // container is current.
    TMkTreeMark Here() const { return cursor_; }
    void MoveTo(TMkTreeMark mark) { cursor_ = mark; }
    // The current container, null when there is none.
    TMkParsedTextList *Current() const { return Resolve(cursor_); }
    // The container of a mark; null for the empty mark and for the mark of a
    // container that has been rolled back.
    TMkParsedTextList *Resolve(TMkTreeMark mark) const;
    // True for the mark of a container that has been rolled back.
    bool IsStale(TMkTreeMark mark) const;

    // Appends T(current container, args...) to the current container and
    // makes it current.  Without a current container nothing is made and the
    // result is null.
    template <class T, class... Args> T *Open(Args &&...args)
    {
        TMkParsedTextList *parent = Current();
        if (!parent)
            return nullptr;
        auto object = std::make_unique<T>(parent, std::forward<Args>(args)...);
        T *raw = object.get();
        Enter(std::move(object));
        return raw;
    }
    // Appends a leaf, made with the current container as its parent, to the
    // current container.  Without a current container the object is
    // destroyed and the result is null.
    template <class T> T *Add(std::unique_ptr<T> object)
    {
        T *raw = object.get();
        return Append(std::move(object)) ? raw : nullptr;
    }
    // Makes the parent of the current container current (none after the
    // root).
    void Leave();
    // Takes the current container out of its parent and destroys it with its
    // subtree; every mark inside goes stale, and the parent becomes current.
    // Rolling back the root destroys nothing and leaves no container current;
    // with no container current it does nothing.
    void RollBack();

    // Containers made through the builder and not rolled back, the root
    // included.
    std::size_t LiveContainers() const { return live_; }

private:
    static constexpr std::uint32_t NoSlot = UINT32_MAX;
    // A container known to the builder, linked to the slots of the
    // containers opened in it, so that a roll-back finds every mark it
    // invalidates without walking the words of the subtree.
    struct TSlot {
        TMkParsedTextList *Container = nullptr; // null while the slot is free
        std::uint32_t Generation = 0;
        std::uint32_t Parent = NoSlot;
        std::uint32_t FirstChild = NoSlot;
        std::uint32_t LastChild = NoSlot;
        std::uint32_t Previous = NoSlot; // siblings; Previous also links free slots
        std::uint32_t Next = NoSlot;
    };

    const TSlot *SlotOf(TMkTreeMark mark) const;
    std::uint32_t NewSlot(TMkParsedTextList *container, std::uint32_t parent);
    void FreeSubtree(std::uint32_t top);
    void Enter(std::unique_ptr<TMkParsedTextList> container);
    bool Append(std::unique_ptr<TMkBaseText> leaf);

    // In blocks: a long document opens a container every few bytes, and a
    // vector of slots would hold three times their size while it grows.
    TMkBlockArray<TSlot, 32, 4096> slots_;
    std::uint32_t freeSlots_ = NoSlot;
    std::size_t live_ = 0;
    TMkTreeMark cursor_;
};
