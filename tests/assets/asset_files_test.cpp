#include "picture_headers.h"

#include <QDir>
#include <QImage>
#include <QTest>

#include <array>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780;

struct ExpectedBitmap {
    const char *name;
    int width;
    int height;
    int bits;
};

constexpr std::array<ExpectedBitmap, 22> kBitmaps = {{
    {"Pic_Pozadina.bmp", 640, 478, 8},
    {"Pic_L1_Z.bmp", 186, 56, 8},
    {"Pic_L2_Z.bmp", 176, 54, 8},
    {"Pic_L3_Z.bmp", 174, 114, 8},
    {"Pic_L4_Z.bmp", 191, 56, 8},
    {"Pic_L5_Z.bmp", 192, 57, 8},
    {"Pic_L1_O.bmp", 204, 138, 8},
    {"Pic_L2_O.bmp", 207, 111, 8},
    {"Pic_L3_O.bmp", 209, 138, 8},
    {"Pic_L4_O.bmp", 254, 166, 8},
    {"Pic_L5_O.bmp", 225, 110, 8},
    {"Pic_Papir_0.bmp", 98, 32, 8},
    {"Pic_Papir_1.bmp", 98, 32, 8},
    {"Pic_Papir_2.bmp", 98, 32, 8},
    {"Pic_Papir_3.bmp", 98, 32, 8},
    {"Pic_Papir_4.bmp", 98, 32, 8},
    {"Pic_Olovke.bmp", 43, 68, 8},
    {"Pic_S_Pozadina.bmp", 215, 237, 8},
    {"Pic_S_Z.bmp", 84, 40, 8},
    {"Pic_S_O.bmp", 105, 57, 8},
    {"Pic_P_Pozadina.bmp", 227, 244, 24},
    {"Pic_Pismo.bmp", 55, 59, 24},
}};

constexpr std::array<const char *, 3> kIcons = {"Form_Pokaz.ico", "Pic_Olovke.drag.ico", "Pic_Pismo.drag.ico"};

QString assetPath(const char *name)
{
    return QDir(QStringLiteral(POKAZ_ASSET_DIR)).filePath(QString::fromLatin1(name));
}

} // namespace

class AssetFilesTest final : public QObject {
    Q_OBJECT

private slots:
    void theAssetFolderHoldsExactlyTheTwentyFivePictures()
    {
        QStringList expected;
        for (const ExpectedBitmap &bitmap : kBitmaps)
            expected.append(QString::fromLatin1(bitmap.name));
        for (const char *icon : kIcons)
            expected.append(QString::fromLatin1(icon));
        expected.sort();
        const QStringList present = QDir(QStringLiteral(POKAZ_ASSET_DIR)).entryList({"*.bmp", "*.ico"}, QDir::Files, QDir::Name);
        QCOMPARE(present, expected);
    }

    void everyBitmapIsAnUncompressedBottomUpWindowsBitmap_data()
    {
        QTest::addColumn<int>("entry");
        for (std::size_t i = 0; i < kBitmaps.size(); ++i)
            QTest::newRow(kBitmaps[i].name) << static_cast<int>(i);
    }

