#include "support/HTMLTestSupport.h"
#include "support/TextTestSupport.h"

#include "markup/MkByteStream.h"
#include "markup/MkParserRegistry.h"
#include "markup/html/MkHTMLParser.h"
#include "markup/simple/MkCSVParser.h"
#include "markup/simple/MkDBFParser.h"
#include "markup/simple/MkSimpleParsers.h"
#include "markup/simple/MkSimpleXMLParser.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"
#include "textobjects/MkTestCanvas.h"
#include "textobjects/MkTree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The tree a fresh parser of class P makes of the bytes.
template <class P> std::unique_ptr<TMkParsedTextList> ParseWith(const std::string &bytes)
{
    TMkEngine engine;
    P parser(engine);
    TMkMemoryStream stream(bytes);
    return parser.Parse(stream, {}, {}, {}, {});
}

// The table's cells as the words they show, row by row.
std::vector<std::vector<std::string>> Cells(const TMkParsedTextList &root)
{
    std::vector<std::vector<std::string>> rows;
    const auto &table = dynamic_cast<const TMkTable &>(*root.Child(0));
    for (std::int32_t r = 0; r < table.RowCount(); ++r) {
        rows.emplace_back();
        const TMkTableRow &row = *table.Row(r);
        for (std::int32_t c = 0; c < row.CellCount(); ++c) {
            std::string text;
            for (const std::string &word : testkit::Words(*row.CellAt(c)))
                text += word;
            rows.back().push_back(text);
        }
    }
    return rows;
}

// A dBASE file: its header, the descriptors of the fields and the records,
// each record a deletion mark and the fields' bytes.
struct TDbfField {
    const char *Name;
    char Type;
    std::uint16_t Length; // written as length byte and decimal-count byte
};

std::string Little(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string Dbf(const std::vector<TDbfField> &fields, const std::vector<std::string> &records,
                std::uint32_t recordCount, std::string date = "\x7C\x0C\x08")
{
    std::uint32_t recordSize = 1;
    for (const TDbfField &f : fields)
        recordSize += f.Length & 0xFF;
    const auto headerSize = static_cast<std::uint32_t>(32 + 32 * fields.size() + 1);
    std::string out = "\x03" + date + Little(recordCount, 4) + Little(headerSize, 2) +
                      Little(recordSize, 2) + std::string(20, '\0');
    for (const TDbfField &f : fields) {
        std::string name(f.Name);
        name.resize(11, '\0');
        out += name + f.Type + std::string(4, '\0') + Little(f.Length, 2) + std::string(14, '\0');
    }
    out += '\r';
    for (const std::string &record : records)
        out += " " + record;
    return out;
}

// Character, numeric with two decimals (length byte 7, decimal count 2),
// logical and date fields.
const std::vector<TDbfField> Fields = {
    {"NOME", 'C', 6}, {"PREZZO", 'N', 0x0207}, {"OK", 'L', 1}, {"DATA", 'D', 8}};

} // namespace

TEST(SimpleParsers, RegisteredInOrderWithPlainTextTheDefault)
{
    TMkEngine engine;
    MkRegisterSimpleParsers(engine.Parsers);
    MkRegisterHTMLParser(engine.Parsers);
    std::vector<std::string> names;
    for (const TMkParserRegistryEntry &entry : engine.Parsers.Entries())
        names.push_back(entry.ParserClass->ClassName + "(" + entry.FileKinds + ")");
    EXPECT_EQ(names, (std::vector<std::string>{"TMkCSVParser(CSV)", "TMkDBFParser(DBF)",
                                               "TMkSimpleXMLParser(XML)", "TMkPlainTextParser(TXT)",
                                               "TMkHTMLParser(HTML;HTM)"}));
    EXPECT_EQ(engine.Parsers.DefaultClass().ClassName, "TMkPlainTextParser");
    MkRegisterSimpleParsers(engine.Parsers);
    EXPECT_EQ(engine.Parsers.Entries().size(), 5u) << "registering twice adds nothing";
}

TEST(DBFParser, ShowsEachFieldByItsType)
{
    const auto root = ParseWith<TMkDBFParser>(Dbf(
        Fields, {"casa    12.50T20240229", "mare     3.00n20230229", "sole    -1.25?2024-1-1"}, 3));
    EXPECT_EQ(Cells(*root),
              (std::vector<std::vector<std::string>>{{"casa  ", "  12.50", "True", "29.2.2024"},
                                                     {"mare  ", "   3.00", "False", ""},
                                                     {"sole  ", "  -1.25", "False", ""}}));

    // A character field may be longer than 255 bytes: its decimal-count
    // byte is the length's high byte.
    const std::string longText(300, 'x');
    const auto wide =
        ParseWith<TMkDBFParser>(Dbf({{"NOTE", 'C', 300}, {"OK", 'L', 1}}, {longText + "Y"}, 1));
    EXPECT_EQ(Cells(*wide), (std::vector<std::vector<std::string>>{{longText, "True"}}));
}

