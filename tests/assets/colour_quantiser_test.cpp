#include "colour_quantiser.h"
#include "palette_mapper.h"

#include <QTest>

#include <set>

using pokaz::assets::ColourQuantiser;
using pokaz::assets::Dither;
using pokaz::assets::PaletteMapper;

namespace {

// Smooth colour ramps: far more colours than a palette holds.
QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / (width - 1), y * 255 / (height - 1), (x + y) % 256));
    return image;
}

} // namespace

class ColourQuantiserTest final : public QObject {
    Q_OBJECT

private slots:
    void aPictureOfFewColoursKeepsEveryColourExactly()
    {
        QImage picture(40, 10, QImage::Format_RGB32);
        for (int x = 0; x < picture.width(); ++x)
            for (int y = 0; y < picture.height(); ++y)
                picture.setPixel(x, y, qRgb(25 * (x % 10), 200 - 20 * (x % 10), 7 * y));
        const QList<QRgb> palette = ColourQuantiser::buildPalette({picture}, 256);
        QCOMPARE(palette.size(), 100);
        const QImage mapped = PaletteMapper(palette).map(picture, Dither::None);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                QCOMPARE(mapped.pixel(x, y), picture.pixel(x, y));
    }

    void aPaletteOfManyColoursHoldsAtMostTheAskedNumberAndCoversTheRange()
    {
        const QImage picture = gradient(256, 128);
        const QList<QRgb> palette = ColourQuantiser::buildPalette({picture}, 64);
        QVERIFY(palette.size() <= 64);
        QVERIFY(palette.size() > 48);
        QCOMPARE(std::set<QRgb>(palette.begin(), palette.end()).size(), static_cast<std::size_t>(palette.size()));
        const QImage mapped = PaletteMapper(palette).map(picture, Dither::None);
        // No pixel lands far from its colour: the palette spans the whole ramp.
        for (int y = 0; y < picture.height(); y += 7) {
            for (int x = 0; x < picture.width(); x += 7) {
                const QRgb a = picture.pixel(x, y);
                const QRgb b = mapped.pixel(x, y);
                QVERIFY(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < 100);
            }
        }
    }

    // What keeps the seams clean: a region cut before mapping equals the same
    // region cut after mapping, so overlaid pictures match their background.
    void withoutDitheringARegionMapsAsItDoesInTheWholePicture()
    {
        const QImage picture = gradient(120, 90);
        const PaletteMapper mapper(ColourQuantiser::buildPalette({picture}, 32));
        const QRect region(17, 23, 41, 29);
        const QImage cutAfter = mapper.map(picture, Dither::None).copy(region);
        const QImage cutBefore = mapper.map(picture.copy(region), Dither::None);
        QCOMPARE(cutBefore, cutAfter);
    }

    void withOrderedDitheringARegionMapsAsItDoesInTheWholePictureWhenGivenItsPlace()
    {
        const QImage picture = gradient(120, 90);
        const PaletteMapper mapper(ColourQuantiser::buildPalette({picture}, 32));
        const QRect region(17, 23, 41, 29);
        const QImage whole = mapper.map(picture, Dither::Ordered);
        QCOMPARE(mapper.map(picture.copy(region), Dither::Ordered, region.topLeft()), whole.copy(region));
        // The pattern really is at work: a smooth ramp mixes neighbouring entries.
        QVERIFY(whole != mapper.map(picture, Dither::None));
    }

    void ditheringKeepsTheAverageOfAFlatColourBetweenTwoEntries()
    {
        QImage grey(50, 50, QImage::Format_RGB32);
        grey.fill(qRgb(128, 128, 128));
        const PaletteMapper mapper({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        const QImage flat = mapper.map(grey, Dither::None);
        const QImage dithered = mapper.map(grey, Dither::FloydSteinberg);
        int white = 0;
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x)
                white += dithered.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
        QVERIFY2(white > 1150 && white < 1350, qPrintable(QString::number(white)));
        QCOMPARE(flat.pixel(0, 0), flat.pixel(49, 49));
        QCOMPARE(mapper.map(grey, Dither::FloydSteinberg), dithered);
    }
};

QTEST_GUILESS_MAIN(ColourQuantiserTest)
#include "colour_quantiser_test.moc"
