#include "markup/html/MkColorNames.h"

#include "markup/MkStrings.h"

#include <array>

namespace {

struct TNamedColor {
    const char *Name;
    TMkColor Color;
};

constexpr std::array<TNamedColor, 52> ColorNames{{
    {"Black", MkRGB(0, 0, 0)},
    {"Maroon", MkRGB(128, 0, 0)},
    {"Green", MkRGB(0, 128, 0)},
    {"Olive", MkRGB(128, 128, 0)},
    {"Navy", MkRGB(0, 0, 128)},
    {"Purple", MkRGB(128, 0, 128)},
    {"Teal", MkRGB(0, 128, 128)},
    {"Gray", MkRGB(128, 128, 128)},
    {"Silver", MkRGB(192, 192, 192)},
    {"Red", MkRGB(255, 0, 0)},
    {"Lime", MkRGB(0, 255, 0)},
    {"Yellow", MkRGB(255, 255, 0)},
    {"Blue", MkRGB(0, 0, 255)},
    {"Fuchsia", MkRGB(255, 0, 255)},
    {"Aqua", MkRGB(0, 255, 255)},
    {"White", MkRGB(255, 255, 255)},
    {"MoneyGreen", MkRGB(192, 220, 192)},
    {"SkyBlue", MkRGB(166, 202, 240)},
    {"Cream", MkRGB(255, 251, 240)},
    {"MedGray", MkRGB(160, 160, 164)},
    {"Default", NoColor},
    {"None", MkNoneColor},
    {"ScrollBar", MkSystemColor(0)},
    {"Background", MkSystemColor(1)},
    {"ActiveCaption", MkSystemColor(2)},
    {"InactiveCaption", MkSystemColor(3)},
    {"Menu", MkSystemColor(4)},
    {"Window", MkSystemColor(5)},
    {"WindowFrame", MkSystemColor(6)},
    {"MenuText", MkSystemColor(7)},
    {"WindowText", MkSystemColor(8)},
    {"CaptionText", MkSystemColor(9)},
    {"ActiveBorder", MkSystemColor(10)},
    {"InactiveBorder", MkSystemColor(11)},
    {"AppWorkSpace", MkSystemColor(12)},
    {"Highlight", MkSystemColor(13)},
    {"HighlightText", MkSystemColor(14)},
    {"BtnFace", MkSystemColor(15)},
    {"BtnShadow", MkSystemColor(16)},
    {"GrayText", MkSystemColor(17)},
    {"BtnText", MkSystemColor(18)},
    {"InactiveCaptionText", MkSystemColor(19)},
    {"BtnHighlight", MkSystemColor(20)},
    {"3DDkShadow", MkSystemColor(21)},
    {"3DLight", MkSystemColor(22)},
    {"InfoText", MkSystemColor(23)},
    {"InfoBk", MkSystemColor(24)},
    {"HotLight", MkSystemColor(26)},
    {"GradientActiveCaption", MkSystemColor(27)},
    {"GradientInactiveCaption", MkSystemColor(28)},
    {"MenuHighlight", MkSystemColor(29)},
    {"MenuBar", MkSystemColor(30)},
}};

} // namespace

bool MkColorByName(std::string_view name, TMkColor &color)
{
    for (const TNamedColor &entry : ColorNames) {
        if (MkSameText(entry.Name, name)) {
            color = entry.Color;
            return true;
        }
    }
    return false;
}
