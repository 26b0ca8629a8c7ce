#pragma once

#include "textobjects/MkBaseText.h"
#include "textobjects/MkImage.h"
#include "textobjects/MkRepeat.h"

#include <cstdint>
#include <functional>
#include <string>

class TMkParser;
class TMkTagToken;

// The object that holds a variable reference or asks about a repeat copy:
// the parser while it prepares the token band, a tag token while the HTML
// parser reads an attribute, a text object while the tree resolves its
// references.  Exactly one member is set.
struct TMkHandlerSender {
    TMkParser *Parser = nullptr;
    const TMkTagToken *Tag = nullptr;
    TMkBaseText *Text = nullptr;
};

// The four handlers a parse receives.  Each may be empty; an empty variable
// handler makes every reference read as the empty string, an empty repeat
// handler is not called.
//
// Answers a variable reference: sender and upper-cased name, returns the value.
using TMkVariableHandler =
    std::function<std::string(const TMkHandlerSender &sender, const std::string &name)>;
// Told about each copy a repeat block is about to produce (0-based index).
using TMkRepeatHandler = std::function<void(const TMkHandlerSender &sender, std::int32_t index)>;
// Handed unchanged to every picture the parser creates.
using TMkImageHandler = TMkImageCallback;
// Handed unchanged to every embedded control the parser creates: the control
// piece, the platform control and the name given in the markup.
using TMkControlHandler =
    std::function<void(TMkBaseText &sender, void *control, const std::string &name)>;

// The same handlers in the shape the text objects take them (empty stays
// empty).
TMkVariableCallback MkVariableCallback(const TMkVariableHandler &handler);
TMkRepeatCallback MkRepeatCallback(const TMkRepeatHandler &handler);

// The value of a variable reference through the handler, the empty string
// when the handler is empty.
std::string MkResolveVariable(const TMkVariableHandler &handler, const TMkHandlerSender &sender,
                              const std::string &reference);
