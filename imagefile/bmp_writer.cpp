#include "bmp_writer.h"

#include "bitmap_info_header.h"
#include "bmp_layout.h"
#include "little_endian_writer.h"

#include <QFile>

#include <stdexcept>

namespace pokaz::imagefile {

namespace {

constexpr int IndexedBits = 8;
constexpr int TrueColourBits = 24;

void appendFileHeader(QByteArray& bytes, std::uint32_t fileSize, std::uint32_t pixelOffset)
{
    LittleEndianWriter out(bytes);
    out.u8('B');
    out.u8('M');
    out.u32(fileSize);
    out.u32(0); // two reserved words
    out.u32(pixelOffset);
}

QByteArray encode(const QImage& image, int bitCount, std::uint32_t paletteEntries)
{
    const std::uint32_t stride = paddedRowBytes(image.width(), bitCount);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(image.height());
    const std::uint32_t pixelOffset = FileHeaderSize + InfoHeaderSize + paletteEntries * PaletteEntrySize;

    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(pixelOffset + imageSize));
    appendFileHeader(bytes, pixelOffset + imageSize, pixelOffset);
    BitmapInfoHeader info;
    info.width = image.width();
    info.height = image.height();
    info.bitCount = static_cast<std::uint16_t>(bitCount);
    info.imageSize = imageSize;
    info.pixelsPerMetre = PixelsPerMetre;
    info.coloursUsed = paletteEntries;
    info.appendTo(bytes);

    LittleEndianWriter out(bytes);
    if (paletteEntries > 0) {
        const QList<QRgb> table = image.colorTable();
        for (std::uint32_t i = 0; i < paletteEntries; ++i) {
            const QRgb c
                = i < static_cast<std::uint32_t>(table.size()) ? table[static_cast<qsizetype>(i)] : qRgb(0, 0, 0);
            out.u8(static_cast<std::uint8_t>(qBlue(c)));
            out.u8(static_cast<std::uint8_t>(qGreen(c)));
            out.u8(static_cast<std::uint8_t>(qRed(c)));
            out.u8(0);
        }
    }

    const int bytesPerPixel = bitCount / 8;
    const int padding = static_cast<int>(stride) - image.width() * bytesPerPixel;
    for (int y = image.height() - 1; y >= 0; --y) {
        if (bitCount == IndexedBits) {
            bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.width());
        } else {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                out.u8(static_cast<std::uint8_t>(qBlue(row[x])));
                out.u8(static_cast<std::uint8_t>(qGreen(row[x])));
                out.u8(static_cast<std::uint8_t>(qRed(row[x])));
            }
        }
        out.zeros(padding);
    }
    return bytes;
}

} // namespace

QByteArray encodeIndexedBmp(const QImage& indexed)
{
    if (indexed.format() != QImage::Format_Indexed8)
        throw std::invalid_argument("an 8-bit bitmap needs an indexed image");
    if (indexed.colorCount() > static_cast<int>(IndexedPaletteEntries))
        throw std::invalid_argument("an 8-bit bitmap holds at most 256 colours");
    return encode(indexed, IndexedBits, IndexedPaletteEntries);
}

QByteArray encodeTrueColourBmp(const QImage& image)
{
    return encode(image.convertToFormat(QImage::Format_RGB32), TrueColourBits, 0);
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace pokaz::imagefile
