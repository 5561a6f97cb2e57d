#include "bitmap_info_header.h"

#include "little_endian_writer.h"

namespace pokaz::imagefile {

namespace {
constexpr std::uint16_t kPlanes = 1;
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kColoursImportantAll = 0;
constexpr std::uint32_t kBitsPerRowWord = 32;
} // namespace

void BitmapInfoHeader::appendTo(QByteArray &bytes) const
{
    LittleEndianWriter out(bytes);
    out.u32(kBitmapInfoHeaderSize);
    out.i32(width);
    out.i32(height);
    out.u16(kPlanes);
    out.u16(bitCount);
    out.u32(kCompressionNone);
    out.u32(imageSize);
    out.i32(pixelsPerMetre);
    out.i32(pixelsPerMetre);
    out.u32(coloursUsed);
    out.u32(kColoursImportantAll);
}

std::uint32_t paddedRowBytes(int width, int bitsPerPixel)
{
    const auto bits = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel);
    return (bits + kBitsPerRowWord - 1) / kBitsPerRowWord * (kBitsPerRowWord / 8);
}

} // namespace pokaz::imagefile
