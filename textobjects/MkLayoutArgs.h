#pragma once

#include "textobjects/MkColor.h"
#include "textobjects/MkGeometry.h"

class TMkCanvas;
struct TMkFont;

// What a layout pass hands down the tree: the canvas that measures, the
// rectangle an object may fill, the base font, whether the text keeps to one
// line and whether it wraps at the rectangle's width.  Containers pass it on
// to their children as it is, or over another rectangle.
struct TMkLayoutArgs {
    TMkLayoutArgs(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                  bool wordWrap)
        : Canvas(canvas),
          Rect(rect),
          Font(font),
          SingleLine(singleLine),
          WordWrap(wordWrap)
    {
    }

    TMkCanvas &Canvas;
    TMkRect Rect;
    const TMkFont &Font;
    bool SingleLine;
    bool WordWrap;

    TMkLayoutArgs WithRect(const TMkRect &rect) const
    {
        TMkLayoutArgs args = *this;
        args.Rect = rect;
        return args;
    }
};

// A painting pass: the layout pass's values (painting measures too, so these
// arguments go to GetBounds as they are) and where the object goes, the
// colour behind it and whether its room is blanked first.  The constructor
// takes them in the order painting always has.
struct TMkPaintArgs : TMkLayoutArgs {
    TMkPaintArgs(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
                 TMkColor backColor, bool singleLine, bool wordWrap, bool whiteOut)
        : TMkLayoutArgs(canvas, rect, font, singleLine, wordWrap),
          Offset(offset),
          BackColor(backColor),
          WhiteOut(whiteOut)
    {
    }

    TMkPoint Offset;
    TMkColor BackColor;
    bool WhiteOut;

    // The same pass with the object placed elsewhere.
    TMkPaintArgs At(TMkPoint offset) const
    {
        TMkPaintArgs args = *this;
        args.Offset = offset;
        return args;
    }

    // The same pass with the object placed at the corner of area, which it
    // fills and is clipped to.
    TMkPaintArgs Within(const TMkRect &area) const
    {
        TMkPaintArgs args = *this;
        args.Rect = area;
        args.Offset = TMkPoint{};
        return args;
    }
};
