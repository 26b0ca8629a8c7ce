#include "markup/MkHandlers.h"

TMkVariableCallback MkVariableCallback(const TMkVariableHandler &handler)
{
    if (!handler)
        return {};
    return [handler](TMkBaseText &sender, const std::string &name) {
        TMkHandlerSender from;
        from.Text = &sender;
        return handler(from, name);
    };
}

TMkRepeatCallback MkRepeatCallback(const TMkRepeatHandler &handler)
{
    if (!handler)
        return {};
    return [handler](TMkBaseText &sender, std::int32_t index) {
        TMkHandlerSender from;
        from.Text = &sender;
        handler(from, index);
    };
}

std::string MkResolveVariable(const TMkVariableHandler &handler, const TMkHandlerSender &sender,
                              const std::string &reference)
{
    return handler ? handler(sender, MkTextVariableName(reference)) : std::string{};
}
