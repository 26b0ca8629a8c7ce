#include "markup/html/MkHTMLAttributes.h"
#include "textobjects/MkErrors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace {

struct TLengthCase {
    const char *Value;
    std::int32_t Expected;
};

class Lengths : public testing::TestWithParam<TLengthCase> {};

TEST_P(Lengths, FollowTheSizeEncoding)
{
    EXPECT_EQ(MkHTMLLength(GetParam().Value), GetParam().Expected)
        << '"' << GetParam().Value << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Values, Lengths,
    testing::Values(TLengthCase{"30", 30}, TLengthCase{"0", 0}, TLengthCase{"", -100},
                    TLengthCase{"50%", -50}, TLengthCase{"1%", -1}, TLengthCase{"0%", -1},
                    TLengthCase{"100%", -100}, TLengthCase{"150%", -100}, TLengthCase{"2*", -102},
                    TLengthCase{"0*", -100}, TLengthCase{"1*", -101},
                    // Anything after the digits other than % or * means the whole width.
                    TLengthCase{"30px", -100}, TLengthCase{"abc", -100}, TLengthCase{" 30", -100},
                    TLengthCase{"-5", -100}, TLengthCase{"5%x", -5}, TLengthCase{"3*4", -103},
                    TLengthCase{"2147483647", 2147483647},
                    // A huge share saturates rather than wrapping to a width.
                    TLengthCase{"2147483647*", -2147483647 - 1}));

TEST(Lengths, PercentOrShareWithoutDigitsIsAConversionError)
{
    for (const char *value : {"%", "*", "%5", "*%"}) {
        try {
            MkHTMLLength(value);
            ADD_FAILURE() << value << " converted";
        } catch (const EConvertError &error) {
            EXPECT_STREQ(error.what(), "'' is not a valid integer value");
        }
    }
}

TEST(Lengths, NumbersBeyondThirtyTwoBitsAreConversionErrors)
{
    EXPECT_THROW(MkHTMLLength("99999999999"), EConvertError);
    EXPECT_THROW(MkHTMLLength("99999999999%"), EConvertError);
}

// Alignment names ignore case.  Unknown or empty, ALIGN defaults to left
// (0) and VALIGN to none (3).
TEST(Alignment, NamesIgnoreCaseAndHaveDefaults)
{
    using TNames = std::uint8_t (*)(std::string_view);
    const struct {
        TNames names;
        const char *value;
        int expected;
    } cases[] = {
        {MkHTMLAlign, "left", 0},    {MkHTMLAlign, "Right", 1},   {MkHTMLAlign, "CENTER", 2},
        {MkHTMLAlign, "justify", 3}, {MkHTMLAlign, "middle", 0},  {MkHTMLAlign, "", 0},
        {MkHTMLVAlign, "top", 0},    {MkHTMLVAlign, "Middle", 1}, {MkHTMLVAlign, "BOTTOM", 2},
        {MkHTMLVAlign, "center", 3}, {MkHTMLVAlign, "", 3},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.names(c.value), c.expected) << '"' << c.value << '"';
}

} // namespace
