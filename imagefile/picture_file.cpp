#include "picture_file.h"

#include "bmp_layout.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace pokaz::imagefile {

namespace {

constexpr int MaxIndexedBits = 8;
constexpr int TrueColourBits = 24;
// Far beyond any picture of ours; keeps every size computation in range.
constexpr int MaxSide = 1 << 14;

// Within MaxSide a row's bytes fit a 32-bit qsizetype too.
constexpr qsizetype rowBytes(int width, int bitsPerPixel)
{
    return static_cast<qsizetype>(paddedRowBytes(width, bitsPerPixel));
}

// Little-endian fields at checked offsets.
class Bytes {
public:
    explicit Bytes(QByteArrayView data)
        : data_(data)
    {
    }

    bool has(qsizetype offset, qsizetype size) const
    {
        return offset >= 0 && size >= 0 && offset <= data_.size() && size <= data_.size() - offset;
    }
    quint8 u8(qsizetype offset) const { return static_cast<quint8>(data_[offset]); }
    quint16 u16(qsizetype offset) const { return qFromLittleEndian<quint16>(data_.data() + offset); }
    quint32 u32(qsizetype offset) const { return qFromLittleEndian<quint32>(data_.data() + offset); }
    qint32 i32(qsizetype offset) const { return qFromLittleEndian<qint32>(data_.data() + offset); }
    const uchar* at(qsizetype offset) const { return reinterpret_cast<const uchar*>(data_.data() + offset); }

private:
    QByteArrayView data_;
};

// A BITMAPINFOHEADER and what follows it: palette and pixel rows.
struct DeviceIndependentBitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool bottomUp = true;
    qsizetype palette = 0; // offset of the palette
    int paletteSize = 0;
    qsizetype pixels = 0; // offset of the first stored row
};

std::optional<DeviceIndependentBitmap> readInfoHeader(const Bytes& bytes, qsizetype offset, QString& error)
{
    if (!bytes.has(offset, InfoHeaderSize) || bytes.u32(offset) != InfoHeaderSize) {
        error = QStringLiteral("no 40-byte information header");
        return std::nullopt;
    }
    DeviceIndependentBitmap dib;
    dib.width = bytes.i32(offset + 4);
    // Negative for rows stored top-down; widened so that even the lowest
    // value has a magnitude.
    const qint64 height = bytes.i32(offset + 8);
    dib.bottomUp = height > 0;
    const qint64 rows = height > 0 ? height : -height;
    dib.height = static_cast<int>(std::min<qint64>(rows, MaxSide + 1));
    dib.bitsPerPixel = bytes.u16(offset + 14);
    const quint32 compression = bytes.u32(offset + 16);
    const quint32 coloursUsed = bytes.u32(offset + 32);
    if (dib.width <= 0 || dib.height <= 0 || dib.width > MaxSide || dib.height > MaxSide
        || compression != NoCompression) {
        error = QStringLiteral("unsupported size or compression");
        return std::nullopt;
    }
    if (dib.bitsPerPixel != 1 && dib.bitsPerPixel != 4 && dib.bitsPerPixel != MaxIndexedBits
        && dib.bitsPerPixel != TrueColourBits) {
        error = QStringLiteral("unsupported bit depth %1").arg(dib.bitsPerPixel);
        return std::nullopt;
    }
    if (dib.bitsPerPixel <= MaxIndexedBits) {
        const int full = 1 << dib.bitsPerPixel;
        dib.paletteSize = coloursUsed == 0 ? full : static_cast<int>(qMin<quint32>(coloursUsed, full));
    }
    dib.palette = offset + InfoHeaderSize;
    dib.pixels = dib.palette + qsizetype{dib.paletteSize} * PaletteEntrySize;
    return dib;
}

int pixelIndex(const uchar* row, int x, int bitsPerPixel)
{
    const int bit = x * bitsPerPixel;
    const int shift = 8 - bitsPerPixel - bit % 8;
    return (row[bit / 8] >> shift) & ((1 << bitsPerPixel) - 1);
}

