#include "support/TokenDump.h"

#include "markup/MkToken.h"
#include "markup/html/MkHTMLStyle.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Attributes of one tag; variable references read as "v" + the name.
class TTagAttributes : public TMkAttributeSource {
public:
    explicit TTagAttributes(const TMkTagToken &tag) : Tag(tag) {}
    bool GetAttr(std::string_view name, std::string &value) override
    {
        if (!Tag.GetAttribute(name, value))
            return false;
        if (value.compare(0, 2, "~~") == 0)
            value = ResolveVariable(value);
        return !value.empty();
    }
    std::string RawAttr(std::string_view name) override
    {
        std::string value;
        Tag.GetAttribute(name, value);
        return value;
    }
    std::string ResolveVariable(const std::string &reference) override
    {
        std::string value = "v";
        value.append(reference, 2); // without the "$(" of the reference
        return value;
    }

private:
    const TMkTagToken &Tag;
};

std::string Describe(const TMkText &t)
{
    char color[16];
    std::snprintf(color, sizeof color, "%08X", t.Style().Color);
    std::string out = t.Text.str() + "[";
    for (auto [bit, letter] : {std::pair{MkFontBold, 'B'},
                               {MkFontItalic, 'I'},
                               {MkFontUnderline, 'U'},
                               {MkFontStrikeOut, 'S'}})
        if (t.Style().FontStyle & bit)
            out += letter;
    out += " " + t.Style().FontSize + " " + t.Style().FontName + " " + color;
    if (t.IsLink)
        out += " link=" + t.LinkRef.str();
    if (t.Style().Style3D || t.Style().Position)
        out += " 3d=" + std::to_string(t.Style().Style3D) +
               " pos=" + std::to_string(t.Style().Position);
    return out + "]";
}

// Walks markup the way the HTML parser's handlers drive the style state: a
// start tag applies its start effect, an end tag its end effect, every word
// is stamped with the style of that moment.
std::string Stamp(TMkHTMLStyle &style, std::string_view markup)
{
    std::string out;
    for (const auto &token : testkit::LexAll(markup)) {
        if (token->Kind == TMkTokenKind::Tag) {
            const auto &tag = static_cast<const TMkTagToken &>(*token);
            if (!tag.Text.empty() && tag.Text.front() == '/') {
                style.EndElement(tag.Text.substr(1));
            } else {
                TTagAttributes attributes(tag);
                style.StartElement(tag.Text, attributes);
            }
        } else if (token->Kind == TMkTokenKind::Text) {
            TMkText text(static_cast<const TMkTextToken &>(*token).Text, nullptr);
            style.ApplyTo(text);
            if (text.Text != " ")
                out += (out.empty() ? "" : " ") + Describe(text);
        }
    }
    return out;
}

} // namespace

TEST(HTMLStyle, ElementEffectsStampEachWord)
{
    const struct {
        const char *Markup;
        const char *Words;
    } cases[] = {
        {"<B><I>x</I>y</B>z", "x[BI 10  20000000] y[B 10  20000000] z[ 10  20000000]"},
        {"<EM><B>x</B>y</EM>", "x[BI 10  20000000] y[I 10  20000000]"},
        {"<FONT COLOR=\"red\">x<FONT SIZE=\"5\">y</FONT>z</FONT>",
         "x[ 10  000000FF] y[ 18  20000000] z[ 10  000000FF]"},
        {"<FONT FACE=\"arial\">x<FONT SIZE=\"2\">y</FONT>z</FONT>",
         "x[ 10 arial 20000000] y[ 12 arial 20000000] z[ 10  20000000]"},
        {"<BASEFONT SIZE=\"5\"><FONT SIZE=\"+1\">x</FONT>y", "x[ 24  00000000] y[ 18  00000000]"},
        // the band turns </BASEFONT> into CLOSEBASEFONT, which undoes it
        {"<BASEFONT SIZE=5 FACE=times COLOR=navy>x<CLOSEBASEFONT>y",
         "x[ 18 times 00800000] y[ 10  20000000]"},
        {"<BASEFONT>x</BASEFONT>y", "x[ 10  00000000] y[ 10  00000000]"},
        {"<FONT COLOR=\"#12345678\">x", "x[ 10  00785634]"},
        {"<FONT COLOR=\"BtnFace\">x", "x[ 10  FF00000F]"},
        {"<FONT FACE=\"verdana,arial\" POINT-SIZE=11>x", "x[ 11 verdana 20000000]"},
        {"<H1>x</H1>y", "x[ 24  20000000] y[ 10  20000000]"},
        {"<A HREF=\"go\">x</A>y", "x[ 10  20000000 link=go] y[ 10  20000000]"},
        {"<A HREF=\"~~t\">x", "x[ 10  20000000 link=~~t]"}, // the target is resolved later
        {"<FONT SIZE=\"+~~3\">x", "x[ 10  20000000]"},      // "v3" is not a number: 0 up
        {"<STRONG><U>x</STRONG>y</U>z", "x[BU 10  20000000] y[ 10  20000000] z[ 10  20000000]"},
        {"<B>x<S>y</B>z</S>w",
         "x[B 10  20000000] y[BS 10  20000000] z[S 10  20000000] w[ 10  20000000]"},
        {"<BIG>x</BIG><SMALL>y</SMALL><TT>z</TT>",
         "x[B 10 Courier 20000000] y[ 2 Courier 20000000] z[ 10 Courier 20000000]"},
        {"<SUB>x</SUB><SUP>y</SUP>", "x[ 10  20000000 3d=0 pos=1] y[ 10  20000000 3d=0 pos=2]"},
        {"</B></FONT></A>x", "x[ 10  20000000]"}, // end tags without start tags change nothing
        {"<B><FONT FACE=\"verdana\" SIZE=\"3\" COLOR=\"#440000\">casa</FONT></B>",
         "casa[B 14 verdana 00000044]"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Markup);
        TMkHTMLStyle style;
        EXPECT_EQ(Stamp(style, c.Markup), c.Words);
    }
}

