#include "support/TestParser.h"

#include "markup/MkByteStream.h"
#include "markup/MkParserRegistry.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"

#include <gtest/gtest.h>

namespace {

// Registers nothing itself; takes out whatever a test registered, so that the
// process-wide registry is empty again for the next test.
class ParserRegistryTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        while (!RegisteredParserClasses().empty())
            UnregisterParserClass(*RegisteredParserClasses().front().ParserClass);
    }
    static const TMkParserClass CSV;
    static const TMkParserClass Plain;
    static const TMkParserClass HTML;
};

const TMkParserClass ParserRegistryTest::CSV =
    MkMakeParserClass<testkit::TTestParser>("TMkCSVParser");
const TMkParserClass ParserRegistryTest::Plain =
    MkMakeParserClass<testkit::TTestParser>("TMkPlainTextParser");
const TMkParserClass ParserRegistryTest::HTML =
    MkMakeParserClass<testkit::TTestParser>("TMkHTMLParser");

} // namespace

TEST_F(ParserRegistryTest, EmptyRegistryHasNoDefault)
{
    try {
        DefaultParserClass();
        ADD_FAILURE() << "no error";
    } catch (const EMkError &e) {
        EXPECT_EQ(std::string(e.what()), "Don't have any registered parser...");
    }
    EXPECT_EQ(FindParserClass("TMkHTMLParser"), nullptr);
}

TEST_F(ParserRegistryTest, DefaultIsTheFlaggedClassElseTheFirst)
{
    RegisterParserClass(CSV, {"CSV"}, false);
    EXPECT_EQ(&DefaultParserClass(), &CSV); // nobody is flagged: the first
    RegisterParserClass(Plain, {"TXT"}, true);
    RegisterParserClass(HTML, {"HTML", "HTM"}, false);
    EXPECT_EQ(&DefaultParserClass(), &Plain);

    // A second default takes the flag from the first.
    UnregisterParserClass(HTML);
    RegisterParserClass(HTML, {"HTML", "HTM"}, true);
    EXPECT_EQ(&DefaultParserClass(), &HTML);
    const auto &entries = RegisteredParserClasses();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_FALSE(entries[1].IsDefault);
    EXPECT_TRUE(entries[2].IsDefault);
    EXPECT_EQ(entries[2].FileKinds, "HTML;HTM");

    // Without the default, the first entry stands in.
    UnregisterParserClass(HTML);
    EXPECT_EQ(&DefaultParserClass(), &CSV);
    UnregisterParserClass(HTML); // not registered any more: nothing happens
    EXPECT_EQ(RegisteredParserClasses().size(), 2u);
}

TEST_F(ParserRegistryTest, FindsClassesByNameIgnoringCaseAndMakesParsers)
{
    RegisterParserClass(CSV, {"CSV"}, false);
    RegisterParserClass(HTML, {"HTML", "HTM"}, false);
    const TMkParserClass *found = FindParserClass("tmkhtmlparser");
    ASSERT_EQ(found, &HTML);
    EXPECT_EQ(FindParserClass("TMkDBFParser"), nullptr);

    auto parser = found->Create();
    ASSERT_NE(parser, nullptr);
    EXPECT_EQ(parser->LexerClass().ClassName, std::string("TMkHTMLLex"));
    TMkMemoryStream stream(std::string_view("<b>x"));
    auto tree = parser->Parse(stream, {}, {}, {}, {});
    EXPECT_NE(tree, nullptr);
}
