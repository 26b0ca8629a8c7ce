#include "app/VesmarIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap Draw(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 32.0, side / 32.0);

    // A rounded board in the colour of the results list.
    p.setPen(QPen(QColor(0x80, 0x80, 0x60), 1));
    p.setBrush(QColor(0xFF, 0xFF, 0xE1));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);

    // The letter V in the guesses' dark red.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x44, 0x00, 0x00));
    p.drawText(QRectF(0, -1, 32, 22), Qt::AlignCenter, QStringLiteral("V"));

    // The two pegs.
    p.setPen(QPen(QColor(0x40, 0, 0), 1));
    p.setBrush(QColor(0x8B, 0, 0));
    p.drawEllipse(QRectF(6, 21, 8, 8));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    p.setBrush(QColor(0xF4, 0xF4, 0xF4));
    p.drawEllipse(QRectF(18, 21, 8, 8));
    return pixmap;
}

} // namespace

QIcon VesmarIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64})
        icon.addPixmap(Draw(side));
    return icon;
}
