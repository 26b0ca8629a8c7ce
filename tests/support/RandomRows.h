#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

// Rows as the game writes them, and tag soup made of every kind of element
// (those that exclude others among them), REPEAT blocks, variables (~~N,
// ~~PIC, ~~W), pictures and controls; the same for the same seed.
std::vector<std::string> RandomRows(std::uint32_t seed, std::size_t count);

} // namespace testkit
