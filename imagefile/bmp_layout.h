#pragma once

#include <cstdint>

namespace pokaz::imagefile {

// The layout of the two Windows picture formats, one owner for the reader and
// the writers. All fields are little-endian.
inline constexpr std::uint32_t FileHeaderSize = 14; // "BM", file size, two reserved words, pixel offset
inline constexpr std::uint32_t InfoHeaderSize = 40; // BITMAPINFOHEADER
inline constexpr std::uint32_t NoCompression = 0; // BI_RGB
inline constexpr std::uint32_t PaletteEntrySize = 4; // blue, green, red, zero
inline constexpr std::int32_t PixelsPerMetre = 3780; // 96 dots per inch
inline constexpr std::uint16_t IconType = 1;
inline constexpr std::uint32_t IconDirSize = 6;
inline constexpr std::uint32_t IconEntrySize = 16;

// Bytes in one stored row: every row is padded to a whole number of 32-bit words.
constexpr std::uint32_t paddedRowBytes(int width, int bitsPerPixel)
{
    constexpr std::uint32_t WordBits = 32;
    const auto bits = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel);
    return (bits + WordBits - 1) / WordBits * (WordBits / 8);
}

} // namespace pokaz::imagefile
