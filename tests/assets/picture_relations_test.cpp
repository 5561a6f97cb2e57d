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

// Every picture also comes at twice the size, under the same name in 2x/.
constexpr int Double = 2;

QString atScale(const QString &name, int scale)
{
    return scale == Double ? QStringLiteral("2x/") + name : name;
}

QList<QImage> loadIcon(const QString &name)
{
    QImageReader reader(QDir(QStringLiteral(POKAZ_ASSET_DIR)).filePath(name), "ico");
    QList<QImage> images;
    for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i)
        images.append(reader.read().convertToFormat(QImage::Format_ARGB32));
    return images;
}

// Percent of the picture's pixels, or of its outermost ones only, that equal
// the background's at the picture's place.
int percentSame(const QImage &picture, const QImage &background, QPoint at, bool edgeOnly)
{
    int counted = 0;
    int same = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (edgeOnly && x != 0 && y != 0 && x != picture.width() - 1 && y != picture.height() - 1)
                continue;
            ++counted;
            same += background.valid(at + QPoint(x, y)) && picture.pixel(x, y) == background.pixel(at + QPoint(x, y)) ? 1 : 0;
        }
    }
    return counted == 0 ? 0 : same * 100 / counted;
}

constexpr QRgb Mint = 0xFFC0DFD0; // 192, 223, 208

// A picture at twice the size, averaged down, against its picture: mean
// difference per colour channel, in levels of 255. The 1x bitmaps' palette
// and dither account for up to 3.5.
constexpr double MaxMeanDifference = 5.0;
// Cut pictures repeat their region; open pictures continue the background
// along their edges but where the pulled-out drawer reaches them (57 % and more).
constexpr int Whole = 100;
constexpr int MostOfTheEdge = 50;

// The writing of the sheet: rows 1 to the stage's last row, columns 13 to 83.
constexpr int PaperStages = 5;
constexpr std::array<int, PaperStages> WritingBottom = {0, 7, 14, 21, 31};
constexpr int WritingLeft = 13;
constexpr int WritingRight = 83;
constexpr int WritingTop = 1;
constexpr QSize Sheet(98, 32);
// Red above blue in the blank sheet: 15 in a few greys, 24 and more in cream dots.
constexpr int PaperWarmth = 18;

// Rows WritingTop to `bottom` of the writing columns, at `scale`.
QRect writingArea(int bottom, int scale)
{
    return {QPoint(WritingLeft * scale, WritingTop * scale), QPoint((WritingRight + 1) * scale - 1, (bottom + 1) * scale - 1)};
}