TEST(DBFParser, LogicalFieldsAreTrueOnlyForTAndY)
{
    for (const char c : std::string("TtYy"))
        EXPECT_EQ(TMkDBFParser::FieldText('L', std::string(1, c)), "True") << c;
    for (const char c : std::string("FfNn ?0x") + '\0')
        EXPECT_EQ(TMkDBFParser::FieldText('L', std::string(1, c)), "False") << c;
    EXPECT_EQ(TMkDBFParser::FieldText('D', "00000101"), "") << "there is no year 0";
    EXPECT_EQ(TMkDBFParser::FieldText('D', "19000229"), "") << "1900 is no leap year";
    EXPECT_EQ(TMkDBFParser::FieldText('D', "20001231"), "31.12.2000");
    EXPECT_EQ(TMkDBFParser::FieldText('M', "0000000001"), "");
}

TEST(DBFParser, ReadsOnlyWhatTheFileHolds)
{
    const std::string file = Dbf(Fields, {"casa    12.50T20240229", "mare     3.00n20230229"}, 2);
    // Cut in the middle of the second record: what lies inside shows.
    const auto cut = ParseWith<TMkDBFParser>(file.substr(0, file.size() - 12));
    EXPECT_EQ(Cells(*cut),
              (std::vector<std::vector<std::string>>{{"casa  ", "  12.50", "True", "29.2.2024"},
                                                     {"mare  ", "", "", ""}}));

    // Four billion records in a small file are the records it holds.
    const auto huge = ParseWith<TMkDBFParser>(Dbf(Fields, {"casa    12.50T20240229"}, 0xFFFFFFFFu));
    EXPECT_EQ(Cells(*huge).size(), 1u);

    // A header or record size of 0, or beyond the file, gives an empty table.
    for (std::size_t at : {8u, 10u}) {
        std::string broken = file;
        broken[at] = broken[at + 1] = '\0';
        EXPECT_TRUE(Cells(*ParseWith<TMkDBFParser>(broken)).empty()) << at;
        broken[at] = broken[at + 1] = '\xFF';
        EXPECT_LE(Cells(*ParseWith<TMkDBFParser>(broken)).size(), 1u) << at;
    }
}

TEST(DBFParser, AHeaderDateThatIsNoDateIsAnError)
{
    try {
        ParseWith<TMkDBFParser>(Dbf(Fields, {}, 0, "\x7C\x02\x1E")); // 30 February
        ADD_FAILURE() << "no error";
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "Invalid argument to date encode");
    }
    // Files of 32 bytes or less have no header to check.
    EXPECT_NO_THROW(ParseWith<TMkDBFParser>(std::string(32, '\0')));
}

TEST(CSVParser, MakesNoMoreThanItsCellBound)
{
    const auto root = ParseWith<TMkCSVParser>(std::string(1 << 20, ';'));
    const auto &table = dynamic_cast<const TMkTable &>(*root->Child(0));
    ASSERT_EQ(table.RowCount(), 1);
    EXPECT_EQ(static_cast<std::int64_t>(table.Row(0)->Count()), MkMaxTableCells);
}

TEST(CSVParser, EveryCellKeepsItsPlaceInTheGrid)
{
    // 100,000 cells, the parser's own bound, in four columns.
    std::string csv;
    for (int i = 0; i < 25'000; ++i)
        csv += "a;b;c;" + std::to_string(i) + "\r\n";
    auto root = ParseWith<TMkCSVParser>(csv);
    auto &table = dynamic_cast<TMkTable &>(*root->Child(0));
    ASSERT_EQ(table.RowCount(), 25'000);
    EXPECT_EQ(table.ColCount(), 4);
    TMkTestCanvas canvas;
    const TMkFont font = testkit::BaseFont();
    const TMkRect rect{0, 0, 400, 1 << 30};
    root->GetBounds({canvas, rect, font, true, true});
    root->Paint({canvas, rect, {}, font, 0xFFFFFF, true, true, false});
    const TMkCell *first = table.Cell(24'999, 0);
    const TMkCell *last = table.Cell(24'999, 3);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->RowIndex, 24'999);
    EXPECT_EQ(last->ColIndex, 3);
    EXPECT_GT(last->Left, first->Left + first->Width - 1) << "painted in its own column";

    // A line of 1,001 fields.
    root = ParseWith<TMkCSVParser>(std::string(1000, ';'));
    const auto &wide = dynamic_cast<const TMkTable &>(*root->Child(0));
    EXPECT_EQ(wide.ColCount(), 1001);
    EXPECT_EQ(wide.Cell(0, 1000)->ColIndex, 1000);
}

TEST(SimpleXMLParser, DeepNestingStaysWithinTheOutlineDepth)
{
    std::string xml;
    const int depth = 100'000;
    for (int i = 0; i < depth; ++i)
        xml += "<e>";
    xml += "fondo";
    for (int i = 0; i < depth; ++i)
        xml += "</e>";
    const auto root = ParseWith<TMkSimpleXMLParser>(xml);

    // Down the last child that is an outline, level by level.
    int levels = 0;
    const TMkParsedTextList *level = root.get();
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (std::size_t i = level->Count(); i-- > 0;)
            if (const auto *tree = dynamic_cast<const TMkTree *>(level->Child(i))) {
                level = tree;
                ++levels;
                deeper = true;
                break;
            }
    }
    EXPECT_EQ(levels, 1 + TMkSimpleXMLParser::MaxDepth);
    const std::vector<std::string> words = testkit::Words(*root);
    EXPECT_EQ(std::count(words.begin(), words.end(), "<e>fondo</e>"), 1);
    EXPECT_EQ(std::count(words.begin(), words.end(), "</e>"), depth - 1);
}
