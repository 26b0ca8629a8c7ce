#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class TMkParagraph;
class TMkTable;
class TMkTableRow;
class TMkCell;
class TMkList;
class TMkText;
class TMkImage;

// What a text object tree is exported through.  Exporters (to HTML, RTF ...)
// derive from it; every call does nothing by default so an exporter only
// overrides what its format needs.
class TMkWriter {
public:
    virtual ~TMkWriter() = default;

    // Raw bytes to the output stream (blank runs, hidden source tags).
    virtual void Write(std::string_view) {}

    virtual void BeginDocument() {}
    virtual void EndDocument() {}
    virtual void BeginParagraph(const TMkParagraph &) {}
    virtual void EndParagraph() {}
    virtual void BeginTable(const TMkTable &) {}
    virtual void EndTable() {}
    virtual void BeginRow(const TMkTableRow &) {}
    virtual void EndRow() {}
    virtual void BeginCell(const TMkCell &) {}
    virtual void EndCell() {}
    virtual void BeginList(const TMkList &) {}
    virtual void ListItem(std::int32_t) {}
    virtual void EndList() {}
    virtual void BeginTree() {}
    virtual void EndTree() {}
    virtual void BeginItem() {}
    virtual void EndItem() {}
    virtual void Link(std::string_view) {}
    virtual void Text(const TMkText &) {}
    virtual void Image(const TMkImage &) {}
    virtual void Rule() {}
    virtual void LineBreak() {}
    virtual void EmbeddedControl(std::string_view, std::string_view, std::int32_t, std::int32_t) {}
};
