#include "markup/MkEmbdControl.h"

#include "markup/MkControlHost.h"
#include "textobjects/MkArith.h"
#include "textobjects/MkCanvas.h"
#include "textobjects/MkConvert.h"
#include "textobjects/MkWriter.h"

namespace {

std::int32_t RequestedSize(const std::string &text)
{
    return text.empty() ? 1 : MkTextStrToInt(text);
}

} // namespace

TMkEmbdControl::TMkEmbdControl(TMkBaseText *parent, TMkControlHandler controlHandler,
                               std::string heightText, std::string widthText,
                               std::string controlName, std::string controlClassName,
                               TMkControls *controls)
    : TMkPieceOfText(parent),
      HeightText(std::move(heightText)),
      WidthText(std::move(widthText)),
      ControlClassName(std::move(controlClassName)),
      ControlName(std::move(controlName)),
      ControlHandler(std::move(controlHandler)),
      Controls(controls)
{
    LayOutEveryTime();
}

TMkEmbdControl::~TMkEmbdControl() = default;

std::int32_t TMkEmbdControl::RequestedWidth() const
{
    return RequestedSize(WidthText);
}
std::int32_t TMkEmbdControl::RequestedHeight() const
{
    return RequestedSize(HeightText);
}

void TMkEmbdControl::Layout(const TMkLayoutArgs &)
{
    EnsureControl();
    Width = Control ? Control->Width() : 0;
    Height = Control ? Control->Height() : 0;
}

void TMkEmbdControl::Paint(const TMkPaintArgs &args)
{
    args.Canvas.SetBrushColor(args.WhiteOut ? MkColorWhite : args.BackColor);
    EnsureControl();
    const TMkPoint at{mktext::SatAdd(args.Rect.Left, args.Offset.X),
                      mktext::SatAdd(args.Rect.Top, args.Offset.Y)};
    if (!Control) {
        args.Canvas.FillRect({at.X, at.Y, mktext::SatAdd(at.X, RequestedWidth()),
                              mktext::SatAdd(at.Y, RequestedHeight())});
        return;
    }
    // The point is in the owner's client coordinates; the control lives in
    // its parent window's.
    TMkControlHost *host = Controls ? Controls->Host() : nullptr;
    if (host)
        Control->MoveTo(
            host->ScreenToClient(Control->ParentWindow(), host->ClientToScreen(OwnerControl, at)));
    Control->SetVisible(true);
}

void TMkEmbdControl::EnsureControl()
{
    if (Control)
        return;
    void *parentWindow = FindParentWindow();
    OwnerControl = FindHostControl();
    TMkControlHost *host = Controls ? Controls->Host() : nullptr;
    const TMkControlClass *controlClass =
        Controls ? Controls->FindClass(ControlClassName) : nullptr;
    if (!parentWindow || !host || !controlClass)
        return;
    const TMkControlClass chosen = *controlClass;
    std::unique_ptr<TMkWindowControl> control = host->CreateControl(chosen, OwnerControl);
    if (!control)
        return;
    control->SetVisible(false);
    control->SetParentWindow(parentWindow);
    Control = std::move(control);
    ApplyDefaultSize(chosen.Kind);
    Control->SetSize(RequestedWidth(), RequestedHeight());
    if (ControlHandler)
        ControlHandler(*this, Control->Native(), ControlName);
    if (chosen.Kind == TMkControlKind::Button && !Caption.empty())
        Control->SetText(Caption);
}

void TMkEmbdControl::ApplyDefaultSize(TMkControlKind kind)
{
    if (RequestedWidth() == 1)
        WidthText = kind == TMkControlKind::Edit     ? "100"
                    : kind == TMkControlKind::Button ? "50"
                                                     : "13";
    if (RequestedHeight() == 1)
        HeightText = kind == TMkControlKind::Edit ? "13" : "20";
}

std::unique_ptr<TMkBaseText> TMkEmbdControl::Clone() const
{
    auto copy = std::make_unique<TMkEmbdControl>(Parent, ControlHandler, HeightText, WidthText,
                                                 ControlName, ControlClassName, Controls);
    CopyPieceTo(*copy);
    copy->Caption = Caption;
    return copy;
}

void TMkEmbdControl::Export(TMkWriter &writer) const
{
    writer.EmbeddedControl(ControlClassName, ControlName, RequestedWidth(), RequestedHeight());
}
