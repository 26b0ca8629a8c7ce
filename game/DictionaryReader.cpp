#include "game/DictionaryReader.h"

#include "game/InOutError.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';
constexpr char CtrlZ = '\x1A';
} // namespace

TDictionaryReader::TDictionaryReader(const std::string &path, std::size_t keepLimit)
    : keepLimit_(keepLimit)
{
    do {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        throw EInOutError::FromErrno(errno);
}

TDictionaryReader::~TDictionaryReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool TDictionaryReader::Fill()
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
int TDictionaryReader::PeekByte()
{
    if (endOfText_)
        return -1;
    if (pos_ == size_ && !Fill())
        return -1;
    if (buffer_[pos_] == CtrlZ) {
        endOfText_ = true;
        return -1;
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

bool TDictionaryReader::AtEnd()
{
    return PeekByte() < 0;
}

std::size_t TDictionaryReader::ReadLine(std::string &line)
{
    line.clear();
    std::size_t length = 0;
    for (int c = PeekByte(); c >= 0; c = PeekByte()) {
        ++pos_;
        if (c == LineFeed)
            break;
        if (c == CarriageReturn) {
            if (PeekByte() == LineFeed) {
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
