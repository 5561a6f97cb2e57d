#include "ico_writer.h"
#include "picture_headers.h"

#include <QBuffer>
#include <QImageReader>
#include <QTest>

#include <stdexcept>

using pokaz::imagefile::encodeIcon;

namespace {

constexpr QRgb kClear = 0x00000000;

// Every standard colour in a band of columns, with a transparent border and
// a transparent hole, so nibble order, row order and the mask all show.
QImage sampleIcon(int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(kClear);
    for (int y = 1; y < side - 1; ++y)
        for (int x = 1; x < side - 1; ++x)
            image.setPixel(x, y, kExpectedIconPalette.at(static_cast<std::size_t>((x + 3 * y) % 16)));
    image.setPixel(side / 2, side / 2, kClear);
    return image;
}

QList<QImage> readWithQt(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "ico");
    QList<QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        images.append(reader.read().convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

QByteArray le32(std::uint32_t v)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes.append(static_cast<char>((v >> (8 * i)) & 0xFFU));
    return bytes;
}

} // namespace

class IcoWriterTest final : public QObject {
    Q_OBJECT

private slots:
    void theDirectoryAndHeadersAreWrittenByteForByte()
    {
        const QByteArray bytes = encodeIcon({sampleIcon(32), sampleIcon(16)});
        // 40 header + 64 palette + 32 rows of 16 bytes + 32 mask rows of 4 bytes
        constexpr std::uint32_t kLarge = 40 + 64 + 32 * 16 + 32 * 4;
        constexpr std::uint32_t kSmall = 40 + 64 + 16 * 8 + 16 * 4;
        QByteArray expected("\x00\x00\x01\x00\x02\x00", 6);
        expected += QByteArray("\x20\x20\x10\x00\x01\x00\x04\x00", 8) + le32(kLarge) + le32(38);
        expected += QByteArray("\x10\x10\x10\x00\x01\x00\x04\x00", 8) + le32(kSmall) + le32(38 + kLarge);
        expected += le32(40) + le32(32) + le32(64) + QByteArray("\x01\x00\x04\x00", 4) + le32(0) + le32(kLarge - 104)
                    + le32(0) + le32(0) + le32(0) + le32(0);
        QCOMPARE(bytes.left(expected.size()), expected);
        QCOMPARE(static_cast<std::uint32_t>(bytes.size()), 38 + kLarge + kSmall);

        const auto headers = parseIcon(bytes);
        QVERIFY(headers);
        for (const IconEntry &entry : headers->entries)
            QCOMPARE(entry.palette, QList<QRgb>(kExpectedIconPalette.begin(), kExpectedIconPalette.end()));
    }

    void qtReadsBackBothImagesWithEveryPixelAndTheTransparency()
    {
        const QList<QImage> originals = {sampleIcon(32), sampleIcon(16)};
        const QList<QImage> read = readWithQt(encodeIcon(originals));
        QCOMPARE(read.size(), 2);
        for (qsizetype i = 0; i < originals.size(); ++i) {
            QCOMPARE(read[i].size(), originals[i].size());
            for (int y = 0; y < originals[i].height(); ++y) {
                for (int x = 0; x < originals[i].width(); ++x) {
                    const QRgb want = originals[i].pixel(x, y);
                    const QRgb got = read[i].pixel(x, y);
                    QCOMPARE(qAlpha(got), qAlpha(want));
                    if (qAlpha(want) != 0)
                        QCOMPARE(got, want);
                }
            }
        }
    }

    void transparentPixelsAreMaskedAndStoredAsIndexZero()
    {
        const QImage original = sampleIcon(32);
        const QByteArray bytes = encodeIcon({original, sampleIcon(16)});
        const auto headers = parseIcon(bytes);
        QVERIFY(headers);
        const auto pixels = readIconPixels(bytes, headers->entries.at(0));
        QVERIFY(pixels);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const bool clear = qAlpha(original.pixel(x, y)) == 0;
                QCOMPARE(pixels->clear(x, y), clear);
                const int want = clear ? 0 : static_cast<int>(std::find(kExpectedIconPalette.begin(), kExpectedIconPalette.end(), original.pixel(x, y)) - kExpectedIconPalette.begin());
                QCOMPARE(pixels->at(x, y), want);
            }
        }
    }

    void aColourOutsideTheStandardPaletteOrAPartlyTransparentPixelIsRefused()
    {
        QImage offPalette = sampleIcon(16);
        offPalette.setPixel(3, 3, qRgb(1, 2, 3));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, encodeIcon({offPalette}));
        QImage halfClear = sampleIcon(16);
        halfClear.setPixel(3, 3, qRgba(255, 0, 0, 128));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, encodeIcon({halfClear}));
    }
};

QTEST_GUILESS_MAIN(IcoWriterTest)
#include "ico_writer_test.moc"
