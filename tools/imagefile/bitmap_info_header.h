#pragma once

#include <QByteArray>

#include <cstdint>

namespace pokaz::imagefile {

inline constexpr std::uint32_t kBitmapInfoHeaderSize = 40;

// The 40-byte BITMAPINFOHEADER that starts the pixel data of both a BMP file
// and each image of an ICO file. Always uncompressed (BI_RGB) with one plane.
struct BitmapInfoHeader final {
    std::int32_t width = 0;
    std::int32_t height = 0; // positive: rows are stored bottom-up
    std::uint16_t bitCount = 0;
    std::uint32_t imageSize = 0;
    std::int32_t pixelsPerMetre = 0;
    std::uint32_t coloursUsed = 0;

    void appendTo(QByteArray &bytes) const;
};

// Bytes in one stored row: every row is padded to a whole number of 32-bit words.
std::uint32_t paddedRowBytes(int width, int bitsPerPixel);

} // namespace pokaz::imagefile
