#include "textobjects/MkErrors.h"

EConvertError EConvertError::NotAnInteger(const std::string &text)
{
    return EConvertError("'" + text + "' is not a valid integer value");
}
