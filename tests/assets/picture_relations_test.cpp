#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QRect>
#include <QTest>

#include <algorithm>
#include <array>
#include <map>

namespace {

QImage load(const QString &name)
{
    return QImage(QDir(QStringLiteral(POKAZ_ASSET_DIR)).filePath(name)).convertToFormat(QImage::Format_RGB32);
}

QList<QImage> loadIcon(const QString &name)
{
    QImageReader reader(QDir(QStringLiteral(POKAZ_ASSET_DIR)).filePath(name), "ico");
    QList<QImage> images;
    for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i)
        images.append(reader.read().convertToFormat(QImage::Format_ARGB32));
    return images;
}

// Empty when the picture equals the region; otherwise where it first differs.
QString firstDifference(const QImage &picture, const QImage &background, const QRect &region)
{
    if (picture.size() != region.size())
        return QStringLiteral("picture is %1 x %2").arg(picture.width()).arg(picture.height());
    for (int y = 0; y < region.height(); ++y)
        for (int x = 0; x < region.width(); ++x)
            if (picture.pixel(x, y) != background.pixel(region.x() + x, region.y() + y))
                return QStringLiteral("differs at %1,%2").arg(x).arg(y);
    return {};
}

constexpr QRgb kMint = 0xFFC0DFD0; // 192, 223, 208

// The writing of the sheet: rows 1 to the stage's last row, columns 13 to 83.
constexpr int kPaperStages = 5;
constexpr std::array<int, kPaperStages> kWritingBottom = {0, 7, 14, 21, 31};
constexpr int kWritingLeft = 13;
constexpr int kWritingRight = 83;
constexpr int kWritingTop = 1;
constexpr QSize kSheet(98, 32);

bool isWriting(const QImage &stage, const QImage &blank, int x, int y)
{
    return stage.pixel(x, y) != blank.pixel(x, y);
}

