#include "bmp_writer.h"
#include "picture_headers.h"

#include <QImage>
#include <QTest>

#include <stdexcept>

using pokaz::imagefile::encodeIndexedBmp;
using pokaz::imagefile::encodeTrueColourBmp;

namespace {

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

// A picture whose every pixel differs from its neighbours, so a row or
// column out of place shows.
QImage patternedIndexed(int width, int height, int colours)
{
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table.append(qRgb((i * 37) % 256, (i * 91) % 256, (i * 53 + 7) % 256));
    image.setColorTable(table);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, static_cast<uint>((x * 7 + y * 13) % colours));
    return image;
}

} // namespace

class BmpWriterTest final : public QObject {
    Q_OBJECT

private slots:
    void anIndexedBitmapIsWrittenByteForByte()
    {
        QImage image(3, 2, QImage::Format_Indexed8);
        image.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
        image.setPixel(0, 0, 1);
        image.setPixel(1, 0, 0);
        image.setPixel(2, 0, 1);
        image.setPixel(0, 1, 0);
        image.setPixel(1, 1, 0);
        image.setPixel(2, 1, 1);

        QByteArray expected = bytesOf({'B', 'M', 0x3E, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0, // 1086 bytes, pixels at 1078
                                       40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0,              // size, 3 x 2, 1 plane, 8 bits
                                       0, 0, 0, 0, 8, 0, 0, 0,                                       // BI_RGB, 2 rows of 4 bytes
                                       0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0,                           // 3780 px/m both ways
                                       0, 1, 0, 0, 0, 0, 0, 0,                                       // 256 used, all important
                                       30, 20, 10, 0, 50, 100, 200, 0});
        expected.append(254 * 4, '\0'); // the unused palette entries are black
        expected.append(bytesOf({0, 0, 1, 0, 1, 0, 1, 0})); // bottom row first, each padded to 4 bytes

        QCOMPARE(encodeIndexedBmp(image), expected);
    }

    void aTrueColourBitmapIsWrittenByteForByte()
    {
        QImage image(2, 2, QImage::Format_RGB32);
        image.setPixel(0, 0, qRgb(1, 2, 3));
        image.setPixel(1, 0, qRgb(4, 5, 6));
        image.setPixel(0, 1, qRgb(7, 8, 9));
        image.setPixel(1, 1, qRgb(10, 11, 12));

        const QByteArray expected = bytesOf({'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                                             40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,
                                             0, 0, 0, 0, 16, 0, 0, 0,
                                             0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0,
                                             0, 0, 0, 0, 0, 0, 0, 0,
                                             9, 8, 7, 12, 11, 10, 0, 0, // bottom row, blue green red, padded
                                             3, 2, 1, 6, 5, 4, 0, 0});
        QCOMPARE(encodeTrueColourBmp(image), expected);
    }

    void qtReadsBackEveryPixelOfAnIndexedBitmapOfOddWidth()
    {
        const QImage original = patternedIndexed(37, 23, 200);
        const QByteArray bytes = encodeIndexedBmp(original);
        const auto headers = parseBmp(bytes);
        QVERIFY(headers);
        QCOMPARE(headers->palette.size(), 256);
        QCOMPARE(headers->fileSize, static_cast<std::uint32_t>(bytes.size()));

        QImage read;
        QVERIFY(read.loadFromData(bytes, "BMP"));
        QCOMPARE(read.size(), original.size());
        for (int y = 0; y < original.height(); ++y)
            for (int x = 0; x < original.width(); ++x)
                QCOMPARE(read.pixel(x, y), original.pixel(x, y));
    }

    void qtReadsBackEveryPixelOfATrueColourBitmapOfOddWidth()
    {
        QImage original(31, 17, QImage::Format_RGB32);
        for (int y = 0; y < original.height(); ++y)
            for (int x = 0; x < original.width(); ++x)
                original.setPixel(x, y, qRgb(x * 8, y * 15, (x * y) % 256));
        QImage read;
        QVERIFY(read.loadFromData(encodeTrueColourBmp(original), "BMP"));
        QCOMPARE(read.size(), original.size());
        for (int y = 0; y < original.height(); ++y)
            for (int x = 0; x < original.width(); ++x)
                QCOMPARE(read.pixel(x, y), original.pixel(x, y));
    }

    void anIndexedBitmapNeedsAnIndexedImageOfAtMost256Colours()
    {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, encodeIndexedBmp(QImage(4, 4, QImage::Format_RGB32)));
        QImage tooMany(4, 4, QImage::Format_Indexed8);
        tooMany.setColorTable(QList<QRgb>(257, qRgb(1, 1, 1)));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, encodeIndexedBmp(tooMany));
    }
};

QTEST_GUILESS_MAIN(BmpWriterTest)
#include "bmp_writer_test.moc"