// The image of the stored rows starting at `dib.pixels`, made only once the
// file is known to hold them all; a null image if it does not.
QImage readPixels(const Bytes& bytes, const DeviceIndependentBitmap& dib, QImage::Format format, QString& error)
{
    const qsizetype stride = rowBytes(dib.width, dib.bitsPerPixel);
    if (!bytes.has(dib.palette, qsizetype{dib.paletteSize} * PaletteEntrySize)
        || !bytes.has(dib.pixels, stride * dib.height)) {
        error = QStringLiteral("the pixel data is cut short");
        return {};
    }
    QImage image(dib.width, dib.height, format);
    // Indices past the stored palette show black.
    std::array<QRgb, 1 << MaxIndexedBits> colours{};
    colours.fill(qRgb(0, 0, 0));
    for (int i = 0; i < dib.paletteSize; ++i) {
        const uchar* entry = bytes.at(dib.palette + qsizetype{i} * PaletteEntrySize);
        colours.at(static_cast<std::size_t>(i)) = qRgb(entry[2], entry[1], entry[0]);
    }
    for (int stored = 0; stored < dib.height; ++stored) {
        const uchar* row = bytes.at(dib.pixels + stored * stride);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(dib.bottomUp ? dib.height - 1 - stored : stored));
        if (dib.bitsPerPixel == TrueColourBits) {
            for (int x = 0; x < dib.width; ++x)
                out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        } else if (dib.bitsPerPixel == MaxIndexedBits) {
            for (int x = 0; x < dib.width; ++x)
                out[x] = colours[row[x]];
        } else {
            for (int x = 0; x < dib.width; ++x)
                out[x] = colours[static_cast<std::size_t>(pixelIndex(row, x, dib.bitsPerPixel))];
        }
    }
    return image;
}

void report(QString* error, const QString& why)
{
    if (error != nullptr)
        *error = why;
}

} // namespace

QImage decodeBitmap(QByteArrayView file, QString* error)
{
    const Bytes bytes(file);
    QString why;
    if (!bytes.has(0, FileHeaderSize) || file[0] != 'B' || file[1] != 'M') {
        report(error, QStringLiteral("not a BMP file"));
        return {};
    }
    auto dib = readInfoHeader(bytes, FileHeaderSize, why);
    if (!dib) {
        report(error, why);
        return {};
    }
    dib->pixels = bytes.u32(10);
    QImage image = readPixels(bytes, *dib, QImage::Format_RGB32, why);
    if (image.isNull())
        report(error, why);
    return image;
}

std::vector<QImage> decodeIcon(QByteArrayView file, QString* error)
{
    const Bytes bytes(file);
    if (!bytes.has(0, IconDirSize) || bytes.u16(0) != 0 || bytes.u16(2) != IconType) {
        report(error, QStringLiteral("not an ICO file"));
        return {};
    }
    const int count = bytes.u16(4);
    std::vector<QImage> images;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = IconDirSize + qsizetype{i} * IconEntrySize;
        QString why;
        std::optional<DeviceIndependentBitmap> dib;
        if (bytes.has(entry, IconEntrySize))
            dib = readInfoHeader(bytes, bytes.u32(entry + 12), why);
        else
            why = QStringLiteral("the icon directory is cut short");
        // The stored height covers the colour rows and the mask rows.
        if (dib)
            dib->height /= 2;
        if (!dib || dib->bitsPerPixel > MaxIndexedBits || dib->height == 0) {
            report(error, why.isEmpty() ? QStringLiteral("unsupported icon image") : why);
            return {};
        }
        DeviceIndependentBitmap mask = *dib;
        mask.bitsPerPixel = 1;
        mask.pixels = dib->pixels + rowBytes(dib->width, dib->bitsPerPixel) * dib->height;
        const qsizetype maskStride = rowBytes(mask.width, 1);
        QImage image;
        if (bytes.has(mask.pixels, maskStride * mask.height))
            image = readPixels(bytes, *dib, QImage::Format_ARGB32, why);
        if (image.isNull()) {
            report(error, why.isEmpty() ? QStringLiteral("the mask is cut short") : why);
            return {};
        }
        for (int stored = 0; stored < mask.height; ++stored) {
            const uchar* row = bytes.at(mask.pixels + stored * maskStride);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(mask.height - 1 - stored));
            for (int x = 0; x < mask.width; ++x) {
                if (pixelIndex(row, x, 1) != 0)
                    out[x] = qRgba(0, 0, 0, 0);
            }
        }
        images.push_back(std::move(image));
    }
    if (images.empty())
        report(error, QStringLiteral("the icon holds no image"));
    return images;
}

} // namespace pokaz::imagefile
