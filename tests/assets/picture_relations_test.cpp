// How the committed pictures fit together, at their own size and at twice it.

#include "asset_catalogue.h"
#include "paper_stages.h"
#include "pixels.h"

#include <QDir>
#include <QImageReader>
#include <QTest>

using pokaz::assets::DoubleFactor;
using pokaz::test::meanDifference;
using pokaz::test::pixelsWhere;

namespace {

QString path(const QString& name, int scale)
{
    const QString folder = scale == 1 ? QString() : QString::fromLatin1(pokaz::assets::DoubleFolder) + '/';
    return QStringLiteral(POKAZ_ASSET_DIR "/") + folder + name;
}

QImage load(const QString& name, int scale = 1)
{
    return QImage(path(name, scale)).convertToFormat(QImage::Format_RGB32);
}

// Percent of the picture's pixels, or of its outermost ones, equal to the background's at its place.
int percentSame(const QImage& picture, const QImage& background, QPoint at, bool edgeOnly)
{
    const auto counted = [&](int x, int y) {
        return !edgeOnly || x == 0 || y == 0 || x == picture.width() - 1 || y == picture.height() - 1;
    };
    const int same = pixelsWhere(picture, [&](int x, int y) {
        return counted(x, y) && background.valid(at + QPoint(x, y))
            && picture.pixel(x, y) == background.pixel(at + QPoint(x, y));
    }).count;
    return same * 100 / std::max(pixelsWhere(picture, counted).count, 1);
}

} // namespace

class PictureRelationsTest final : public QObject {
    Q_OBJECT

private slots:
    // Pictures cut from a background repeat their region of it; open drawers
    // and the open slot continue it along most of their edge.
    void picturesLaidOverABackgroundMatchIt()
    {
        using namespace pokaz::assets;
        for (const int scale : {1, DoubleFactor}) {
            for (const AssetCut& cut : Cuts) {
                if (cut.origin == Origin::WholeRender || cut.asset == "Pic_Olovke.bmp")
                    continue;
                const std::string_view background = cut.family == Family::Desk ? DeskBackground
                    : cut.family == Family::Mailbox                            ? MailboxBackground
                                                                               : ManBackground;
                const bool whole = cut.origin == Origin::RegionOfBackground;
                const int same = percentSame(load(QString::fromLatin1(cut.asset), scale),
                    load(QString::fromLatin1(background), scale), cut.region.rect(scale).topLeft(), !whole);
                QVERIFY2(same >= (whole ? 100 : 50),
                    qPrintable(QStringLiteral("%1 at %2x: %3").arg(cut.asset.data()).arg(scale).arg(same)));
            }
        }
    }

    // Writing in rows 1 to the stage's last one, columns 13 to 83, on a plain
    // grey blank sheet; each stage is the pipeline's band of the full letter
    // over the blank sheet, so it keeps the writing of the one before.
    void thePaperStagesWriteCumulativelyInTheirRows()
    {
        using pokaz::assets::PaperStages;
        for (const int scale : {1, DoubleFactor}) {
            const QImage blank = load("Pic_Papir_0.bmp", scale);
            const QImage full = load("Pic_Papir_4.bmp", scale);
            QCOMPARE(blank.size(), QSize(98, 32) * scale);
            const QRect sheet(QPoint(13, 1) * scale, QPoint(84, 32) * scale - QPoint(1, 1));
            const auto marked = [&](int x, int y) {
                const QRgb p = blank.pixel(x, y);
                return sheet.contains(x, y) && (qGray(p) <= 150 || qRed(p) - qBlue(p) > 18);
            };
            QCOMPARE(pixelsWhere(blank, marked).count, 0);
            const int lastRows[] = {0, 7, 14, 21, 31};
            for (int stage = 1; stage < 5; ++stage) {
                const QImage current = load(QStringLiteral("Pic_Papir_%1.bmp").arg(stage), scale);
                // Where the stage differs from the blank sheet: where it is written.
                const QRect written = pixelsWhere(current, [&](int x, int y) {
                    return current.pixel(x, y) != blank.pixel(x, y);
                }).bounds;
                // Within the sheet down to the stage's last row, with new writing
                // in its own rows; the last stage reaches the sheet's last row.
                QVERIFY(sheet.adjusted(0, 0, 0, (lastRows[stage] - lastRows[4]) * scale).contains(written));
                QVERIFY(
                    written.bottom() / scale > lastRows[stage - 1] && (stage < 4 || written.bottom() / scale == 31));
                QVERIFY(PaperStages::compose(blank, full, stage, scale) == current);
            }
        }
    }

    // Both folders hold the manifest's pictures and no others. At twice the
    // size the same picture: a bitmap averages down to it, its palette and
    // dither accounting for up to 3.5 levels; an icon, clear round its shape,
    // is the same pixel art with every pixel doubled.
    void everyPictureAtTwiceTheSizeIsTheSamePicture()
    {
        using pokaz::assets::PictureFiles;
        for (const int scale : {1, DoubleFactor})
            QCOMPARE(QDir(path({}, scale)).entryList({"*.bmp", "*.ico"}, QDir::Files).size(), PictureFiles.size());
        for (const std::string_view file : PictureFiles) {
            const QString name = QString::fromLatin1(file);
            QImageReader icon(path(name, 1), "ico"), doubledIcon(path(name, DoubleFactor), "ico");
            for (int i = 0; name.endsWith(".ico") && i < 2;
                 ++i, icon.jumpToNextImage(), doubledIcon.jumpToNextImage()) {
                const QImage image = icon.read().convertToFormat(QImage::Format_ARGB32);
                QVERIFY(
                    image.width() == 32 >> i && qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(31 >> i, 0)) == 0);
                QCOMPARE(doubledIcon.read().convertToFormat(QImage::Format_ARGB32),
                    image.scaled(image.size() * DoubleFactor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
            }
            const QImage single = load(name), doubled = load(name, DoubleFactor);
            QVERIFY2(name.endsWith(".ico")
                    || (doubled.size() == single.size() * DoubleFactor
                        && meanDifference(
                               doubled.scaled(single.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation), single)
                            <= 5.0),
                qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(PictureRelationsTest)
#include "picture_relations_test.moc"
