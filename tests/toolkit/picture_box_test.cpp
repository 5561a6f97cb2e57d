#include "picture_box.h"

#include <QImage>
#include <QTest>

#include <memory>

using pokaz::toolkit::PictureBox;

namespace {

// Every pixel its own colour, so that a shift by one pixel shows.
QImage patterned(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 5 % 256, y * 7 % 256, (x + y) % 256));
    }
    return image;
}

QImage rendered(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class PictureBoxTest final : public QObject {
    Q_OBJECT

private slots:
    void aPictureIsDrawnUnscaledFromTheTopLeftAndCutOffAtTheEdge()
    {
        QWidget parent;
        auto* box = new PictureBox(&parent);
        box->setGeometry(0, 0, 30, 20);
        box->setBackColor(Qt::white);
        const QImage picture = patterned(QSize(40, 10));
        box->setPicture(picture);

        QCOMPARE(box->clientRect(), QRect(0, 0, 30, 20));
        const QImage shown = rendered(*box);
        QCOMPARE(shown.size(), QSize(30, 20));
        QCOMPARE(shown.copy(0, 0, 30, 10), picture.copy(0, 0, 30, 10));
        // Below the picture the client area shows the background colour.
        QCOMPARE(shown.pixel(0, 10), qRgb(255, 255, 255));
        QCOMPARE(shown.pixel(29, 19), qRgb(255, 255, 255));
    }

    void theSunkenEdgeIsTwoPixelsWideAndThePictureStartsInsideIt()
    {
        QWidget parent;
        auto* box = new PictureBox(&parent);
        box->setBorder(PictureBox::Border::Sunken3D);
        box->setGeometry(0, 0, 229, 241);
        const QImage picture = patterned(QSize(227, 244));
        box->setPicture(picture);

        QCOMPARE(box->clientRect(), QRect(2, 2, 225, 237));
        QCOMPARE(box->clientOrigin(), QPoint(2, 2));
        const QImage shown = rendered(*box);
        // The client area shows the picture's top-left 225 x 237 pixels.
        QCOMPARE(shown.copy(2, 2, 225, 237), picture.copy(0, 0, 225, 237));
        // The edge is drawn over none of the picture: darker at the top left,
        // lighter at the bottom right.
        const QPalette colors = box->palette();
        QCOMPARE(shown.pixel(0, 0), colors.color(QPalette::Dark).rgb());
        QCOMPARE(shown.pixel(1, 1), colors.color(QPalette::Shadow).rgb());
        QCOMPARE(shown.pixel(228, 240), colors.color(QPalette::Light).rgb());
    }

    void childrenHideWithThePicture()
    {
        QWidget parent;
        auto* box = new PictureBox(&parent);
        auto* child = new PictureBox(box);
        box->hide();
        QVERIFY(!child->isHidden());
        QVERIFY(!child->isVisibleTo(&parent));
        box->show();
        QVERIFY(child->isVisibleTo(&parent));
    }
};

QTEST_MAIN(PictureBoxTest)
#include "picture_box_test.moc"
