#include "widgets/MkTextListBox.h"

#include "markup/html/MkHTMLParser.h"
#include "markup/simple/MkSimpleParsers.h"
#include "widgets/Latin1.h"
#include "widgets/QtCanvas.h"
#include "widgets/QtSystemColors.h"

#include <QAbstractItemDelegate>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int MarkupRole = Qt::UserRole + 1;
// Set on an item whose markup raised an error; it draws its background only
// until its text changes, so that the error is reported once, not on every
// repaint.
constexpr int FailedRole = Qt::UserRole + 2;

// Measured items stay within what a list view can stack by the thousand.
constexpr int MaxMeasuredHeight = 65'535;

TMkRect ToMkRect(const QRect &r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// Hands every paint and size request of the view to the list box.
class TMkTextItemDelegate : public QAbstractItemDelegate {
public:
    explicit TMkTextItemDelegate(TMkTextListBox *box) : QAbstractItemDelegate(box), box_(box) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        TMkTextListBox::TItemState state;
        state.Selected = option.state.testFlag(QStyle::State_Selected);
        state.Focused = option.state.testFlag(QStyle::State_HasFocus);
        box_->DrawItem(*painter, index.row(), option.rect, state);
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        const int extent = box_->HorizontalExtent();
        const int width = extent > box_->viewport()->width() ? extent + 2 * box_->Margin() : 0;
        if ((box_->Options() & lboCalcHeight) == 0)
            return {width, box_->ItemHeight()};
        return {width, box_->MeasureItem(index.row())};
    }

private:
    TMkTextListBox *box_;
};

} // namespace

TMkTextListBox::TMkTextListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setItemDelegate(new TMkTextItemDelegate(this));
    SetColor(color_);

    // Rows of markup are read by the HTML parser; the other parsers are
    // there for any list that names them.
    MkRegisterSimpleParsers(engine_.Parsers);
    MkRegisterHTMLParser(engine_.Parsers);
    engine_.Pictures.SetLoader(&pictureLoader_);
    textSettings_.NotifyParserChanges = true;
    textSettings_.OnChange = [this] { Repaint(); };
    // Pictures come from their files only.
    textSettings_.ImageHandler = [](TMkImage &, TMkPicture &, const std::string &, std::int32_t) {};
    textSettings_.VariableHandler = [this](const TMkHandlerSender &, const std::string &name) {
        return GetVariable(name);
    };
    OnItemError = [](std::exception_ptr error) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [error] { std::rethrow_exception(error); },
            Qt::QueuedConnection);
    };
}

