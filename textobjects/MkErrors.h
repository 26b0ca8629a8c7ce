#pragma once

#include <stdexcept>
#include <string>

// Every failure the engine raises derives from EMkError, so that a draw
// request can catch the engine's errors apart from the runtime's.
class EMkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that should hold a number does not: "'%s' is not a valid integer
// value" with the offending text in place of %s.
class EConvertError : public EMkError {
public:
    using EMkError::EMkError;
    static EConvertError NotAnInteger(const std::string &text);
};

// A variable reference was used before the variables were resolved.
class EMkUnresolvedVariable : public EMkError {
public:
    using EMkError::EMkError;
};
