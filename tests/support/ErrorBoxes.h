#pragma once

#include "app/VesmarApplication.h"

#include <string>
#include <vector>

namespace testkit {

// Records the default error boxes instead of showing them, for as long as
// the object lives.
class ErrorBoxes {
public:
    struct Box {
        std::string title, text;
    };

    ErrorBoxes()
    {
        SetErrorBoxHook([this](const std::string &title, const std::string &text) {
            shown.push_back({title, text});
        });
    }
    ~ErrorBoxes() { SetErrorBoxHook(nullptr); }
    ErrorBoxes(const ErrorBoxes &) = delete;
    ErrorBoxes &operator=(const ErrorBoxes &) = delete;

    std::vector<Box> shown;
};

} // namespace testkit
