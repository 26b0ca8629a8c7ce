#include "app/Uvesmar.h"
#include "app/VesmarApplication.h"
#include "app/VesmarIcon.h"
#include "markup/MkHTMLParser.h"
#include "widgets/QtPictureLoader.h"

#include <QFont>

int main(int argc, char **argv)
{
    TVesmarApplication app(argc, argv);
    // The design's faces, where the desktop lacks them, fall back to faces
    // of similar metrics before the desktop's own choice.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
    app.setWindowIcon(VesmarIcon());
    // The edit fields' caret blinks every 530 ms (a full cycle is twice that).
    app.setCursorFlashTime(1060);

    // Rows of markup are read by the HTML parser, and the pictures they name
    // are loaded with Qt.
    MkRegisterHTMLParser();
    TQtPictureLoader pictureLoader;
    const TMkScopedPictureLoader usePictures(pictureLoader);

    TFvesmar window;
    // Without a word list the game cannot be played: the window said why on
    // standard error and is never shown.
    if (window.QuitRequested())
        return 1;
    window.show();
    return app.exec();
}
