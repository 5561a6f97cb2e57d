#include "little_endian_writer.h"

namespace pokaz::imagefile {

void LittleEndianWriter::u8(std::uint8_t value) { target_.append(static_cast<char>(value)); }

void LittleEndianWriter::u16(std::uint16_t value)
{
    u8(static_cast<std::uint8_t>(value & 0xFFU));
    u8(static_cast<std::uint8_t>(value >> 8U));
}

void LittleEndianWriter::u32(std::uint32_t value)
{
    u16(static_cast<std::uint16_t>(value & 0xFFFFU));
    u16(static_cast<std::uint16_t>(value >> 16U));
}

void LittleEndianWriter::i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }

void LittleEndianWriter::zeros(int count) { target_.append(count, '\0'); }

} // namespace pokaz::imagefile
