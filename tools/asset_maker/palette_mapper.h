#pragma once

#include "oklab.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRgb>

#include <vector>

namespace pokaz::assets {

enum class Dither {
    None, // every colour to its nearest palette entry: equal pixels stay equal across pictures
    FloydSteinberg, // error diffusion, serpentine: smoother gradients, but seams differ in noise
    Ordered, // an 8 x 8 Bayer pattern fixed to the scene: smooth gradients, and a pixel's
             // index depends only on its colour and its place in the scene, so seams stay clean
};

// Turns true-colour pictures into 8-bit ones over a fixed palette.
class PaletteMapper final {
public:
    explicit PaletteMapper(QList<QRgb> palette);

    // Spread of the ordered pattern, in sRGB levels: about the step between
    // neighbouring palette colours in the scenes' smooth gradients.
    static constexpr double OrderedSpread = 10.0;

    // `origin`: where the picture lies in its scene, so that the ordered
    // pattern of a cut-out lines up with that of the whole scene.
    [[nodiscard]] QImage map(const QImage& picture, Dither dither, QPoint origin = {}) const;
    [[nodiscard]] const QList<QRgb>& palette() const { return palette_; }

private:
    [[nodiscard]] int nearestIndex(const Oklab& colour) const;

    QList<QRgb> palette_;
    std::vector<Oklab> lab_;
};

} // namespace pokaz::assets
