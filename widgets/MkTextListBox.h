#pragma once

#include <QListWidget>

#include <cstdint>
#include <string>

// A list box whose items are strings of markup, one row each, all of the
// same height.  Rows are kept as byte strings and drawn on demand.
class TMkTextListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TMkTextListBox(QWidget *parent = nullptr);

    // The operations the game uses.
    void Clear();
    void AddItem(const std::string &markup);
    int Count() const;
    std::string Item(int index) const;
    // Selects the item and scrolls it into view.
    void SetItemIndex(int index);
    int ItemIndex() const;

    void SetItemHeight(int height);
    int ItemHeight() const { return itemHeight_; }

    // Colour values (RGB or system colour numbers).
    void SetColor(std::uint32_t color);
    void SetSelectedColor(std::uint32_t color);
    void SetVerticalScrollBar(bool shown);

private:
    int itemHeight_ = 16;
};
