#include "app/Uvesmar.h"
#include "app/VesmarApplication.h"

int main(int argc, char **argv)
{
    TVesmarApplication app(argc, argv);

    // Each list box brings its own engine: parsers, Qt picture loading.
    TFvesmar window;
    // Without a word list the game cannot be played: the window said why on
    // standard error and is never shown.
    if (window.QuitRequested())
        return 1;
    window.show();
    return app.exec();
}
