#include "picture_headers.h"

#include <QFile>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kIconDirSize = 6;
constexpr int kIconEntrySize = 16;
constexpr int kPaletteEntrySize = 4;

class Reader {
public:
    Reader(const QByteArray &bytes, qsizetype at) : m_bytes(bytes), m_at(at) {}

    [[nodiscard]] bool has(qsizetype count) const { return m_at >= 0 && m_at + count <= m_bytes.size(); }
    std::uint8_t u8() { return static_cast<std::uint8_t>(m_bytes.at(m_at++)); }
    std::uint16_t u16()
    {
        const std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8U));
    }
    std::uint32_t u32()
    {
        const std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16U);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

private:
    const QByteArray &m_bytes;
    qsizetype m_at;
};

std::optional<InfoHeader> readInfo(const QByteArray &bytes, qsizetype at)
{
    Reader in(bytes, at);
    if (!in.has(kInfoHeaderSize))
        return std::nullopt;
    InfoHeader h;
    h.size = in.u32();
    h.width = in.i32();
    h.height = in.i32();
    h.planes = in.u16();
    h.bitCount = in.u16();
    h.compression = in.u32();
    h.imageSize = in.u32();
    h.xPixelsPerMetre = in.i32();
    h.yPixelsPerMetre = in.i32();
    h.coloursUsed = in.u32();
    h.coloursImportant = in.u32();
    return h;
}

std::optional<QList<QRgb>> readPalette(const QByteArray &bytes, qsizetype at, int entries, bool *reservedZero)
{
    Reader in(bytes, at);
    if (entries < 0 || !in.has(static_cast<qsizetype>(entries) * kPaletteEntrySize))
        return std::nullopt;
    QList<QRgb> palette;
    for (int i = 0; i < entries; ++i) {
        const int blue = in.u8();
        const int green = in.u8();
        const int red = in.u8();
        if (in.u8() != 0 && reservedZero != nullptr)
            *reservedZero = false;
        palette.append(qRgb(red, green, blue));
    }
    return palette;
}

} // namespace

int storedRowBytes(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

std::optional<BmpHeaders> parseBmp(const QByteArray &bytes)
{
    Reader in(bytes, 0);
    if (!in.has(kFileHeaderSize))
        return std::nullopt;
    BmpHeaders h;
    h.type = bytes.left(2);
    in.u16();
    h.fileSize = in.u32();
    h.reserved = in.u32();
    h.pixelOffset = in.u32();
    const auto info = readInfo(bytes, kFileHeaderSize);
    if (!info)
        return std::nullopt;
    h.info = *info;
    const int paletteBytes = static_cast<int>(h.pixelOffset) - kFileHeaderSize - kInfoHeaderSize;
    const auto palette = readPalette(bytes, kFileHeaderSize + kInfoHeaderSize, paletteBytes / kPaletteEntrySize, &h.paletteReservedBytesZero);
    if (!palette)
        return std::nullopt;
    h.palette = *palette;
    return h;
}

std::optional<IconHeaders> parseIcon(const QByteArray &bytes)
{
    Reader in(bytes, 0);
    if (!in.has(kIconDirSize))
        return std::nullopt;
    IconHeaders h;
    h.reserved = in.u16();
    h.type = in.u16();
    const int count = in.u16();
    if (!in.has(static_cast<qsizetype>(count) * kIconEntrySize))
        return std::nullopt;
    for (int i = 0; i < count; ++i) {
        IconEntry e;
        e.width = in.u8();
        e.height = in.u8();
        e.colourCount = in.u8();
        e.reserved = in.u8();
        e.planes = in.u16();
        e.bitCount = in.u16();
        e.bytes = in.u32();
        e.offset = in.u32();
        const auto info = readInfo(bytes, e.offset);
        if (!info)
            return std::nullopt;
        e.info = *info;
        const int entries = e.info.bitCount <= 8 ? 1 << e.info.bitCount : 0;
        const auto palette = readPalette(bytes, e.offset + kInfoHeaderSize, entries, nullptr);
        if (!palette)
            return std::nullopt;
        e.palette = *palette;
        h.entries.append(e);
    }
    return h;
}

std::optional<IconPixels> readIconPixels(const QByteArray &bytes, const IconEntry &entry)
{
    constexpr int kColourBits = 4;
    if (entry.info.bitCount != kColourBits)
        return std::nullopt;
    IconPixels pixels;
    pixels.width = entry.info.width;
    pixels.height = entry.info.height / 2;
    const int colourStride = storedRowBytes(pixels.width, kColourBits);
    const int maskStride = storedRowBytes(pixels.width, 1);
    const qsizetype colourStart = entry.offset + kInfoHeaderSize + static_cast<qsizetype>(entry.palette.size()) * kPaletteEntrySize;
    const qsizetype maskStart = colourStart + static_cast<qsizetype>(colourStride) * pixels.height;
    if (maskStart + static_cast<qsizetype>(maskStride) * pixels.height > bytes.size())
        return std::nullopt;
    for (int y = 0; y < pixels.height; ++y) {
        const int storedRow = pixels.height - 1 - y;
        for (int x = 0; x < pixels.width; ++x) {
            const auto pair = static_cast<std::uint8_t>(bytes.at(colourStart + storedRow * colourStride + x / 2));
            pixels.index.append(x % 2 == 0 ? pair >> 4U : pair & 0x0FU);
            const auto mask = static_cast<std::uint8_t>(bytes.at(maskStart + storedRow * maskStride + x / 8));
            pixels.transparent.append((mask & (0x80U >> (x % 8))) != 0);
        }
    }
    return pixels;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
