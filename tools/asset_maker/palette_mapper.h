#pragma once

#include "oklab.h"

#include <QImage>
#include <QList>
#include <QRgb>

#include <vector>

namespace pokaz::assets {

enum class Dither {
    None,           // every colour to its nearest palette entry: equal pixels stay equal across pictures
    FloydSteinberg, // error diffusion, serpentine: smoother gradients, but seams differ in noise
};

// Turns true-colour pictures into 8-bit ones over a fixed palette.
class PaletteMapper final {
public:
    explicit PaletteMapper(QList<QRgb> palette);

    [[nodiscard]] QImage map(const QImage &picture, Dither dither) const;
    [[nodiscard]] const QList<QRgb> &palette() const { return m_palette; }

private:
    [[nodiscard]] int nearestIndex(const Oklab &colour) const;

    QList<QRgb> m_palette;
    std::vector<Oklab> m_lab;
};

} // namespace pokaz::assets
