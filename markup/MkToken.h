#pragma once

#include "markup/MkTagNames.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TMkTagToken;
class TMkTextToken;

// The units the lexer cuts markup into.  Tokens are handed around as owned
// objects; every class can make a fresh token of its own class (Create), which
// is how Clone and the repeat expansion copy a token without knowing its class.

enum class TMkTokenKind : std::uint8_t {
    End = 0,     // end of input; the band always finishes with one
    Dropped = 1, // a token the tokenizer throws away unread
    Text = 2,
    Tag = 3,
};

class TMkToken {
public:
    explicit TMkToken(TMkTokenKind kind) : Kind(kind) {}
    virtual ~TMkToken() = default;
    TMkToken(const TMkToken &) = delete;
    TMkToken &operator=(const TMkToken &) = delete;

    // A new, empty token of the same class as this one.
    virtual std::unique_ptr<TMkToken> Create() const = 0;
    // A new token of the same class with the same contents.
    std::unique_ptr<TMkToken> Clone() const;
    // This token as a text token (tags are text tokens too) or as a tag, or
    // none.  The grammar engine asks at nearly every step, so the answer is
    // a bit each constructor sets, not a virtual call or a dynamic cast.
    TMkTextToken *AsText();
    TMkTagToken *AsTag();
    const TMkTextToken *AsText() const { return const_cast<TMkToken *>(this)->AsText(); }
    const TMkTagToken *AsTag() const { return const_cast<TMkToken *>(this)->AsTag(); }

    TMkTokenKind Kind;

protected:
    friend class TMkTokenStock; // copies through CopyTo
    static constexpr std::uint8_t TextClass = 1;
    static constexpr std::uint8_t TagClass = 2;
    // Called by the constructors of TMkTextToken and TMkTagToken only.
    void AddClass(std::uint8_t tokenClass) { classes_ |= tokenClass; }

    // Copies this token's contents into a token made by Create.
    virtual void CopyTo(TMkToken &target) const;

private:
    std::uint8_t classes_ = 0;
};

class TMkEofToken : public TMkToken {
public:
    TMkEofToken() : TMkToken(TMkTokenKind::End) {}
    std::unique_ptr<TMkToken> Create() const override;
};

class TMkTextToken : public TMkToken {
public:
    explicit TMkTextToken(std::string text = {})
        : TMkToken(TMkTokenKind::Text),
          Text(std::move(text))
    {
        AddClass(TextClass);
    }
    std::unique_ptr<TMkToken> Create() const override;
    // A new token of this token's class carrying the given text or tag name.
    virtual std::unique_ptr<TMkTextToken> CreateWithText(std::string text) const;

    std::string Text;

protected:
    TMkTextToken(TMkTokenKind kind, std::string text) : TMkToken(kind), Text(std::move(text))
    {
        AddClass(TextClass);
    }
    void CopyTo(TMkToken &target) const override;
};

// A tag: Text holds the name as written ("td", "/td", "!--"), Attributes the
// lines "name=value" in the order they were first seen.
class TMkTagToken : public TMkTextToken {
public:
    explicit TMkTagToken(std::string name = {}) : TMkTextToken(TMkTokenKind::Tag, std::move(name))
    {
        AddClass(TagClass);
    }
    std::unique_ptr<TMkToken> Create() const override;
    std::unique_ptr<TMkTextToken> CreateWithText(std::string text) const override;

    // The value of the first line whose name matches (ignoring case).  An
    // attribute written with an empty value reads as absent: the result is
    // true only when the value is not empty.
    bool GetAttribute(std::string_view name, std::string &value) const;

    // Index of the first line whose name matches (ignoring case), or -1.
    int IndexOfAttribute(std::string_view name) const;

    // The tag's name as a number of the parse's name table (MkTagNames.h),
    // without the "/" of an end tag.  Found on first use and kept (a name
    // found missing is looked up again once more names are interned): a token
    // is only ever asked with its own parse's table, and whoever changes Text
    // after that calls ForgetName.
    std::int32_t NameId(const TMkTagNames &names) const
    {
        if (nameId_ == Unresolved || (nameId_ == MkNoTagName && namesSeen_ != names.Count()))
            ResolveName(names);
        return nameId_;
    }
    // Whether the tag is an end tag ("/td").
    bool IsEndTag() const { return !Text.empty() && Text.front() == '/'; }
    void ForgetName() { nameId_ = Unresolved; }
    // Stores an attribute the way a repeated attribute in markup does: an
    // empty value removes the line, an existing line is replaced in place,
    // otherwise a line is appended.
    void SetAttribute(std::string_view name, std::string_view value);
    // The same with the line "name=value" made already, the name being its
    // first nameSize bytes.
    void SetAttributeLine(std::string line, std::size_t nameSize);

    std::vector<std::string> Attributes;

protected:
    void CopyTo(TMkToken &target) const override;

private:
    static constexpr std::int32_t Unresolved = -2;
    void ResolveName(const TMkTagNames &names) const;

    mutable std::int32_t nameId_ = Unresolved;
    mutable std::int32_t namesSeen_ = 0;
};

inline TMkTextToken *TMkToken::AsText()
{
    return (classes_ & TextClass) != 0 ? static_cast<TMkTextToken *>(this) : nullptr;
}

inline TMkTagToken *TMkToken::AsTag()
{
    return (classes_ & TagClass) != 0 ? static_cast<TMkTagToken *>(this) : nullptr;
}

// The text of a text token or the name of a tag; empty for any other token.
inline const std::string &MkTokenText(const TMkToken &token)
{
    static const std::string none;
    const TMkTextToken *text = token.AsText();
    return text != nullptr ? text->Text : none;
}

// Name part and value part of an attribute line (split at the first '=').
std::string_view MkAttributeName(std::string_view line);
std::string_view MkAttributeValue(std::string_view line);
