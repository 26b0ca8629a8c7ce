#pragma once

#include <memory>
#include <stdexcept>
#include <string>

class TSoundDevice;

// The error a media player raises when a sound cannot be opened or played.
class EMCIDeviceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Plays one sound file at a time: opening a file first closes the one before
// it, so a new cue cuts a sounding one short.  Playing returns at once and
// never reports a failure.  The device is released when the player goes.
class TMediaPlayer {
public:
    explicit TMediaPlayer(std::unique_ptr<TSoundDevice> device);
    ~TMediaPlayer();

    TMediaPlayer(const TMediaPlayer &) = delete;
    TMediaPlayer &operator=(const TMediaPlayer &) = delete;

    std::string FileName;

    // Closes any open sound, then opens FileName; throws EMCIDeviceError with
    // the device's reason ("Unknown error code" when it gives none).
    void Open();

    // Starts the open sound; throws "No MCI device open" when there is none.
    void Play();

    // Releases the open sound, if any.
    void Close();

    bool DeviceOpen() const { return open_; }

private:
    std::unique_ptr<TSoundDevice> device_;
    bool open_ = false;
};

// The cue operation: set the file, open it and play it.
void PlayCue(TMediaPlayer &player, const std::string &fileName);
