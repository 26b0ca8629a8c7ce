#include "support/EngineTest.h"
#include "support/HTMLTestSupport.h"

#include "markup/MkEmbdControl.h"
#include "markup/MkTreeDump.h"
#include "textobjects/MkHiddenText.h"
#include "textobjects/MkImage.h"
#include "textobjects/MkLine.h"
#include "textobjects/MkLineBreak.h"
#include "textobjects/MkList.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkRepeat.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"
#include "textobjects/MkText.h"
#include "textobjects/MkTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

class TreeDump : public testkit::TEngineTest {};

TEST_F(TreeDump, StringsEscapeQuotesBackslashesAndNonPrintableBytes)
{
    EXPECT_EQ(MkDumpString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(MkDumpString(std::string("\x01\x1F \x7E\x7F\xE8", 6)), "\"\\x01\\x1F ~\\x7F\\xE8\"");
    EXPECT_EQ(MkDumpString(std::string(1, '\0')), "\"\\x00\"");
    EXPECT_EQ(MkDumpString(""), "\"\"");
}

TEST_F(TreeDump, ColoursHaveEightUpperCaseHexDigits)
{
    EXPECT_EQ(MkDumpColor(0x44), "0x00000044");
    EXPECT_EQ(MkDumpColor(0xFF00000F), "0xFF00000F");
    EXPECT_EQ(MkDumpColor(0xabcdef), "0x00ABCDEF");
}

TEST_F(TreeDump, NamesEveryClassOfTheTree)
{
    TMkParsedTextList root(nullptr);
    root.Add(std::make_unique<TMkParagraph>(&root, "left"));
    root.Add(std::make_unique<TMkText>("w", &root));
    root.Add(std::make_unique<TMkHiddenText>(&root, "<x >"));
    root.Add(std::make_unique<TMkLine>(&root));
    root.Add(std::make_unique<TMkLineBreak>(&root));
    root.Add(std::make_unique<TMkImage>(&root));
    root.Add(std::make_unique<TMkList>(&root, std::uint8_t{1}));
    root.Add(std::make_unique<TMkListItem>(&root));
    root.Add(std::make_unique<TMkRepeat>(&root, TMkRepeatCallback{}, "3"));
    root.Add(std::make_unique<TMkTree>(&root));
    root.Add(std::make_unique<TMkTable>(&root));
    root.Add(std::make_unique<TMkTableRow>(&root));
    root.Add(std::make_unique<TMkCell>(&root));
    root.Add(std::make_unique<TMkEmbdControl>(&root, TMkControlHandler{}, "2", "1", "n", "TButton",
                                              &engine.Controls));
    root.Add(std::make_unique<TMkParsedTextList>(&root));
    EXPECT_EQ(
        MkDumpTree(root),
        "TMkParsedTextList\n"
        "  TMkParagraph Align=\"LEFT\"\n"
        "  TMkText Text=\"w\" FontName=\"\" FontSize=\"\" FontStyle=0 Color=0x20000000 IsLink=0 "
        "LinkRef=\"\" Style3D=0 Position=0 LightColor=0xFF000014 LightDepth=1 "
        "ShadowColor=0xFF000010 "
        "ShadowDepth=1\n"
        "  TMkHiddenText Text=\"<x >\"\n"
        "  TMkLine\n"
        "  TMkLineBreak\n"
        "  TMkImage Source=\"\" WidthText=\"\" HeightText=\"\" ImageIndex=\"\" Empty=1\n"
        "  TMkList Numbered=1\n"
        "  TMkListItem\n"
        "  TMkRepeat RepeatCount=\"3\"\n"
        "  TMkTree TreeKind=0 Indent=10\n"
        "  TMkTable TableWidth=-100 Align=2 VAlign=3 CellSpacing=0 CellPadding=0 Border=0 "
        "BgColor=0x20000000 Rows=0 Columns=0\n"
        "  TMkTableRow RowHeight=13 VAlign=3\n"
        "  TMkCell RowIndex=0 ColIndex=0 RowSpan=1 ColSpan=1 CellWidth=0 CellHeight=10 Align=0 "
        "VAlign=1 BgColor=0x20000000 Master=-\n"
        "  TMkEmbdControl ControlClassName=\"TButton\" ControlName=\"n\" WidthText=\"1\" "
        "HeightText=\"2\" Caption=\"\"\n"
        "  TMkParsedTextList\n");
}

TEST_F(TreeDump, IndentsTwoSpacesPerLevelAndAddsBoundsOnRequest)
{
    TMkParsedTextList root(nullptr);
    auto *paragraph = root.Add(std::make_unique<TMkParagraph>(&root));
    auto *word = paragraph->Add(std::make_unique<TMkText>("w", paragraph));
    word->Left = 3;
    word->Top = -4;
    word->Width = 5;
    word->Height = 6;
    const std::string dump = MkDumpTree(root, true);
    EXPECT_EQ(dump.substr(0, dump.find('\n')), "TMkParsedTextList L=0 T=0 W=0 H=0");
    EXPECT_NE(dump.find("\n  TMkParagraph Align=\"\" L=0 T=0 W=0 H=0\n    TMkText Text=\"w\""),
              std::string::npos);
    EXPECT_EQ(dump.substr(dump.rfind("ShadowDepth")), "ShadowDepth=1 L=3 T=-4 W=5 H=6\n");
}

TEST_F(TreeDump, SpannedCellsNameTheirMaster)
{
    auto root = testkit::Parse(
        engine, "<table><tr><td>a</td><td rowspan=2>b</td></tr><tr><td>c</td></tr></table>");
    const std::string dump = MkDumpTree(*root);
    // The placeholder under the span sits at row 1, column 1.
    EXPECT_NE(
        dump.find(
            "TMkCell RowIndex=1 ColIndex=1 RowSpan=1 ColSpan=1 CellWidth=0 CellHeight=10 Align=0 "
            "VAlign=1 BgColor=0x20000000 Master=0,1\n"),
        std::string::npos)
        << dump;
}

TEST_F(TreeDump, DeepTreesDumpInOrder)
{
    TMkParsedTextList root(nullptr);
    TMkParsedTextList *list = &root;
    for (int i = 0; i < 5000; ++i)
        list = list->Add(std::make_unique<TMkParsedTextList>(list));
    list->Add(std::make_unique<TMkText>("fondo", list));
    const std::string dump = MkDumpTree(root);
    EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 5002);
    EXPECT_EQ(dump.compare(dump.rfind('\n', dump.size() - 2) + 1, 10002 + 20,
                           std::string(10002, ' ') + "TMkText Text=\"fondo\""),
              0);
}

} // namespace