void addScaleRows()
{
    QTest::addColumn<int>("scale");
    QTest::newRow("1x") << 1;
    QTest::newRow("2x") << Double;
}

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
    void picturesLaidOverABackgroundMatchIt_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("background");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("minPercent");
        for (const int scale : {1, Double}) {
            const auto row = [scale](const char *name, const char *background, QPoint at, int minPercent) {
                QTest::addRow("%s at %d", name, scale) << atScale(QString::fromLatin1(name), scale)
                                                      << atScale(QString::fromLatin1(background), scale) << at * scale << minPercent;
            };
            row("Pic_L1_Z.bmp", "Pic_Pozadina.bmp", {24, 227}, Whole);
            row("Pic_L2_Z.bmp", "Pic_Pozadina.bmp", {33, 284}, Whole);
            row("Pic_L3_Z.bmp", "Pic_Pozadina.bmp", {38, 339}, Whole);
            row("Pic_L4_Z.bmp", "Pic_Pozadina.bmp", {218, 228}, Whole);
            row("Pic_L5_Z.bmp", "Pic_Pozadina.bmp", {413, 228}, Whole);
            row("Pic_S_Z.bmp", "Pic_S_Pozadina.bmp", {95, 64}, Whole);
            row("Pic_Pismo.bmp", "Pic_P_Pozadina.bmp", {8, 111}, Whole);
            row("Pic_L1_O.bmp", "Pic_Pozadina.bmp", {0, 228}, MostOfTheEdge);
            row("Pic_L2_O.bmp", "Pic_Pozadina.bmp", {0, 284}, MostOfTheEdge);
            row("Pic_L3_O.bmp", "Pic_Pozadina.bmp", {0, 339}, MostOfTheEdge);
            row("Pic_L4_O.bmp", "Pic_Pozadina.bmp", {193, 217}, MostOfTheEdge);
            row("Pic_L5_O.bmp", "Pic_Pozadina.bmp", {415, 229}, MostOfTheEdge);
            row("Pic_S_O.bmp", "Pic_S_Pozadina.bmp", {75, 64}, MostOfTheEdge);
        }
    }

    void picturesLaidOverABackgroundMatchIt()
    {
        QFETCH(QString, picture);
        QFETCH(QString, background);
        QFETCH(QPoint, at);
        QFETCH(int, minPercent);
        const int same = percentSame(load(picture), load(background), at, minPercent != Whole);
        QVERIFY2(same >= minPercent, qPrintable(QStringLiteral("%1 % of the pixels match").arg(same)));
    }

    void theBlankSheetCarriesNoWriting_data() { addScaleRows(); }

    void theBlankSheetCarriesNoWriting()
    {
        QFETCH(int, scale);
        const QImage blank = load(atScale(QStringLiteral("Pic_Papir_0.bmp"), scale));
        const QImage full = load(atScale(QStringLiteral("Pic_Papir_4.bmp"), scale));
        QCOMPARE(blank.size(), Sheet * scale);
        QCOMPARE(full.size(), Sheet * scale);
        // The writing is dark script on light paper: the blank sheet's writing
        // area has nothing near as dark as the written one's darkest stroke,
        // and nothing of another colour than the grey paper.
        int darkestBlank = 255;
        int darkestWritten = 255;
        int warmestBlank = 0;
        const QRect area = writingArea(Sheet.height() - 1, scale);
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                darkestBlank = std::min(darkestBlank, qGray(blank.pixel(x, y)));
                darkestWritten = std::min(darkestWritten, qGray(full.pixel(x, y)));
                warmestBlank = std::max(warmestBlank, qRed(blank.pixel(x, y)) - qBlue(blank.pixel(x, y)));
            }
        }
        QVERIFY2(darkestBlank > darkestWritten + 40, qPrintable(QStringLiteral("blank %1, written %2").arg(darkestBlank).arg(darkestWritten)));
        QVERIFY2(warmestBlank <= PaperWarmth, qPrintable(QStringLiteral("red exceeds blue by %1").arg(warmestBlank)));
    }

    void eachPaperStageWritesOnlyInItsRowsAndKeepsAllWritingOfTheStageBefore_data() { addScaleRows(); }

    void eachPaperStageWritesOnlyInItsRowsAndKeepsAllWritingOfTheStageBefore()
    {
        QFETCH(int, scale);
        const QSize sheet = Sheet * scale;
        std::array<QImage, PaperStages> stages;
        for (int i = 0; i < PaperStages; ++i) {
            stages.at(static_cast<std::size_t>(i)) = load(atScale(QStringLiteral("Pic_Papir_%1.bmp").arg(i), scale));
            QCOMPARE(stages.at(static_cast<std::size_t>(i)).size(), sheet);
        }
        const QImage &blank = stages[0];
        for (int stage = 1; stage < PaperStages; ++stage) {
            const QImage &current = stages.at(static_cast<std::size_t>(stage));
            const QImage &before = stages.at(static_cast<std::size_t>(stage - 1));
            const QRect area = writingArea(WritingBottom.at(static_cast<std::size_t>(stage)), scale);
            const int newRowsFrom = (WritingBottom.at(static_cast<std::size_t>(stage - 1)) + 1) * scale;
            bool addsWriting = false;
            for (int y = 0; y < sheet.height(); ++y) {
                for (int x = 0; x < sheet.width(); ++x) {
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
        bool lastRowWritten = false; // the sheet's last row, which is two rows at twice the size
        for (int y = sheet.height() - scale; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x)
                lastRowWritten = lastRowWritten || isWriting(full, blank, x, y);
        QVERIFY(lastRowWritten);
    }

    void everyBitmapAtTwiceTheSizeAveragesDownToItsPicture_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : QDir(QStringLiteral(POKAZ_ASSET_DIR)).entryList({"*.bmp"}, QDir::Files))
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyBitmapAtTwiceTheSizeAveragesDownToItsPicture()
    {
        QFETCH(QString, name);
        const QImage single = load(name);
        const QImage doubled = load(atScale(name, Double));
        QCOMPARE(doubled.size(), single.size() * Double);
        const QImage averaged = doubled.scaled(single.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        qint64 difference = 0;
        for (int y = 0; y < single.height(); ++y) {
            for (int x = 0; x < single.width(); ++x) {
                const QRgb a = averaged.pixel(x, y), b = single.pixel(x, y);
                difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            }
        }
        const double mean = static_cast<double>(difference) / (3.0 * single.width() * single.height());
        QVERIFY2(mean <= MaxMeanDifference, qPrintable(QStringLiteral("differs by %1 levels on average").arg(mean)));
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
        QCOMPARE(dominant->first, Mint);
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
                mintBorder += envelope.pixel(x, y) == Mint ? 1 : 0;
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
        // At twice the size, the same pixel art with every pixel doubled.
        const QList<QImage> doubled = loadIcon(atScale(name, Double));
        QCOMPARE(doubled.size(), images.size());
        for (qsizetype i = 0; i < images.size(); ++i)
            QCOMPARE(doubled[i], images[i].scaled(images[i].size() * Double, Qt::IgnoreAspectRatio, Qt::FastTransformation));
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
