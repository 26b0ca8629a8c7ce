#include "game/InOutError.h"

#include <cerrno>

EInOutError::EInOutError(int code) : EInOutError(code, MessageFor(code)) {}

EInOutError::EInOutError(int code, const std::string &message)
    : std::runtime_error(message),
      code_(code)
{
}

std::string EInOutError::MessageFor(int code)
{
    switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
    }
}

EInOutError EInOutError::FromErrno(int err)
{
    switch (err) {
    case ENOENT: return EInOutError(2);
    case ENOTDIR:
    case ENAMETOOLONG: return EInOutError(3);
    case EMFILE:
    case ENFILE: return EInOutError(4);
    case EACCES:
    case EPERM:
    case EISDIR: return EInOutError(5);
    case ENOSPC: return EInOutError(101);
    default:
        // errno numbers overlap the codes above with other meanings (EIO is
        // 5): keep the number but never borrow another code's message.
        return EInOutError(err, "I/O error " + std::to_string(err));
    }
}
