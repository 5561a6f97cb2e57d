#pragma once

#include <QFont>
#include <QString>

namespace pokaz::toolkit {

// Faces compiled into the program, so that they look the same on any machine.
inline constexpr auto TahomaFace = "Tahoma";
inline constexpr auto SansSerifFace = "MS Sans Serif";

// Makes the compiled-in faces known to Qt. Call once, after the application
// object exists and before any window is made. A face that cannot be loaded
// stops the program.
void registerFonts();

// A face at a size in points, rendered at the pixel size that size has at
// 96 dots per inch (12 points: 16 pixels), whatever the screen's resolution.
QFont fontInPoints(const QString& face, double points, bool bold);

// The dialog font of the window, its frames' captions and labels without a
// font of their own: Tahoma at 8 points.
QFont dialogFont();

} // namespace pokaz::toolkit
