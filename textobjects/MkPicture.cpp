#include "textobjects/MkPicture.h"

#include "textobjects/MkBitmap.h"

TMkPicture::TMkPicture(const TMkPicture &other)
    : graphic_(other.graphic_ ? other.graphic_->Clone() : nullptr)
{
}

TMkPicture &TMkPicture::operator=(const TMkPicture &other)
{
    if (this != &other)
        graphic_ = other.graphic_ ? other.graphic_->Clone() : nullptr;
    return *this;
}

TMkPicture::~TMkPicture() = default;

void TMkPicture::SetGraphic(std::unique_ptr<TMkGraphic> graphic)
{
    graphic_ = std::move(graphic);
}

std::int32_t TMkPicture::Width() const
{
    return graphic_ ? graphic_->Width() : 0;
}

std::int32_t TMkPicture::Height() const
{
    return graphic_ ? graphic_->Height() : 0;
}

bool TMkPicture::Empty() const
{
    return !graphic_ || graphic_->Empty();
}

bool TMkPicture::LoadFromFile(const std::string &fileName)
{
    graphic_.reset();
    try {
        graphic_ = MkPictureLoader().Load(fileName);
    } catch (...) {
        // A picture that cannot be read shows as a placeholder; the reason
        // does not matter to anyone downstream.
        graphic_.reset();
    }
    return graphic_ != nullptr;
}

namespace {

TMkPictureLoader *&InstalledLoader()
{
    static TMkPictureLoader *loader = nullptr;
    return loader;
}

} // namespace

TMkPictureLoader *MkSetPictureLoader(TMkPictureLoader *loader)
{
    TMkPictureLoader *previous = InstalledLoader();
    InstalledLoader() = loader;
    return previous;
}

TMkPictureLoader &MkPictureLoader()
{
    static TMkBmpLoader defaultLoader;
    TMkPictureLoader *loader = InstalledLoader();
    return loader ? *loader : defaultLoader;
}
