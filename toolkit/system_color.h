#pragma once

#include <QColor>

#include <cstdint>

namespace pokaz::toolkit {

// A colour as a 32-bit value: &H00BBGGRR for a fixed colour, &H800000nn for
// system colour nn, taken from the application palette.
QColor colorFromOle(std::uint32_t oleColor);

} // namespace pokaz::toolkit
