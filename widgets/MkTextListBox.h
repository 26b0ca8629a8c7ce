#pragma once

#include "markup/MkEngine.h"
#include "markup/MkTextObject.h"
#include "textobjects/MkColor.h"
#include "textobjects/MkFont.h"
#include "widgets/QtCanvas.h"
#include "widgets/QtPictureLoader.h"

#include <QItemSelectionModel>
#include <QListWidget>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

class QPainter;
class TQtCanvas;

// Options of the image list box family.  Only lboCalcHeight changes what a
// markup list box does: every item is measured instead of taking ItemHeight.
enum TMkListBoxOption : unsigned {
    lboImageListOrder = 1,
    lboCheckImageNr = 2,
    lboCalcHeight = 4,
    lboTransparentImages = 8,
};
using TMkListBoxOptions = unsigned;

// A list box whose items are strings of markup.  Whenever Qt asks for an item
// to be drawn, the item's bytes plus one line feed are parsed by the text
// container (TextSettings) into a fresh tree, which is painted into the item's
// rectangle; nothing is cached between paints.  Qt keeps the item strings,
// the single selection, scrolling into view and the scroll bars.
class TMkTextListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TMkTextListBox(QWidget *parent = nullptr);
    ~TMkTextListBox() override;

    // The operations the game uses.
    void Clear();
    // spoken is what screen readers say for the row in place of its markup;
    // without it they say nothing for it.
    void AddItem(const std::string &markup, const std::string &spoken = {});
    int Count() const;
    std::string Item(int index) const;
    // Replaces an item's markup; a row that failed to draw gets another try.
    void SetItem(int index, const std::string &markup);
    // Selects the item and scrolls it into view; -1 selects nothing.
    void SetItemIndex(int index);
    int ItemIndex() const;

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height) { SetAndRelayout(itemHeight_, height); }
    // The background.  Colour values are RGB or system colour numbers.
    TMkColor Color() const { return color_; }
    void SetColor(TMkColor color);
    // The colour of the list box's Font; face, size and style are QWidget's
    // font.
    TMkColor FontColor() const { return fontColor_; }
    void SetFontColor(TMkColor color) { SetAndRepaint(fontColor_, color); }
    // The list box's Font as the engine takes it (sizes in points at 96 dots
    // per inch).
    TMkFont MkFont() const;

    // Multiple selection is never offered, so this setting has no effect;
    // it is kept so that a list's settings read as designed.
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool on) { extendedSelect_ = on; }

    TMkColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TMkColor color) { SetAndRepaint(selectedColor_, color); }
    TMkColor SelectedFontColor() const { return selectedFontColor_; }
    void SetSelectedFontColor(TMkColor color) { SetAndRepaint(selectedFontColor_, color); }
    TMkFontStyleSet SelectedFontStyle() const { return selectedFontStyle_; }
    void SetSelectedFontStyle(TMkFontStyleSet style) { SetAndRepaint(selectedFontStyle_, style); }
    TMkColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TMkColor color) { SetAndRepaint(disabledColor_, color); }
    // Without the focus, a list with HideSelection draws its selection as
    // any other item.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on) { SetAndRepaint(hideSelection_, on); }
    bool HideFocus() const { return hideFocus_; }
    void SetHideFocus(bool on) { SetAndRepaint(hideFocus_, on); }
    // False: no vertical scroll bar, even when the items overflow.
    bool VerticalScrollBar() const { return verticalScrollBar_; }
    void SetVerticalScrollBar(bool shown);
    // A line along the bottom of every item.
    bool HorzGridLine() const { return horzGridLine_; }
    void SetHorzGridLine(bool on) { SetAndRepaint(horzGridLine_, on); }
    TMkColor GridColor() const { return gridColor_; }
    void SetGridColor(TMkColor color) { SetAndRepaint(gridColor_, color); }
    // The focus drawn as a two-colour bevel instead of the dotted rectangle.
    bool BeveledFocus() const { return beveledFocus_; }
    void SetBeveledFocus(bool on) { SetAndRepaint(beveledFocus_, on); }
    // Items as wide as this (plus twice Margin) when it exceeds the list's
    // width; the horizontal scroll bar then reaches them.  0: as wide as the
    // list.
    int HorizontalExtent() const { return horizontalExtent_; }
    void SetHorizontalExtent(int extent);
    int Margin() const { return margin_; }
    void SetMargin(int margin) { SetAndRelayout(margin_, margin); }
    // Items are drawn over whatever lies behind the list, without a fill.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    TMkListBoxOptions Options() const { return options_; }
    void SetOptions(TMkListBoxOptions options);
    // Word wrapping when items are measured (lboCalcHeight).
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);

    // The engine the items are parsed and painted with: the program's
    // parsers, pictures loaded with Qt.
    TMkEngine &Engine() { return engine_; }
    // The text container that parses and paints every item.
    TMkTextObject &TextSettings() { return textSettings_; }
    // Takes the other container's parser class and flags; the list box keeps
    // its own container and handlers.
    void SetTextSettings(const TMkTextObject &settings);

    // Answers the variable references of the items: the list box, the
    // upper-cased name, and the value to fill in.  Unassigned, every
    // reference reads as the empty string.
    std::function<void(TMkTextListBox &sender, const std::string &name, std::string &value)>
        OnGetVariable;

    // Told about an exception raised while an item was parsed, measured or
    // painted.  By default it is thrown again from the event loop, where the
    // application shows it in its error box: a paint event must not open a
    // modal box, nor may an exception unwind through Qt's painting.
    std::function<void(std::exception_ptr error)> OnItemError;

    struct TItemState {
        bool Selected = false;
        bool Focused = false;
    };
    // Draws one item into rect as the list does (fill, markup, grid line,
    // focus), clipped to rect.  Public so that tools can render an item into
    // an image exactly as the list shows it.
    void DrawItem(QPainter &painter, int index, const QRect &rect, TItemState state);
    // The height an item takes with lboCalcHeight.
    int MeasureItem(int index);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void DrawMarkup(TQtCanvas &canvas, int index, const TMkRect &rect, TMkColor background);
    std::string ItemText(int index) const;
    bool Failed(int index) const;
    void Fail(int index);
    void Repaint();
    // For the settings that only change how the items look (repaints) or how
    // tall they are (lays them out again).
    template <typename T> void SetAndRepaint(T &setting, T value)
    {
        setting = value;
        Repaint();
    }
    template <typename T> void SetAndRelayout(T &setting, T value)
    {
        setting = value;
        doItemsLayout();
    }
    std::string GetVariable(const std::string &name);

    TMkEngine engine_;
    TQtPictureLoader pictureLoader_;
    // The fonts every item draw and measure sets up again.
    TQtCanvas::TFaceCache faces_;
    TMkTextObject textSettings_{engine_};
    int itemHeight_ = 16;
    TMkColor color_ = MkSystemColor(5);
    TMkColor fontColor_ = MkSystemColor(8);
    bool extendedSelect_ = true;
    TMkColor selectedColor_ = MkSystemColor(13);
    TMkColor selectedFontColor_ = MkSystemColor(14);
    TMkFontStyleSet selectedFontStyle_ = 0;
    TMkColor disabledColor_ = MkSystemColor(5);
    bool hideSelection_ = false;
    bool hideFocus_ = false;
    bool verticalScrollBar_ = true;
    bool horzGridLine_ = false;
    TMkColor gridColor_ = 0xC0C0C0;
    bool beveledFocus_ = false;
    TMkColor bevelShadowColor_ = 0x808080;
    TMkColor bevelLightColor_ = 0xFFFFFF;
    int horizontalExtent_ = 0;
    int margin_ = 1;
    bool transparent_ = false;
    TMkListBoxOptions options_ = lboImageListOrder | lboCheckImageNr;
    bool wordWrap_ = true;
};
