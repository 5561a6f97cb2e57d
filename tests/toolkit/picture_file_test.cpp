#include "picture_file.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

using namespace pokaz::toolkit;

namespace {

QByteArray fileBytes(const QString& name)
{
    QFile file(QStringLiteral(POKAZ_ASSET_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    return file.readAll();
}

// Every image of a file as Qt's own reader sees it.
std::vector<QImage> readByQt(const QString& name)
{
    QImageReader reader(QStringLiteral(POKAZ_ASSET_DIR "/") + name);
    std::vector<QImage> images;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        images.push_back(image.convertToFormat(QImage::Format_ARGB32));
    } while (reader.jumpToNextImage());
    return images;
}

QStringList assetFiles(const char* pattern)
{
    return QDir(QStringLiteral(POKAZ_ASSET_DIR)).entryList({QString::fromLatin1(pattern)}, QDir::Files);
}

} // namespace

class PictureFileTest final : public QObject {
    Q_OBJECT

private slots:
    void everyBitmapDecodesToTheSamePixelsAsQtsReader()
    {
        const QStringList files = assetFiles("*.bmp");
        QCOMPARE(files.size(), 22);
        for (const QString& name : files) {
            QString error;
            const QImage ours = decodeBitmap(fileBytes(name), &error);
            QVERIFY2(!ours.isNull(), qPrintable(name + ": " + error));
            QCOMPARE(ours.format(), QImage::Format_RGB32);
            const std::vector<QImage> qts = readByQt(name);
            QCOMPARE(qts.size(), std::size_t{1});
            QVERIFY2(ours.convertToFormat(QImage::Format_ARGB32) == qts.front(), qPrintable(name));
        }
    }

    void everyIconDecodesBothImagesWithTheirTransparency()
    {
        const QStringList files = assetFiles("*.ico");
        QCOMPARE(files.size(), 3);
        for (const QString& name : files) {
            QString error;
            const std::vector<QImage> ours = decodeIcon(fileBytes(name), &error);
            const std::vector<QImage> qts = readByQt(name);
            QCOMPARE(ours.size(), std::size_t{2});
            QCOMPARE(ours.at(0).size(), QSize(32, 32));
            QCOMPARE(ours.at(1).size(), QSize(16, 16));
            QCOMPARE(ours.size(), qts.size());
            for (std::size_t i = 0; i < ours.size(); ++i) {
                for (int y = 0; y < ours[i].height(); ++y) {
                    for (int x = 0; x < ours[i].width(); ++x) {
                        const QRgb mine = ours[i].pixel(x, y);
                        const QRgb theirs = qts[i].pixel(x, y);
                        // Transparent pixels may differ in their hidden colour.
                        QVERIFY2(qAlpha(mine) == qAlpha(theirs) && (qAlpha(mine) == 0 || mine == theirs),
                                 qPrintable(QStringLiteral("%1 image %2 at %3,%4").arg(name).arg(i).arg(x).arg(y)));
                    }
                }
            }
            QCOMPARE(qAlpha(ours.at(0).pixel(0, 0)), 0); // every icon's corner is see-through
        }
    }

    void damagedFilesAreRefusedWithAReason()
    {
        const QByteArray bitmap = fileBytes(QStringLiteral("Pic_L1_Z.bmp"));
        const QByteArray icon = fileBytes(QStringLiteral("Form_Pokaz.ico"));

        QByteArray compressed = bitmap;
        qToLittleEndian<quint32>(1, compressed.data() + 30);
        QByteArray enormous = bitmap;
        qToLittleEndian<qint32>(1 << 20, enormous.data() + 18);
        QByteArray wrongMagic = bitmap;
        wrongMagic[0] = 'X';
        const QByteArray damagedBitmaps[] = {bitmap.left(bitmap.size() - 1), bitmap.left(20), compressed,
                                             enormous, wrongMagic, QByteArray()};
        for (const QByteArray& damaged : damagedBitmaps) {
            QString error;
            QVERIFY(decodeBitmap(damaged, &error).isNull());
            QVERIFY(!error.isEmpty());
        }

        QByteArray pastTheEnd = icon;
        qToLittleEndian<quint32>(static_cast<quint32>(icon.size()), pastTheEnd.data() + 6 + 12);
        const QByteArray damagedIcons[] = {icon.left(icon.size() - 1), icon.left(30), pastTheEnd, bitmap};
        for (const QByteArray& damaged : damagedIcons) {
            QString error;
            QVERIFY(decodeIcon(damaged, &error).empty());
            QVERIFY(!error.isEmpty());
        }
    }
};

QTEST_MAIN(PictureFileTest)
#include "picture_file_test.moc"
