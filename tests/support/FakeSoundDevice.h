#pragma once

#include "game/SoundDevice.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace testkit {

// Records what the media player asks of its device.  Files named in
// `failing` fail to open, with `failText` as the reason.
class TFakeSoundDevice : public TSoundDevice {
public:
    struct TLog {
        std::vector<std::string> calls;
        std::set<std::string> failing;
        std::string failText = "cannot open";
    };

    explicit TFakeSoundDevice(std::shared_ptr<TLog> log) : log_(std::move(log)) {}

    bool Open(const std::string &fileName, std::string &errorText) override
    {
        log_->calls.push_back("open " + fileName);
        if (log_->failing.count(fileName) == 0)
            return true;
        errorText = log_->failText;
        return false;
    }
    void Close() override { log_->calls.push_back("close"); }
    void Play() override { log_->calls.push_back("play"); }

private:
    std::shared_ptr<TLog> log_;
};

} // namespace testkit
