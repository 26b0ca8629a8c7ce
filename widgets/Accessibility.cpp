#include "widgets/Accessibility.h"

#include <QAccessibleWidget>
#include <QVariant>

namespace {

constexpr const char *RoleProperty = "vesmarAccessibleRole";

QAccessibleInterface *RoleFactory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget == nullptr)
        return nullptr;
    const QVariant role = widget->property(RoleProperty);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void SetAccessibleRole(QWidget *widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(&RoleFactory);
        return true;
    }();
    (void)installed;
    widget->setProperty(RoleProperty, static_cast<int>(role));
}

TAnnouncer::TAnnouncer(QWidget *statusBar) : QWidget(statusBar)
{
    SetAccessibleRole(this, QAccessible::Notification);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
}

void TAnnouncer::Say(const QString &text)
{
    if (text.isEmpty())
        return;
    if (pending_.isEmpty())
        QMetaObject::invokeMethod(this, &TAnnouncer::Speak, Qt::QueuedConnection);
    pending_ << text;
}

void TAnnouncer::Speak()
{
    // A screen reader says what it is given as written; each text ends in a
    // full stop of its own unless it already ends in punctuation, so that the
    // joined texts are read as sentences.
    QStringList sentences;
    for (QString text : pending_) {
        if (!text.back().isPunct())
            text += QLatin1Char('.');
        sentences << text;
    }
    pending_.clear();
    const QString spoken = sentences.join(QLatin1Char(' '));
    setAccessibleName(spoken);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit Spoken(spoken);
}
