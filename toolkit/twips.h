#pragma once

#include <QPoint>
#include <QRect>

#include <cmath>

namespace pokaz::toolkit {

// Positions and sizes of the control model are in twips: 1440 per inch, so
// 15 per pixel at the 96 dots per inch the layout was drawn for.
inline constexpr int TwipsPerPixel = 15;

// A twips value on the nearest whole pixel; a half goes away from zero.
inline int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }

inline constexpr float pixelsToTwips(int pixels) { return static_cast<float>(pixels * TwipsPerPixel); }

inline QRect twipsToPixels(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// Font sizes are points at 96 dots per inch: 72 points per inch.
inline constexpr double PixelsPerPoint = 96.0 / 72.0;

inline int pointsToPixels(double points) { return static_cast<int>(std::lround(points * PixelsPerPoint)); }

} // namespace pokaz::toolkit
