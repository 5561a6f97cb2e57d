// The BMP and ICO writers of the picture pipeline, read back by Qt's own
// readers: the formats the program ships, every pixel in its place.

#include "bmp_writer.h"
#include "ico_writer.h"

#include <QBuffer>
#include <QImageReader>
#include <QTest>

using namespace pokaz;

namespace {

// Every pixel unlike its neighbours, so a row or column out of place shows.
QImage pattern(int width, int height, QImage::Format format)
{
    QImage image(width, height, format);
    for (int i = 0; i < 200 && format == QImage::Format_Indexed8; ++i)
        image.setColor(i, qRgb((i * 37) % 256, (i * 91) % 256, (i * 53 + 7) % 256));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                format == QImage::Format_Indexed8 ? uint((x * 7 + y * 13) % 200) : qRgb(x * 8, y * 15, (x * y) % 256));
    return image;
}

// Every standard colour, a transparent border and a transparent hole.
QImage iconPattern(int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(0U);
    for (int y = 1; y < side - 1; ++y)
        for (int x = 1; x < side - 1; ++x)
            image.setPixel(x, y, imagefile::StandardPalette.at(std::size_t((x + 3 * y) % 16)));
    image.setPixel(side / 2, side / 2, 0U);
    return image;
}

} // namespace

class ImageWritersTest final : public QObject {
    Q_OBJECT

private slots:
    // An 8-bit palette bitmap, a 24-bit one, and an icon of two 4-bit images.
    void qtsReadersReadBackEveryPixelInTheWrittenFormat()
    {
        const QImage indexed = pattern(37, 23, QImage::Format_Indexed8);
        const QImage fromIndexed = QImage::fromData(imagefile::encodeIndexedBmp(indexed), "BMP");
        QCOMPARE(fromIndexed.format(), QImage::Format_Indexed8);
        QCOMPARE(fromIndexed.convertToFormat(QImage::Format_RGB32), indexed.convertToFormat(QImage::Format_RGB32));
        const QImage trueColour = pattern(37, 23, QImage::Format_RGB32);
        QCOMPARE(
            QImage::fromData(imagefile::encodeTrueColourBmp(trueColour), "BMP").convertToFormat(QImage::Format_RGB32),
            trueColour);

        QByteArray bytes = imagefile::encodeIcon({iconPattern(32), iconPattern(16)});
        QCOMPARE(bytes.mid(6, 8), QByteArray("\x20\x20\x10\0\1\0\4\0", 8)); // 32 x 32, 16 colours, 4 bits
        QBuffer file(&bytes);
        QImageReader reader(&file, "ico");
        QCOMPARE(reader.imageCount(), 2);
        QCOMPARE(reader.read().convertToFormat(QImage::Format_ARGB32), iconPattern(32));
        QVERIFY(reader.jumpToNextImage());
        QCOMPARE(reader.read().convertToFormat(QImage::Format_ARGB32), iconPattern(16));
    }
};

QTEST_MAIN(ImageWritersTest)
#include "image_writers_test.moc"
