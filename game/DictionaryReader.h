#pragma once

#include <cstddef>
#include <string>

// Reads a word list one line at a time through a small buffer, never holding
// more than the current line.
//
// Line rules: a line ends at LF, or at CR LF taken together; a CR that is not
// followed by LF is dropped and the line goes on.  The text ends at the end
// of the file or at the first Ctrl-Z byte.  The last line needs no line end.
//
// Lines are compared by length only, so a line longer than `keepLimit` bytes
// is counted but not kept whole: memory stays flat whatever the file holds.
class TDictionaryReader {
public:
    // Opens the file read-only; throws EInOutError when it cannot.
    TDictionaryReader(const std::string &path, std::size_t keepLimit);
    ~TDictionaryReader();

    TDictionaryReader(const TDictionaryReader &) = delete;
    TDictionaryReader &operator=(const TDictionaryReader &) = delete;

    // True when no byte is left before the end of the text.
    bool AtEnd();

    // Reads the next line and its line end.  Returns the line's full length;
    // `line` receives its first `keepLimit` bytes.
    std::size_t ReadLine(std::string &line);

private:
    bool Fill();
    int PeekByte();

    int fd_ = -1;
    std::size_t keepLimit_;
    bool endOfText_ = false;
    std::size_t pos_ = 0;
    std::size_t size_ = 0;
    char buffer_[16384] = {};
};
