// SPDX-License-Identifier: MIT
#include "window/qt/resources.h"

#include <QImageReader>
#include <QResource>
#include <cstdint>

#include "window/layout.h"

namespace ostrel {
namespace {

// Little-endian whole numbers in a file's header.
std::uint32_t Le32(const uchar* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}
std::uint16_t Le16(const uchar* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// The part `area` of the background bitmap, read straight from the program's
// resources, where it is stored uncompressed: an uncompressed 24-bit
// bottom-up bitmap needs no decoder, only its rows copied in reverse order.
// A null image if the resource is not such a bitmap.
QImage BitmapPart(const QString& path, const QRect& area) {
    const QResource resource(path);
    const uchar* data = resource.data();
    const qint64 size = resource.size();
    constexpr qint64 kHeaderSize = 54;  // file header and BITMAPINFOHEADER
    if (data == nullptr || resource.compressionAlgorithm() != QResource::NoCompression ||
        size < kHeaderSize || data[0] != 'B' || data[1] != 'M') {
        return {};
    }
    const std::uint32_t offset = Le32(data + 10);
    const auto width = static_cast<std::int32_t>(Le32(data + 18));
    const auto height = static_cast<std::int32_t>(Le32(data + 22));
    if (Le32(data + 14) < 40 || Le16(data + 26) != 1 || Le16(data + 28) != 24 ||
        Le32(data + 30) != 0 || width <= 0 || height <= 0) {
        return {};
    }
    const qint64 stride = (qint64{width} * 3 + 3) / 4 * 4;
    if (offset < kHeaderSize || offset + stride * height > size) {
        return {};
    }
    const QRect part = area.intersected(QRect(0, 0, width, height));
    QImage image(part.size(), QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y) {
        const qint64 row = height - 1 - part.top() - y;  // the bottom row is stored first
        const uchar* bgr = data + offset + stride * row + qint64{3} * part.left();
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < part.width(); ++x, bgr += 3) {
            line[x] = qRgb(bgr[2], bgr[1], bgr[0]);
        }
    }
    return image;
}

}  // namespace

QImage ReadPicture(const QString& path, const char* format, const QRect& clip) {
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    if (clip.isValid()) {
        reader.setClipRect(clip);
    }
    return reader.read();
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const char* path : {":/ostrel/icons/32x32.png", ":/ostrel/icons/64x64.png"}) {
        icon.addPixmap(QPixmap::fromImage(ReadPicture(path, "png")));
    }
    return icon;
}

QImage VisibleBackground(int scale) {
    const QRect area(0, 0, scale * layout::ToPixels(layout::kClientWidth, layout::kDesignDpi),
                     scale * layout::ToPixels(layout::kClientHeight, layout::kDesignDpi));
    QImage image = scale == 1 ? BitmapPart(":/ostrel/background.bmp", area) : QImage();
    if (image.isNull()) {
        image = ReadPicture(scale == 1 ? ":/ostrel/background.bmp" : ":/ostrel/background@2x.png",
                            scale == 1 ? "bmp" : "png", area);
    }
    image.setDevicePixelRatio(scale);
    return image;
}

}  // namespace ostrel