    void everyBitmapIsAnUncompressedBottomUpWindowsBitmap()
    {
        QFETCH(int, entry);
        const ExpectedBitmap &want = kBitmaps.at(static_cast<std::size_t>(entry));
        const QByteArray bytes = readAll(assetPath(want.name));
        const auto h = parseBmp(bytes);
        QVERIFY2(h, "missing or truncated file");

        const bool indexed = want.bits == 8;
        const auto stride = static_cast<std::uint32_t>(storedRowBytes(want.width, want.bits));
        const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(want.height);
        const std::uint32_t paletteEntries = indexed ? 256 : 0;

        QCOMPARE(h->type, QByteArray("BM"));
        QCOMPARE(h->fileSize, static_cast<std::uint32_t>(bytes.size()));
        QCOMPARE(h->reserved, 0U);
        QCOMPARE(h->pixelOffset, kFileHeaderSize + kInfoHeaderSize + paletteEntries * 4);
        QCOMPARE(h->info.size, kInfoHeaderSize);
        QCOMPARE(h->info.width, want.width);
        QCOMPARE(h->info.height, want.height); // positive: bottom-up
        QCOMPARE(h->info.planes, 1);
        QCOMPARE(static_cast<int>(h->info.bitCount), want.bits);
        QCOMPARE(h->info.compression, 0U);
        QCOMPARE(h->info.imageSize, imageSize);
        QCOMPARE(h->info.xPixelsPerMetre, kPixelsPerMetre);
        QCOMPARE(h->info.yPixelsPerMetre, kPixelsPerMetre);
        QCOMPARE(h->info.coloursUsed, paletteEntries);
        QCOMPARE(h->info.coloursImportant, 0U);
        QCOMPARE(static_cast<std::uint32_t>(h->palette.size()), paletteEntries);
        QVERIFY(h->paletteReservedBytesZero);
        QCOMPARE(static_cast<std::uint32_t>(bytes.size()), h->pixelOffset + imageSize);

        QImage read;
        QVERIFY(read.loadFromData(bytes, "BMP"));
        QCOMPARE(read.size(), QSize(want.width, want.height));
    }

    void everyIconHoldsA32And16ImageIn16ColoursWithAMask_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *icon : kIcons)
            QTest::newRow(icon) << QString::fromLatin1(icon);
    }

    void everyIconHoldsA32And16ImageIn16ColoursWithAMask()
    {
        QFETCH(QString, name);
        const QByteArray bytes = readAll(QDir(QStringLiteral(POKAZ_ASSET_DIR)).filePath(name));
        const auto h = parseIcon(bytes);
        QVERIFY2(h, "missing or truncated file");
        QCOMPARE(h->reserved, 0);
        QCOMPARE(h->type, 1);
        QCOMPARE(h->entries.size(), 2);

        constexpr std::uint32_t kDirectorySize = 6 + 2 * 16;
        std::uint32_t expectedOffset = kDirectorySize;
        const std::array<int, 2> sides = {32, 16};
        for (std::size_t i = 0; i < sides.size(); ++i) {
            const IconEntry &e = h->entries.at(static_cast<qsizetype>(i));
            const int side = sides[i];
            const auto pixelBytes = static_cast<std::uint32_t>(storedRowBytes(side, 4) * side + storedRowBytes(side, 1) * side);
            QCOMPARE(e.width, side);
            QCOMPARE(e.height, side);
            QCOMPARE(e.colourCount, 16);
            QCOMPARE(e.reserved, 0);
            QCOMPARE(e.planes, 1);
            QCOMPARE(e.bitCount, 4);
            QCOMPARE(e.offset, expectedOffset);
            QCOMPARE(e.bytes, kInfoHeaderSize + 16 * 4 + pixelBytes);
            expectedOffset += e.bytes;

            QCOMPARE(e.info.size, kInfoHeaderSize);
            QCOMPARE(e.info.width, side);
            QCOMPARE(e.info.height, 2 * side); // colour image and mask
            QCOMPARE(e.info.planes, 1);
            QCOMPARE(e.info.bitCount, 4);
            QCOMPARE(e.info.compression, 0U);
            QCOMPARE(e.palette, QList<QRgb>(kExpectedIconPalette.begin(), kExpectedIconPalette.end()));

            const auto pixels = readIconPixels(bytes, e);
            QVERIFY(pixels);
            for (qsizetype p = 0; p < pixels->index.size(); ++p) {
                if (pixels->transparent.at(p))
                    QCOMPARE(pixels->index.at(p), 0);
            }
        }
        QCOMPARE(static_cast<std::uint32_t>(bytes.size()), expectedOffset);
    }
};

QTEST_GUILESS_MAIN(AssetFilesTest)
#include "asset_files_test.moc"
