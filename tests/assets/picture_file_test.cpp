#include "picture_file.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

#include <tuple>
#include <vector>

using namespace pokaz::imagefile;

namespace {

QString assetPath(const QString& name) { return QStringLiteral(POKAZ_ASSET_DIR "/") + name; }

QByteArray fileBytes(const QString& name)
{
    QFile file(assetPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PictureFileTest final : public QObject {
    Q_OBJECT

private slots:
    void everyPictureDecodesToThePixelsQtsOwnReaderSees()
    {
        const QStringList files = QDir(QStringLiteral(POKAZ_ASSET_DIR)).entryList({"*.bmp", "*.ico"}, QDir::Files);
        for (const QString& name : files) {
            QString error;
            const std::vector<QImage> ours = name.endsWith(".bmp") ? std::vector{decodeBitmap(fileBytes(name), &error)}
                                                                   : decodeIcon(fileBytes(name), &error);
            QImageReader reader(assetPath(name));
            for (std::size_t i = 0; i < ours.size(); ++i, reader.jumpToNextImage())
                // Premultiplied, the colours of see-through pixels do not count.
                QVERIFY2(ours[i].convertToFormat(QImage::Format_ARGB32_Premultiplied)
                        == reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                    qPrintable(name + " " + error));
            QCOMPARE(ours.size(), name.endsWith(".bmp") ? 1U : 2U);
        }
    }

    void damagedDataIsRefusedWithAReason()
    {
        const QByteArray bitmap = fileBytes("Pic_L1_Z.bmp"), icon = fileBytes("Form_Pokaz.ico");
        const auto patched = [](QByteArray bytes, int offset, quint32 value) {
            qToLittleEndian<quint32>(value, bytes.data() + offset);
            return bytes;
        };
        const int firstIconImage = int(qFromLittleEndian<quint32>(icon.data() + 18));
        // What is damaged, the bytes, and whether they are read as an icon.
        std::vector<std::tuple<QString, QByteArray, bool>> cases{{"empty", {}, false},
            {"bitmap cut by a byte", bitmap.chopped(1), false}, {"compressed", patched(bitmap, 30, 1), false},
            {"enormous", patched(bitmap, 18, 1U << 20), false},
            {"lowest height", patched(bitmap, 22, 0x80000000U), false}, {"not a bitmap", patched(bitmap, 0, 0), false},
            {"icon cut by a byte", icon.chopped(1), true},
            {"icon one row high", patched(icon, firstIconImage + 8, 1), true},
            {"icon image past the end", patched(icon, 18, quint32(icon.size())), true},
            {"a bitmap as an icon", bitmap, true}};
        for (const quint32 depth : {0, 2, 3, 7, 16, 32})
            cases.emplace_back(QStringLiteral("%1 bits").arg(depth), patched(bitmap, 28, depth), false);
        for (const auto& [damage, bytes, asIcon] : cases) {
            QString error;
            QVERIFY2(
                asIcon ? decodeIcon(bytes, &error).empty() : decodeBitmap(bytes, &error).isNull(), qPrintable(damage));
            QVERIFY2(!error.isEmpty(), qPrintable(damage));
        }
    }
};

QTEST_MAIN(PictureFileTest)
#include "picture_file_test.moc"
