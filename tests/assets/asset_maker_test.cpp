// The picture pipeline's own steps: composing the paper stages, choosing a
// palette and mapping pictures onto it.

#include "colour_quantiser.h"
#include "palette_mapper.h"
#include "paper_stages.h"

#include <QTest>

#include <stdexcept>

using namespace pokaz::assets;

namespace {

QImage sheet(int index)
{
    QImage image(PaperStages::Region.width, PaperStages::Region.height, QImage::Format_Indexed8);
    image.setColorTable({qRgb(187, 187, 187), qRgb(60, 60, 60)});
    image.fill(index);
    return image;
}

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
    // Writing in rows 1 to the stage's last row, columns 13 to 83.
    void eachPaperStageTakesTheWritingOfItsRowsOnly_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<int>("lastRow");
        const int lastRows[] = {0, 7, 14, 21, 31};
        for (int stage = 0; stage < 5; ++stage)
            QTest::newRow(qPrintable(QString::number(stage))) << stage << lastRows[stage];
    }

    void eachPaperStageTakesTheWritingOfItsRowsOnly()
    {
        QFETCH(int, stage);
        QFETCH(int, lastRow);
        const QImage composed = PaperStages::compose(sheet(0), sheet(1), stage);
        for (int y = 0; y < composed.height(); ++y)
            for (int x = 0; x < composed.width(); ++x)
                QCOMPARE(composed.pixelIndex(x, y), int(y >= 1 && y <= lastRow && x >= 13 && x <= 83));
        QImage otherPalette = sheet(1);
        otherPalette.setColor(1, qRgb(1, 2, 3));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, PaperStages::compose(sheet(0), otherPalette, 1));
    }

    // Deterministic, within its size, and every colour near an entry.
    void aPaletteSpansThePictureWithinItsSize()
    {
        const QImage ramp = gradient(256, 128);
        const QList<QRgb> palette = ColourQuantiser::buildPalette({ramp}, 64);
        QVERIFY(palette.size() > 48 && palette.size() <= 64);
        QCOMPARE(ColourQuantiser::buildPalette({ramp}, 64), palette);
        const QImage mapped = PaletteMapper(palette).map(ramp, Dither::None);
        for (int y = 0; y < ramp.height(); y += 7) {
            for (int x = 0; x < ramp.width(); x += 7) {
                const QRgb a = ramp.pixel(x, y), b = mapped.pixel(x, y);
                QVERIFY(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b))
                    < 100);
            }
        }
    }

    // What keeps the seams clean: a region mapped on its own, given its place,
    // equals the same region of the whole mapped scene.
    void aRegionMapsAsItDoesInTheWholeScene()
    {
        const QImage picture = gradient(120, 90);
        const PaletteMapper mapper(ColourQuantiser::buildPalette({picture}, 32));
        const QRect region(17, 23, 41, 29);
        for (const Dither dither : {Dither::None, Dither::Ordered})
            QCOMPARE(
                mapper.map(picture.copy(region), dither, region.topLeft()), mapper.map(picture, dither).copy(region));
        QVERIFY(mapper.map(picture, Dither::Ordered) != mapper.map(picture, Dither::None));
    }
};

QTEST_MAIN(AssetMakerTest)
#include "asset_maker_test.moc"
