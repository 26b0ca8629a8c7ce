#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace testkit {

// The whole file as bytes.
inline std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace testkit
