#include "textobjects/MkPicture.h"

#include "textobjects/MkBitmap.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
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

} // namespace

class TMkPictureStore::TCache {
public:
    using TClock = std::chrono::steady_clock;
    static constexpr std::size_t MaxPictures = 16;
    static constexpr std::int64_t MaxPixels = std::int64_t{1} << 22;

    // The picture of a file whose last look still holds: one in the open
    // batch, or one less than `interval` ago.  Null when the file must be
    // looked at again (or was never read).
    std::unique_ptr<TMkGraphic> FindChecked(const std::string &fileName,
                                            const TMkPictureLoader &loader, std::uint64_t openBatch,
                                            TClock::duration interval)
    {
        const auto entry = Named(fileName, loader);
        if (entry == entries_.end())
            return nullptr;
        if (openBatch == 0 || entry->CheckedInBatch != openBatch) {
            if (TClock::now() - entry->CheckedAt >= interval)
                return nullptr;
            entry->CheckedInBatch = openBatch;
        }
        return entry->Graphic->Clone();
    }

    // The picture of a file just looked at, if it is the file that was read.
    std::unique_ptr<TMkGraphic> Find(const std::string &fileName, const TMkPictureLoader &loader,
                                     const TFileIdentity &identity, std::uint64_t openBatch)
    {
        const auto it = Named(fileName, loader);
        if (it == entries_.end())
            return nullptr;
        if (!(it->Identity == identity)) {
            entries_.erase(it);
            return nullptr;
        }
        it->CheckedInBatch = openBatch;
        it->CheckedAt = TClock::now();
        std::rotate(entries_.begin(), it, it + 1); // the newest comes first
        return entries_.front().Graphic->Clone();
    }

    void Keep(const std::string &fileName, const TMkPictureLoader &loader,
              const TFileIdentity &identity, const TMkGraphic &graphic, std::uint64_t openBatch)
    {
        const std::int64_t pixels = std::int64_t{graphic.Width()} * graphic.Height();
        if (pixels > MaxPixels)
            return;
        entries_.push_back(
            {fileName, &loader, identity, graphic.Clone(), pixels, openBatch, TClock::now()});
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
        TClock::time_point CheckedAt;     // the last look at the file
    };

    // The entry of a file read through loader, or the end.
    std::vector<TEntry>::iterator Named(const std::string &fileName, const TMkPictureLoader &loader)
    {
        return std::find_if(entries_.begin(), entries_.end(), [&](const TEntry &entry) {
            return entry.Loader == &loader && entry.FileName == fileName;
        });
    }

    std::vector<TEntry> entries_;
};

TMkPictureStore::TMkPictureStore()
    : defaultLoader_(std::make_unique<TMkBmpLoader>()),
      cache_(std::make_unique<TCache>())
{
}

TMkPictureStore::~TMkPictureStore() = default;

TMkPictureLoader *TMkPictureStore::SetLoader(TMkPictureLoader *loader)
{
    cache_->Clear();
    TMkPictureLoader *previous = loader_;
    loader_ = loader;
    return previous;
}

TMkPictureLoader &TMkPictureStore::Loader()
{
    return loader_ ? *loader_ : *defaultLoader_;
}

TMkPictureBatch::TMkPictureBatch(TMkPictureStore &store)
    : store_(store),
      nested_(store.openBatch_ != 0)
{
    if (!nested_)
        store_.openBatch_ = ++store_.lastBatch_;
}

TMkPictureBatch::~TMkPictureBatch()
{
    if (!nested_)
        store_.openBatch_ = 0;
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

bool TMkPicture::LoadFromFile(const std::string &fileName, TMkPictureStore &store)
{
    graphic_.reset();
    try {
        TMkPictureLoader &loader = store.Loader();
        TMkPictureStore::TCache &cache = *store.cache_;
        const std::uint64_t batch = store.openBatch_;
        graphic_ = cache.FindChecked(fileName, loader, batch, store.CheckInterval);
        if (graphic_)
            return true;
        TFileIdentity identity;
        const bool known = Identify(fileName, identity);
        if (known)
            graphic_ = cache.Find(fileName, loader, identity, batch);
        if (!graphic_) {
            graphic_ = loader.Load(fileName);
            if (known && graphic_)
                cache.Keep(fileName, loader, identity, *graphic_, batch);
        }
    } catch (...) {
        // A picture that cannot be read shows as a placeholder; the reason
        // does not matter to anyone downstream.
        graphic_.reset();
    }
    return graphic_ != nullptr;
}
