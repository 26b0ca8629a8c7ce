#pragma once

#include <string>

// The about box is laid out top to bottom from the sizes of its labels,
// at 96 dots per inch.  The measuring is left to the caller, so the
// arithmetic below can be checked on its own.

// The width of each of the two system information columns.
inline constexpr int AboutInfoColumnWidth = 150;

struct TAboutBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool placed = false;
};

struct TAboutMeasures {
    int iconWidth = 32, iconHeight = 32;
    int titleHeight = 0;
    // Heights of the labels as they come out with their texts; a label
    // whose text is empty is not placed.
    std::string description, credit, email;
    int descriptionHeight = 0, creditHeight = 0, emailHeight = 0;
    int captionHeight = 0, valueHeight = 0;
    int okWidth = 75, okHeight = 25;
};

struct TAboutLayout {
    int clientWidth = 0, clientHeight = 0;
    TAboutBox icon, title, description, credit, email, separator, caption, value, ok;
};

TAboutLayout LayoutAboutBox(const TAboutMeasures &m);
