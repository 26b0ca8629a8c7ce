#pragma once

#include "markup/MkParser.h"

#include <cstdint>
#include <string>
#include <vector>

// dBASE tables: one table row per record, one cell per field.
//
// Everything in the file is untrusted: every read stays inside the stream,
// rows stop at the first record that lies wholly beyond its end, and a
// header or record size of 0 or beyond the stream gives an empty table.
class TMkDBFParser : public TMkParserOf<TMkDBFParser, TMkParser> {
public:
    static constexpr const char *ClassName = "TMkDBFParser";

    explicit TMkDBFParser(TMkEngine &engine);

    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &stream, TMkImageHandler imageHandler,
                                             TMkVariableHandler variableHandler,
                                             TMkControlHandler controlHandler,
                                             TMkRepeatHandler repeatHandler) override;

    struct TField {
        std::string Name;
        char Type = 0;
        std::uint32_t Length = 0;
        std::uint32_t Offset = 0; // within a record
    };
    struct THeader {
        std::uint8_t Version = 0;
        std::uint32_t RecordCount = 0;
        std::uint32_t HeaderSize = 0;
        std::uint32_t RecordSize = 0;
        std::uint8_t Flags = 0;
        std::vector<TField> Fields;
    };

    // The header and field descriptors of a stream.  Raises EConvertError
    // "Invalid argument to date encode" when the date of last update is no
    // date.
    static THeader ReadHeader(TMkByteStream &stream);
    // The text a field's bytes show.
    static std::string FieldText(char type, const std::string &bytes);
};
