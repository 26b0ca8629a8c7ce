#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

// A loaded graphic (a bitmap or any other format a loader understands).
class TMkGraphic {
public:
    virtual ~TMkGraphic() = default;
    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
    virtual bool Empty() const = 0;
    virtual std::unique_ptr<TMkGraphic> Clone() const = 0;
};

class TMkPictureLoader;
class TMkPictureStore;

// The picture holder of a picture object: it may hold a graphic or not.
// Layout asks whether it holds one; painting also asks whether that graphic is
// empty.
class TMkPicture {
public:
    TMkPicture() = default;
    TMkPicture(const TMkPicture &other);
    TMkPicture &operator=(const TMkPicture &other);
    ~TMkPicture();

    bool HasGraphic() const { return graphic_ != nullptr; }
    const TMkGraphic *Graphic() const { return graphic_.get(); }
    void SetGraphic(std::unique_ptr<TMkGraphic> graphic);
    void Clear() { graphic_.reset(); }

    // Size of the graphic, 0 by 0 without one.
    std::int32_t Width() const;
    std::int32_t Height() const;
    // True without a graphic or with an empty one.
    bool Empty() const;

    // Loads through the store's loader and cache.  Never throws: any failure
    // leaves the holder without a graphic and returns false.
    bool LoadFromFile(const std::string &fileName, TMkPictureStore &store);

private:
    std::unique_ptr<TMkGraphic> graphic_;
};

// Turns a file into a graphic.  A loader may return null or throw on failure;
// TMkPicture::LoadFromFile absorbs both.
class TMkPictureLoader {
public:
    virtual ~TMkPictureLoader() = default;
    virtual std::unique_ptr<TMkGraphic> Load(const std::string &fileName) = 0;
};

// Where the pictures of an engine come from: the loader in use and the
// pictures read lately.  A list box reads the pictures of a row at every
// paint.  With the cache, a file is read once and then only looked at (one
// stat) to see whether it changed, and only when its last look is older than
// CheckInterval: on a virtual machine a stat can take five microseconds, a
// third of a whole row's draw, and a list repaints far more often than
// anyone writes its pictures anew.  Within a batch (TMkPictureBatch) a file
// is looked at once whatever the interval.  The cache holds few pictures and
// few pixels, the oldest going first.
//
// The default loader reads BMP files with the standard library; the Qt
// program installs its QImage loader and tests install fakes.  A store is
// used by one thread at a time, like the engine that holds it.
class TMkPictureStore {
public:
    TMkPictureStore();
    ~TMkPictureStore();
    TMkPictureStore(const TMkPictureStore &) = delete;
    TMkPictureStore &operator=(const TMkPictureStore &) = delete;

    // Installs a loader (null: the default); the caller keeps it alive.
    // Returns the loader installed before (null for the default).  The
    // cache is emptied: what another loader made of a file is not what this
    // one would.
    TMkPictureLoader *SetLoader(TMkPictureLoader *loader);
    TMkPictureLoader &Loader();

    // How long a look at a file holds.  A file written anew shows at the
    // first paint after its last look has grown this old, which for a tenth
    // of a second no one sees; zero looks at the file at every load outside
    // a batch.
    std::chrono::steady_clock::duration CheckInterval = std::chrono::milliseconds(100);

private:
    friend class TMkPicture;
    friend class TMkPictureBatch;
    class TCache;

    TMkPictureLoader *loader_ = nullptr;
    std::unique_ptr<TMkPictureLoader> defaultLoader_;
    std::unique_ptr<TCache> cache_;
    // The number of the batch open now, 0 while none is.
    std::uint64_t openBatch_ = 0;
    std::uint64_t lastBatch_ = 0;
};

// While one lives, a file loaded once through the store is not looked at
// again: every picture of one document shows its file as it was when the
// document first named it, which spares the check of the file for each
// repeated picture.  Batches nest; the outermost one counts.
class TMkPictureBatch {
public:
    explicit TMkPictureBatch(TMkPictureStore &store);
    ~TMkPictureBatch();
    TMkPictureBatch(const TMkPictureBatch &) = delete;
    TMkPictureBatch &operator=(const TMkPictureBatch &) = delete;

private:
    TMkPictureStore &store_;
    bool nested_;
};

// Installs a loader in a store for the life of a scope (tests, tools).
class TMkScopedPictureLoader {
public:
    TMkScopedPictureLoader(TMkPictureStore &store, TMkPictureLoader &loader)
        : store_(store),
          previous_(store.SetLoader(&loader))
    {
    }
    ~TMkScopedPictureLoader() { store_.SetLoader(previous_); }
    TMkScopedPictureLoader(const TMkScopedPictureLoader &) = delete;
    TMkScopedPictureLoader &operator=(const TMkScopedPictureLoader &) = delete;

private:
    TMkPictureStore &store_;
    TMkPictureLoader *previous_;
};
