// The 25 committed pictures: exactly the files, sizes and formats the
// program carries.

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray bytesOf(const QString& name)
{
    QFile file(QStringLiteral(POKAZ_ASSET_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 u32(const QByteArray& bytes, int offset) { return qFromLittleEndian<quint32>(bytes.constData() + offset); }
quint16 u16(const QByteArray& bytes, int offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); }

} // namespace

class AssetFilesTest final : public QObject {
    Q_OBJECT

private slots:
    void everyBitmapIsAnUncompressedBottomUpWindowsBitmap_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("bits");
        const std::tuple<const char*, int, int, int> bitmaps[] = {
            {"Pic_Pozadina", 640, 478, 8}, {"Pic_L1_Z", 186, 56, 8},  {"Pic_L2_Z", 176, 54, 8},
            {"Pic_L3_Z", 174, 114, 8},     {"Pic_L4_Z", 191, 56, 8},  {"Pic_L5_Z", 192, 57, 8},
            {"Pic_L1_O", 204, 138, 8},     {"Pic_L2_O", 207, 111, 8}, {"Pic_L3_O", 209, 138, 8},
            {"Pic_L4_O", 254, 166, 8},     {"Pic_L5_O", 225, 110, 8}, {"Pic_Papir_0", 98, 32, 8},
            {"Pic_Papir_1", 98, 32, 8},    {"Pic_Papir_2", 98, 32, 8}, {"Pic_Papir_3", 98, 32, 8},
            {"Pic_Papir_4", 98, 32, 8},    {"Pic_Olovke", 43, 68, 8},  {"Pic_S_Pozadina", 215, 237, 8},
            {"Pic_S_Z", 84, 40, 8},        {"Pic_S_O", 105, 57, 8},   {"Pic_P_Pozadina", 227, 244, 24},
            {"Pic_Pismo", 55, 59, 24}};
        for (const auto& [name, width, height, bits] : bitmaps)
            QTest::newRow(name) << QString::fromLatin1(name) + ".bmp" << width << height << bits;
    }

    void everyBitmapIsAnUncompressedBottomUpWindowsBitmap()
    {
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, bits);
        const QByteArray bytes = bytesOf(name);
        QVERIFY2(bytes.size() > 54 && bytes.startsWith("BM"), "no bitmap");
        const quint32 palette = bits == 8 ? 256 : 0;
        const quint32 rows = quint32((width * bits + 31) / 32 * 4 * height);
        QCOMPARE(u32(bytes, 2), quint32(bytes.size()));
        QCOMPARE(u32(bytes, 10), 54 + 4 * palette);
        QCOMPARE(u32(bytes, 14), 40U);
        QCOMPARE(qint32(u32(bytes, 18)), width);
        QCOMPARE(qint32(u32(bytes, 22)), height); // positive: bottom-up
        QCOMPARE(u16(bytes, 28), quint16(bits));
        QCOMPARE(u32(bytes, 30), 0U); // uncompressed
        QCOMPARE(u32(bytes, 34), rows);
        QCOMPARE(u32(bytes, 38), 3780U); // 96 dots per inch
        QCOMPARE(u32(bytes, 46), palette);
        QCOMPARE(quint32(bytes.size()), 54 + 4 * palette + rows);
    }

    void theFolderHoldsThe25PicturesAndTheIconsHoldTwo16ColourImages()
    {
        QCOMPARE(QDir(QStringLiteral(POKAZ_ASSET_DIR)).entryList({"*.bmp", "*.ico"}, QDir::Files).size(), 25);
        for (const char* name : {"Form_Pokaz.ico", "Pic_Olovke.drag.ico", "Pic_Pismo.drag.ico"}) {
            const QByteArray bytes = bytesOf(QString::fromLatin1(name));
            QVERIFY2(bytes.size() > 38 && u16(bytes, 2) == 1 && u16(bytes, 4) == 2, name);
            for (int entry = 0; entry < 2; ++entry) {
                const int side = entry == 0 ? 32 : 16;
                const int at = 6 + 16 * entry;
                QCOMPARE(int(quint8(bytes[at])), side);
                QCOMPARE(int(quint8(bytes[at + 2])), 16); // colours
                QCOMPARE(u16(bytes, at + 6), quint16(4)); // bits
                QCOMPARE(u32(bytes, int(u32(bytes, at + 12)) + 8), quint32(2 * side)); // the image and its mask
            }
            QImageReader reader(QStringLiteral(POKAZ_ASSET_DIR "/") + name);
            QCOMPARE(reader.imageCount(), 2);
        }
    }
};

QTEST_MAIN(AssetFilesTest)
#include "asset_files_test.moc"
