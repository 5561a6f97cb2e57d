#include "ico_writer.h"

#include "bitmap_info_header.h"
#include "bmp_layout.h"
#include "little_endian_writer.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace pokaz::imagefile {

namespace {

constexpr int ColourBits = 4;
constexpr int MaskBits = 1;
constexpr std::uint8_t PaletteColours = 16;
constexpr int LargestSide = 256; // stored as 0 in a directory entry
constexpr int Opaque = 255;

std::uint8_t paletteIndex(QRgb pixel, int x, int y)
{
    const auto found
        = std::find(StandardPalette.begin(), StandardPalette.end(), qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)));
    if (qAlpha(pixel) != Opaque || found == StandardPalette.end()) {
        throw std::invalid_argument("icon pixel " + std::to_string(x) + "," + std::to_string(y)
            + " is neither transparent nor a standard colour: #" + QString::number(pixel, 16).toStdString());
    }
    return static_cast<std::uint8_t>(found - StandardPalette.begin());
}

// One icon image: header with doubled height, palette, XOR rows, AND rows.
QByteArray encodeImage(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const std::uint32_t colourStride = paddedRowBytes(w, ColourBits);
    const std::uint32_t maskStride = paddedRowBytes(w, MaskBits);

    std::vector<std::uint8_t> colourRows(colourStride * static_cast<std::uint32_t>(h), 0);
    std::vector<std::uint8_t> maskRows(maskStride * static_cast<std::uint32_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        const auto storedRow = static_cast<std::uint32_t>(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const auto ux = static_cast<std::uint32_t>(x);
            if (qAlpha(pixel) == 0) {
                maskRows[storedRow * maskStride + ux / 8] |= static_cast<std::uint8_t>(0x80U >> (ux % 8));
                continue;
            }
            const std::uint8_t index = paletteIndex(pixel, x, y);
            const bool highNibble = ux % 2 == 0;
            colourRows[storedRow * colourStride + ux / 2]
                |= static_cast<std::uint8_t>(highNibble ? index << 4U : index);
        }
    }

    QByteArray bytes;
    BitmapInfoHeader info;
    info.width = w;
    info.height = 2 * h; // the colour image and the mask, one above the other
    info.bitCount = ColourBits;
    info.imageSize = static_cast<std::uint32_t>(colourRows.size() + maskRows.size());
    info.appendTo(bytes);
    LittleEndianWriter out(bytes);
    for (const QRgb c : StandardPalette) {
        out.u8(static_cast<std::uint8_t>(qBlue(c)));
        out.u8(static_cast<std::uint8_t>(qGreen(c)));
        out.u8(static_cast<std::uint8_t>(qRed(c)));
        out.u8(0);
    }
    bytes.append(reinterpret_cast<const char*>(colourRows.data()), static_cast<qsizetype>(colourRows.size()));
    bytes.append(reinterpret_cast<const char*>(maskRows.data()), static_cast<qsizetype>(maskRows.size()));
    return bytes;
}

std::uint8_t directorySide(int side)
{
    if (side <= 0 || side > LargestSide)
        throw std::invalid_argument("an icon image is 1 to 256 pixels wide and high");
    return static_cast<std::uint8_t>(side == LargestSide ? 0 : side);
}

} // namespace

QByteArray encodeIcon(const QList<QImage>& images)
{
    QList<QByteArray> encoded;
    for (const QImage& image : images)
        encoded.append(encodeImage(image));

    QByteArray bytes;
    LittleEndianWriter out(bytes);
    out.u16(0);
    out.u16(IconType);
    out.u16(static_cast<std::uint16_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(IconDirSize + IconEntrySize * static_cast<std::uint32_t>(images.size()));
    for (qsizetype i = 0; i < images.size(); ++i) {
        out.u8(directorySide(images[i].width()));
        out.u8(directorySide(images[i].height()));
        out.u8(PaletteColours);
        out.u8(0);
        out.u16(1); // planes
        out.u16(ColourBits);
        out.u32(static_cast<std::uint32_t>(encoded[i].size()));
        out.u32(offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const QByteArray& image : encoded)
        bytes.append(image);
    return bytes;
}

} // namespace pokaz::imagefile
