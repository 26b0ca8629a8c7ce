#pragma once

#include "markup/MkControlHost.h"
#include "markup/MkHandlers.h"
#include "textobjects/MkPieceOfText.h"

#include <cstdint>
#include <memory>
#include <string>

class TMkWindowControl;

// A window control among the text: the piece reserves the control's room in
// the layout and, the first time it is laid out or painted inside a window
// (a ParentWindow up the tree and a host installed in the engine's controls,
// see MkControlHost.h),
// creates the control of class ControlClassName, hands it to the parse's
// ControlHandler and keeps it over its place.  Without a control it paints a
// filled rectangle of the requested size instead.
class TMkEmbdControl : public TMkPieceOfText {
public:
    // controls: the engine's controls; without them no control is made.
    TMkEmbdControl(TMkBaseText *parent, TMkControlHandler controlHandler, std::string heightText,
                   std::string widthText, std::string controlName, std::string controlClassName,
                   TMkControls *controls);
    ~TMkEmbdControl() override;

    std::string HeightText;
    std::string WidthText;
    std::string ControlClassName;
    std::string ControlName;
    std::string Caption;
    std::unique_ptr<TMkWindowControl> Control;
    void *OwnerControl = nullptr;
    TMkControlHandler ControlHandler;
    TMkControls *Controls = nullptr;

    // WidthText and HeightText as integers, 1 when empty (1 asks for the
    // control class's default size).  EConvertError when not an integer.
    std::int32_t RequestedWidth() const;
    std::int32_t RequestedHeight() const;

    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    // Copies start without a control.
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;

    // Creates the control when it does not exist yet and can be made.
    void EnsureControl();

private:
    void ApplyDefaultSize(TMkControlKind kind);
};
