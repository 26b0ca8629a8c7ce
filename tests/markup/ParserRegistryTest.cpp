#include "support/TestParser.h"

#include "markup/MkByteStream.h"
#include "markup/MkParserRegistry.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"

#include <gtest/gtest.h>

namespace {

// Each test starts from an empty registry of its own.
class ParserRegistryTest : public ::testing::Test {
protected:
    TMkParserRegistry registry;
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
        registry.DefaultClass();
        ADD_FAILURE() << "no error";
    } catch (const EMkError &e) {
        EXPECT_EQ(std::string(e.what()), "Don't have any registered parser...");
    }
    EXPECT_EQ(registry.Find("TMkHTMLParser"), nullptr);
}

TEST_F(ParserRegistryTest, DefaultIsTheFlaggedClassElseTheFirst)
{
    registry.Register(CSV, {"CSV"}, false);
    EXPECT_EQ(&registry.DefaultClass(), &CSV); // nobody is flagged: the first
    registry.Register(Plain, {"TXT"}, true);
    registry.Register(HTML, {"HTML", "HTM"}, false);
    EXPECT_EQ(&registry.DefaultClass(), &Plain);

    // A second default takes the flag from the first.
    registry.Unregister(HTML);
    registry.Register(HTML, {"HTML", "HTM"}, true);
    EXPECT_EQ(&registry.DefaultClass(), &HTML);
    const auto &entries = registry.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_FALSE(entries[1].IsDefault);
    EXPECT_TRUE(entries[2].IsDefault);
    EXPECT_EQ(entries[2].FileKinds, "HTML;HTM");

    // Without the default, the first entry stands in.
    registry.Unregister(HTML);
    EXPECT_EQ(&registry.DefaultClass(), &CSV);
    registry.Unregister(HTML); // not registered any more: nothing happens
    EXPECT_EQ(registry.Entries().size(), 2u);
}

TEST_F(ParserRegistryTest, FindsClassesByNameIgnoringCaseAndMakesParsers)
{
    registry.Register(CSV, {"CSV"}, false);
    registry.Register(HTML, {"HTML", "HTM"}, false);
    const TMkParserClass *found = registry.Find("tmkhtmlparser");
    ASSERT_EQ(found, &HTML);
    EXPECT_EQ(registry.Find("TMkDBFParser"), nullptr);

    TMkEngine engine;
    auto parser = found->Create(engine);
    ASSERT_NE(parser, nullptr);
    EXPECT_EQ(parser->LexerClass().ClassName, std::string("TMkHTMLLex"));
    TMkMemoryStream stream(std::string_view("<b>x"));
    auto tree = parser->Parse(stream, {}, {}, {}, {});
    EXPECT_NE(tree, nullptr);
}
