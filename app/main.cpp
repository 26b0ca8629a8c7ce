#include "app/Uvesmar.h"
#include "app/VesmarApplication.h"
#include "markup/html/MkHTMLParser.h"
#include "markup/simple/MkSimpleParsers.h"
#include "widgets/QtPictureLoader.h"

int main(int argc, char **argv)
{
    TVesmarApplication app(argc, argv);

    // Rows of markup are read by the HTML parser, and the pictures they name
    // are loaded with Qt.  The other parsers are there for any list that
    // names them.
    MkRegisterSimpleParsers();
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
