#pragma once

#include <string>

// Checks that a file is a WAV sound a player can start: a readable RIFF file
// of form WAVE with a PCM format chunk and a data chunk.  Returns an empty
// string when it is, otherwise a short English reason naming the file.
std::string CheckWaveFile(const std::string &fileName);
