#pragma once

#include "textobjects/MkColor.h"

#include <string_view>

// The colour names markup may use, written without a "cl" prefix ("Red",
// "BtnFace"): the sixteen basic colours, four extra ones, Default and None,
// and the system colours.  False when the name (ignoring case) is not one.
bool MkColorByName(std::string_view name, TMkColor &color);
