#include "fonts.h"
#include "label.h"
#include "system_color.h"

#include <QApplication>
#include <QTest>

using namespace pokaz::toolkit;

namespace {

int darkPixels(Label& label)
{
    const QImage shown = label.grab().toImage();
    int count = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x)
            count += qGray(shown.pixel(x, y)) < 128 ? 1 : 0;
    }
    return count;
}

} // namespace

class LabelTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { registerFonts(); }

    void fixedColoursAreBlueGreenRedFromTheHighByteDown()
    {
        QCOMPARE(colorFromOle(0x000000FF), QColor(255, 0, 0));
        QCOMPARE(colorFromOle(0x0000FFFF), QColor(255, 255, 0));
        QCOMPARE(colorFromOle(0x00123456), QColor(0x56, 0x34, 0x12));
    }

    void systemColoursComeFromTheApplicationPalette()
    {
        QPalette colors = QApplication::palette();
        colors.setColor(QPalette::Button, QColor(1, 2, 3));
        colors.setColor(QPalette::ButtonText, QColor(4, 5, 6));
        colors.setColor(QPalette::Base, QColor(7, 8, 9));
        colors.setColor(QPalette::Text, QColor(10, 11, 12));
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(colors);
        QCOMPARE(colorFromOle(0x8000000F), QColor(1, 2, 3));
        QCOMPARE(colorFromOle(0x80000012), QColor(4, 5, 6));
        QCOMPARE(colorFromOle(0x80000005), QColor(7, 8, 9));
        QCOMPARE(colorFromOle(0x80000008), QColor(10, 11, 12));
        QApplication::setPalette(saved);
    }

    void itsColoursBorderAndItalicChangeWhileItKeepsItsSize()
    {
        QWidget parent;
        auto* label = new Label(&parent);
        label->setGeometry(3, 513, 601, 22);
        label->setBorder(Label::Border::SingleSunken);
        label->setBackColor(Qt::red);
        label->setForeColor(Qt::yellow);
        label->setText(QStringLiteral(" a caption far longer than the label could ever hold on its single line"));
        label->setFontItalic(true);

        QCOMPARE(label->backColor(), QColor(Qt::red));
        QCOMPARE(label->foreColor(), QColor(Qt::yellow));
        QVERIFY(label->font().italic());
        QCOMPARE(label->frameWidth(), 1);
        QCOMPARE(label->geometry(), QRect(3, 513, 601, 22));
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        const QImage shown = label->grab().toImage();
        QCOMPARE(QColor(shown.pixel(300, 20)), QColor(Qt::red));

        label->setFontItalic(false);
        QVERIFY(!label->font().italic());
        label->setBorder(Label::Border::None);
        QCOMPARE(label->frameWidth(), 0);
    }

    void aBoldCaptionInABitmapFaceIsDrawnHeavierThanARegularOne()
    {
        QWidget parent;
        auto* regular = new Label(&parent);
        auto* bold = new Label(&parent);
        for (Label* label : {regular, bold}) {
            label->setGeometry(0, 0, 49, 22);
            label->setBackColor(Qt::white);
            label->setForeColor(Qt::black);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            label->setText(QStringLiteral(" 100%"));
        }
        regular->setFont(fontInPoints(SansSerifFace, 9.75, false));
        bold->setFont(fontInPoints(SansSerifFace, 9.75, true));
        const int regularInk = darkPixels(*regular);
        QVERIFY(regularInk > 0);
        QVERIFY2(darkPixels(*bold) > regularInk + regularInk / 2,
                 qPrintable(QStringLiteral("%1 against %2").arg(darkPixels(*bold)).arg(regularInk)));
    }
};

QTEST_MAIN(LabelTest)
#include "label_test.moc"
