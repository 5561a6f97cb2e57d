#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <array>
#include <cstdint>
#include <optional>

// The header fields of BMP and ICO files, read straight from the bytes, so
// that the tests see what a Windows reader sees rather than what Qt makes of it.

struct InfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPixelsPerMetre = 0;
    std::int32_t yPixelsPerMetre = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t coloursImportant = 0;
};

struct BmpHeaders {
    QByteArray type;
    std::uint32_t fileSize = 0;
    std::uint32_t reserved = 0;
    std::uint32_t pixelOffset = 0;
    InfoHeader info;
    QList<QRgb> palette; // entries between the headers and the pixels, read as B, G, R, 0
    bool paletteReservedBytesZero = true;
};

struct IconEntry {
    int width = 0;
    int height = 0;
    int colourCount = 0;
    int reserved = 0;
    int planes = 0;
    int bitCount = 0;
    std::uint32_t bytes = 0;
    std::uint32_t offset = 0;
    InfoHeader info;
    QList<QRgb> palette;
};

struct IconHeaders {
    int reserved = 0;
    int type = 0;
    QList<IconEntry> entries;
};

// The standard 16-colour palette as icons store it, index for index.
inline constexpr std::array<QRgb, 16> kExpectedIconPalette = {
    qRgb(0, 0, 0),     qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),   qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),   qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

// One image of an icon as stored: palette indices and mask bits, top row first.
struct IconPixels {
    int width = 0;
    int height = 0;
    QList<int> index;
    QList<bool> transparent;

    [[nodiscard]] int at(int x, int y) const { return index.at(y * width + x); }
    [[nodiscard]] bool clear(int x, int y) const { return transparent.at(y * width + x); }
};

// Empty when the bytes are too short for what their headers announce.
std::optional<BmpHeaders> parseBmp(const QByteArray &bytes);
std::optional<IconHeaders> parseIcon(const QByteArray &bytes);

// The pixels of a 4-bit icon image.
std::optional<IconPixels> readIconPixels(const QByteArray &bytes, const IconEntry &entry);

// Bytes in one stored row of `width` pixels of `bits` each, padded to 4 bytes.
int storedRowBytes(int width, int bits);

QByteArray readAll(const QString &path);
