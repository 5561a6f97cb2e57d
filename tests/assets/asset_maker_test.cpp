// The picture pipeline's palette: chosen from the pictures and mapped onto
// them the same way, piece by piece or whole.

#include "colour_quantiser.h"
#include "palette_mapper.h"

#include <QTest>

using namespace pokaz::assets;

namespace {

// Smooth ramps: far more colours than a palette holds.
QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / (width - 1), y * 255 / (height - 1), (x + y) % 256));
    return image;
}

} // namespace

class AssetMakerTest final : public QObject {
    Q_OBJECT

private slots:
    // The same palette within its size every time; and what keeps the seams
    // clean: a region mapped on its own, given its place, equals the same
    // region of the whole mapped scene.
    void aRegionMapsAsItDoesInTheWholeScene()
    {
        const QImage picture = gradient(120, 90);
        const QList<QRgb> palette = ColourQuantiser::buildPalette({picture}, 32);
        QVERIFY(palette.size() > 24 && palette.size() <= 32 && palette == ColourQuantiser::buildPalette({picture}, 32));
        const PaletteMapper mapper(palette);
        const QRect region(17, 23, 41, 29);
        for (const Dither dither : {Dither::None, Dither::Ordered})
            QCOMPARE(
                mapper.map(picture.copy(region), dither, region.topLeft()), mapper.map(picture, dither).copy(region));
        QVERIFY(mapper.map(picture, Dither::Ordered) != mapper.map(picture, Dither::None));
    }
};

QTEST_MAIN(AssetMakerTest)
#include "asset_maker_test.moc"
