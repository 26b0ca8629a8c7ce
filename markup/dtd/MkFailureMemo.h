#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The failures the grammar engine has already worked out.
//
// Most of the engine's work goes into attempts that fail without leaving a
// trace: a group of alternatives tries entity after entity down to the
// elements, and none of them fits the current token.  Such a failure calls no
// handler, does not move the parser and, while no exclusion is in force,
// depends on nothing but the group and the current token's class (its kind
// and, for a tag, its name and whether it is an end tag): the type tests
// look at no more than that (TMkTypeTest).  Its outcome and its work are the
// same every time, at every token of that class, in every run.
//
// So the first such failure of a group at a class of token is remembered
// with its work, and later attempts of the group at that class count the
// same work and fail at once.  The work counts, and therefore the budget,
// stay exactly what they would be.  A failure that met the work, node or
// match depth bound is not remembered, and a remembered one is only used
// where its work is sure to stay within those bounds; elsewhere the group is
// tried in full.
//
// The element depth bound is another matter.  An attempt that leaves no
// trace opens no element, so the element depth stays as it was all through
// it: an element whose start tag fits fails on the bound either every time
// (the depth is at the bound) or never.  Whether the depth is at the bound is
// therefore part of the key, and a failure that met the bound is remembered
// as such, to be met again when it is used.
//
// The memo is a fixed table of slots found by hashing; a failure whose slot
// is taken replaces the one there.
class TMkFailureMemo {
public:
    using TKey = std::uint64_t;

    // group: the group's number (never 0); tokenClass:
    // TMkExtParser::CurrentTokenClass (below 2^31); atElementBound: whether
    // the element depth is at its bound.
    static TKey KeyOf(std::uint32_t group, std::uint32_t tokenClass, bool atElementBound)
    {
        return (TKey{group} << 32) | (TKey{tokenClass} << 1) | (atElementBound ? 1 : 0);
    }

    // What a failure took, counted from the start of the group's attempt:
    // the steps after the group's own, how much deeper the matches in it
    // nested, how many more nodes were in use at the most, and whether an
    // element failed on the element depth bound.
    struct TCost {
        std::int32_t Work = 0;
        std::int32_t Depth = 0;
        std::int32_t Nodes = 0;
        bool MetElementBound = false;
    };

    // The failure remembered under key, or none.
    const TCost *Find(TKey key) const
    {
        if (slots_.empty())
            return nullptr;
        const TSlot &slot = slots_[SlotOf(key)];
        return slot.Key == key ? &slot.Cost : nullptr;
    }
    void Remember(TKey key, const TCost &cost);
    // Drops every failure (the groups are being made anew).
    void Forget() { slots_.clear(); }

private:
    static constexpr int SlotBits = 12;
    struct TSlot {
        TKey Key = 0; // 0: empty (no group is numbered 0)
        TCost Cost;
    };
    static std::size_t SlotOf(TKey key)
    {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> (64 - SlotBits));
    }

    std::vector<TSlot> slots_; // made at the first failure remembered
};
