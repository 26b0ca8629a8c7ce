#include "markup/MkStrings.h"

std::string MkUpperCase(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        c = MkUpperChar(c);
    return result;
}