TEST(HTMLStyle, ReliefTakesItsColoursAndDepths)
{
    TMkHTMLStyle style;
    Stamp(style, "<PCOLOR>");
    TMkText text("x", nullptr);
    style.ApplyTo(text);
    EXPECT_EQ(text.Style().Style3D, 3);
    EXPECT_EQ(text.Style().LightColor, MkSystemColor(20));
    EXPECT_EQ(text.Style().ShadowColor, MkSystemColor(16));
    EXPECT_EQ(text.Style().LightDepth, 1);
    EXPECT_EQ(text.Style().ShadowDepth, 1);

    Stamp(
        style,
        "<PCOLOR STYLE=raised LIGHTCOLOR=white LIGHTDEPTH=258 SHADOWCOLOR=#010203 SHADOWDEPTH=2>");
    style.ApplyTo(text);
    EXPECT_EQ(text.Style().Style3D, 4);
    EXPECT_EQ(text.Style().LightColor, MkRGB(255, 255, 255));
    EXPECT_EQ(text.Style().LightDepth, 2); // byte field: the low 8 bits of 258
    EXPECT_EQ(text.Style().ShadowColor, MkRGB(1, 2, 3));
    EXPECT_EQ(text.Style().ShadowDepth, 2);

    Stamp(style, "</PCOLOR><SUNKEN>");
    style.ApplyTo(text);
    EXPECT_EQ(text.Style().Style3D, 1);
    EXPECT_EQ(text.Style().LightDepth,
              1); // the SUNKEN takes the light in force: the first PCOLOR's

    EXPECT_THROW(Stamp(style, "<RAISED LIGHTDEPTH=deep>"), EConvertError);
    style.Reset();
    style.ApplyTo(text);
    EXPECT_EQ(text.Style().Style3D, 0);
}

TEST(HTMLStyle, ParseColor)
{
    EXPECT_EQ(ParseColor(""), NoColor);
    EXPECT_EQ(ParseColor("#440000"), MkRGB(0x44, 0, 0));
    EXPECT_EQ(ParseColor("#FFF"), MkRGB(0, 0x0F, 0xFF));
    EXPECT_EQ(ParseColor("RED"), MkRGB(255, 0, 0));
    EXPECT_EQ(ParseColor("moneygreen"), MkRGB(192, 220, 192));
    EXPECT_EQ(ParseColor("None"), MkNoneColor);
    EXPECT_EQ(ParseColor("Default"), NoColor);
    EXPECT_EQ(ParseColor("3DDkShadow"), MkSystemColor(21));
    EXPECT_EQ(ParseColor("MenuBar"), MkSystemColor(30));
    EXPECT_EQ(ParseColor("clRed"), NoColor); // the prefix is added, not expected
    EXPECT_EQ(ParseColor("rgb(1,2,3)"), NoColor);
    for (const char *bad : {"#", "#44000G"}) {
        try {
            ParseColor(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError &e) {
            EXPECT_EQ(std::string(e.what()),
                      "'$" + std::string(bad + 1) + "' is not a valid integer value");
        }
    }
}

TEST(HTMLStyle, MapFontSizeCountsFromTheBaseSize)
{
    TMkHTMLStyle style;
    const std::pair<const char *, const char *> noBase[] = {
        {"3", "14"}, {"+1", "12"},  {"-1", "10"},  {"0", "10"},
        {"9", "28"}, {"3px", "10"}, {"+-2", "10"}, {"", "10"}};
    for (auto [value, points] : noBase)
        EXPECT_EQ(style.MapFontSize(value), points) << value;

    style.BaseSizeStack.Push("18");
    EXPECT_EQ(style.MapFontSize("+1"), "24");
    EXPECT_EQ(style.MapFontSize("-2"), "14");
    EXPECT_EQ(style.MapFontSize("+2147483647"), "28");
    EXPECT_EQ(style.MapFontSize("-2147483647"), "10");
    style.BaseSizeStack.Push("13"); // not in the table: counts as index 1
    EXPECT_EQ(style.MapFontSize("+1"), "12");
}

TEST(HTMLStyle, StacksReadEmptyTopsAsEmpty)
{
    TMkHTMLStyle style;
    style.StyleStack.Pop();
    style.ReplaceStyle(MkFontItalic); // on an empty stack it pushes
    EXPECT_EQ(style.StyleStack.Count(), 1u);
    style.ColorStack.Push(TMkIntegerStack::EmptyTop);
    style.BaseColorStack.Push(static_cast<std::int32_t>(MkRGB(1, 1, 1)));
    EXPECT_EQ(style.CurrentColor(), MkRGB(1, 1, 1));
    style.FaceStack.Push("");
    style.BaseFaceStack.Push("base");
    EXPECT_EQ(style.CurrentFace(), "base");
    style.BaseSizeStack.Push("");
    EXPECT_EQ(style.CurrentBaseSize(), "10");
    style.Reset();
    EXPECT_EQ(style.StyleStack.Count(), 0u);
    EXPECT_EQ(style.CurrentColor(), NoColor);
    EXPECT_TRUE(TMkHTMLStyle::HasStyleEffect("strike"));
    EXPECT_FALSE(TMkHTMLStyle::HasStyleEffect("TABLE"));
}
