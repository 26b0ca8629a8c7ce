#pragma once

#include "app/VesmarApplication.h"

#include <string>
#include <vector>

namespace testkit {

// Records the default error boxes instead of showing them, for as long as
// the object lives.
class TErrorBoxes {
public:
    struct TBox {
        std::string title, text;
    };

    TErrorBoxes()
    {
        SetErrorBoxHook([this](const std::string &title, const std::string &text) {
            shown.push_back({title, text});
        });
    }
    ~TErrorBoxes() { SetErrorBoxHook(nullptr); }
    TErrorBoxes(const TErrorBoxes &) = delete;
    TErrorBoxes &operator=(const TErrorBoxes &) = delete;

    std::vector<TBox> shown;
};

} // namespace testkit
