#include "textobjects/MkBaseText.h"

#include "textobjects/MkCanvas.h"
#include "textobjects/MkFont.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkSameText.h"

namespace {

// Counts one level of the GetBounds/Paint calls in progress on a canvas.
class TDepthGuard {
public:
    explicit TDepthGuard(TMkCanvas &canvas) : canvas_(canvas) { ++canvas_.NestingDepth; }
    ~TDepthGuard() { --canvas_.NestingDepth; }
    TDepthGuard(const TDepthGuard &) = delete;
    TDepthGuard &operator=(const TDepthGuard &) = delete;
    static bool TooDeep(const TMkCanvas &canvas) { return canvas.NestingDepth >= MkMaxPaintDepth; }

private:
    TMkCanvas &canvas_;
};

} // namespace

bool MkTextIsVariableRef(std::string_view value)
{
    return value.size() >= 2 && value[0] == '~' && value[1] == '~';
}

std::string MkTextVariableName(std::string_view value)
{
    std::string name(value.size() >= 2 ? value.substr(2) : std::string_view());
    for (char &c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

namespace {

// Any string type that reads as a string view and takes a std::string.
template <class TString>
void Resolve(TMkBaseText &sender, TString &value, const TMkVariableCallback &callback)
{
    if (!MkTextIsVariableRef(value))
        return;
    value = callback ? callback(sender, MkTextVariableName(value)) : std::string();
}

} // namespace

void MkTextResolve(TMkBaseText &sender, std::string &value, const TMkVariableCallback &callback)
{
    Resolve(sender, value, callback);
}

void MkTextResolve(TMkBaseText &sender, TMkSharedString &value, const TMkVariableCallback &callback)
{
    Resolve(sender, value, callback);
}

void MkTextResolve(TMkBaseText &sender, TMkShortString &value, const TMkVariableCallback &callback)
{
    Resolve(sender, value, callback);
}

TMkBaseText::TMkBaseText(TMkBaseText *parent) : Parent(parent) {}

TMkBaseText::~TMkBaseText() = default;

bool TMkBaseText::BaseNeedsLayout(const TMkLayoutArgs &args)
{
    if (layOutEveryTime_)
        return true;
    const TMkFont &current = args.Canvas.Font();
    const bool stale = args.SingleLine != laidSingleLine_ || args.WordWrap != laidWordWrap_ ||
                       current.Size != laidFontSize_ ||
                       !MkSameText(current.Name, laidFontName_.View());
    if (stale) {
        laidSingleLine_ = args.SingleLine;
        laidWordWrap_ = args.WordWrap;
        laidFontSize_ = current.Size;
        laidFontName_ = current.Name;
    }
    return stale;
}

bool TMkBaseText::NeedsLayout(const TMkLayoutArgs &args)
{
    return BaseNeedsLayout(args);
}

TMkBaseText *TMkBaseText::HitTest(TMkPoint point, const TMkLayoutArgs &args)
{
    TMkRect r = GetBounds(args);
    std::int64_t dx = 0;
    std::int64_t dy = 0;
    for (const TMkBaseText *o = this; o != nullptr; o = o->Parent) {
        dx += o->Left;
        dy += o->Top;
    }
    // Compare in 64 bits: the moved rectangle may leave the 32-bit range.
    const bool inside = point.X >= r.Left + dx && point.X <= r.Right + dx &&
                        point.Y >= r.Top + dy && point.Y <= r.Bottom + dy;
    return inside ? this : nullptr;
}

void TMkBaseText::ResolveVariables(const TMkVariableCallback &) {}

void TMkBaseText::Export(TMkWriter &) const {}

TMkRect TMkBaseText::GetBounds(const TMkLayoutArgs &args)
{
    if (TDepthGuard::TooDeep(args.Canvas))
        return TMkRect{};
    TDepthGuard guard(args.Canvas);
    if (NeedsLayout(args))
        Layout(args);
    return TMkRect{0, 0, Width, Height};
}

void TMkBaseText::PaintGuarded(const TMkPaintArgs &args)
{
    if (TDepthGuard::TooDeep(args.Canvas))
        return;
    TDepthGuard guard(args.Canvas);
    Paint(args);
}

void *TMkBaseText::FindParentWindow() const
{
    for (const TMkBaseText *o = this; o != nullptr; o = o->Parent)
        if (const auto *list = MkTextCast<const TMkParsedTextList>(o))
            if (void *window = list->ParentWindow())
                return window;
    return nullptr;
}

void *TMkBaseText::FindHostControl() const
{
    for (const TMkBaseText *o = this; o != nullptr; o = o->Parent)
        if (const auto *list = MkTextCast<const TMkParsedTextList>(o))
            if (void *control = list->HostControl())
                return control;
    return nullptr;
}
