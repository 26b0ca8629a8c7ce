#pragma once

#include <string>

// The about box is laid out top to bottom from the sizes of its labels,
// at 96 dots per inch.  The measuring is left to the caller, so the
// arithmetic below can be checked on its own.

// The width of each of the two system information columns.
inline constexpr int AboutInfoColumnWidth = 150;

struct TAboutBox {
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool Placed = false;
};

struct TAboutMeasures {
    int IconWidth = 32, IconHeight = 32;
    int TitleHeight = 0;
    // Heights of the labels as they come out with their texts; a label
    // whose text is empty is not placed.
    std::string Description, Credit, Email;
    int DescriptionHeight = 0, CreditHeight = 0, EmailHeight = 0;
    int CaptionHeight = 0, ValueHeight = 0;
    int OkWidth = 75, OkHeight = 25;
};

struct TAboutLayout {
    int ClientWidth = 0, ClientHeight = 0;
    TAboutBox Icon, Title, Description, Credit, Email, Separator, Caption, Value, Ok;
};

TAboutLayout LayoutAboutBox(const TAboutMeasures &m);
