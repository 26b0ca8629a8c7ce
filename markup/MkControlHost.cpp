#include "markup/MkControlHost.h"

#include "markup/MkStrings.h"

#include <algorithm>

TMkControls::TMkControls()
{
    RegisterClass({"TEdit", TMkControlKind::Edit});
    RegisterClass({"TButton", TMkControlKind::Button});
    RegisterClass({"TCheckBox", TMkControlKind::Other});
    RegisterClass({"TRadioButton", TMkControlKind::Other});
}

TMkControlHost *TMkControls::SetHost(TMkControlHost *host)
{
    TMkControlHost *previous = host_;
    host_ = host;
    return previous;
}

void TMkControls::RegisterClass(const TMkControlClass &controlClass)
{
    auto it = std::find_if(classes_.begin(), classes_.end(), [&](const TMkControlClass &c) {
        return MkSameText(c.Name, controlClass.Name);
    });
    if (it != classes_.end())
        it->Kind = controlClass.Kind;
    else
        classes_.push_back(controlClass);
}

const TMkControlClass *TMkControls::FindClass(std::string_view name) const
{
    for (const TMkControlClass &c : classes_)
        if (MkSameText(c.Name, name))
            return &c;
    return nullptr;
}
