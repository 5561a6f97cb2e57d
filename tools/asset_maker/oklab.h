#pragma once

#include <QRgb>

namespace pokaz::assets {

// A colour in the Oklab space, where straight-line distance follows what the
// eye sees far better than distance in sRGB; the quantiser measures there.
struct Oklab final {
    double l = 0;
    double a = 0;
    double b = 0;

    [[nodiscard]] double distanceSquared(const Oklab& other) const
    {
        const double dl = l - other.l;
        const double da = a - other.a;
        const double db = b - other.b;
        return dl * dl + da * da + db * db;
    }
};

[[nodiscard]] Oklab toOklab(double red, double green, double blue); // sRGB 0..255
[[nodiscard]] Oklab toOklab(QRgb colour);
[[nodiscard]] QRgb toRgb(const Oklab& colour); // rounded and clamped to sRGB

} // namespace pokaz::assets
