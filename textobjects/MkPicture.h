#pragma once

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

    // Loads through the installed picture loader.  Never throws: any failure
    // leaves the holder without a graphic and returns false.
    bool LoadFromFile(const std::string &fileName);

private:
    std::unique_ptr<TMkGraphic> graphic_;
};

// While one lives, a file loaded once is not looked at again: every picture
// of one document shows its file as it was when the document first named it,
// which spares the check of the file for each repeated picture.  Batches
// nest; the outermost one counts.
class TMkPictureBatch {
public:
    TMkPictureBatch();
    ~TMkPictureBatch();
    TMkPictureBatch(const TMkPictureBatch &) = delete;
    TMkPictureBatch &operator=(const TMkPictureBatch &) = delete;

private:
    bool nested_;
};

// Turns a file into a graphic.  A loader may return null or throw on failure;
// TMkPicture::LoadFromFile absorbs both.
class TMkPictureLoader {
public:
    virtual ~TMkPictureLoader() = default;
    virtual std::unique_ptr<TMkGraphic> Load(const std::string &fileName) = 0;
};

// The process-wide loader.  The engine's default reads BMP files with the
// standard library; the Qt program installs its QImage loader at start-up and
// tests install fakes.  The caller keeps the installed loader alive; passing
// null restores the default.  Returns the loader that was installed before.
TMkPictureLoader *MkSetPictureLoader(TMkPictureLoader *loader);
TMkPictureLoader &MkPictureLoader();

// Installs a loader for the life of a scope (the program's main, tests).
class TMkScopedPictureLoader {
public:
    explicit TMkScopedPictureLoader(TMkPictureLoader &loader)
        : previous_(MkSetPictureLoader(&loader))
    {
    }
    ~TMkScopedPictureLoader() { MkSetPictureLoader(previous_); }
    TMkScopedPictureLoader(const TMkScopedPictureLoader &) = delete;
    TMkScopedPictureLoader &operator=(const TMkScopedPictureLoader &) = delete;

private:
    TMkPictureLoader *previous_;
};
