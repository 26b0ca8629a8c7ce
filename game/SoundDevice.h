#pragma once

#include <string>

// The sound facility behind the media player: one cue at a time, opened by
// file name with an answer that comes back before Open returns, and played
// in the background.
class TSoundDevice {
public:
    virtual ~TSoundDevice() = default;

    // Opens the sound file, waiting for the answer.  On failure returns false
    // with a text that says why (empty when there is none).  The caller
    // closes an open sound first.
    virtual bool Open(const std::string &fileName, std::string &errorText) = 0;

    // Releases the open sound, stopping it if it is still sounding.
    virtual void Close() = 0;

    // Starts the open sound and returns at once; failures stay silent.
    virtual void Play() = 0;
};
