#pragma once

#include "markup/MkEngine.h"

#include <gtest/gtest.h>

namespace testkit {

// A test with an engine of its own, which outlives the trees it parses.
class TEngineTest : public testing::Test {
protected:
    TMkEngine engine;
};

} // namespace testkit
