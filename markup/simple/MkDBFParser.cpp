#include "markup/simple/MkDBFParser.h"

#include "markup/MkByteStream.h"
#include "markup/MkLex.h"
#include "markup/simple/MkSimpleParsers.h"
#include "markup/simple/MkWordSplit.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"

#include <algorithm>

namespace {

constexpr std::int64_t FirstDescriptor = 32;
constexpr std::int64_t DescriptorSize = 32;
constexpr std::uint8_t DescriptorsEnd = 0x0D;

// Bytes of the stream from offset on; false (and nothing read) unless all of
// them lie inside it.
bool ReadAt(TMkByteStream &stream, std::int64_t offset, std::int64_t count, std::string &bytes)
{
    bytes.clear();
    if (offset < 0 || count < 0 || offset > stream.Size() || count > stream.Size() - offset)
        return false;
    stream.SetPosition(offset);
    bytes.reserve(static_cast<std::size_t>(count));
    std::uint8_t c = 0;
    for (std::int64_t i = 0; i < count && stream.ReadByte(c); ++i)
        bytes += static_cast<char>(c);
    return true;
}

std::uint32_t Little(const std::string &bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count; i-- > 0;)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool IsDate(int year, int month, int day)
{
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    return day <= Days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

// Eight ASCII digits YYYYMMDD forming a date, shown as day.month.year
// without leading zeros; anything else shows as nothing.
std::string DateText(const std::string &bytes)
{
    if (bytes.size() != 8)
        return {};
    int digits[8] = {};
    for (std::size_t i = 0; i < 8; ++i) {
        if (bytes[i] < '0' || bytes[i] > '9')
            return {};
        digits[i] = bytes[i] - '0';
    }
    const int year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    const int month = digits[4] * 10 + digits[5];
    const int day = digits[6] * 10 + digits[7];
    if (!IsDate(year, month, day))
        return {};
    return std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year);
}

} // namespace

TMkDBFParser::TMkDBFParser(TMkEngine &engine) : TMkParserOf(engine, TMkLex::StaticClass()) {}

TMkDBFParser::THeader TMkDBFParser::ReadHeader(TMkByteStream &stream)
{
    THeader header;
    std::string bytes;
    if (stream.Size() <= FirstDescriptor || !ReadAt(stream, 0, FirstDescriptor, bytes))
        return header;
    header.Version = static_cast<std::uint8_t>(bytes[0]);
    const int year = 1900 + static_cast<std::uint8_t>(bytes[1]);
    if (!IsDate(year, static_cast<std::uint8_t>(bytes[2]), static_cast<std::uint8_t>(bytes[3])))
        throw EConvertError("Invalid argument to date encode");
    header.RecordCount = Little(bytes, 4, 4);
    header.HeaderSize = Little(bytes, 8, 2);
    header.RecordSize = Little(bytes, 10, 2);
    header.Flags = static_cast<std::uint8_t>(bytes[28]);
    if (header.HeaderSize == 0 || stream.Size() <= header.HeaderSize)
        return header;

    // Descriptors follow one another up to a 0x0D byte; one cut off by the
    // end of the stream is not read.
    std::uint32_t offset = 1; // byte 0 of a record is its deletion mark
    for (std::int64_t at = FirstDescriptor; ReadAt(stream, at, DescriptorSize, bytes) &&
                                            static_cast<std::uint8_t>(bytes[0]) != DescriptorsEnd;
         at += DescriptorSize) {
        TField field;
        field.Name = bytes.substr(0, std::min<std::size_t>(bytes.find('\0'), 11));
        field.Type = bytes[11];
        // The length byte alone; character fields may be longer than 255
        // bytes and take the decimal-count byte as the length's high byte.
        field.Length = field.Type == 'C' ? Little(bytes, 16, 2) : Little(bytes, 16, 1);
        field.Offset = offset;
        offset += field.Length;
        header.Fields.push_back(std::move(field));
    }
    return header;
}

std::string TMkDBFParser::FieldText(char type, const std::string &bytes)
{
    switch (type) {
    case 'C':
    case 'N': return bytes;
    case 'L': {
        const char c = bytes.empty() ? '\0' : bytes[0];
        return c == 'T' || c == 't' || c == 'Y' || c == 'y' ? "True" : "False";
    }
    case 'D': return DateText(bytes);
    default: return {}; // memo, float, picture and unknown types show nothing
    }
}

std::unique_ptr<TMkParsedTextList> TMkDBFParser::Parse(TMkByteStream &stream, TMkImageHandler,
                                                       TMkVariableHandler variableHandler,
                                                       TMkControlHandler, TMkRepeatHandler)
{
    const THeader header = ReadHeader(stream);
    auto root = std::make_unique<TMkParsedTextList>(nullptr);
    auto *table = root->Add(std::make_unique<TMkTable>(root.get()));
    const bool readable =
        header.HeaderSize > 0 && header.RecordSize > 0 && header.HeaderSize < stream.Size();
    std::int64_t cells = 0;
    std::string bytes;
    for (std::uint32_t r = 0; readable && r < header.RecordCount; ++r) {
        const std::int64_t start = header.HeaderSize + std::int64_t{header.RecordSize} * r;
        if (start >= stream.Size())
            break; // this record and all after it lie beyond the end
        // A row without fields still counts, so that the rows stay bounded.
        cells += std::max<std::int64_t>(1, static_cast<std::int64_t>(header.Fields.size()));
        if (cells > MkMaxTableCells)
            break;
        auto *row = table->Add(std::make_unique<TMkTableRow>(table));
        for (const TField &field : header.Fields) {
            auto *cell = row->Add(std::make_unique<TMkCell>(row));
            const bool inside = ReadAt(stream, start + field.Offset, field.Length, bytes);
            MkAddParagraph(*cell, inside ? FieldText(field.Type, bytes) : std::string());
        }
    }
    table->NormalizeGrid();
    root->ResolveVariables(MkVariableCallback(variableHandler));
    return root;
}
