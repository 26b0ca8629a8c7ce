#pragma once

// Helpers shared by the HTML parser tests.

#include "markup/MkHandlers.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TMkBaseText;
class TMkEngine;
class TMkParsedTextList;

namespace testkit {

struct THandlers {
    TMkImageHandler Image;
    TMkVariableHandler Variable;
    TMkControlHandler Control;
    TMkRepeatHandler Repeat;
};

// Parses the bytes exactly as given (no line feed added) with a fresh
// TMkHTMLParser working for the engine, which must outlive the tree.
std::unique_ptr<TMkParsedTextList> Parse(TMkEngine &engine, std::string_view markup,
                                         const THandlers &handlers = {});

// The object reached from root through the given child indexes; throws
// std::out_of_range, which fails the test, when there is none.
TMkBaseText *At(TMkBaseText &root, std::initializer_list<std::size_t> path);

// The texts of every TMkText in the tree, in pre-order.
std::vector<std::string> Words(const TMkBaseText &root);
// The class names of the tree in pre-order.
std::vector<std::string> ClassNames(const TMkBaseText &root);

} // namespace testkit
