#pragma once

#include "textobjects/MkPicture.h"
#include "textobjects/MkPieceOfText.h"

#include <cstdint>
#include <functional>
#include <string>

class TMkImage;

// Lets the host fill a picture that was not loaded from a file: receives the
// picture object, its holder, the source and the numeric image index.
using TMkImageCallback = std::function<void(TMkImage &sender, TMkPicture &picture,
                                            const std::string &source, std::int32_t index)>;

// A picture in the text flow.
class TMkImage : public TMkPieceOfText {
public:
    explicit TMkImage(TMkBaseText *parent);
    // Stores the texts and loads the source file through the store (see
    // MkImage.cpp); without a store nothing is loaded.
    TMkImage(TMkBaseText *parent, TMkImageCallback onGetImage, std::string imageIndex,
             std::string heightText, std::string widthText, std::string source,
             TMkPictureStore *pictures);

    std::string Source;
    std::string ImageIndex;
    std::string HeightText;
    std::string WidthText;
    TMkPicture Picture;
    TMkImageCallback OnGetImage;

    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void ResolveVariables(const TMkVariableCallback &callback) override;
    void Export(TMkWriter &writer) const override;

    // Numeric values of the texts: 0 when they are not integers.
    std::int32_t WidthValue() const;
    std::int32_t HeightValue() const;
    std::int32_t IndexValue() const;
};
