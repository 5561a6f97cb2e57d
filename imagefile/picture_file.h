#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <vector>

namespace pokaz::imagefile {

// Decoders for the two picture formats the program carries: uncompressed
// BMP bitmaps (1, 4 or 8-bit indexed, or 24-bit) and ICO icons with 1, 4 or 8 bits per
// pixel and a transparency mask. They read straight from the compiled-in
// bytes; Qt's general image reader would first look through every image
// format plugin installed, which costs more at start-up than the decoding.
// On malformed data they return a null image and say why in `error`.

// A bitmap as an opaque RGB32 image.
QImage decodeBitmap(QByteArrayView file, QString* error = nullptr);

// Every image of an icon, in the file's order, as ARGB32 with the masked
// pixels transparent.
std::vector<QImage> decodeIcon(QByteArrayView file, QString* error = nullptr);

} // namespace pokaz::imagefile
