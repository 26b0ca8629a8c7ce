#pragma once

#include <cstdint>

class TMkParserRegistry;

// Registers the simpler parsers in an engine's registry, in this order,
// unless they are registered already: TMkCSVParser ("CSV"), TMkDBFParser
// ("DBF"), TMkSimpleXMLParser ("XML") and TMkPlainTextParser ("TXT"), the
// default.  The program registers them before the HTML parser.
void MkRegisterSimpleParsers(TMkParserRegistry &registry);

// The most cells the CSV and DBF parsers make of one file.  A 1 MiB file of
// ";" alone would otherwise be a million cells, some 400 MB of text objects.
// Every cell made keeps its place in the table's grid.
inline constexpr std::int64_t MkMaxTableCells = 100'000;
