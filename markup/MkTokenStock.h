#pragma once

#include "markup/MkToken.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

// Tokens a lexer made, given back when their parse is done, to be handed
// out again by the next one.  A list box parses its rows at every paint, and
// every tag and word of a row was a heap block made and freed each time; a
// tag's attribute list was another.  A token handed out again is as a new
// one of its class.
//
// Only plain text and tag tokens are kept, and only so many: after a long
// document the stock holds a row's worth, not the document's, and no string
// grown long stays behind in it.
class TMkTokenStock {
public:
    // A new tag token with an empty name and no attributes.
    std::unique_ptr<TMkTagToken> Tag();
    // A new text token holding text.
    std::unique_ptr<TMkTextToken> Text(std::string_view text = {});
    // A copy of token: of its class, with its contents.
    std::unique_ptr<TMkToken> Clone(const TMkToken &token);
    // Keeps the token for later or, when it is of no use, destroys it.
    void Keep(std::unique_ptr<TMkToken> token);

private:
    static constexpr std::size_t MostKept = 128;

    std::vector<std::unique_ptr<TMkTagToken>> tags_;
    std::vector<std::unique_ptr<TMkTextToken>> texts_;
};