QItemSelectionModel::SelectionFlags TMkTextListBox::selectionCommand(const QModelIndex &index,
                                                                     const QEvent *event) const
{
    // Qt lets Ctrl+click and Ctrl+Space take the selected row's selection
    // away; a single-selection list keeps its one selected row.
    const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    if (selectionMode() == QAbstractItemView::SingleSelection &&
        flags.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

TMkTextListBox::~TMkTextListBox() = default;

// --- items -------------------------------------------------------------------

void TMkTextListBox::Clear()
{
    clear();
}

void TMkTextListBox::AddItem(const std::string &markup, const std::string &spoken)
{
    auto *item = new QListWidgetItem;
    item->setData(MarkupRole, QByteArray(markup.data(), static_cast<qsizetype>(markup.size())));
    if (!spoken.empty())
        item->setData(Qt::AccessibleTextRole, ToQString(spoken));
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
    const QByteArray bytes = it->data(MarkupRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void TMkTextListBox::SetItem(int index, const std::string &markup)
{
    QListWidgetItem *it = item(index);
    if (it == nullptr)
        return;
    it->setData(FailedRole, QVariant());
    it->setData(MarkupRole, QByteArray(markup.data(), static_cast<qsizetype>(markup.size())));
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

std::string TMkTextListBox::ItemText(int index) const
{
    const QByteArray bytes = item(index)->data(MarkupRole).toByteArray();
    std::string text;
    text.reserve(static_cast<std::size_t>(bytes.size()) + 1);
    text.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    text += '\n';
    return text;
}

bool TMkTextListBox::Failed(int index) const
{
    return item(index)->data(FailedRole).toBool();
}

void TMkTextListBox::Fail(int index)
{
    item(index)->setData(FailedRole, true);
    if (OnItemError)
        OnItemError(std::current_exception());
}

// --- settings ------------------------------------------------------------------

void TMkTextListBox::Repaint()
{
    viewport()->update();
}

void TMkTextListBox::SetColor(TMkColor color)
{
    color_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Base, ColorFromValue(color));
    setPalette(p);
}

TMkFont TMkTextListBox::MkFont() const
{
    const QFont f = font();
    TMkFont result;
    result.Name = ToBytes(f.family());
    // A pixel height becomes points at 96 dots per inch, halves rounded up:
    // 13 pixels are 10 points.
    if (f.pixelSize() > 0)
        result.Size = (f.pixelSize() * 72 + 48) / 96;
    else
        result.Size = std::max(1, f.pointSize());
    result.Style = static_cast<TMkFontStyleSet>(
        (f.bold() ? MkFontBold : 0) | (f.italic() ? MkFontItalic : 0) |
        (f.underline() ? MkFontUnderline : 0) | (f.strikeOut() ? MkFontStrikeOut : 0));
    result.Color = fontColor_;
    return result;
}

void TMkTextListBox::SetVerticalScrollBar(bool shown)
{
    verticalScrollBar_ = shown;
    setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TMkTextListBox::SetHorizontalExtent(int extent)
{
    horizontalExtent_ = std::max(0, extent);
    setHorizontalScrollBarPolicy(horizontalExtent_ > 0 ? Qt::ScrollBarAsNeeded
                                                       : Qt::ScrollBarAlwaysOff);
    doItemsLayout();
}

void TMkTextListBox::SetTransparent(bool on)
{
    transparent_ = on;
    viewport()->setAutoFillBackground(!on);
    Repaint();
}

void TMkTextListBox::SetOptions(TMkListBoxOptions options)
{
    options_ = options;
    // Measured items may differ in height, and their heights follow the width.
    const bool measured = (options & lboCalcHeight) != 0;
    setUniformItemSizes(!measured);
    setResizeMode(measured ? QListView::Adjust : QListView::Fixed);
    doItemsLayout();
}

void TMkTextListBox::SetWordWrap(bool on)
{
    wordWrap_ = on;
    if ((options_ & lboCalcHeight) != 0)
        doItemsLayout();
}

void TMkTextListBox::SetTextSettings(const TMkTextObject &settings)
{
    textSettings_.Assign(settings);
}

std::string TMkTextListBox::GetVariable(const std::string &name)
{
    std::string value;
    if (OnGetVariable)
        OnGetVariable(*this, name, value);
    return value;
}

// --- drawing -------------------------------------------------------------------

void TMkTextListBox::DrawItem(QPainter &painter, int index, const QRect &itemRect, TItemState state)
{
    painter.save();
    // Markup taller than the item is cut off at the item's edges.
    painter.setClipRect(itemRect, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    {
        TQtCanvas canvas(painter, faces_);
        canvas.SetFont(MkFont());
        canvas.SetBrushColor(color_);
        bool selection = false;
        bool focusRect = !hideFocus_;
        if (isEnabled()) {
            selection = !(hideSelection_ && !hasFocus());
        } else {
            canvas.SetBrushColor(disabledColor_);
            focusRect = false;
        }
        if (state.Selected && selection) {
            canvas.SetBrushColor(selectedColor_);
            canvas.SetFontColor(selectedFontColor_);
            canvas.SetFontStyle(selectedFontStyle_);
        }
        TMkRect rect = ToMkRect(itemRect);
        const TMkColor background = canvas.BrushColor();
        if (!transparent_)
            canvas.FillRect(rect);
        if (Count() > 0) {
            if (horizontalExtent_ > viewport()->width())
                rect.Right = rect.Left + horizontalExtent_ + 2 * margin_;
            DrawMarkup(canvas, index, rect, background);
        }
        if (horzGridLine_) {
            canvas.SetPenColor(gridColor_);
            canvas.SetPenWidth(1);
            canvas.SetPenStyle(TMkPenStyle::Solid);
            canvas.MoveTo(rect.Left, rect.Bottom - 1);
            canvas.LineTo(rect.Right, rect.Bottom - 1);
        }
        if (state.Focused && focusRect) {
            if (beveledFocus_) {
                canvas.SetPenStyle(TMkPenStyle::Solid);
                canvas.SetPenWidth(1);
                canvas.SetPenColor(bevelLightColor_);
                canvas.MoveTo(rect.Left, rect.Bottom - 1);
                canvas.LineTo(rect.Left, rect.Top);
                canvas.LineTo(rect.Right - 1, rect.Top);
                canvas.SetPenColor(bevelShadowColor_);
                canvas.LineTo(rect.Right - 1, rect.Bottom - 1);
                canvas.LineTo(rect.Left, rect.Bottom - 1);
            } else {
                canvas.DrawFocusRect(rect);
            }
        }
    }
    painter.restore();
}

void TMkTextListBox::DrawMarkup(TQtCanvas &canvas, int index, const TMkRect &rect,
                                TMkColor background)
{
    if (index < 0 || index >= Count() || Failed(index))
        return;
    try {
        textSettings_.Parse(ItemText(index));
        // The live canvas font is the base font: each word starts from the
        // font the word before it left behind.
        textSettings_.Paint(canvas, rect, {0, 0}, canvas.Font(), color_, true, true);
    } catch (...) {
        // Whatever the markup drew before it failed goes again.
        canvas.SetBrushColor(background);
        if (!transparent_)
            canvas.FillRect(rect);
        Fail(index);
    }
}

void TMkTextListBox::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    // A list without items still shows that it has the focus, where its first
    // item would stand: players must always see where their keys go.
    if (Count() == 0 && hasFocus() && !hideFocus_ && isEnabled()) {
        QPainter painter(viewport());
        TQtCanvas canvas(painter);
        canvas.DrawFocusRect({0, 0, viewport()->width(), itemHeight_});
    }
}

void TMkTextListBox::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The list view tells screen readers that its current row has the focus
    // whether or not the list has it; a row chosen while the keys go to
    // another control would pull the screen reader away from that control.
    if (hasFocus())
        QListWidget::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current,
                                          previous); // NOLINT(bugprone-parent-virtual-call)
}

int TMkTextListBox::MeasureItem(int index)
{
    if (index < 0 || index >= Count() || Failed(index))
        return itemHeight_;
    QImage scratch(1, 1, QImage::Format_ARGB32);
    QPainter painter(&scratch);
    TQtCanvas canvas(painter, faces_);
    const TMkFont font = MkFont();
    canvas.SetFont(font);
    try {
        textSettings_.Parse(ItemText(index));
        const TMkRect bounds = textSettings_.Bounds(
            canvas, {0, 0, viewport()->width(), itemHeight_}, font, true, wordWrap_);
        return static_cast<int>(std::clamp<std::int64_t>(bounds.Height(), 1, MaxMeasuredHeight));
    } catch (...) {
        Fail(index);
        return itemHeight_;
    }
}
