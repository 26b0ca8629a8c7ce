#pragma once

#include "textobjects/MkFont.h"

#include <cstdint>
#include <string>
#include <vector>

// A stack of formatting values.  Popping an empty stack does nothing, so an
// end tag without its start tag cannot unbalance the state; the top of an
// empty stack is the class's empty value.
template <class T> class TMkValueStack {
public:
    explicit TMkValueStack(T emptyValue) : EmptyValue(std::move(emptyValue)) {}

    void Push(T value) { Items.push_back(std::move(value)); }
    void Pop()
    {
        if (!Items.empty())
            Items.pop_back();
    }
    const T &Top() const { return Items.empty() ? EmptyValue : Items.back(); }
    void Clear() { Items.clear(); }
    bool Empty() const { return Items.empty(); }
    std::size_t Count() const { return Items.size(); }

private:
    T EmptyValue;
    std::vector<T> Items;
};

// Strings; an empty top reads as an empty stack to every reader.
class TMkStringStack : public TMkValueStack<std::string> {
public:
    TMkStringStack() : TMkValueStack<std::string>(std::string{}) {}
};

// Integers (colours, depths, codes); EmptyTop on top reads as an empty stack.
class TMkIntegerStack : public TMkValueStack<std::int32_t> {
public:
    static constexpr std::int32_t EmptyTop = -10000;
    TMkIntegerStack() : TMkValueStack<std::int32_t>(EmptyTop) {}
    // The top, or fallback when the stack is empty or EmptyTop is on top.
    std::int32_t TopOr(std::int32_t fallback) const { return Top() == EmptyTop ? fallback : Top(); }
};

// Font style sets (bold 1, italic 2, underline 4, strike-out 8).
class TMkFontStyleStack : public TMkValueStack<TMkFontStyleSet> {
public:
    TMkFontStyleStack() : TMkValueStack<TMkFontStyleSet>(0) {}
};
