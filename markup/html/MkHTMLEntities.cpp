#include "markup/html/MkHTMLEntities.h"

#include "textobjects/MkConvert.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace {

struct TNamedEntity {
    const char *Name;
    std::uint8_t Code;
};

// The replacement order matters (see the header).  "nbsp" gives a plain
// space: the layout breaks lines only at the words the parser makes, so a
// non-breaking space would gain nothing and could not be measured.
constexpr TNamedEntity NamedEntities[] = {
    {"nbsp", 32},    {"quot", 34},    {"amp", 38},     {"lt", 60},      {"gt", 62},
    {"iexcl", 161},  {"cent", 162},   {"pound", 163},  {"curren", 164}, {"yen", 165},
    {"brvbar", 166}, {"sect", 167},   {"uml", 168},    {"copy", 169},   {"ordf", 170},
    {"laquo", 171},  {"not", 172},    {"shy", 173},    {"reg", 174},    {"macr", 175},
    {"deg", 176},    {"plusmn", 177}, {"sup2", 178},   {"sup3", 179},   {"acute", 180},
    {"micro", 181},  {"para", 182},   {"middot", 183}, {"cedil", 184},  {"sup1", 185},
    {"ordm", 186},   {"raquo", 187},  {"frac14", 188}, {"frac12", 189}, {"frac34", 190},
    {"iquest", 191}, {"Agrave", 192}, {"Aacute", 193}, {"Acirc", 194},  {"Atilde", 195},
    {"Auml", 196},   {"Aring", 197},  {"AElig", 198},  {"Ccedil", 199}, {"Egrave", 200},
    {"Eacute", 201}, {"Ecirc", 202},  {"Euml", 203},   {"Igrave", 204}, {"Iacute", 205},
    {"Icirc", 206},  {"Iuml", 207},   {"ETH", 208},    {"Ntilde", 209}, {"Ograve", 210},
    {"Oacute", 211}, {"Ocirc", 212},  {"Otilde", 213}, {"Ouml", 214},   {"times", 215},
    {"Oslash", 216}, {"Ugrave", 217}, {"Uacute", 218}, {"Ucirc", 219},  {"Uuml", 220},
    {"Yacute", 221}, {"THORN", 222},  {"szlig", 223},  {"agrave", 224}, {"aacute", 225},
    {"acirc", 226},  {"atilde", 227}, {"auml", 228},   {"aring", 229},  {"aelig", 230},
    {"ccedil", 231}, {"egrave", 232}, {"eacute", 233}, {"ecirc", 234},  {"euml", 235},
    {"igrave", 236}, {"iacute", 237}, {"icirc", 238},  {"iuml", 239},   {"eth", 240},
    {"ntilde", 241}, {"ograve", 242}, {"oacute", 243}, {"ocirc", 244},  {"otilde", 245},
    {"ouml", 246},   {"divide", 247}, {"oslash", 248}, {"ugrave", 249}, {"uacute", 250},
    {"euro", 128},
};

bool EndsWith(const std::string &text, std::string_view tail)
{
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Replaces every occurrence of reference by code, looking at the whole text
// again after each replacement until none is left.  Done in one pass: the
// text is copied byte by byte, and whenever the copy ends with the reference
// that is the leftmost occurrence of the text as it stands (the copy held
// none before), so it is replaced on the spot and the new tail checked
// again.  Rescanning from the front instead would take quadratic time on a
// long run of references.
std::string ReplaceRepeatedly(const std::string &text, std::string_view reference, char code)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        while (EndsWith(out, reference)) {
            out.resize(out.size() - reference.size());
            out += code;
        }
    }
    return out;
}

// The character a numeric reference's digits stand for: the low 8 bits of
// the number, decimal or, after "x", hexadecimal.  False when they do not
// convert.
bool NumericReferenceCode(std::string_view digits, char &code)
{
    std::int32_t value = 0;
    bool ok = false;
    if (!digits.empty() && (digits.front() == 'x' || digits.front() == 'X')) {
        ok = MkTextTryHexToInt(digits.substr(1), value);
    } else {
        ok = MkTextTryStrToInt(digits, value);
    }
    if (ok)
        code = static_cast<char>(static_cast<std::uint8_t>(value & 0xFF));
    return ok;
}

} // namespace

std::string MkDecodeNamedEntities(std::string text)
{
    // Every reference is written out once, not at each call.
    static const std::vector<std::string> references = [] {
        std::vector<std::string> made;
        for (const TNamedEntity &entity : NamedEntities)
            made.push_back(std::string("&") + entity.Name + ";");
        return made;
    }();
    // Every reference holds an "&" and a ";": once a replacement has left
    // the text without either, no later one can match.
    const auto mayHoldReference = [&text] {
        return text.find('&') != std::string::npos && text.find(';') != std::string::npos;
    };
    if (!mayHoldReference())
        return text;
    for (std::size_t i = 0; i < references.size(); ++i) {
        if (text.find(references[i]) == std::string::npos)
            continue;
        text = ReplaceRepeatedly(text, references[i], static_cast<char>(NamedEntities[i].Code));
        if (!mayHoldReference())
            break;
    }
    return text;
}

// While the text holds "&#", its first occurrence is replaced.  The reference
// runs to the next ";"; without one it runs to the last byte of the text,
// which is then consumed but not part of the number.
//
// Done in place in one pass: out is text[0, w), the unread rest text[r, n).
// A replacement character goes back in front of the unread rest (a "&" there
// may start the next reference), and so does an "&" that ends the output,
// whether the reference was replaced or removed (a "#" now behind it
// completes a reference: "&&#x;#65;" is "A").  The reference consumed at
// least the two bytes "&#", so there is room for both.
std::string MkDecodeNumericEntities(std::string text)
{
    const std::size_t n = text.size();
    std::size_t w = 0;
    std::size_t r = 0;
    while (r < n) {
        if (!(text[r] == '&' && r + 1 < n && text[r + 1] == '#')) {
            text[w++] = text[r++];
            continue;
        }
        const std::size_t semicolon = text.find(';', r + 2);
        std::size_t digitsEnd = 0; // one past the last digit
        std::size_t next = 0;      // first byte after the reference
        if (semicolon != std::string::npos) {
            digitsEnd = semicolon;
            next = semicolon + 1;
        } else {
            digitsEnd = n - 1 > r + 2 ? n - 1 : r + 2;
            next = n;
        }
        char code = 0;
        const bool converts =
            NumericReferenceCode(std::string_view(text).substr(r + 2, digitsEnd - (r + 2)), code);
        r = next;
        if (converts)
            text[--r] = code;
        if (w > 0 && text[w - 1] == '&')
            text[--r] = text[--w];
    }
    text.resize(w);
    return text;
}

std::string MkDecodeEntities(std::string text)
{
    if (text.find('&') == std::string::npos)
        return text;
    return MkDecodeNumericEntities(MkDecodeNamedEntities(std::move(text)));
}
