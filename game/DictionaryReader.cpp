#include "game/DictionaryReader.h"

#include "game/InOutError.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr char kCtrlZ = '\x1A';
} // namespace

DictionaryReader::DictionaryReader(const std::string &path, std::size_t keepLimit)
    : keepLimit_(keepLimit)
{
    do {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        throw EInOutError::FromErrno(errno);
}

DictionaryReader::~DictionaryReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool DictionaryReader::Fill()
{
    if (endOfText_)
        return false;
    ssize_t got = 0;
    do {
        got = ::read(fd_, buffer_, sizeof buffer_);
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        throw EInOutError::FromErrno(errno);
    pos_ = 0;
    size_ = static_cast<std::size_t>(got);
    if (size_ == 0)
        endOfText_ = true;
    return size_ > 0;
}

// The next byte of the text, or -1 at its end; Ctrl-Z ends the text for good.
int DictionaryReader::PeekByte()
{
    if (endOfText_)
        return -1;
    if (pos_ == size_ && !Fill())
        return -1;
    if (buffer_[pos_] == kCtrlZ) {
        endOfText_ = true;
        return -1;
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

bool DictionaryReader::AtEnd()
{
    return PeekByte() < 0;
}

std::size_t DictionaryReader::ReadLine(std::string &line)
{
    line.clear();
    std::size_t length = 0;
    for (int c = PeekByte(); c >= 0; c = PeekByte()) {
        ++pos_;
        if (c == kLineFeed)
            break;
        if (c == kCarriageReturn) {
            if (PeekByte() == kLineFeed) {
                ++pos_;
                break;
            }
            continue; // a lone CR is dropped
        }
        if (length < keepLimit_)
            line.push_back(static_cast<char>(c));
        ++length;
    }
    return length;
}
