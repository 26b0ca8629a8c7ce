#include "game/DictionaryReader.h"

#include "game/InOutError.h"
#include "game/LineFeedMap.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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
    lineFeeds_[0] = 1; // the empty buffer's end mark
    SeekLineFeeds();
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
    if (endOfText_ || endsInBuffer_) {
        endOfText_ = true;
        return false;
    }
    ssize_t got = 0;
    do {
        got = ::read(fd_, buffer_, sizeof buffer_);
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        throw EInOutError::FromErrno(errno);
    pos_ = 0;
    size_ = static_cast<std::size_t>(got);
    // Ctrl-Z ends the text for good: what follows it is never looked at.
    if (const void *ctrlZ = std::memchr(buffer_, CtrlZ, size_)) {
        size_ = static_cast<std::size_t>(static_cast<const char *>(ctrlZ) - buffer_);
        endsInBuffer_ = true;
    }
    if (size_ == 0)
        endOfText_ = true;
    FindCarriageReturn();
    MapLineFeeds();
    SeekLineFeeds();
    return size_ > 0;
}

void TDictionaryReader::MapLineFeeds()
{
    static_assert(BufferSize % 64 == 0, "the map reads whole blocks of 64 bytes");
    const std::size_t words = (size_ + 63) / 64;
    ::MapLineFeeds(buffer_, words, lineFeeds_);
    // Bytes past size_ may be left from an earlier read, and so may their
    // bits; the end mark comes before them, so a scan never reaches them.
    lineFeeds_[size_ / 64] |= std::uint64_t{1} << (size_ % 64);
}

void TDictionaryReader::FindCarriageReturn()
{
    const void *found = std::memchr(buffer_ + pos_, CarriageReturn, size_ - pos_);
    nextCarriageReturn_ =
        found ? static_cast<std::size_t>(static_cast<const char *>(found) - buffer_) : size_;
}

// The next byte of the text, or -1 at its end.
int TDictionaryReader::PeekByte()
{
    if (pos_ == size_ && !Fill())
        return -1;
    return static_cast<unsigned char>(buffer_[pos_]);
}

bool TDictionaryReader::AtEnd()
{
    return PeekByte() < 0;
}

void TDictionaryReader::Keep(std::string &line, std::size_t kept, const char *bytes,
                             std::size_t count) const
{
    if (kept < keepLimit_)
        line.append(bytes, std::min(count, keepLimit_ - kept));
}

bool TDictionaryReader::ReadOther(TDictionaryLine &line)
{
    if (pos_ == size_ && !Fill())
        return false;
    const char *start = buffer_ + pos_;
    const auto *lineFeed = static_cast<const char *>(std::memchr(start, LineFeed, size_ - pos_));
    if (lineFeed && nextCarriageReturn_ > pos_ + static_cast<std::size_t>(lineFeed - start)) {
        // The whole line is in the buffer, without a CR.
        line.Length = static_cast<std::size_t>(lineFeed - start);
        line.Kept = {start, std::min(line.Length, keepLimit_)};
        pos_ += line.Length + 1;
        if (pos_ == size_) {
            // The next read fills the buffer anew, also when it finds the
            // end of the text: the line must not be handed out from there.
            pieces_.assign(line.Kept);
            line.Kept = pieces_;
        }
        return true;
    }
    line.Length = ReadPieces(pieces_);
    line.Kept = pieces_;
    return true;
}

// A line read piece by piece: across buffers, and around carriage returns.
std::size_t TDictionaryReader::ReadPieces(std::string &line)
{
    line.clear();
    std::size_t length = 0;
    while (pos_ < size_ || Fill()) {
        const char *start = buffer_ + pos_;
        const auto *lineFeed =
            static_cast<const char *>(std::memchr(start, LineFeed, size_ - pos_));
        const std::size_t stretch =
            lineFeed ? static_cast<std::size_t>(lineFeed - start) : size_ - pos_;
        if (nextCarriageReturn_ < pos_ + stretch) {
            // The line holds a CR: take what comes before it, then the CR
            // either ends the line with the LF after it or is dropped.
            const std::size_t before = nextCarriageReturn_ - pos_;
            Keep(line, length, start, before);
            length += before;
            pos_ = nextCarriageReturn_ + 1;
            const bool endsLine = PeekByte() == LineFeed;
            if (endsLine)
                ++pos_;
            FindCarriageReturn();
            if (endsLine)
                return length;
            continue;
        }
        Keep(line, length, start, stretch);
        length += stretch;
        pos_ += stretch;
        if (lineFeed) {
            ++pos_;
            return length;
        }
    }
    return length;
}
