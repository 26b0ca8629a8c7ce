#include "widgets/DesignFonts.h"

#include <QString>
#include <QStringList>

QFont DesignFont(const char *face, int pixels, bool bold)
{
    QFont font(QString::fromLatin1(face));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void InstallFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
}
