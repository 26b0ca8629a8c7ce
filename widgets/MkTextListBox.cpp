#include "widgets/MkTextListBox.h"

#include "widgets/Latin1.h"
#include "widgets/QtSystemColors.h"

#include <QStyledItemDelegate>

namespace {

// Gives every row the list box's fixed item height.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    explicit FixedHeightDelegate(TMkTextListBox *box) : QStyledItemDelegate(box), box_(box) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(box_->ItemHeight());
        return size;
    }

private:
    const TMkTextListBox *box_;
};

constexpr int kMarkupRole = Qt::UserRole + 1;

} // namespace

TMkTextListBox::TMkTextListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new FixedHeightDelegate(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TMkTextListBox::Clear()
{
    clear();
}

void TMkTextListBox::AddItem(const std::string &markup)
{
    auto *item = new QListWidgetItem(ToQString(markup));
    item->setData(kMarkupRole, QByteArray(markup.data(), static_cast<qsizetype>(markup.size())));
    addItem(item);
}

int TMkTextListBox::Count() const
{
    return count();
}

std::string TMkTextListBox::Item(int index) const
{
    const QListWidgetItem *it = item(index);
    if (it == nullptr)
        return {};
    const QByteArray bytes = it->data(kMarkupRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void TMkTextListBox::SetItemIndex(int index)
{
    setCurrentRow(index);
    if (QListWidgetItem *it = item(index))
        scrollToItem(it);
}

int TMkTextListBox::ItemIndex() const
{
    return currentRow();
}

void TMkTextListBox::SetItemHeight(int height)
{
    itemHeight_ = height;
    doItemsLayout();
}

void TMkTextListBox::SetColor(std::uint32_t color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colorFromValue(color));
    setPalette(p);
}

void TMkTextListBox::SetSelectedColor(std::uint32_t color)
{
    QPalette p = palette();
    p.setColor(QPalette::Highlight, colorFromValue(color));
    p.setColor(QPalette::HighlightedText, p.color(QPalette::Text));
    setPalette(p);
}

void TMkTextListBox::SetVerticalScrollBar(bool shown)
{
    setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}
