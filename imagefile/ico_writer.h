#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

#include <array>

namespace pokaz::imagefile {

// The standard 16-colour palette, in the order of its indices.
inline constexpr std::array<QRgb, 16> StandardPalette = {
    0xFF000000,
    0xFF800000,
    0xFF008000,
    0xFF808000,
    0xFF000080,
    0xFF800080,
    0xFF008080,
    0xFFC0C0C0,
    0xFF808080,
    0xFFFF0000,
    0xFF00FF00,
    0xFFFFFF00,
    0xFF0000FF,
    0xFFFF00FF,
    0xFF00FFFF,
    0xFFFFFFFF,
};

// A Windows icon of 16-colour images with a 1-bit transparency mask, in the
// order given (ours: 32 x 32 first, then 16 x 16). Every pixel of an image is
// either fully transparent (alpha 0) or an opaque colour of StandardPalette;
// anything else throws std::invalid_argument, since a silently mapped colour
// would change the drawing. Transparent pixels are stored as index 0.
QByteArray encodeIcon(const QList<QImage>& images);

} // namespace pokaz::imagefile
