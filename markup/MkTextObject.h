#pragma once

#include "markup/MkHandlers.h"
#include "textobjects/MkColor.h"
#include "textobjects/MkGeometry.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TMkCanvas;
class TMkEngine;
class TMkParsedTextList;
class TMkParser;
struct TMkFont;

// The text container of a markup list box: a parser chosen by class name,
// and the tree of the text it parsed last.  Every Parse replaces the tree, so
// a list box that draws its items one after the other keeps only the tree of
// the item drawn last.  It uses the standard library alone, like the engine
// it drives.  Its parsers are found in and work for the engine it is given
// (the list box's), which must outlive it.
class TMkTextObject {
public:
    explicit TMkTextObject(TMkEngine &engine);
    ~TMkTextObject();
    TMkTextObject(const TMkTextObject &) = delete;
    TMkTextObject &operator=(const TMkTextObject &) = delete;

    // Told when the container changes in a way its owner must show (the list
    // box repaints).  May be empty.
    std::function<void()> OnChange;
    // Makes every change of parser call OnChange, also while no tree is held.
    bool NotifyParserChanges = false;

    // Handed to the root of every new tree.
    void *HostControl = nullptr;
    void *ParentWindow = nullptr;

    // Passed to every parse, in this order.
    TMkImageHandler ImageHandler;
    TMkVariableHandler VariableHandler;
    TMkControlHandler ControlHandler;
    TMkRepeatHandler RepeatHandler;

    // The class name of the parser; empty while there is none.
    std::string ParserClass() const;
    // Looks the name up in the engine's parser registry and makes a parser of
    // that class.  The current parser stays when the name is its own (ignoring
    // case) or names no registered class.
    void SetParserClass(std::string_view name);

    TMkParser *Parser() const { return parser_.get(); }
    TMkParsedTextList *Root() const { return root_.get(); }

    // Parses the bytes where they lie, replacing the current tree.  Empty text
    // leaves no tree.  A container that was never given a parser class parses
    // with the registry's default class.
    void Parse(std::string_view text);
    // Paints the current tree, if any.
    void Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
               TMkColor backColor, bool singleLine, bool wordWrap);
    // The size of the current tree laid out in rect; (0, 0, 10, 10) without
    // one.
    TMkRect Bounds(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                   bool wordWrap);
    // Takes the other container's parser class (by name) and its flags.
    void Assign(const TMkTextObject &other);

private:
    void Changed();

    TMkEngine &engine_;
    std::unique_ptr<TMkParser> parser_;
    std::unique_ptr<TMkParsedTextList> root_;
};
