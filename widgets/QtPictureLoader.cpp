#include "widgets/QtPictureLoader.h"

#include "textobjects/MkBitmap.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <vector>

std::unique_ptr<TMkGraphic> TQtPictureLoader::Load(const std::string &fileName)
{
    QImageReader reader(
        QString::fromLocal8Bit(fileName.data(), static_cast<qsizetype>(fileName.size())));
    // Refuse pictures the engine's own reader would refuse for their size,
    // before anything is decoded.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > MkMaxBitmapSide || size.height() > MkMaxBitmapSide ||
                           std::int64_t{size.width()} * size.height() > MkMaxBitmapPixels))
        return nullptr;
    const QByteArray format = reader.format();
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull() || image.width() > MkMaxBitmapSide || image.height() > MkMaxBitmapSide)
        return nullptr;
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(image.width()) *
                   static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        pixels.insert(pixels.end(), line, line + image.width());
    }
    const bool bitmap = format.compare("bmp", Qt::CaseInsensitive) == 0;
    return std::make_unique<TMkBitmap>(image.width(), image.height(), std::move(pixels), bitmap);
}
