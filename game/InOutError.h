#pragma once

#include <stdexcept>
#include <string>

// A failure to open or read a file, carrying the error code the message was
// made from.  The codes 2, 3, 4, 5, 100, 101 and 106 have messages of their
// own ("File not found", ...); any other code reads "I/O error <code>".
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(int code);

    // Builds the error for an errno value, translating the meanings that
    // have a message of their own and keeping the rest as they are.
    static EInOutError FromErrno(int err);

    int ErrorCode() const { return code_; }

    static std::string MessageFor(int code);

private:
    EInOutError(int code, const std::string &message);

    int code_;
};
