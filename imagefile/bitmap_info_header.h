#pragma once

#include <QByteArray>

#include <cstdint>

namespace pokaz::imagefile {

// The 40-byte BITMAPINFOHEADER that starts the pixel data of both a BMP file
// and each image of an ICO file. Always uncompressed (BI_RGB) with one plane.
struct BitmapInfoHeader final {
    std::int32_t width = 0;
    std::int32_t height = 0; // positive: rows are stored bottom-up
    std::uint16_t bitCount = 0;
    std::uint32_t imageSize = 0;
    std::int32_t pixelsPerMetre = 0;
    std::uint32_t coloursUsed = 0;

    void appendTo(QByteArray& bytes) const;
};

} // namespace pokaz::imagefile
