#include "widgets/QtControlHost.h"

#include "markup/MkStrings.h"
#include "widgets/Latin1.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QWidget *AsWidget(void *pointer)
{
    return static_cast<QWidget *>(pointer);
}

} // namespace

TQtControlHost::TQtControlHost()
{
    RegisterClass({"TEdit", TMkControlKind::Edit},
                  [](QWidget *owner) { return new QLineEdit(owner); });
    RegisterClass({"TButton", TMkControlKind::Button},
                  [](QWidget *owner) { return new QPushButton(owner); });
    RegisterClass({"TCheckBox", TMkControlKind::Other},
                  [](QWidget *owner) { return new QCheckBox(owner); });
    RegisterClass({"TRadioButton", TMkControlKind::Other},
                  [](QWidget *owner) { return new QRadioButton(owner); });
}

void TQtControlHost::RegisterClass(const TMkControlClass &controlClass, TFactory factory)
{
    MkRegisterControlClass(controlClass);
    factories_[MkUpperCase(controlClass.Name)] = std::move(factory);
}

std::unique_ptr<TMkWindowControl> TQtControlHost::CreateControl(const TMkControlClass &controlClass,
                                                                void *owner)
{
    const auto it = factories_.find(MkUpperCase(controlClass.Name));
    if (it == factories_.end())
        return nullptr;
    QWidget *widget = it->second(AsWidget(owner));
    if (widget == nullptr)
        return nullptr;
    return std::make_unique<TQtWindowControl>(controlClass, widget);
}

TMkPoint TQtControlHost::ClientToScreen(void *control, TMkPoint point)
{
    if (control == nullptr)
        return point;
    const QPoint global = AsWidget(control)->mapToGlobal(QPoint(point.x, point.y));
    return {global.x(), global.y()};
}

TMkPoint TQtControlHost::ScreenToClient(void *window, TMkPoint point)
{
    if (window == nullptr)
        return point;
    const QPoint local = AsWidget(window)->mapFromGlobal(QPoint(point.x, point.y));
    return {local.x(), local.y()};
}

TQtWindowControl::TQtWindowControl(const TMkControlClass &controlClass, QWidget *widget)
    : class_(controlClass), widget_(widget)
{
}

TQtWindowControl::~TQtWindowControl()
{
    if (widget_ == nullptr || widget_->parentWidget() == nullptr)
        return;
    // Trees are replaced while the list box paints; the widget vanishes at
    // once and is freed once the event in progress is over.
    widget_->hide();
    widget_->deleteLater();
}

void TQtWindowControl::SetParentWindow(void *window)
{
    if (widget_ == nullptr)
        return;
    // setParent hides the widget; one that was not hidden on purpose is
    // shown again in its new window.
    const bool hidden = widget_->isHidden();
    widget_->setParent(AsWidget(window));
    if (!hidden)
        widget_->show();
}

void *TQtWindowControl::ParentWindow() const
{
    return widget_ == nullptr ? nullptr : widget_->parentWidget();
}

void TQtWindowControl::SetVisible(bool visible)
{
    if (widget_ != nullptr)
        widget_->setVisible(visible);
}

bool TQtWindowControl::Visible() const
{
    return widget_ != nullptr && !widget_->isHidden();
}

void TQtWindowControl::SetSize(std::int32_t width, std::int32_t height)
{
    if (widget_ != nullptr)
        widget_->resize(width, height);
}

std::int32_t TQtWindowControl::Width() const
{
    return widget_ == nullptr ? 0 : widget_->width();
}

std::int32_t TQtWindowControl::Height() const
{
    return widget_ == nullptr ? 0 : widget_->height();
}

void TQtWindowControl::SetText(std::string_view text)
{
    const QString value = ToQString(std::string(text));
    if (auto *button = qobject_cast<QAbstractButton *>(widget_.data()))
        button->setText(value);
    else if (auto *edit = qobject_cast<QLineEdit *>(widget_.data()))
        edit->setText(value);
}

void TQtWindowControl::MoveTo(TMkPoint position)
{
    if (widget_ != nullptr)
        widget_->move(position.x, position.y);
}
