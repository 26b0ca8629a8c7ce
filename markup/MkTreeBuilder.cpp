#include "markup/MkTreeBuilder.h"

#include "textobjects/MkParsedTextList.h"

TMkTreeBuilder::TMkTreeBuilder(TMkParsedTextList *root)
{
    if (!root)
        return;
    const std::uint32_t slot = NewSlot(root, NoSlot);
    cursor_ = TMkTreeMark(slot, slots_[slot].Generation);
}

TMkTreeMark TMkTreeBuilder::RootMark() const
{
    // The root takes the first slot and never gives it up.
    return slots_.empty() ? TMkTreeMark() : TMkTreeMark(0, 0);
}

const TMkTreeBuilder::TSlot *TMkTreeBuilder::SlotOf(TMkTreeMark mark) const
{
    if (mark.slot_ >= slots_.size())
        return nullptr;
    const TSlot &slot = slots_[mark.slot_];
    return slot.Container && slot.Generation == mark.generation_ ? &slot : nullptr;
}

TMkParsedTextList *TMkTreeBuilder::Resolve(TMkTreeMark mark) const
{
    const TSlot *slot = SlotOf(mark);
    return slot ? slot->Container : nullptr;
}

bool TMkTreeBuilder::IsStale(TMkTreeMark mark) const
{
    return !mark.IsNone() && !SlotOf(mark);
}

std::uint32_t TMkTreeBuilder::NewSlot(TMkParsedTextList *container, std::uint32_t parent)
{
    std::uint32_t index = freeSlots_;
    TSlot *fresh = nullptr;
    if (index != NoSlot) {
        fresh = &slots_[index];
        freeSlots_ = fresh->Previous;
    } else {
        index = static_cast<std::uint32_t>(slots_.size());
        fresh = &slots_.emplace_back();
    }
    TSlot &slot = *fresh;
    slot.Container = container;
    slot.Parent = parent;
    slot.FirstChild = slot.LastChild = slot.Next = NoSlot;
    slot.Previous = NoSlot;
    if (parent != NoSlot) {
        TSlot &up = slots_[parent];
        slot.Previous = up.LastChild;
        if (up.LastChild != NoSlot)
            slots_[up.LastChild].Next = index;
        else
            up.FirstChild = index;
        up.LastChild = index;
    }
    ++live_;
    return index;
}

// Unlinks the slot from its parent and frees it with the slots below it.
// Each freed slot moves to a new generation, which stales every mark made of
// it.  The walk is iterative: a roll-back may take a deeply nested subtree.
void TMkTreeBuilder::FreeSubtree(std::uint32_t top)
{
    TSlot &first = slots_[top];
    if (first.Parent != NoSlot) {
        TSlot &up = slots_[first.Parent];
        (first.Previous != NoSlot ? slots_[first.Previous].Next : up.FirstChild) = first.Next;
        (first.Next != NoSlot ? slots_[first.Next].Previous : up.LastChild) = first.Previous;
    }
    first.Next = NoSlot;
    // The slots still to free, chained through Next: each freed slot's
    // children go in front of the rest.
    std::uint32_t walk = top;
    while (walk != NoSlot) {
        TSlot &slot = slots_[walk];
        std::uint32_t rest = slot.Next;
        if (slot.FirstChild != NoSlot) {
            slots_[slot.LastChild].Next = rest;
            rest = slot.FirstChild;
        }
        slot.Container = nullptr;
        ++slot.Generation;
        slot.Parent = slot.FirstChild = slot.LastChild = slot.Next = NoSlot;
        slot.Previous = freeSlots_;
        freeSlots_ = walk;
        --live_;
        walk = rest;
    }
}

void TMkTreeBuilder::Enter(std::unique_ptr<TMkParsedTextList> container)
{
    TMkParsedTextList *raw = Current()->Add(std::move(container));
    const std::uint32_t slot = NewSlot(raw, cursor_.slot_);
    cursor_ = TMkTreeMark(slot, slots_[slot].Generation);
}

bool TMkTreeBuilder::Append(std::unique_ptr<TMkBaseText> leaf)
{
    TMkParsedTextList *container = Current();
    if (!container)
        return false;
    container->AddChild(std::move(leaf));
    return true;
}

void TMkTreeBuilder::Leave()
{
    const TSlot *slot = SlotOf(cursor_);
    if (!slot)
        return;
    cursor_ = slot->Parent == NoSlot ? TMkTreeMark()
                                     : TMkTreeMark(slot->Parent, slots_[slot->Parent].Generation);
}

void TMkTreeBuilder::RollBack()
{
    const TSlot *slot = SlotOf(cursor_);
    if (!slot)
        return;
    const std::uint32_t index = cursor_.slot_;
    TMkParsedTextList *object = slot->Container;
    Leave();
    if (index == 0)
        return; // the root stays, with no container current
    auto *parent = MkTextCast<TMkParsedTextList>(object->Parent);
    FreeSubtree(index);
    if (!parent)
        return;
    const std::size_t at = parent->IndexOf(object);
    if (at < parent->Count())
        parent->Delete(at);
}