QRect opaqueBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class PictureRelationsTest final : public QObject {
    Q_OBJECT

private slots:
    void cutPicturesRepeatTheirRegionOfTheBackgroundPixelForPixel_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("background");
        QTest::addColumn<QRect>("region");
        QTest::newRow("Pic_L1_Z") << "Pic_L1_Z.bmp" << "Pic_Pozadina.bmp" << QRect(24, 227, 186, 56);
        QTest::newRow("Pic_L2_Z") << "Pic_L2_Z.bmp" << "Pic_Pozadina.bmp" << QRect(33, 284, 176, 54);
        QTest::newRow("Pic_L3_Z") << "Pic_L3_Z.bmp" << "Pic_Pozadina.bmp" << QRect(38, 339, 174, 114);
        QTest::newRow("Pic_L4_Z") << "Pic_L4_Z.bmp" << "Pic_Pozadina.bmp" << QRect(218, 228, 191, 56);
        QTest::newRow("Pic_L5_Z") << "Pic_L5_Z.bmp" << "Pic_Pozadina.bmp" << QRect(413, 228, 192, 57);
        QTest::newRow("Pic_S_Z") << "Pic_S_Z.bmp" << "Pic_S_Pozadina.bmp" << QRect(95, 64, 84, 40);
        QTest::newRow("Pic_Pismo") << "Pic_Pismo.bmp" << "Pic_P_Pozadina.bmp" << QRect(8, 111, 55, 59);
    }

    void cutPicturesRepeatTheirRegionOfTheBackgroundPixelForPixel()
    {
        QFETCH(QString, picture);
        QFETCH(QString, background);
        QFETCH(QRect, region);
        const QImage whole = load(background);
        QVERIFY(whole.rect().contains(region));
        const QString difference = firstDifference(load(picture), whole, region);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void theBlankSheetCarriesNoWriting()
    {
        const QImage blank = load(QStringLiteral("Pic_Papir_0.bmp"));
        const QImage full = load(QStringLiteral("Pic_Papir_4.bmp"));
        QCOMPARE(blank.size(), kSheet);
        QCOMPARE(full.size(), kSheet);
        // The writing is dark script on light paper: the blank sheet's writing
        // area has nothing near as dark as the written one's darkest stroke.
        int darkestBlank = 255;
        int darkestWritten = 255;
        for (int y = kWritingTop; y < kSheet.height(); ++y) {
            for (int x = kWritingLeft; x <= kWritingRight; ++x) {
                darkestBlank = std::min(darkestBlank, qGray(blank.pixel(x, y)));
                darkestWritten = std::min(darkestWritten, qGray(full.pixel(x, y)));
            }
        }
        QVERIFY2(darkestBlank > darkestWritten + 40, qPrintable(QStringLiteral("blank %1, written %2").arg(darkestBlank).arg(darkestWritten)));
    }

    void eachPaperStageWritesOnlyInItsRowsAndKeepsAllWritingOfTheStageBefore()
    {
        std::array<QImage, kPaperStages> stages;
        for (int i = 0; i < kPaperStages; ++i) {
            stages.at(static_cast<std::size_t>(i)) = load(QStringLiteral("Pic_Papir_%1.bmp").arg(i));
            QCOMPARE(stages.at(static_cast<std::size_t>(i)).size(), kSheet);
        }
        const QImage &blank = stages[0];
        for (int stage = 1; stage < kPaperStages; ++stage) {
            const QImage &current = stages.at(static_cast<std::size_t>(stage));
            const QImage &before = stages.at(static_cast<std::size_t>(stage - 1));
            const QRect area(QPoint(kWritingLeft, kWritingTop), QPoint(kWritingRight, kWritingBottom.at(static_cast<std::size_t>(stage))));
            const int newRowsFrom = kWritingBottom.at(static_cast<std::size_t>(stage - 1)) + 1;
            bool addsWriting = false;
            for (int y = 0; y < kSheet.height(); ++y) {
                for (int x = 0; x < kSheet.width(); ++x) {
                    if (isWriting(current, blank, x, y)) {
                        QVERIFY2(area.contains(x, y), qPrintable(QStringLiteral("stage %1 writes at %2,%3").arg(stage).arg(x).arg(y)));
                        addsWriting = addsWriting || y >= newRowsFrom;
                    }
                    if (isWriting(before, blank, x, y))
                        QVERIFY2(current.pixel(x, y) == before.pixel(x, y),
                                 qPrintable(QStringLiteral("stage %1 loses writing at %2,%3").arg(stage).arg(x).arg(y)));
                }
            }
            QVERIFY2(addsWriting, qPrintable(QStringLiteral("stage %1 adds no writing in its new rows").arg(stage)));
        }
        const QImage &full = stages.back();
        bool lastRowWritten = false;
        for (int x = kWritingLeft; x <= kWritingRight; ++x)
            lastRowWritten = lastRowWritten || isWriting(full, blank, x, kSheet.height() - 1);
        QVERIFY(lastRowWritten);
    }

    void mintIsTheDominantColourOfTheManAndSurroundsTheEnvelope()
    {
        const QImage man = load(QStringLiteral("Pic_P_Pozadina.bmp"));
        QVERIFY(!man.isNull());
        std::map<QRgb, int> counts;
        for (int y = 0; y < man.height(); ++y)
            for (int x = 0; x < man.width(); ++x)
                ++counts[man.pixel(x, y)];
        const auto dominant = std::max_element(counts.begin(), counts.end(), [](const auto &p, const auto &q) { return p.second < q.second; });
        QCOMPARE(dominant->first, kMint);
        QVERIFY(dominant->second * 2 > man.width() * man.height());

        const QImage envelope = load(QStringLiteral("Pic_Pismo.bmp"));
        QCOMPARE(envelope.size(), QSize(55, 59));
        int border = 0;
        int mintBorder = 0;
        for (int y = 0; y < envelope.height(); ++y) {
            for (int x = 0; x < envelope.width(); ++x) {
                if (x != 0 && y != 0 && x != envelope.width() - 1 && y != envelope.height() - 1)
                    continue;
                ++border;
                mintBorder += envelope.pixel(x, y) == kMint ? 1 : 0;
            }
        }
        QVERIFY2(mintBorder * 2 > border, qPrintable(QStringLiteral("%1 of %2 border pixels are mint").arg(mintBorder).arg(border)));
    }

    void iconsAreTransparentOutsideTheirShape_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bottomLeftMayBeDrawn");
        QTest::newRow("Form_Pokaz") << "Form_Pokaz.ico" << false;
        // The pencil's tip touches the bottom-left corner.
        QTest::newRow("Pic_Olovke.drag") << "Pic_Olovke.drag.ico" << true;
        QTest::newRow("Pic_Pismo.drag") << "Pic_Pismo.drag.ico" << false;
    }

    void iconsAreTransparentOutsideTheirShape()
    {
        QFETCH(QString, name);
        QFETCH(bool, bottomLeftMayBeDrawn);
        const QList<QImage> images = loadIcon(name);
        QCOMPARE(images.size(), 2);
        QCOMPARE(images[0].size(), QSize(32, 32));
        QCOMPARE(images[1].size(), QSize(16, 16));
        for (const QImage &image : images) {
            const int last = image.width() - 1;
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(last, last)), 0);
            if (!bottomLeftMayBeDrawn)
                QCOMPARE(qAlpha(image.pixel(0, last)), 0);
            QVERIFY(!opaqueBounds(image).isEmpty());
        }
    }

    void theEnvelopeIconSpansRows6To24And29PixelsAcross()
    {
        const QList<QImage> images = loadIcon(QStringLiteral("Pic_Pismo.drag.ico"));
        QVERIFY(!images.isEmpty());
        const QRect drawn = opaqueBounds(images[0]);
        QCOMPARE(drawn.top(), 6);
        QCOMPARE(drawn.bottom(), 24);
        QCOMPARE(drawn.width(), 29);
    }
};

QTEST_GUILESS_MAIN(PictureRelationsTest)
#include "picture_relations_test.moc"
