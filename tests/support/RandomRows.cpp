#include "support/RandomRows.h"

#include <cstddef>
#include <iterator>
#include <random>

namespace testkit {

std::vector<std::string> RandomRows(std::uint32_t seed, std::size_t count)
{
    static const char *const Pieces[] = {"<b>",
                                         "</b>",
                                         "<i>",
                                         "<u>",
                                         "<font face=\"verdana\" size=\"3\" color=\"#440000\">",
                                         "</font>",
                                         "<font size=+2>",
                                         "<p>",
                                         "<p align=right>",
                                         "</p>",
                                         "<br>",
                                         "<hr>",
                                         "<table border=\"0\">",
                                         "<table border=1 width=\"50%\">",
                                         "</table>",
                                         "<tr>",
                                         "</tr>",
                                         "<td width=\"30\">",
                                         "<td>",
                                         "<td colspan=2>",
                                         "<td rowspan=2>",
                                         "</td>",
                                         "<ul>",
                                         "<ol>",
                                         "<li>",
                                         "</ul>",
                                         "<img src=\"im1.bmp\">",
                                         "<img src=\"im2.bmp\" width=8>",
                                         "<img src=~~PIC>",
                                         "<repeat count=2>",
                                         "<repeat count=~~N>",
                                         "</repeat>",
                                         "<center>",
                                         "<sunken>",
                                         "<raised>",
                                         "<pcolor color=blue>",
                                         "<tree>",
                                         "<item>",
                                         "<plain>",
                                         "<a href=x>",
                                         "</a>",
                                         "<form>",
                                         "</form>",
                                         "<label>",
                                         "<button>",
                                         "</button>",
                                         "<sub>",
                                         "<sup>",
                                         "<h1>",
                                         "<pre>",
                                         "<input>",
                                         "<input type=submit>",
                                         "<control korclass=TEdit width=40>",
                                         "<basefont size=5>",
                                         "</basefont>",
                                         "<select>",
                                         "<option>",
                                         "<title>",
                                         "<!-- c -->",
                                         "casa",
                                         "mare",
                                         "&nbsp;",
                                         "&amp;",
                                         " ",
                                         "x",
                                         "~~W",
                                         "&#65;",
                                         "\xE8"};
    std::mt19937 random(seed);
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < count; ++i) {
        std::string row;
        if (pick(4) == 0) {
            const std::size_t inPlace = pick(6);
            row = "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B><FONT "
                  "FACE=\"verdana\" SIZE=\"3\" COLOR=\"#440000\">parola</FONT></B></td><td><B>"
                  "<repeat count=" +
                  std::to_string(inPlace) +
                  "><img src=\"im1.bmp\"></repeat><repeat count=" + std::to_string(5 - inPlace) +
                  "><img src=\"im2.bmp\"></repeat></B></td></tr>" + "</table>";
        } else {
            for (std::size_t n = pick(30) + 1; n > 0; --n)
                row += Pieces[pick(std::size(Pieces))];
        }
        rows.push_back(row + "\n");
    }
    return rows;
}

} // namespace testkit
