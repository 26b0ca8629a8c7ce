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
    classes_.push_back(controlClass);
    if (installed_)
        installed_->RegisterClass(controlClass);
    factories_[MkUpperCase(controlClass.Name)] = std::move(factory);
}

TMkControlHost *TQtControlHost::Install(TMkControls &controls)
{
    installed_ = &controls;
    for (const TMkControlClass &controlClass : classes_)
        controls.RegisterClass(controlClass);
    return controls.SetHost(this);
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
    const QPoint global = AsWidget(control)->mapToGlobal(QPoint(point.X, point.Y));
    return {global.x(), global.y()};
}

TMkPoint TQtControlHost::ScreenToClient(void *window, TMkPoint point)
{
    if (window == nullptr)
        return point;
    const QPoint local = AsWidget(window)->mapFromGlobal(QPoint(point.X, point.Y));
    return {local.x(), local.y()};
}

TQtWindowControl::TQtWindowControl(const TMkControlClass &controlClass, QWidget *widget)
    : class_(controlClass),
      widget_(widget)
{
}

// Each member reads the guarded pointer once into a plain pointer: testing
// the QPointer and then using it reads it twice, and GCC's optimiser warns
// that the second read may be null.
TQtWindowControl::~TQtWindowControl()
{
    QWidget *const widget = widget_;
    if (widget == nullptr || widget->parentWidget() == nullptr)
        return;
    // Trees are replaced while the list box paints; the widget vanishes at
    // once and is freed once the event in progress is over.
    widget->hide();
    widget->deleteLater();
}

void TQtWindowControl::SetParentWindow(void *window)
{
    QWidget *const widget = widget_;
    if (widget == nullptr)
        return;
    // setParent hides the widget; one that was not hidden on purpose is
    // shown again in its new window.
    const bool hidden = widget->isHidden();
    widget->setParent(AsWidget(window));
    if (!hidden)
        widget->show();
}

void *TQtWindowControl::ParentWindow() const
{
    QWidget *const widget = widget_;
    return widget == nullptr ? nullptr : widget->parentWidget();
}

void TQtWindowControl::SetVisible(bool visible)
{
    QWidget *const widget = widget_;
    if (widget != nullptr)
        widget->setVisible(visible);
}

bool TQtWindowControl::Visible() const
{
    QWidget *const widget = widget_;
    return widget != nullptr && !widget->isHidden();
}

void TQtWindowControl::SetSize(std::int32_t width, std::int32_t height)
{
    QWidget *const widget = widget_;
    if (widget != nullptr)
        widget->resize(width, height);
}

std::int32_t TQtWindowControl::Width() const
{
    QWidget *const widget = widget_;
    return widget == nullptr ? 0 : widget->width();
}

std::int32_t TQtWindowControl::Height() const
{
    QWidget *const widget = widget_;
    return widget == nullptr ? 0 : widget->height();
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
    QWidget *const widget = widget_;
    if (widget != nullptr)
        widget->move(position.X, position.Y);
}
