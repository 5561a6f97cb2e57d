#include "bitmap_info_header.h"

#include "bmp_layout.h"
#include "little_endian_writer.h"

namespace pokaz::imagefile {

namespace {
constexpr std::uint16_t Planes = 1;
constexpr std::uint32_t ColoursImportantAll = 0;
} // namespace

void BitmapInfoHeader::appendTo(QByteArray& bytes) const
{
    LittleEndianWriter out(bytes);
    out.u32(InfoHeaderSize);
    out.i32(width);
    out.i32(height);
    out.u16(Planes);
    out.u16(bitCount);
    out.u32(NoCompression);
    out.u32(imageSize);
    out.i32(pixelsPerMetre);
    out.i32(pixelsPerMetre);
    out.u32(coloursUsed);
    out.u32(ColoursImportantAll);
}

} // namespace pokaz::imagefile
