#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>

namespace pokaz::imagefile {

// Uncompressed Windows bitmaps, byte for byte the layout the program carries:
// "BM" file header, BITMAPINFOHEADER, a full 256-entry palette for 8-bit
// pictures, rows bottom-up padded to 4 bytes. Qt's own writer would pick the
// bit depth from the number of colours, so we write them ourselves.

inline constexpr std::uint32_t IndexedPaletteEntries = 256;

// An 8-bit picture from a Format_Indexed8 image with at most 256 colours;
// unused palette entries are black. Throws std::invalid_argument otherwise.
QByteArray encodeIndexedBmp(const QImage& indexed);

// A 24-bit picture; any alpha is dropped.
QByteArray encodeTrueColourBmp(const QImage& image);

// Throws std::runtime_error when the file cannot be written completely.
void writeBytes(const QString& path, const QByteArray& bytes);

} // namespace pokaz::imagefile
