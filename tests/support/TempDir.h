#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace testkit {

// A fresh directory under the system's temporary folder, removed with the
// object; tests write their dictionaries and sound files into it.
class TTempDir {
public:
    TTempDir()
    {
        char pattern[] = "/tmp/vesmar-test-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~TTempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TTempDir(const TTempDir &) = delete;
    TTempDir &operator=(const TTempDir &) = delete;

    std::string File(const std::string &name) const { return (path_ / name).string(); }

    std::string Write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(File(name), std::ios::binary) << bytes;
        return File(name);
    }

    const std::filesystem::path &Path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace testkit
