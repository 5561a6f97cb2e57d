// The BMP and ICO writers of the picture pipeline: exact headers, and every
// pixel read back by the program's own decoder.

#include "bmp_writer.h"
#include "ico_writer.h"
#include "picture_file.h"

#include <QTest>
#include <QtEndian>

#include <stdexcept>

using namespace pokaz;

namespace {

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// Every pixel unlike its neighbours, so a row or column out of place shows.
QImage pattern(int width, int height, QImage::Format format)
{
    QImage image(width, height, format);
    if (format == QImage::Format_Indexed8) {
        for (int i = 0; i < 200; ++i)
            image.setColor(i, qRgb((i * 37) % 256, (i * 91) % 256, (i * 53 + 7) % 256));
    }
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
    void headersAreWrittenByteForByte()
    {
        QImage indexed(3, 2, QImage::Format_Indexed8);
        indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
        indexed.fill(1);
        const QByteArray bmp = imagefile::encodeIndexedBmp(indexed);
        // 1086 bytes, pixels at 1078; 3 x 2, one plane, 8 bits, uncompressed, two rows of
        // 4 bytes, 3780 pixels a metre both ways, 256 colours used; the palette as BGR0.
        const QByteArray bmpHeader = "BM" + le32(1086) + le32(0) + le32(1078) + le32(40) + le32(3) + le32(2)
            + QByteArray("\x01\x00\x08\x00", 4) + le32(0) + le32(8) + le32(3780) + le32(3780) + le32(256) + le32(0)
            + QByteArray("\x1e\x14\x0a\x00\x32\x64\xc8\x00", 8);
        QCOMPARE(bmp.left(bmpHeader.size()), bmpHeader);
        QCOMPARE(bmp.right(8), QByteArray("\x01\x01\x01\x00\x01\x01\x01\x00", 8));

        const QByteArray ico = imagefile::encodeIcon({iconPattern(32), iconPattern(16)});
        // 40 header + 64 palette + rows of 4-bit pixels + rows of the 1-bit mask.
        constexpr quint32 Large = 40 + 64 + 32 * 16 + 32 * 4;
        constexpr quint32 Small = 40 + 64 + 16 * 8 + 16 * 4;
        const QByteArray icoHeader = QByteArray("\0\0\1\0\2\0\x20\x20\x10\0\1\0\4\0", 14) + le32(Large) + le32(38)
            + QByteArray("\x10\x10\x10\0\1\0\4\0", 8) + le32(Small) + le32(38 + Large) + le32(40) + le32(32) + le32(64)
            + QByteArray("\1\0\4\0", 4) + le32(0) + le32(Large - 104) + le32(0) + le32(0) + le32(0) + le32(0);
        QCOMPARE(ico.left(icoHeader.size()), icoHeader);
        QCOMPARE(quint32(ico.size()), 38 + Large + Small);
    }

    // The program's decoder reads what Qt's reader reads in every committed picture.
    void everyPixelReadsBackThroughTheProgramsDecoder()
    {
        for (const auto format : {QImage::Format_Indexed8, QImage::Format_RGB32}) {
            const QImage original = pattern(37, 23, format);
            const QByteArray bytes = format == QImage::Format_Indexed8 ? imagefile::encodeIndexedBmp(original)
                                                                       : imagefile::encodeTrueColourBmp(original);
            QCOMPARE(imagefile::decodeBitmap(bytes), original.convertToFormat(QImage::Format_RGB32));
        }
        const std::vector<QImage> icon
            = imagefile::decodeIcon(imagefile::encodeIcon({iconPattern(32), iconPattern(16)}));
        QCOMPARE(icon.size(), 2U);
        QCOMPARE(icon[0], iconPattern(32));
        QCOMPARE(icon[1], iconPattern(16));
    }

    void aColourOutsideTheStandardPaletteOrAPartlyTransparentPixelIsRefused()
    {
        QImage offPalette = iconPattern(16);
        offPalette.setPixel(3, 3, qRgb(1, 2, 3));
        QImage halfClear = iconPattern(16);
        halfClear.setPixel(3, 3, qRgba(255, 255, 255, 128));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, imagefile::encodeIcon({offPalette}));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, imagefile::encodeIcon({halfClear}));
    }
};

QTEST_MAIN(ImageWritersTest)
#include "image_writers_test.moc"
