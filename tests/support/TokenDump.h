#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TMkToken;
class TMkTokenBand;

namespace testkit {

// One line per token: end / dropped / text "..." / tag "name", then one line
// per attribute line ("  attr ..."), strings written as the tree dump writes
// them.
std::string DumpToken(const TMkToken &token);
std::string DumpTokens(const std::vector<std::unique_ptr<TMkToken>> &tokens);
std::string DumpBand(const TMkTokenBand &band);

// Every token the HTML lexer reads from bytes, the end token included.
std::vector<std::unique_ptr<TMkToken>> LexAll(std::string_view bytes);

} // namespace testkit
