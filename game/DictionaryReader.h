#pragma once

#include <algorithm>
#include <cstddef>
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
// A draw reads the whole list, often several times, so the reader looks for
// line ends with memchr rather than byte by byte: each buffer is searched
// once for Ctrl-Z and for carriage returns, and a line without one that lies
// in the buffer is handed out where it lies, not copied.
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
        // Most lines lie in the buffer before its next CR, with more of the
        // buffer after them; they are handed out where they lie.  The search
        // stops at that CR, so a line end found is one without a CR.
        const std::size_t searched = nextCarriageReturn_ > pos_ ? nextCarriageReturn_ - pos_ : 0;
        const char *start = buffer_ + pos_;
        const auto *lineFeed = static_cast<const char *>(std::memchr(start, '\n', searched));
        if (lineFeed == nullptr || lineFeed + 1 == buffer_ + size_)
            return NextOther(line);
        line.Length = static_cast<std::size_t>(lineFeed - start);
        line.Kept = {start, std::min(line.Length, keepLimit_)};
        pos_ += line.Length + 1;
        return true;
    }

private:
    // Next for every other line: at a buffer's end, across buffers, with a
    // CR, or the last one.
    bool NextOther(TDictionaryLine &line);
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
};
