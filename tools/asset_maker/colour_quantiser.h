#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

namespace pokaz::assets {

// Chooses one palette for a family of pictures: median cut in Oklab over the
// colours of all of them, weighted by how often each occurs, then a few rounds
// of k-means from those boxes. Seeded only by the pictures themselves, so the
// same pictures always give the same palette.
class ColourQuantiser final {
public:
    static constexpr int RefinementRounds = 6;

    [[nodiscard]] static QList<QRgb> buildPalette(const QList<QImage>& pictures, int maxColours);
};

} // namespace pokaz::assets
