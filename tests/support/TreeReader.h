#pragma once

// Builds text object trees from a small indented description, so that
// painting cases can live in data files:
//
//   paint 0 0 400 24 single wrap back=FFFFE1      rectangle, flags, back colour
//   list                                          plain list (the root)
//     table border=0 width=-100
//       row
//         cell width=30
//           p align=LEFT
//             text "casa" font=verdana size=14 style=1 color=000044
//             img src=im1.bmp
//
// Kinds: list, p, text, br, rule, img, hidden, table, row, cell, ol, ul, li,
// tree, item.  Attribute values are decimal, except colours (hexadecimal).
// Tables are grid-normalised once their rows and cells are read.

#include "textobjects/MkGeometry.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkPicture.h"

#include <memory>
#include <string>

namespace testkit {

struct TPaintCase {
    std::unique_ptr<TMkParsedTextList> root;
    TMkRect rect;
    bool singleLine = false;
    bool wordWrap = false;
    bool whiteOut = false;
    TMkColor back = NoColor;
};

// Throws std::runtime_error with the line number for a malformed description.
// Pictures are loaded through the store.
TPaintCase ReadPaintCase(const std::string &text, TMkPictureStore &pictures);

} // namespace testkit
