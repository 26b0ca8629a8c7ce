#include "textobjects/MkConvert.h"
#include "textobjects/MkErrors.h"

#include <gtest/gtest.h>

TEST(Convert, DecimalMeansDecimal)
{
    std::int32_t v = 0;
    EXPECT_TRUE(MkTextTryStrToInt("  -42", v));
    EXPECT_EQ(v, -42);
    EXPECT_TRUE(MkTextTryStrToInt("+7", v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(MkTextTryStrToInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    for (const char *bad :
         {"", " ", "-", "$", "$10", "0x2", "3px", "2147483648", "1 ", "#12", "1e3"})
        EXPECT_FALSE(MkTextTryStrToInt(bad, v)) << bad;

    EXPECT_TRUE(MkTextTryHexToInt("440000", v));
    EXPECT_EQ(v, 0x440000);
    EXPECT_TRUE(MkTextTryHexToInt("FFFFFFFF", v));
    EXPECT_EQ(v, -1);
    for (const char *bad : {"", "100000000", "-1", "$FF", " FF", "0x1", "G"})
        EXPECT_FALSE(MkTextTryHexToInt(bad, v)) << bad;
}

TEST(Convert, NamesTheOffendingTextInTheError)
{
    try {
        MkTextStrToInt("44000G");
        FAIL() << "no error";
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'44000G' is not a valid integer value");
    }
    EXPECT_EQ(MkTextIntOrZero("abc"), 0);
    EXPECT_EQ(MkTextIntOrZero("16"), 16);
}

// The short form for plain digits must answer as the full conversion does,
// at its edges too: nine digits, ten, the bytes next to '0' and '9'.
TEST(Convert, PlainDigitsReadAsTheFullConversionReads)
{
    // The full conversion alone is the reference: every entry point takes
    // the short way first.
    for (const char *text :
         {"0", "7", "16", "007", "999999999", "1000000000", "2147483647", "2147483648",
          "9999999999", "/", ":", "1/", "9:", "12a", " 16", "+16", "-16", "", "1 6"}) {
        std::int32_t full = 0;
        const bool valid = mktext::TryStrToIntInFull(text, full);
        EXPECT_EQ(MkTextIntOrZero(text), valid ? full : 0) << text;
        if (valid)
            EXPECT_EQ(MkTextStrToInt(text), full) << text;
        else
            EXPECT_THROW(MkTextStrToInt(text), EConvertError) << text;
    }
    EXPECT_EQ(MkTextIntOrZero("999999999"), 999999999);
    EXPECT_EQ(MkTextIntOrZero("2147483647"), INT32_MAX);
}
