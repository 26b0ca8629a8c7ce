#include "textobjects/MkRepeat.h"

#include "textobjects/MkConvert.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

// The variable callback as it travels through the objects of an expansion
// under way: the caller's callback, and the copies left to make in the
// outermost expansion.  Nested blocks multiply their counts, so the budget is
// shared by the whole expansion; a nested block finds it in the callback it
// is resolved with, and an outermost one starts a new one.
struct TExpansionCallback {
    TMkVariableCallback Outer;
    std::shared_ptr<std::int64_t> CopiesLeft;

    std::string operator()(TMkBaseText &sender, const std::string &name) const
    {
        // An empty callback turns references into the empty string, and so
        // does this one for it.
        return Outer ? Outer(sender, name) : std::string();
    }
};

} // namespace

TMkRepeat::TMkRepeat(TMkBaseText *parent) : TMkParsedTextList(parent) {}

TMkRepeat::TMkRepeat(TMkBaseText *parent, TMkRepeatCallback onRepeat, std::string repeatCount)
    : TMkParsedTextList(parent),
      RepeatCount(std::move(repeatCount)),
      OnRepeat(std::move(onRepeat))
{
}

std::int32_t TMkRepeat::CountValue() const
{
    std::int32_t count = 1;
    if (!MkTextTryStrToInt(RepeatCount, count))
        return 1;
    return count;
}

std::unique_ptr<TMkBaseText> TMkRepeat::Clone() const
{
    // A copy keeps its count and handler, so that a repeat nested in a
    // repeated block still repeats as written.
    auto copy = std::make_unique<TMkRepeat>(Parent, OnRepeat, RepeatCount);
    CloneChildrenInto(*copy);
    return copy;
}

void TMkRepeat::ResolveVariables(const TMkVariableCallback &callback)
{
    auto expanded = std::make_unique<TMkParsedTextList>(Parent);
    {
        const auto *under = callback.target<TExpansionCallback>();
        const TMkVariableCallback inner =
            under ? callback
                  : TMkVariableCallback(TExpansionCallback{
                        callback, std::make_shared<std::int64_t>(MkMaxRepeatCopies)});
        std::int64_t &copiesLeft = *inner.target<TExpansionCallback>()->CopiesLeft;
        MkTextResolve(*this, RepeatCount, callback);
        const std::int32_t count = std::min(CountValue(), MkMaxRepeatCount);
        for (std::int32_t index = 0; index < count; ++index) {
            if (OnRepeat)
                OnRepeat(*this, index);
            for (std::size_t i = 0; i < Count() && copiesLeft > 0; ++i, --copiesLeft) {
                std::unique_ptr<TMkBaseText> copy = Child(i)->Clone();
                copy->Parent = expanded.get();
                TMkBaseText *raw = copy.get();
                // Appended before it is resolved, so that a nested repeat block
                // finds itself in the new list and can replace itself there.
                expanded->AddChild(std::move(copy));
                raw->ResolveVariables(inner);
            }
        }
    }
    auto *parent = MkTextCast<TMkParsedTextList>(Parent);
    if (parent == nullptr)
        return; // a block without a container has nothing to be replaced in
    const std::size_t index = parent->IndexOf(this);
    if (index == parent->Count())
        return;
    // Destroys this block with its children; nothing may touch *this after.
    parent->Replace(index, std::move(expanded));
}
