#include "markup/MkControlHost.h"

#include "markup/MkStrings.h"

#include <algorithm>
#include <deque>

namespace {

TMkControlHost *&InstalledHost()
{
    static TMkControlHost *host = nullptr;
    return host;
}

std::deque<TMkControlClass> &ControlClasses()
{
    // Made on first use, so registration works from any start-up code.
    static std::deque<TMkControlClass> classes; // entries never move
    return classes;
}

} // namespace

TMkControlHost *MkSetControlHost(TMkControlHost *host)
{
    TMkControlHost *previous = InstalledHost();
    InstalledHost() = host;
    return previous;
}

TMkControlHost *MkControlHost()
{
    return InstalledHost();
}

void MkRegisterControlClass(const TMkControlClass &controlClass)
{
    auto &classes = ControlClasses();
    auto it = std::find_if(classes.begin(), classes.end(), [&](const TMkControlClass &c) {
        return MkSameText(c.Name, controlClass.Name);
    });
    if (it != classes.end())
        it->Kind = controlClass.Kind;
    else
        classes.push_back(controlClass);
}

const TMkControlClass *MkFindControlClass(std::string_view name)
{
    for (const TMkControlClass &c : ControlClasses())
        if (MkSameText(c.Name, name))
            return &c;
    return nullptr;
}

void MkRegisterStockControlClasses()
{
    MkRegisterControlClass({"TEdit", TMkControlKind::Edit});
    MkRegisterControlClass({"TButton", TMkControlKind::Button});
    MkRegisterControlClass({"TCheckBox", TMkControlKind::Other});
    MkRegisterControlClass({"TRadioButton", TMkControlKind::Other});
}
