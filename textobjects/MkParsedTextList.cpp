#include "textobjects/MkParsedTextList.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkShallowStack.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkWriter.h"

#include <algorithm>

using mktext::RoundDiv;
using mktext::SatAdd;

TMkParsedTextList::TMkParsedTextList(TMkBaseText *parent) : TMkBaseText(parent)
{
    AddTextClass(ClassBit);
}

TMkParsedTextList::~TMkParsedTextList()
{
    // Destroy the subtree depth first without recursion: a deeply nested tree
    // would otherwise exhaust the stack in a chain of destructors.  A list is
    // destroyed only after its children, so the destructor of each list on
    // the way finds nothing left to do.  Only the way down is remembered, not
    // the whole tree: a long teardown then neither builds nor frees a large
    // work list.
    TMkShallowStack<TMkParsedTextList *> way;
    TMkParsedTextList *list = this;
    for (;;) {
        if (list->children_.empty()) {
            if (way.empty())
                return;
            list = way.top();
            way.pop();
            continue;
        }
        auto *last = MkTextCast<TMkParsedTextList>(list->children_.back().get());
        if (last != nullptr && !last->children_.empty()) {
            way.push(list);
            list = last;
        } else {
            list->children_.pop_back();
        }
    }
}

bool TMkParsedTextList::NeedsLayout(const TMkLayoutArgs &args)
{
    const bool stale = BaseNeedsLayout(args);
    const std::int64_t w = args.Rect.Width();
    const std::int64_t h = args.Rect.Height();
    return stale || (w != Width && w != std::int64_t{Width} + 1) ||
           (h != Height && h != std::int64_t{Height} + 1);
}

void TMkParsedTextList::Layout(const TMkLayoutArgs &args)
{
    Width = 0;
    Height = 0;
    std::int32_t y = 0;
    for (const auto &child : children_) {
        const TMkRect b = child->GetBounds(args);
        const std::int32_t w = b.Right;
        const std::int32_t h = b.Bottom;
        // Objects without an extent take no room, not even the gap.
        if (w <= 0 || h <= 0)
            continue;
        Width = std::max(Width, SatAdd(w, child->Left));
        Height = std::max(Height, SatAdd(y, h));
        y = SatAdd(y, std::int64_t{h} + 2);
    }
}

void TMkParsedTextList::Paint(const TMkPaintArgs &args)
{
    std::int32_t y = 0;
    for (const auto &child : children_) {
        const TMkRect b = child->GetBounds(args);
        std::int32_t dx = 0;
        std::int32_t dy = 0;
        if (const auto *table = MkTextCast<const TMkTable>(child.get())) {
            // The list aligns a table it holds; the table then leaves its own
            // horizontal alignment out (TMkTable::Paint), so the args.Offset is
            // applied once and the table's Left tells where it really went.
            const std::int64_t freeW = args.Rect.Width() - args.Offset.X - b.Right;
            const std::int64_t freeH = args.Rect.Height() - args.Offset.Y - y - b.Bottom;
            if (table->Align == MkAlignRight)
                dx = mktext::Sat(freeW);
            else if (table->Align == MkAlignCenter)
                dx = RoundDiv(freeW, 2);
            if (table->VAlign == MkVAlignMiddle)
                dy = RoundDiv(freeH, 2);
            else if (table->VAlign == MkVAlignBottom)
                dy = mktext::Sat(freeH);
            dx = std::max(dx, 0);
            dy = std::max(dy, 0);
        }
        child->PaintGuarded(args.At(
            TMkPoint{SatAdd(args.Offset.X, dx), SatAdd(std::int64_t{args.Offset.Y} + y, dy)}));
        child->Left = dx;
        child->Top = SatAdd(y, dy);
        y = SatAdd(y, std::int64_t{b.Bottom} + 2);
        // Kept as the list box has always done it: the bottom edge is
        // compared with the args.Offset alone, not with the rectangle's top.
        if (args.Rect.Bottom < std::int64_t{args.Offset.Y} + y)
            break;
    }
}

TMkBaseText *TMkParsedTextList::HitTest(TMkPoint point, const TMkLayoutArgs &args)
{
    if (TMkBaseText::HitTest(point, args) == nullptr)
        return nullptr;
    for (const auto &child : children_)
        if (TMkBaseText *hit = child->HitTest(point, args))
            return hit;
    return nullptr;
}

std::unique_ptr<TMkBaseText> TMkParsedTextList::Clone() const
{
    auto copy = std::make_unique<TMkParsedTextList>(Parent);
    CloneChildrenInto(*copy);
    return copy;
}

void TMkParsedTextList::CloneChildrenInto(TMkParsedTextList &target) const
{
    for (const auto &child : children_)
        target.AddChild(child->Clone());
}

void TMkParsedTextList::ResolveVariables(const TMkVariableCallback &callback)
{
    // A repeat block replaces itself by a new list at the same index while
    // being resolved; the loop then goes on with the next index, so the new
    // list is not resolved twice.  Count() is read each time for that reason.
    for (std::size_t i = 0; i < children_.size(); ++i)
        children_[i]->ResolveVariables(callback);
}

void TMkParsedTextList::Export(TMkWriter &writer) const
{
    if (Parent == nullptr)
        writer.BeginDocument();
    ExportChildren(writer);
    if (Parent == nullptr)
        writer.EndDocument();
}

void TMkParsedTextList::ExportChildren(TMkWriter &writer) const
{
    for (const auto &child : children_)
        child->Export(writer);
}

void TMkParsedTextList::SetParentWindow(void *window)
{
    if (window != nullptr || host_)
        HostWindows().ParentWindow = window;
}

void TMkParsedTextList::SetHostControl(void *control)
{
    if (control != nullptr || host_)
        HostWindows().HostControl = control;
}

TMkParsedTextList::THostWindows &TMkParsedTextList::HostWindows()
{
    if (!host_)
        host_ = std::make_unique<THostWindows>();
    return *host_;
}

void TMkParsedTextList::AddChild(std::unique_ptr<TMkBaseText> child)
{
    if (!child)
        return;
    child->Parent = this;
    children_.push_back(std::move(child));
}

void TMkParsedTextList::Insert(std::size_t index, std::unique_ptr<TMkBaseText> child)
{
    if (!child)
        return;
    child->Parent = this;
    index = std::min(index, children_.size());
    children_.insert(index, std::move(child));
}

void TMkParsedTextList::Replace(std::size_t index, std::unique_ptr<TMkBaseText> child)
{
    if (!child || index >= children_.size())
        return;
    child->Parent = this;
    std::unique_ptr<TMkBaseText> old = std::move(children_[index]);
    children_[index] = std::move(child);
    // old is destroyed here, after the new child took its place.
}

void TMkParsedTextList::Delete(std::size_t index)
{
    if (index < children_.size())
        children_.erase(index);
}

std::unique_ptr<TMkBaseText> TMkParsedTextList::Extract(std::size_t index)
{
    if (index >= children_.size())
        return nullptr;
    std::unique_ptr<TMkBaseText> child = std::move(children_[index]);
    children_.erase(index);
    child->Parent = nullptr;
    return child;
}

TMkBaseText *TMkParsedTextList::Child(std::size_t index) const
{
    return index < children_.size() ? children_[index].get() : nullptr;
}

std::size_t TMkParsedTextList::IndexOf(const TMkBaseText *child) const
{
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (children_[i].get() == child)
            return i;
    return children_.size();
}
