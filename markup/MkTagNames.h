#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

// Tag and element names as small integers, so that the grammar engine
// compares numbers where it would compare names ignoring case at every step.
// Names are interned upper-cased, as they are compared: "td" and "TD" are
// one name.  Only the names a document type declares are interned, so the
// table stays as small as the declarations, whatever the markup holds.
//
// Each engine (MkEngine.h) keeps one table: the numbers mean something only
// within it, and a token keeps the number it found (MkToken.h).

// No name: a tag named nothing that is interned.
inline constexpr std::int32_t MkNoTagName = -1;

class TMkTagNames {
public:
    // The number of a declared name, interning it when it is new.
    std::int32_t Intern(std::string_view name);
    // The number of a name interned before, MkNoTagName for any other.
    std::int32_t Find(std::string_view name) const;
    // How many names are interned: a name found missing may be there once
    // this has grown.  Read at every tag the grammar looks at, so it is kept
    // in a plain member.
    std::int32_t Count() const { return count_; }

private:
    // Names are hashed and compared ignoring case, so that a tag's name is
    // looked up as written, without an upper-cased copy.
    struct TNoCaseHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct TNoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::unordered_map<std::string, std::int32_t, TNoCaseHash, TNoCaseEqual> names_;
    std::int32_t count_ = 0;
};
