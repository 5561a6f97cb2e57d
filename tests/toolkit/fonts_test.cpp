#include "fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

using namespace pokaz::toolkit;

class FontsTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { registerFonts(); }

    void pointSizesBecomeTheirPixelSizesAt96DotsPerInch()
    {
        QCOMPARE(fontInPoints(TahomaFace, 12.0, true).pixelSize(), 16);
        QCOMPARE(fontInPoints(TahomaFace, 20.25, false).pixelSize(), 27);
        QCOMPARE(fontInPoints(SansSerifFace, 9.75, true).pixelSize(), 13);
        QCOMPARE(dialogFont().pixelSize(), 11);
    }

    void theDialogFontIsTheCompiledInTahoma()
    {
        QCOMPARE(QFontInfo(dialogFont()).family(), QString::fromLatin1(TahomaFace));
    }

    void tahomaHasTheCroatianLetters()
    {
        const QString letters = QStringLiteral("čćšžđČĆŠŽĐ");
        for (const QFont& font : {fontInPoints(TahomaFace, 12.0, true), dialogFont()}) {
            const QFontMetrics metrics(font);
            for (const QChar letter : letters)
                QVERIFY2(metrics.inFont(letter), qPrintable(QString(letter)));
        }
    }
};

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
