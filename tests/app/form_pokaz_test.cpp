// The window as a learner's mouse meets it. Expected places, pictures and
// texts are written out here, not taken from the window's own tables.

#include "asset_catalog.h"
#include "client_layout.h"
#include "layout.h"
#include "picture_box.h"
#include "pixels.h"
#include "window_driver.h"

#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QTest>

#include <map>
#include <tuple>

using namespace pokaz;
using namespace pokaz::test;
using enum Control;

namespace {

// Each control's picture is the file named after the control; the controls in
// front of a background leave only its top rows to compare.
void checkShows(WindowDriver& driver, std::initializer_list<Control> controls)
{
    const QImage screen = driver.form().grab().toImage().convertToFormat(QImage::Format_RGB32);
    // On a screen at scale 2 (ctest runs this at 1, 1.5 and 2) the pictures
    // at twice the size; at 1.5 Qt resamples them, so only their place counts.
    const int scale = qRound(screen.devicePixelRatio());
    const std::map<Control, int> uncoveredRows{{Pic_Pozadina, 220}, {Pic_S_Pozadina, 60}, {Pic_P_Pozadina, 110}};
    for (const Control control : controls) {
        const QString file = pictureFile(control);
        QImage expected = QImage(QStringLiteral(POKAZ_ASSET_DIR) + (scale == 1 ? "/" : "/2x/") + file)
                              .convertToFormat(QImage::Format_RGB32);
        // The two mailbox-scene backgrounds have a 2-pixel sunken edge and
        // clip their pictures to what lies inside it.
        const int edge = control == Pic_S_Pozadina || control == Pic_P_Pozadina ? 2 : 0;
        const QSize inside = (clientRect(control).size() - QSize(2 * edge, 2 * edge)) * scale;
        const auto rows = uncoveredRows.find(control);
        expected
            = expected.copy(0, 0, inside.width(), rows != uncoveredRows.end() ? rows->second * scale : inside.height());
        const QPoint at = (clientRect(control).topLeft() + QPoint(edge, edge)) * scale;
        QVERIFY2(driver.shown(control), qPrintable(file));
        QVERIFY2(screen.copy(QRect(at, expected.size())) == expected || scale != screen.devicePixelRatio(),
            qPrintable(file));
    }
}

// Bold measured 138 to 163 % of the regular face's dark pixels at scales 1
// to 3; the bold cut of Tahoma that fonts-wine has, 100 %.
constexpr int MinBoldInkPercent = 125;

// The dark pixels of a control as drawn.
PixelsWhere inkOf(QWidget* widget)
{
    const QImage drawn = widget->grab().toImage();
    return pixelsWhere(drawn, [&](int x, int y) { return qGray(drawn.pixel(x, y)) < 128; });
}

// A label's or a button's caption, a frame's title.
QString textOf(WindowDriver& driver, Control control)
{
    const QWidget* widget = driver.form().controls().widget(control);
    return widget->property(qobject_cast<const QGroupBox*>(widget) != nullptr ? "title" : "text").toString();
}

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

class FormPokazTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        registerFonts();
        WindowDriver::quietenOffscreenWarnings();
    }

    void aLearnersMouseBringsEveryPictureToItsPlace()
    {
        WindowDriver driver;
        checkShows(driver, {Pic_Pozadina, Pic_L1_Z, Pic_L2_Z, Pic_L3_Z, Pic_L4_Z, Pic_L5_Z});
        for (int k = 1; k <= 5; ++k) {
            driver.click(closedDrawerPoint(k));
            checkShows(driver, {openDrawer(k)});
            driver.click(openDrawerPoint(k));
            QVERIFY(driver.shown(closedDrawer(k)));
        }
        checkShows(driver, {Pic_Papir_0, Pic_Olovke});

        // Each move over the paper is one drag event; the first enters it.
        driver.press(PencilsPoint);
        for (int event = 1; event <= 101; ++event) {
            driver.move(PaperPoint + QPoint(event % 2, 0));
            if (event % 25 == 24 || event % 25 == 0)
                checkShows(driver, {Pic_Papir(event / 25)});
        }
        driver.release(PaperPoint);
        QCOMPARE(textOf(driver, Tok), QStringLiteral(" 100%"));
        const qreal ratio = driver.form().devicePixelRatioF();
        QCOMPARE(driver.form().grab().toImage().pixelColor(clientRect(Poruka).center() * ratio), QColor(Qt::red));
        const int scale = ratio < 2 ? 1 : 2; // of the drag pointers

        driver.doubleClick(PaperPoint);
        // A release the window never hears of (another client took the
        // pointer) ends the drag at the next move: nothing dropped, the
        // ordinary pointer back, the slot closed again.
        driver.press(EnvelopePoint);
        driver.move(SlotPoint);
        QMouseEvent unheld(QEvent::MouseMove, QPointF(SlotPoint), driver.form().mapToGlobal(QPointF(SlotPoint)),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&driver.form(), &unheld);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        checkShows(driver, {Pic_S_Z, Pic_Pismo, Pic_S_Pozadina, Pic_P_Pozadina});

        // The slot opens under the envelope, closes as it leaves and opens again.
        driver.press(EnvelopePoint);
        const QCursor* pointer = QGuiApplication::overrideCursor();
        QVERIFY(pointer != nullptr);
        QCOMPARE(pointer->hotSpot(), QPoint(16, 16) * scale);
        const QString icon = QStringLiteral(POKAZ_ASSET_DIR) + (scale == 1 ? "" : "/2x") + "/Pic_Pismo.drag.ico";
        QCOMPARE(pointer->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
            QImageReader(icon).read().convertToFormat(QImage::Format_ARGB32));
        for (const QPoint at : {SlotPoint, BesideSlotPoint, SlotPoint, SlotPoint + QPoint(1, 1)})
            driver.move(at);
        checkShows(driver, {Pic_S_O});
        PaintCounter paints;
        driver.form().controls().widget(Pic_S_Pozadina)->installEventFilter(&paints);
        driver.release(SlotPoint + QPoint(1, 1));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        // The mailbox stays in sight for 86 of the 93 steps; each of them is painted.
        QVERIFY2(paints.count >= 86, qPrintable(QString::number(paints.count)));
        QVERIFY(driver.form().height() == ClosingClientHeightLow || driver.form().height() == ClosingClientHeightHigh);

        driver.click(clientRect(BTN_Ponovo).center());
        QCOMPARE(driver.form().size(), FullClientSize);
    }

    // Pictures are decoded before the first frame only if it shows them, the
    // rest right after it (the whole run above sees them), or at once when a
    // control is shown before that.
    void aControlShownBeforeTheFirstFrameHasItsPicture()
    {
        Form_Pokaz early;
        early.controls().setVisible(Pic_L1_O, Truth::True);
        QVERIFY(!qobject_cast<toolkit::PictureBox*>(early.controls().widget(Pic_L1_O))->picture().isNull());
    }

    // Every text as the learner reads it, in the face and size of the layout.
    // At the scale the test runs at, a bold caption is as tall as the scale
    // makes it and has clearly more dark pixels than in the regular face.
    void theLearnerReadsTheProgramsOwnTextsInTheirFaces()
    {
        WindowDriver driver;
        QCOMPARE(driver.form().windowTitle(), QStringLiteral("Pokaz"));
        // Control, text, face, pixels, and a bold caption's ink height at scale 1 (0 when regular).
        const std::tuple<Control, const char*, const char*, int, int> texts[] = {
            {Frame_Pismo, " Pismo ", "Tahoma", 11, 0},
            {Frame_Posta, " U susjedstvu ... ", "Tahoma", 11, 0},
            {PorukaKraj, "Ostalo je na poštarima...", "Tahoma", 27, 0},
            {BTN_Ponovo, "Još jednom...", "Tahoma", 16, 17},
            {BTN_Kraj, "Kraj", "Tahoma", 16, 16},
            {Tok, "0%", "MS Sans Serif", 13, 9},
            {Poruka, " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo.", "Tahoma", 11, 0},
        };
        for (const auto& [control, text, face, pixels, inkHeight] : texts) {
            QWidget* widget = driver.form().controls().widget(control);
            QCOMPARE(textOf(driver, control), QString::fromUtf8(text));
            const QFontInfo font(widget->font());
            QCOMPARE(font.family(), QString::fromLatin1(face));
            QCOMPARE(font.pixelSize(), pixels);
            QCOMPARE(font.bold(), inkHeight > 0);
            if (inkHeight == 0)
                continue;
            const qreal scale = widget->devicePixelRatioF();
            const PixelsWhere ink = inkOf(widget);
            QVERIFY2(std::abs(ink.bounds.height() - inkHeight * scale) <= scale,
                qPrintable(QString::number(ink.bounds.height())));
            QFont regular = widget->font();
            regular.setBold(false);
            widget->setFont(regular);
            const int regularInk = inkOf(widget).count;
            QVERIFY2(ink.count * 100 >= regularInk * MinBoldInkPercent,
                qPrintable(QStringLiteral("%1 against %2").arg(ink.count).arg(regularInk)));
        }
        const std::pair<Control, const char*> toolTips[] = {{Pic_Olovke, "Povlačite olovkom po papiru za pisanje!"},
            {Pic_Pismo, "Povucite pismo do utora na sandučiću!"}, {Pic_Papir_0, ""}, {Poruka, ""}};
        for (const auto& [control, toolTip] : toolTips)
            QCOMPARE(driver.form().controls().widget(control)->toolTip(), QString::fromUtf8(toolTip));
        for (int k = 1; k <= 5; ++k) {
            QCOMPARE(driver.form().controls().widget(closedDrawer(k))->toolTip(),
                QStringLiteral("Kliknite da otvorite ladicu!"));
            QCOMPARE(driver.form().controls().widget(openDrawer(k))->toolTip(),
                QStringLiteral("Kliknite da zatvorite ladicu!"));
        }
    }

    void systemColoursFollowTheDesktopsSchemeAndFixedOnesStayFixed()
    {
        WindowDriver driver;
        driver.form().controls().setBackColor(Tok, colors::Red);
        const QPalette before = QApplication::palette();
        QPalette scheme = before;
        scheme.setColor(QPalette::Button, QColor(10, 20, 30));
        QApplication::setPalette(scheme); // delivered to the widgets through the event loop
        QApplication::processEvents();
        const QImage shown = driver.form().grab().toImage();
        QApplication::setPalette(before);
        QApplication::processEvents();
        const qreal ratio = shown.devicePixelRatio();
        QCOMPARE(shown.pixelColor(clientRect(Poruka).center() * ratio), QColor(10, 20, 30));
        QCOMPARE(shown.pixelColor(QPoint(1, 1)), QColor(10, 20, 30));
        QCOMPARE(shown.pixelColor(clientRect(Tok).topLeft() * ratio + QPoint(2, 2)), QColor(Qt::red));
    }
};

QTEST_MAIN(FormPokazTest)
#include "form_pokaz_test.moc"
