#pragma once

#include "textobjects/MkBaseText.h"
#include "textobjects/MkChildArray.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// A container of text objects, and the root of a parsed tree.  Used as it is,
// it stacks its children from top to bottom, 2 pixels apart.
class TMkParsedTextList : public TMkBaseText {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::ParsedTextList;

    explicit TMkParsedTextList(TMkBaseText *parent);
    ~TMkParsedTextList() override;

    // The embedding host's windows, given to the root of a tree; embedded
    // controls look for them upwards (TMkBaseText::FindParentWindow).
    void *ParentWindow() const { return host_ ? host_->ParentWindow : nullptr; }
    void *HostControl() const { return host_ ? host_->HostControl : nullptr; }
    void SetParentWindow(void *window);
    void SetHostControl(void *control);

    bool NeedsLayout(const TMkLayoutArgs &args) override;
    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    TMkBaseText *HitTest(TMkPoint point, const TMkLayoutArgs &args) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void ResolveVariables(const TMkVariableCallback &callback) override;
    void Export(TMkWriter &writer) const override;

    // Children.  Adding makes this list the child's parent.
    template <class T> T *Add(std::unique_ptr<T> child)
    {
        T *raw = child.get();
        AddChild(std::move(child));
        return raw;
    }
    void AddChild(std::unique_ptr<TMkBaseText> child);
    void Insert(std::size_t index, std::unique_ptr<TMkBaseText> child);
    // Puts child in place of the one at index and destroys that one.
    void Replace(std::size_t index, std::unique_ptr<TMkBaseText> child);
    // Unlinks and destroys the child at index.
    void Delete(std::size_t index);
    // Unlinks the child at index and hands it over.
    std::unique_ptr<TMkBaseText> Extract(std::size_t index);
    std::size_t Count() const { return children_.size(); }
    TMkBaseText *Child(std::size_t index) const;
    // Index of a direct child, or Count() when it is not one.
    std::size_t IndexOf(const TMkBaseText *child) const;
    // The children that are T (see MkTextCast): how many, all of them in
    // order, and the index-th of them (null when index is negative or there
    // are not that many).
    template <class T> std::int32_t CountOf() const
    {
        std::int32_t n = 0;
        for (const auto &child : children_)
            if (MkTextCast<T>(child.get()) != nullptr)
                ++n;
        return n;
    }
    template <class T> std::vector<T *> ChildrenOf() const
    {
        std::vector<T *> found;
        found.reserve(children_.size());
        for (const auto &child : children_)
            if (T *t = MkTextCast<T>(child.get()))
                found.push_back(t);
        return found;
    }
    template <class T> T *NthChildOf(std::int32_t index) const
    {
        if (index < 0)
            return nullptr;
        for (const auto &child : children_)
            if (T *t = MkTextCast<T>(child.get()))
                if (index-- == 0)
                    return t;
        return nullptr;
    }

    // True for the containers that place children like a plain list (this
    // class, list items, rows and unexpanded repeat blocks).  Such a list
    // aligns a table child itself, so the table must not align again.
    virtual bool PlacesLikePlainList() const { return true; }

protected:
    // Copies of every child, appended to target with target as their parent.
    void CloneChildrenInto(TMkParsedTextList &target) const;
    void ExportChildren(TMkWriter &writer) const;

private:
    // Only a root is given them, so the other lists, most of a tree, keep
    // no room for them but a null pointer.
    struct THostWindows {
        void *ParentWindow = nullptr;
        void *HostControl = nullptr;
    };
    THostWindows &HostWindows();
    std::unique_ptr<THostWindows> host_;
    TMkChildArray children_;
};
