#pragma once

#include <QFont>
#include <QString>

namespace pokaz::toolkit {

// The desktop's dialog face.
inline constexpr auto TahomaFace = "Tahoma";

// A face at a size in points, rendered at the pixel size that size has at
// 96 dots per inch (12 points: 16 pixels), whatever the screen's resolution.
QFont fontInPoints(const QString& face, double points, bool bold);

// The dialog font of the window, its frames' captions and labels without a
// font of their own: Tahoma at 8 points.
QFont dialogFont();

} // namespace pokaz::toolkit
