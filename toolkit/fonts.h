#pragma once

#include <QFont>
#include <QString>

namespace pokaz::toolkit {

// The desktop's dialog face.
inline constexpr auto TahomaFace = "Tahoma";

// A face whose glyphs are bitmaps, strikes at a few sizes without outlines,
// which Qt neither emboldens nor scales: the program's MS Sans Serif. Known by
// name, since font databases differ on it (FreeType on Windows calls it
// smoothly scalable), and once its glyphs were asked for their outlines Qt
// drew nothing of it.
bool isBitmapFace(const QFont& font);

// A face at a size in points, rendered at the pixel size that size has at
// 96 dots per inch (12 points: 16 pixels), whatever the screen's resolution.
QFont fontInPoints(const QString& face, double points, bool bold);

// The dialog font of the window, its frames' captions and labels without a
// font of their own: Tahoma at 8 points.
QFont dialogFont();

} // namespace pokaz::toolkit
