#pragma once

#include "textobjects/MkColor.h"
#include "textobjects/MkGeometry.h"
#include "textobjects/MkLayoutArgs.h"
#include "textobjects/MkSharedString.h"
#include "textobjects/MkShortString.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TMkBaseText;
class TMkCanvas;
class TMkWriter;
struct TMkFont;

// Answers a variable reference: receives the object that holds it and the
// upper-cased name, returns the value.  May be empty: references then become
// the empty string.
using TMkVariableCallback =
    std::function<std::string(TMkBaseText &sender, const std::string &name)>;

// True for "~~NAME"; the name is the rest, upper-cased.
bool MkTextIsVariableRef(std::string_view value);
std::string MkTextVariableName(std::string_view value);
// Replaces value by the callback's answer when it is a reference.
void MkTextResolve(TMkBaseText &sender, std::string &value, const TMkVariableCallback &callback);
void MkTextResolve(TMkBaseText &sender, TMkSharedString &value,
                   const TMkVariableCallback &callback);
void MkTextResolve(TMkBaseText &sender, TMkShortString &value, const TMkVariableCallback &callback);

// The engine's own classes of text object, as bits.  Each constructor adds
// its class's bit, so an object derived from one of them carries that bit
// too; MkTextCast tests it instead of asking the run-time type information,
// which the layout and painting loops would otherwise do for every child.
enum class TMkTextClass : std::uint16_t {
    ParsedTextList = 1 << 0,
    Paragraph = 1 << 1,
    Table = 1 << 2,
    TableRow = 1 << 3,
    Cell = 1 << 4,
    ListItem = 1 << 5,
    Text = 1 << 6,
    LineBreak = 1 << 7,
    HiddenText = 1 << 8,
    Tree = 1 << 9,
};

// Root of every text object.  Layout (GetBounds, NeedsLayout, Layout) gives an
// object its Width and Height; painting places it and records where it went
// in Left and Top, relative to its parent.
class TMkBaseText {
public:
    explicit TMkBaseText(TMkBaseText *parent);
    virtual ~TMkBaseText();
    TMkBaseText(const TMkBaseText &) = delete;
    TMkBaseText &operator=(const TMkBaseText &) = delete;

    std::int32_t Left = 0;
    std::int32_t Top = 0;
    TMkBaseText *Parent = nullptr;
    std::int32_t Width = 0;
    std::int32_t Height = 0;

    // Virtual operations, in this order on purpose: embedded controls and the
    // markup reader extend them.
    virtual bool NeedsLayout(const TMkLayoutArgs &args);
    virtual void Layout(const TMkLayoutArgs &args) = 0;
    virtual void Paint(const TMkPaintArgs &args) = 0;
    virtual TMkBaseText *HitTest(TMkPoint point, const TMkLayoutArgs &args);
    // A new object of the same class with the same parent.
    virtual std::unique_ptr<TMkBaseText> Clone() const = 0;
    virtual void ResolveVariables(const TMkVariableCallback &callback);
    virtual void Export(TMkWriter &writer) const;

    // Lays the object out when stale and returns (0, 0, Width, Height).
    // Past a safe nesting depth an object counts as 0 by 0, so that a
    // hostile tree cannot exhaust the stack.
    TMkRect GetBounds(const TMkLayoutArgs &args);

    // Paints unless nested past the safe depth (see GetBounds).
    void PaintGuarded(const TMkPaintArgs &args);

    // Nearest ParentWindow / HostControl of the lists this object is in
    // (see TMkParsedTextList).
    void *FindParentWindow() const;
    void *FindHostControl() const;

    bool IsA(TMkTextClass textClass) const
    {
        return (classes_ & static_cast<std::uint16_t>(textClass)) != 0;
    }

protected:
    void AddTextClass(TMkTextClass textClass) { classes_ |= static_cast<std::uint16_t>(textClass); }

    // Makes every GetBounds lay the object out again: NeedsLayout answers
    // true and no laid state is kept.  For classes whose size hangs on more
    // than the font and the two flags (the rectangle, a picture, a control,
    // a table's grid) or whose layout costs nothing.
    void LayOutEveryTime() { layOutEveryTime_ = true; }

    // The base staleness rule alone, for overrides that extend it.
    bool BaseNeedsLayout(const TMkLayoutArgs &args);

private:
    // Every object of a tree has these, so they are ordered to leave no
    // gaps; the classes' own fields go on in the room after the last one.
    TMkShortString laidFontName_;
    std::int32_t laidFontSize_ = 0;
    std::uint16_t classes_ = 0;
    // The three flags share one byte, so that the base ends 55 bytes in: a
    // derived class's first pointer then starts at 56 rather than at 64.
    bool layOutEveryTime_ : 1 = false;
    bool laidSingleLine_ : 1 = false;
    bool laidWordWrap_ : 1 = false;
};

// The object as a T when it is one (T names its bit in ClassBit), else null.
template <class T, class From> T *MkTextCast(From *object)
{
    return object && object->IsA(T::ClassBit) ? static_cast<T *>(object) : nullptr;
}

// Nesting limit for layout and painting.
inline constexpr int MkMaxPaintDepth = 200;
