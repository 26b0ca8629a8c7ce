#include "textobjects/MkImage.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkCanvas.h"
#include "textobjects/MkConvert.h"
#include "textobjects/MkWriter.h"

#include <string>

namespace {

// Sources are written with either slash; on this platform files are named
// with "/", so every backslash becomes one.
std::string LocalFileName(std::string source)
{
    for (char &c : source)
        if (c == '\\')
            c = '/';
    return source;
}

constexpr std::int32_t FallbackSide = 24;

} // namespace

TMkImage::TMkImage(TMkBaseText *parent) : TMkPieceOfText(parent)
{
    LayOutEveryTime();
}

TMkImage::TMkImage(TMkBaseText *parent, TMkImageCallback onGetImage, std::string imageIndex,
                   std::string heightText, std::string widthText, std::string source,
                   TMkPictureStore *pictures)
    : TMkPieceOfText(parent),
      Source(std::move(source)),
      ImageIndex(std::move(imageIndex)),
      HeightText(std::move(heightText)),
      WidthText(std::move(widthText)),
      OnGetImage(std::move(onGetImage))
{
    LayOutEveryTime();
    // References are filled in later by OnGetImage; URLs are nobody's to fetch.
    if (pictures && !MkTextIsVariableRef(Source) && !Source.empty() &&
        Source.find("://") == std::string::npos)
        Picture.LoadFromFile(LocalFileName(Source), *pictures);
    // The loaded size is remembered, so the object keeps it even if the
    // holder is emptied later.
    if (WidthText.empty())
        WidthText = std::to_string(Picture.Width());
    if (HeightText.empty())
        HeightText = std::to_string(Picture.Height());
}

std::int32_t TMkImage::WidthValue() const
{
    return MkTextIntOrZero(WidthText);
}
std::int32_t TMkImage::HeightValue() const
{
    return MkTextIntOrZero(HeightText);
}
std::int32_t TMkImage::IndexValue() const
{
    return MkTextIntOrZero(ImageIndex);
}

void TMkImage::Layout(const TMkLayoutArgs &)
{
    Width = 0;
    Height = 0;
    if (!Picture.HasGraphic() && OnGetImage)
        OnGetImage(*this, Picture, Source, IndexValue());
    const std::int32_t w = WidthValue();
    const std::int32_t h = HeightValue();
    if (Picture.HasGraphic()) {
        Width = w != 0 ? w : Picture.Width();
        Height = h != 0 ? h : Picture.Height();
    } else {
        Width = w != 0 ? w : FallbackSide;
        Height = h != 0 ? h : FallbackSide;
    }
}

void TMkImage::Paint(const TMkPaintArgs &args)
{
    const TMkRect b = GetBounds(args);
    const std::int64_t x = std::int64_t{args.Rect.Left} + args.Offset.X;
    const std::int64_t y = std::int64_t{args.Rect.Top} + args.Offset.Y;
    const TMkRect r{mktext::Sat(x), mktext::Sat(y), mktext::SatAdd(x, b.Right),
                    mktext::SatAdd(y, b.Bottom)};
    if (args.WhiteOut) {
        args.Canvas.SetBrushColor(MkColorWhite);
        args.Canvas.SetBrushStyle(TMkBrushStyle::Solid);
        args.Canvas.FillRect(r);
        return;
    }
    if (Picture.Empty()) {
        // Placeholder: a grey dotted frame with a red "x".
        args.Canvas.SetPenColor(MkColorGray);
        args.Canvas.SetPenStyle(TMkPenStyle::Dotted);
        args.Canvas.SetBrushStyle(TMkBrushStyle::Clear);
        args.Canvas.OutlineRect(r);
        args.Canvas.SetFontColor(MkColorRed);
        args.Canvas.TextOut(mktext::SatAdd(r.Left, 4), mktext::SatAdd(r.Top, 2), "x");
        return;
    }
    args.Canvas.StretchDrawTransparent(r, *Picture.Graphic());
}

std::unique_ptr<TMkBaseText> TMkImage::Clone() const
{
    auto copy = std::make_unique<TMkImage>(Parent);
    CopyPieceTo(*copy);
    copy->Source = Source;
    copy->WidthText = WidthText;
    copy->HeightText = HeightText;
    copy->ImageIndex = ImageIndex;
    copy->OnGetImage = OnGetImage;
    copy->Picture = Picture;
    return copy;
}

void TMkImage::ResolveVariables(const TMkVariableCallback &callback)
{
    TMkPieceOfText::ResolveVariables(callback);
    MkTextResolve(*this, Source, callback);
    MkTextResolve(*this, ImageIndex, callback);
    MkTextResolve(*this, HeightText, callback);
    MkTextResolve(*this, WidthText, callback);
}

void TMkImage::Export(TMkWriter &writer) const
{
    writer.Image(*this);
}
