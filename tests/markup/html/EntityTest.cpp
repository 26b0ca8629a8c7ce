#include "markup/html/MkHTMLEntities.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

struct TEntityCase {
    const char *Input;
    const char *Expected;
};

class NamedEntities : public testing::TestWithParam<TEntityCase> {};

TEST_P(NamedEntities, DecodeAsTheTableSays)
{
    EXPECT_EQ(MkDecodeEntities(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NamedEntities,
    testing::Values(
        // nbsp is a plain space, euro the code page's 0x80.
        TEntityCase{"a&nbsp;b", "a b"}, TEntityCase{"&euro;", "\x80"},
        TEntityCase{"&quot;&amp;&lt;&gt;", "\"&<>"},
        // First and last of each run of the Latin-1 range.
        TEntityCase{"&iexcl;&iquest;", "\xA1\xBF"}, TEntityCase{"&Agrave;&divide;", "\xC0\xF7"},
        TEntityCase{"&oslash;&ugrave;&uacute;", "\xF8\xF9\xFA"},
        TEntityCase{"&times;&szlig;", "\xD7\xDF"},
        // Names are case-sensitive.
        TEntityCase{"&agrave;&Agrave;", "\xE0\xC0"}, TEntityCase{"&AMP;&Nbsp;", "&AMP;&Nbsp;"},
        // Names outside the table, and names HTML 4 has but the table lacks.
        TEntityCase{"&foo; &yuml; &thorn;", "&foo; &yuml; &thorn;"},
        // The table is worked in order: amp comes before lt, so an encoded
        // ampersand followed by "lt;" ends as "<", while "lt" never comes
        // back to an ampersand.
        TEntityCase{"&amp;lt;", "<"}, TEntityCase{"&amp;amp;amp;", "&"},
        TEntityCase{"&lt;amp;", "<amp;"}, TEntityCase{"&amp;nbsp;", "&nbsp;"},
        // A reference without its ";" is no reference.
        TEntityCase{"&amp", "&amp"}, TEntityCase{"no ampersand", "no ampersand"},
        // Decoding goes on after a replacement while an "&" and a ";" remain.
        TEntityCase{"&nbsp;&gt;&", " >&"}, TEntityCase{"&nbsp;;&eacute", " ;&eacute"}));

class NumericReferences : public testing::TestWithParam<TEntityCase> {};

TEST_P(NumericReferences, DecodeToTheLowEightBits)
{
    EXPECT_EQ(MkDecodeNumericEntities(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    References, NumericReferences,
    testing::Values(TEntityCase{"&#65;", "A"}, TEntityCase{"&#x41;", "A"},
                    TEntityCase{"&#X41;", "A"}, TEntityCase{"&#321;", "A"}, // 0x141: the low byte
                    TEntityCase{"x&#;y", "xy"},                             // no digits: removed
                    TEntityCase{"x&#1a;y", "xy"},                           // not a number: removed
                    TEntityCase{"x&#xZ;y", "xy"},
                    TEntityCase{"z&#66", "z\x06"}, // runs to the last byte, which is eaten
                    TEntityCase{"z&#66 ", "zB"}, TEntityCase{"&#", ""}, TEntityCase{"a&#", "a"},
                    // A reference produced by a replacement is replaced in turn.
                    TEntityCase{"&#38;#65;", "A"}, TEntityCase{"&&#35;65;", "A"},
                    TEntityCase{"&#38;&#35;66;", "B"}, TEntityCase{"&#38;", "&"},
                    TEntityCase{"&#65;&#66;&#67;", "ABC"}));

TEST(Entities, NamedComeBeforeNumeric)
{
    // "&amp;#65;" becomes "&#65;" by the table, then "A".
    EXPECT_EQ(MkDecodeEntities("&amp;#65;"), "A");
    // A numeric ampersand does not start a named reference any more.
    EXPECT_EQ(MkDecodeEntities("&#38;lt;"), "&lt;");
}

TEST(Entities, LongRunsDecodeInLinearTime)
{
    std::string amps;
    std::string numerics;
    for (int i = 0; i < 200000; ++i) {
        amps += "&amp;";
        numerics += "&#38;#65;";
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(MkDecodeEntities(amps), std::string(200000, '&'));
    EXPECT_EQ(MkDecodeEntities(numerics), std::string(200000, 'A'));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(Entities, CascadingAmpersandsCollapseCompletely)
{
    std::string text = "&";
    for (int i = 0; i < 1000; ++i)
        text += "amp;";
    EXPECT_EQ(MkDecodeEntities(text), "&");
}

} // namespace
