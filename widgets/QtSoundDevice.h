#pragma once

#include "game/SoundDevice.h"

#include <memory>

class QSoundEffect;

// Plays WAV cues through Qt Multimedia.  Open checks the file itself before
// handing it to Qt, so that it can answer at once; without an audio device
// playing stays silent and nothing blocks.
class TQtSoundDevice : public TSoundDevice {
public:
    TQtSoundDevice();
    ~TQtSoundDevice() override;

    bool Open(const std::string &fileName, std::string &errorText) override;
    void Close() override;
    void Play() override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};
