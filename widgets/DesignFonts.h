#pragma once

#include <QFont>

// The window and its lists were designed at 96 dots per inch with fonts
// given in pixels; these make such fonts on any desktop.

// A face at a height in pixels.
QFont DesignFont(const char *face, int pixels, bool bold = false);

// Where the desktop lacks the design's faces ("MS Sans Serif", "Verdana"),
// faces of similar metrics stand in before the desktop's own
// choice.  Called once, after the application object exists.
void InstallFontSubstitutes();
