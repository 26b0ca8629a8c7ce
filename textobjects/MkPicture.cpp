#include "textobjects/MkPicture.h"

#include "textobjects/MkBitmap.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// A file as it was when it was read.  The same path with the same device,
// inode, size and modification time to the nanosecond holds the same bytes,
// so its picture need not be read again; a file written anew shows anew.
struct TFileIdentity {
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    std::int64_t ModifiedSeconds = 0;
    std::int64_t ModifiedNanoseconds = 0;

    friend bool operator==(const TFileIdentity &, const TFileIdentity &) = default;
};

bool Identify(const std::string &fileName, TFileIdentity &identity)
{
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    identity = {info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
    return true;
}

// The number of the picture batch open now, 0 while none is.  Pictures are
// loaded on one thread, as the cache below assumes.
std::uint64_t OpenBatch = 0;
std::uint64_t LastBatch = 0;

// The pictures read lately.  A list box reads the pictures of a row at every
// paint; with this, each paint costs one stat per picture file, and within a
// batch one per file.  The cache holds few pictures and few pixels, the
// oldest going first.
class TPictureCache {
public:
    static constexpr std::size_t MaxPictures = 16;
    static constexpr std::int64_t MaxPixels = std::int64_t{1} << 22;

    // The picture of a file already checked in the open batch.
    std::unique_ptr<TMkGraphic> FindChecked(const std::string &fileName,
                                            const TMkPictureLoader &loader)
    {
        if (OpenBatch == 0)
            return nullptr;
        for (const TEntry &entry : entries_)
            if (entry.CheckedInBatch == OpenBatch && entry.Loader == &loader &&
                entry.FileName == fileName)
                return entry.Graphic->Clone();
        return nullptr;
    }

    std::unique_ptr<TMkGraphic> Find(const std::string &fileName, const TMkPictureLoader &loader,
                                     const TFileIdentity &identity)
    {
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->FileName != fileName || it->Loader != &loader)
                continue;
            if (!(it->Identity == identity)) {
                entries_.erase(it);
                return nullptr;
            }
            it->CheckedInBatch = OpenBatch;
            std::rotate(entries_.begin(), it, it + 1); // the newest comes first
            return entries_.front().Graphic->Clone();
        }
        return nullptr;
    }

    void Keep(const std::string &fileName, const TMkPictureLoader &loader,
              const TFileIdentity &identity, const TMkGraphic &graphic)
    {
        const std::int64_t pixels = std::int64_t{graphic.Width()} * graphic.Height();
        if (pixels > MaxPixels)
            return;
        entries_.push_back({fileName, &loader, identity, graphic.Clone(), pixels, OpenBatch});
        std::rotate(entries_.begin(), entries_.end() - 1, entries_.end()); // newest first
        std::int64_t total = 0;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            total += entries_[i].Pixels;
            if (i >= MaxPictures || total > MaxPixels) {
                entries_.resize(i);
                break;
            }
        }
    }

    void Clear() { entries_.clear(); }

private:
    struct TEntry {
        std::string FileName;
        const TMkPictureLoader *Loader = nullptr;
        TFileIdentity Identity;
        std::unique_ptr<TMkGraphic> Graphic;
        std::int64_t Pixels = 0;
        std::uint64_t CheckedInBatch = 0; // 0: in no batch
    };
    std::vector<TEntry> entries_;
};

TPictureCache &PictureCache()
{
    static TPictureCache cache;
    return cache;
}

} // namespace

TMkPictureBatch::TMkPictureBatch() : nested_(OpenBatch != 0)
{
    if (!nested_)
        OpenBatch = ++LastBatch;
}

TMkPictureBatch::~TMkPictureBatch()
{
    if (!nested_)
        OpenBatch = 0;
}

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
        TMkPictureLoader &loader = MkPictureLoader();
        graphic_ = PictureCache().FindChecked(fileName, loader);
        if (graphic_)
            return true;
        TFileIdentity identity;
        const bool known = Identify(fileName, identity);
        if (known)
            graphic_ = PictureCache().Find(fileName, loader, identity);
        if (!graphic_) {
            graphic_ = loader.Load(fileName);
            if (known && graphic_)
                PictureCache().Keep(fileName, loader, identity, *graphic_);
        }
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
    // What another loader made of a file is not what this one would.
    PictureCache().Clear();
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
