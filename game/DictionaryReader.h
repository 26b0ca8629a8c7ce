#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// One line as read: its first `keepLimit` bytes and its full length.
struct TDictionaryLine {
    std::string_view Kept;
    std::size_t Length = 0;
};

// Reads a word list one line at a time through a small buffer, never holding
// more than the current line.
//
// Line rules: a line ends at LF, or at CR LF taken together; a CR that is not
// followed by LF is dropped and the line goes on.  The text ends at the end
// of the file or at the first Ctrl-Z byte.  The last line needs no line end.
//
// Lines are compared by length only, so a line longer than `keepLimit` bytes
// is counted but not kept whole: memory stays flat whatever the file holds.
//
// A draw reads the whole list, often several times, so the reader never looks
// at a line byte by byte: each buffer is searched once for Ctrl-Z and for
// carriage returns, and once for line feeds, into a bitmap with one bit per
// byte (LineFeedMap.h).  A line without a CR that lies in the buffer
// is then found with a bit scan and handed out where it lies, not copied.
class TDictionaryReader {
public:
    // Bytes read from the file at a time.
    static constexpr std::size_t BufferSize = 65536;

    // Opens the file read-only; throws EInOutError when it cannot.
    TDictionaryReader(const std::string &path, std::size_t keepLimit);
    ~TDictionaryReader();

    TDictionaryReader(const TDictionaryReader &) = delete;
    TDictionaryReader &operator=(const TDictionaryReader &) = delete;

    // True when no byte is left before the end of the text.
    bool AtEnd();

    // Reads the next line and its line end; false, leaving `line` as it was,
    // at the end of the text.  The kept bytes stay valid until the next read.
    bool Next(TDictionaryLine &line)
    {
        // Most lines end before the buffer's next CR and before its last
        // byte; they are handed out where they lie.  Any other line (the
        // map's end mark stands for "no line feed in this buffer") is read
        // by NextOther.
        while (lineFeedBits_ == 0)
            lineFeedBits_ = lineFeeds_[++lineFeedWord_];
        const std::size_t lineFeed =
            lineFeedWord_ * 64 + static_cast<std::size_t>(std::countr_zero(lineFeedBits_));
        if (lineFeed + 1 >= nextCarriageReturn_)
            return NextOther(line);
        lineFeedBits_ &= lineFeedBits_ - 1;
        line.Length = lineFeed - pos_;
        line.Kept = {buffer_ + pos_, std::min(line.Length, keepLimit_)};
        pos_ = lineFeed + 1;
        return true;
    }

private:
    static constexpr std::size_t BitmapWords = BufferSize / 64 + 1;

    // Next for every other line: at a buffer's end, across buffers, with a
    // CR, or the last one.  It moves pos_ as it likes, and so leaves the
    // scan of the map where pos_ is.
    bool NextOther(TDictionaryLine &line)
    {
        const bool read = ReadOther(line);
        SeekLineFeeds();
        return read;
    }
    bool ReadOther(TDictionaryLine &line);
    // Starts the scan of the map at pos_.
    void SeekLineFeeds()
    {
        lineFeedWord_ = pos_ / 64;
        lineFeedBits_ = lineFeeds_[lineFeedWord_] >> (pos_ % 64) << (pos_ % 64);
    }
    void MapLineFeeds();
    bool Fill();
    int PeekByte();
    void FindCarriageReturn();
    std::size_t ReadPieces(std::string &line);
    void Keep(std::string &line, std::size_t kept, const char *bytes, std::size_t count) const;

    int fd_ = -1;
    std::size_t keepLimit_;
    bool endOfText_ = false;
    // The buffer holds the text up to a Ctrl-Z, which ends it.
    bool endsInBuffer_ = false;
    std::size_t pos_ = 0;
    std::size_t size_ = 0;
    // The first carriage return at or after pos_, or size_ when there is none.
    std::size_t nextCarriageReturn_ = 0;
    // The kept bytes of a line that crossed a buffer's end or held a CR.
    std::string pieces_;
    char buffer_[BufferSize] = {};
    // Bit i is set when buffer_[i] is a line feed; bit size_ is set as well,
    // so that a scan always stops.
    std::uint64_t lineFeeds_[BitmapWords] = {};
    // The scan: the word of the map at hand and its bits not yet taken.
    // Each line taken clears its own bit, so the scan never looks back and
    // a line costs one bit scan.
    std::size_t lineFeedWord_ = 0;
    std::uint64_t lineFeedBits_ = 0;
};
