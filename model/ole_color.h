#pragma once

#include <cstdint>

namespace pokaz {

// A colour as a 32-bit value: &H00BBGGRR for a fixed colour, &H800000nn for
// system colour nn.
using OleColor = std::uint32_t;

namespace colors {

// Set in a system colour, whose low byte is its number.
inline constexpr OleColor SystemColorFlag = 0x80000000;
inline constexpr OleColor ButtonFace = 0x8000000F;
inline constexpr OleColor ButtonText = 0x80000012;
inline constexpr OleColor WindowBackground = 0x80000005;
inline constexpr OleColor WindowText = 0x80000008;
inline constexpr OleColor Red = 0x000000FF;
inline constexpr OleColor Yellow = 0x0000FFFF;
} // namespace colors

} // namespace pokaz
