#include "game/DictionaryReader.h"
#include "game/InOutError.h"
#include "game/LineFeedMap.h"
#include "game/RandomGenerator.h"
#include "game/WordDraw.h"

#include "support/TempDir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string &path, std::size_t keep = 100)
{
    TDictionaryReader reader(path, keep);
    std::vector<std::string> lines;
    TDictionaryLine line;
    while (reader.Next(line))
        lines.emplace_back(line.Kept);
    return lines;
}

// Seeds whose first skip count is known.
constexpr std::uint32_t SkipNone = 0;          // n = 1: no line is skipped
constexpr std::uint32_t SkipTwo = 3109085843u; // n = 3: lines 1 and 2 are read
constexpr std::uint32_t SkipFar = 12345;       // n in the hundred thousands

std::string Draw(const std::string &path, int length, std::uint32_t seed)
{
    TRandomGenerator random([seed] { return seed; });
    return DrawWord(path, length, random);
}

using Words = std::vector<std::string>;

} // namespace

TEST(TDictionaryReader, LineEndRules)
{
    testkit::TTempDir dir;
    // CR LF and LF end lines; a lone CR is dropped; LF CR drops the CR from
    // the next line; Ctrl-Z ends the text; the last line needs no line end.
    EXPECT_EQ(Lines(dir.Write("a", "ab\r\ncd\ne\rf\n\rg\r\r\nh\x1Ahidden\nmore")),
              (Words{"ab", "cd", "ef", "g", "h"}));
    EXPECT_EQ(Lines(dir.Write("b", "uno\ndue")), (Words{"uno", "due"}));
    EXPECT_EQ(Lines(dir.Write("c", "uno\r\ndue\r\n")), Lines(dir.Write("d", "uno\ndue\n")));
    EXPECT_EQ(Lines(dir.Write("e", "uno\n\x1A")), (Words{"uno"}));
    EXPECT_EQ(Lines(dir.Write("f", "casa\rcane\r")), (Words{"casacane"}));
    EXPECT_EQ(Lines(dir.Write("g", "\n\n")), (Words{"", ""}));
    EXPECT_TRUE(Lines(dir.Write("h", "")).empty());
    EXPECT_TRUE(Lines(dir.Write("i", "\x1A"
                                     "casa\n"))
                    .empty());
}

TEST(TDictionaryReader, LongLinesAreCountedNotKept)
{
    testkit::TTempDir dir;
    const std::string path = dir.Write("long", std::string(100000, 'x') + "\ncasa\n");
    TDictionaryReader reader(path, 5);
    TDictionaryLine line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.Length, 100000u);
    EXPECT_EQ(line.Kept, "xxxxx");
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.Length, 4u);
    EXPECT_EQ(line.Kept, "casa");
    EXPECT_TRUE(reader.AtEnd());
}

// The reader takes lines a buffer at a time; the rules must hold wherever a
// line end, a lone CR or a Ctrl-Z falls, including on a buffer's edge.  Each
// text is read beside a byte-by-byte reading of the same rules.
TEST(TDictionaryReader, LineEndRulesHoldAcrossBuffers)
{
    const auto byteByByte = [](const std::string &text, std::size_t keep) {
        std::vector<std::string> lines;
        std::string line;
        std::size_t length = 0;
        bool open = false;
        for (std::size_t i = 0; i < text.size() && text[i] != '\x1A'; ++i) {
            open = true;
            const char c = text[i];
            const bool crLf = c == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
            if (c == '\n' || crLf) {
                lines.push_back(line + "#" + std::to_string(length));
                line.clear();
                length = 0;
                open = false;
                i += crLf ? 1 : 0;
            } else if (c != '\r') {
                if (length++ < keep)
                    line += c;
            }
        }
        if (open)
            lines.push_back(line + "#" + std::to_string(length));
        return lines;
    };
    testkit::TTempDir dir;
    std::uint32_t seed = 7;
    const auto next = [&seed](std::uint32_t n) {
        return (seed = seed * 1103515245u + 12345u) / 65536u % n;
    };
    for (int round = 0; round < 40; ++round) {
        // Around two or three buffers of text; Ctrl-Z is rare, CR common in
        // half the rounds and rare in the others, where most lines take the
        // reader's quickest way.
        constexpr std::size_t Buffer = TDictionaryReader::BufferSize;
        std::string text;
        const std::size_t size = 2 * Buffer + next(Buffer);
        const std::uint32_t carriageReturns = round % 2 == 0 ? 6 : 1;
        while (text.size() < size) {
            const std::uint32_t pick = next(100);
            const bool rare = next(40) == 0;
            text += pick < 8                             ? '\n'
                    : pick < 8 + carriageReturns && rare ? '\r'
                    : pick < 14 && round % 2 == 0        ? '\r'
                    : pick == 14 && rare                 ? '\x1A'
                                                         : char('a' + pick % 26);
        }
        // Line ends placed exactly on the first buffer's edge.
        text[Buffer - 1] = '\r';
        text[Buffer] = round % 2 == 0 ? '\n' : 'x';
        const std::size_t keep = round % 3 == 0 ? 3 : 100;
        const std::string path = dir.Write("r" + std::to_string(round), text);
        TDictionaryReader reader(path, keep);
        std::vector<std::string> lines;
        TDictionaryLine line;
        while (reader.Next(line))
            lines.push_back(std::string(line.Kept) + "#" + std::to_string(line.Length));
        ASSERT_EQ(lines, byteByByte(text, keep)) << "round " << round;
    }
}

