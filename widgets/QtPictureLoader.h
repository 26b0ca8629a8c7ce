#pragma once

#include "textobjects/MkPicture.h"

#include <memory>
#include <string>

// Loads pictures with QImage: BMP and every other format Qt reads.  Bitmaps
// (".bmp" files) are drawn with their bottom-left colour transparent; other
// formats keep their own alpha channel.  Each list box installs one in its
// engine's picture store.
class TQtPictureLoader : public TMkPictureLoader {
public:
    std::unique_ptr<TMkGraphic> Load(const std::string &fileName) override;
};
