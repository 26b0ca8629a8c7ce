#include "textobjects/MkConvert.h"
#include "textobjects/MkErrors.h"

#include <gtest/gtest.h>

TEST(Convert, AcceptsIntegersAsAttributeValuesWriteThem)
{
    std::int32_t v = 0;
    EXPECT_TRUE(MkTextTryStrToInt("  -42", v));
    EXPECT_EQ(v, -42);
    EXPECT_TRUE(MkTextTryStrToInt("+7", v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(MkTextTryStrToInt("$440000", v));
    EXPECT_EQ(v, 0x440000);
    EXPECT_TRUE(MkTextTryStrToInt("0x1F", v));
    EXPECT_EQ(v, 31);
    EXPECT_TRUE(MkTextTryStrToInt("$FFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(MkTextTryStrToInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);

    for (const char *bad : {"", " ", "-", "$", "3px", "2147483648", "$100000000", "1 ", "#12"})
        EXPECT_FALSE(MkTextTryStrToInt(bad, v)) << bad;
}

TEST(Convert, NamesTheOffendingTextInTheError)
{
    try {
        MkTextStrToInt("$44000G");
        FAIL() << "no error";
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'$44000G' is not a valid integer value");
    }
    EXPECT_EQ(MkTextIntOrZero("abc"), 0);
    EXPECT_EQ(MkTextIntOrZero("16"), 16);
}