// The map of line feeds finds every LF and nothing else, whichever way this
// machine builds it.  Block q holds at place p the byte 67 p + 192 q + q / 4
// (mod 256), so over 257 blocks every byte value sits at every place.
TEST(LineFeedMap, MarksEveryLineFeedAndNothingElse)
{
    constexpr std::size_t Words = 257;
    std::string bytes(Words * 64, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 67 + i / 256) % 256);
    std::vector<std::uint64_t> fast(Words), portable(Words), expected(Words);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n')
            expected[i / 64] |= std::uint64_t{1} << (i % 64);
    MapLineFeeds(bytes.data(), Words, fast.data());
    MapLineFeedsPortable(bytes.data(), Words, portable.data());
    EXPECT_EQ(fast, expected);
    EXPECT_EQ(portable, expected);
}

// A draw keeps the last line read when the text ends, so that line must
// survive the read that finds the end: here the line ends on the buffer's
// edge and the next buffer's bytes start with the Ctrl-Z that ends the text.
TEST(TDictionaryReader, TheLastLineOutlivesTheEndOfTheText)
{
    constexpr std::size_t Buffer = TDictionaryReader::BufferSize;
    testkit::TTempDir dir;
    const std::string last = std::string(Buffer - 5, 'a') + "casa";
    TDictionaryReader reader(dir.Write("edge", last + "\n\x1A" + std::string(Buffer, 'z')), 6);
    TDictionaryLine line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_FALSE(reader.Next(line));
    EXPECT_EQ(line.Kept, "aaaaaa");
    EXPECT_EQ(line.Length, last.size());
}

TEST(WordDraw, SkipDecidesTheFirstCandidate)
{
    testkit::TTempDir dir;
    const std::string path = dir.Write("v", "aaaa\nbbbb\ncccc\ndddd\n");
    EXPECT_EQ(Draw(path, 4, SkipNone), "aaaa");
    EXPECT_EQ(Draw(path, 4, SkipTwo), "bbbb");
    // A skip beyond the end makes the last line the first candidate.
    EXPECT_EQ(Draw(path, 4, SkipFar), "dddd");
}

TEST(WordDraw, FindsTheOnlyWordOfItsLength)
{
    testkit::TTempDir dir;
    const std::string single = dir.Write("single", "casa");
    for (std::uint32_t seed : {SkipNone, SkipTwo, SkipFar, 0xFFFFFFFFu})
        EXPECT_EQ(Draw(single, 4, seed), "casa");

    // Only line 1 has five letters: the search must come back to the start.
    const std::string first = dir.Write("first", "carta\nlunghissima\nparolona\nabcdefg\n");
    for (std::uint32_t seed : {SkipNone, SkipTwo, SkipFar, 7u, 99999u})
        EXPECT_EQ(Draw(first, 5, seed), "carta");

    // A word with a trailing blank has that blank in its length.
    EXPECT_EQ(Draw(dir.Write("blank", "casa \n"), 5, SkipFar), "casa ");
    // Content is not examined: an upper-case word can be drawn.
    EXPECT_EQ(Draw(dir.Write("upper", "CASA\n"), 4, SkipFar), "CASA");
    // Ctrl-Z after the last line end adds no word.
    EXPECT_EQ(Draw(dir.Write("ctrlz", "casa\n\x1A"), 4, SkipFar), "casa");
}

TEST(WordDraw, NoWordOfTheLengthEndsEmpty)
{
    testkit::TTempDir dir;
    for (std::uint32_t seed : {SkipNone, SkipTwo, SkipFar, 0xFFFFFFFFu}) {
        EXPECT_EQ(Draw(dir.Write("empty", ""), 5, seed), "");
        EXPECT_EQ(Draw(dir.Write("cr", "carta\rcarte\r"), 5, seed), "");
        EXPECT_EQ(Draw(dir.Write("other", "casa\nalbero\n"), 5, seed), "");
    }
}

TEST(WordDraw, FileErrorsCarryTheirMessages)
{
    testkit::TTempDir dir;
    try {
        Draw(dir.File("missing"), 5, SkipNone);
        FAIL() << "no error for a missing file";
    } catch (const EInOutError &e) {
        EXPECT_EQ(e.ErrorCode(), 2);
        EXPECT_STREQ(e.what(), "File not found");
    }
    // Opening a directory succeeds on this platform; reading it fails.
    EXPECT_THROW(Draw(dir.Path().string(), 5, SkipNone), EInOutError);

    EXPECT_FALSE(DictionaryExists(dir.File("missing")));
    EXPECT_FALSE(DictionaryExists(dir.Path().string()));
    EXPECT_TRUE(DictionaryExists(dir.Write("v", "casa\n")));
}

TEST(InOutError, MessagesByCode)
{
    EXPECT_EQ(EInOutError::MessageFor(3), "Invalid filename");
    EXPECT_EQ(EInOutError::MessageFor(4), "Too many open files");
    EXPECT_EQ(EInOutError::MessageFor(5), "File access denied");
    EXPECT_EQ(EInOutError::MessageFor(100), "Read beyond end of file");
    EXPECT_EQ(EInOutError::MessageFor(101), "Disk full");
    EXPECT_EQ(EInOutError::MessageFor(106), "Invalid numeric input");
    EXPECT_EQ(EInOutError::MessageFor(32), "I/O error 32");

    EXPECT_STREQ(EInOutError::FromErrno(ENOENT).what(), "File not found");
    EXPECT_STREQ(EInOutError::FromErrno(EACCES).what(), "File access denied");
    EXPECT_STREQ(EInOutError::FromErrno(EISDIR).what(), "File access denied");
    // EIO shares its number with "access denied" but must not borrow it.
    EXPECT_STREQ(EInOutError::FromErrno(EIO).what(), "I/O error 5");
}
