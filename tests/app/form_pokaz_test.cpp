// The window as a learner's mouse meets it. Expected places, pictures and
// texts are written out here, not taken from the window's own tables.

#include "asset_catalog.h"
#include "client_layout.h"
#include "layout.h"
#include "learner.h"
#include "picture_box.h"
#include "pixels.h"
#include "window_driver.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <functional>
#include <map>
#include <tuple>

using namespace pokaz;
using namespace pokaz::test;
using enum Control;

// The pictures at twice the size taken from the program's resources and put
// back, as where a page fetched none; the functions are global.
void dropDoubleSizePictures() { Q_CLEANUP_RESOURCE(pictures_2x); }
void restoreDoubleSizePictures() { Q_INIT_RESOURCE(pictures_2x); }

namespace {

// Qt's resampling of a picture against the same done here, in colour levels.
constexpr double MaxResamplingDifference = 0.5;
// Grey levels between the dark and the light side of a sunken edge (measured 96 to 137).
constexpr int MinEdgeContrast = 40;
// A left-aligned caption begins after the border and its own leading blank.
constexpr qreal MaxLeftIndent = 6;
// Pure yellow pixels of the highlighted instruction (measured 100 at scale 1).
constexpr int MinYellowPixels = 50;

// Each control's picture is the file named after it, one picture pixel to
// one pixel at scale 1; above it the picture at twice the size, as it is at
// 2, smoothly scaled to any other scale (ctest runs this at 1, 1.5 and 2).
// The controls in front of a background leave only its top rows to compare.
void checkShows(WindowDriver& driver, std::initializer_list<Control> controls)
{
    const QImage screen = driver.form().grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = screen.devicePixelRatio();
    const bool wholeRatio = ratio == std::floor(ratio);
    const std::map<Control, int> uncoveredRows{{Pic_Pozadina, 220}, {Pic_S_Pozadina, 60}, {Pic_P_Pozadina, 110}};
    for (const Control control : controls) {
        const QString file = pictureFile(control);
        const int fileScale = ratio > 1 ? assets::DoubleFactor : 1;
        const QString folder = fileScale == 1 ? QString() : QString::fromLatin1(assets::DoubleFolder) + '/';
        const QImage picture(QStringLiteral(POKAZ_ASSET_DIR "/") + folder + file);
        // The two mailbox-scene backgrounds have a 2-pixel sunken edge and
        // clip their pictures to what lies inside it.
        const int edge = control == Pic_S_Pozadina || control == Pic_P_Pozadina ? 2 : 0;
        QRectF inside = QRectF(clientRect(control)).adjusted(edge, edge, -edge, -edge);
        if (const auto rows = uncoveredRows.find(control); rows != uncoveredRows.end())
            inside.setHeight(rows->second);
        const QRectF onScreen(inside.topLeft() * ratio, inside.size() * ratio);
        // At a fractional scale Qt puts each control at a whole screen pixel,
        // and the picture's edge pixels mix with the neighbours.
        const QRect compared = wholeRatio ? onScreen.toRect() : onScreen.toAlignedRect().adjusted(1, 1, -1, -1);
        QImage expected(compared.size(), QImage::Format_RGB32);
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(onScreen.topLeft() - compared.topLeft());
        painter.scale(ratio / fileScale, ratio / fileScale);
        painter.drawImage(0, 0, picture);
        painter.end();
        QVERIFY2(driver.shown(control), qPrintable(file));
        const double difference = meanDifference(screen.copy(compared), expected);
        QVERIFY2(
            difference <= (wholeRatio ? 0 : MaxResamplingDifference), qPrintable(file + QString::number(difference)));
    }
}

// Yellow as the highlighted instruction's letters are drawn on red: only their
// green channel is blended.
bool isYellow(QRgb pixel) { return qRed(pixel) == 255 && qGreen(pixel) >= 230 && qBlue(pixel) == 0; }

// The pixel a learner sees at a point of the client area, at any scale.
QRgb seenAt(const QImage& screen, QPoint point)
{
    const qreal ratio = screen.devicePixelRatio();
    return screen.pixel(int((point.x() + 0.5) * ratio), int((point.y() + 0.5) * ratio));
}

// What the screen shows of a rectangle of the client area, at any scale.
QImage partOf(const QImage& screen, QRect client)
{
    const qreal ratio = screen.devicePixelRatio();
    return screen.copy(QRectF(QPointF(client.topLeft()) * ratio, QSizeF(client.size()) * ratio).toRect());
}

// A sunken edge of this many lines: on each, the top and left darker than
// the bottom and right. At 1.5 Qt puts a control at a whole screen pixel,
// half a pixel right and down where its place falls between two, so the
// screen pixel under the middle of each client pixel shows that one alone.
void checkSunken(const QImage& screen, Control control, int lines)
{
    const QRect r = clientRect(control);
    const auto grey = [&](int x, int y) { return qGray(seenAt(screen, {x, y})); };
    for (int i = 0; i < lines; ++i) {
        const int left = grey(r.left() + i, r.center().y()), right = grey(r.right() - i, r.center().y());
        const int top = grey(r.center().x(), r.top() + i), bottom = grey(r.center().x(), r.bottom() - i);
        QVERIFY2(left + MinEdgeContrast <= right && top + MinEdgeContrast <= bottom,
            qPrintable(
                QStringLiteral("%1: %2 %3 %4 %5").arg(pictureFile(control)).arg(left).arg(right).arg(top).arg(bottom)));
    }
}

// The dark ink of a caption stands against the left edge of its control or
// in its middle, in client pixels.
void checkAligned(const QImage& screen, Control control, Alignment alignment)
{
    const qreal ratio = screen.devicePixelRatio();
    const QImage inside = partOf(screen, clientRect(control).adjusted(1, 1, -1, -1));
    const QRect ink = pixelsWhere(inside, [&](int x, int y) { return qGray(inside.pixel(x, y)) < 128; }).bounds;
    const qreal before = ink.left() / ratio, after = (inside.width() - 1 - ink.right()) / ratio;
    const bool placed = alignment == Alignment::Left ? before <= MaxLeftIndent : std::abs(before - after) <= 2;
    QVERIFY2(placed, qPrintable(QStringLiteral("%1: %2 and %3 free").arg(int(control)).arg(before).arg(after)));
}

// Counts the paint events a widget receives.
struct PaintCounter final : QObject {
    int count = 0;
    // Lets every event through.
    bool eventFilter(QObject*, QEvent* event) override { return (count += event->type() == QEvent::Paint) < 0; }
};

} // namespace

class FormPokazTest final : public QObject {
    Q_OBJECT

private slots:
    // The instruction and the percentage stand in sunken boxes below an etched
    // frame; system colours follow the desktop's scheme, fixed ones stay fixed.
    void theStatusBoxesAreSunkenBelowAnEtchedFrameInTheDesktopsColours()
    {
        WindowDriver driver;
        const QImage start = driver.form().grab().toImage();
        checkSunken(start, Poruka, 1);
        checkSunken(start, Tok, 1);
        checkAligned(start, Poruka, Alignment::Left);
        checkAligned(start, Tok, Alignment::Centre);
        // The frame's etched border: a dark line, a light one inside it (at
        // 1.5 Qt draws each two screen pixels wide).
        const QImage edge = partOf(start, QRect(clientRect(Frame_Pismo).topLeft() + QPoint(0, 100), QSize(3, 1)));
        const auto light
            = [&](int x, int y) { return qGray(edge.pixel(x, y)) >= qGray(edge.pixel(0, 0)) + MinEdgeContrast; };
        QVERIFY(pixelsWhere(edge, light).count > 0);
        driver.form().controls().setBackColor(Tok, colors::Red);
        const QPalette before = QApplication::palette();
        QPalette scheme = before;
        scheme.setColor(QPalette::Button, QColor(10, 20, 30));
        QApplication::setPalette(scheme); // delivered to the widgets through the event loop
        QApplication::processEvents();
        const QImage shown = driver.form().grab().toImage();
        QApplication::setPalette(before);
        QCOMPARE(seenAt(shown, clientRect(Poruka).center()), qRgb(10, 20, 30));
        QCOMPARE(seenAt(shown, {0, 0}), qRgb(10, 20, 30));
        QCOMPARE(seenAt(shown, clientRect(Tok).topLeft() + QPoint(2, 2)), qRgb(255, 0, 0));
    }

    // Pictures are decoded before the first frame only if it shows them, the
    // rest right after it (the drawers' here), or at once when a control is
    // shown before that.
    void aClickOpensEachDrawerAndAnotherClosesItEveryPictureReadyWhenFirstShown()
    {
        Form_Pokaz early; // never shown
        early.controls().setVisible(Pic_L1_O, Truth::True);
        QVERIFY(!qobject_cast<toolkit::PictureBox*>(early.controls().widget(Pic_L1_O))->picture().isNull());
        WindowDriver driver;
        checkShows(driver, {Pic_Pozadina, Pic_L1_Z, Pic_L2_Z, Pic_L3_Z, Pic_L4_Z, Pic_L5_Z});
        for (int k = 1; k <= 5; ++k) {
            driver.click(closedDrawerPoint(k));
            checkShows(driver, {openDrawer(k)});
            driver.click(openDrawerPoint(k));
        }
        checkShows(driver, {Pic_L5_Z, Pic_Papir_0, Pic_Olovke});
    }

    // Highlighted once finished: yellow italics on red.
    void eachQuarterOfTheWritingShowsMoreOfTheLetterAndTheLastHighlightsTheInstruction()
    {
        WindowDriver driver;
        play(driver, Stage::Written, [&](int event) {
            if (event % 25 == 24 || event % 25 == 0)
                checkShows(driver, {Pic_Papir(event / 25)});
        });
        const QImage instruction = partOf(driver.form().grab().toImage(), clientRect(Poruka));
        QVERIFY(pixelsWhere(instruction, [&](int x, int y) { return isYellow(instruction.pixel(x, y)); }).count
            >= MinYellowPixels);
        QVERIFY(QFontInfo(driver.form().controls().widget(Poruka)->font()).italic());
    }

    // The letter double-clicked into its envelope, the envelope dragged over
    // the slot, which opens, and the release taken by another client: at the
    // next move nothing is dropped, the ordinary pointer is back, the slot
    // closed again, the envelope between two sunken backgrounds. Dragged
    // there again and dropped, it is posted with the mailbox in sight for 86
    // of the slide's 93 steps, each of them painted. Then the closing text
    // centred; Tab goes to "Još jednom..." first, then "Kraj"; a button
    // pressed looks pressed: its face, clear of the caption, goes darker
    // while it is held.
    void aLostReleaseLeavesTheEnvelopeOutTheNextDropPostsItAndTheClosingSceneOffersJosJednomThenKraj()
    {
        WindowDriver driver;
        play(driver, Stage::OverSlot);
        checkShows(driver, {Pic_S_O});
        QMouseEvent unheld(QEvent::MouseMove, QPointF(SlotPoint), driver.form().mapToGlobal(QPointF(SlotPoint)),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&driver.form(), &unheld);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        checkShows(driver, {Pic_S_Z, Pic_Pismo, Pic_S_Pozadina, Pic_P_Pozadina});
        const QImage mailbox = driver.form().grab().toImage();
        checkSunken(mailbox, Pic_S_Pozadina, 2);
        checkSunken(mailbox, Pic_P_Pozadina, 2);
        driver.press(EnvelopePoint);
        driver.move(SlotPoint);
        PaintCounter paints;
        driver.form().controls().widget(Pic_S_Pozadina)->installEventFilter(&paints);
        driver.release(SlotPoint);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY2(paints.count >= 86, qPrintable(QString::number(paints.count)));
        QVERIFY(ClosingClientHeights.contains(driver.form().height()));
        checkAligned(driver.form().grab().toImage(), PorukaKraj, Alignment::Centre);
        for (const Control next : {BTN_Ponovo, BTN_Kraj}) {
            QTest::keyClick(&driver.form(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), driver.form().controls().widget(next));
        }
        QWidget* again = driver.form().controls().widget(BTN_Ponovo);
        const QPoint face(6, clientRect(BTN_Ponovo).height() / 2);
        const int up = qGray(seenAt(again->grab().toImage(), face));
        driver.press(clientRect(BTN_Ponovo).center());
        QVERIFY2(qGray(seenAt(again->grab().toImage(), face)) < up, qPrintable(QString::number(up)));
        driver.release(clientRect(BTN_Ponovo).center());
        QCOMPARE(driver.form().size(), FullClientSize);
    }

    // The pencils' pointer, made for whichever screen the window is on when
    // the drag begins (ctest gives the tests a second screen of twice the ratio): the
    // icon at twice its size from a ratio of 2 on, marked as such, pointing
    // with the pencil's tip in the icon's own pixels. Without the pictures at
    // twice the size, every picture and pointer is drawn at its own size, on
    // any screen.
    void theDragPointerFitsTheScreenTheWindowIsOnNow()
    {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        for (const bool doubleSize : {true, false}) {
            if (!doubleSize)
                dropDoubleSizePictures();
            QCOMPARE(hasDoubleSizePictures(), doubleSize);
            WindowDriver driver;
            driver.click(closedDrawerPoint(4));
            for (QScreen* screen : QGuiApplication::screens()) {
                driver.form().windowHandle()->setScreen(screen);
                driver.form().grab(); // a picture at twice the size asked for where there is none stops the program
                const int factor = doubleSize && driver.form().devicePixelRatioF() >= 2 ? 2 : 1;
                driver.press(PencilsPoint);
                const QCursor* pointer = QGuiApplication::overrideCursor();
                QVERIFY(pointer != nullptr);
                QCOMPARE(pointer->pixmap().size(), QSize(32, 32) * factor);
                QCOMPARE(pointer->pixmap().devicePixelRatio(), factor);
                QCOMPARE(pointer->hotSpot(), QPoint(0, 31));
                driver.release(PencilsPoint);
            }
        }
        restoreDoubleSizePictures();
    }

    // Every text as the learner reads it, in the face and size of the layout (the end-to-end runs measure
    // each caption's ink as every desktop draws it); the title bar with the program's name, the window icon's
    // both images and a close box, but no minimise or maximise button, in a fixed frame on Windows.
    void theLearnerReadsTheProgramsOwnTextsInTheirFaces()
    {
        WindowDriver driver;
        QCOMPARE(driver.form().windowTitle(), QStringLiteral("Pokaz"));
        QImageReader icon(QStringLiteral(POKAZ_ASSET_DIR "/Form_Pokaz.ico"));
        for (const int size : {32, 16}) {
            QCOMPARE(driver.form()
                         .windowIcon()
                         .pixmap(QSize(size, size), 1)
                         .toImage()
                         .convertToFormat(QImage::Format_ARGB32),
                icon.read().convertToFormat(QImage::Format_ARGB32));
            icon.jumpToNextImage();
        }
        const Qt::WindowFlags flags = driver.form().windowFlags();
        QVERIFY(flags.testFlags(Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
            && !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        // Control, text, face, pixels and whether bold; then controls with no text but a tooltip.
        const std::tuple<Control, const char*, const char*, int, bool> texts[] = {
            {Frame_Pismo, " Pismo ", "Tahoma", 11, false},
            {Frame_Posta, " U susjedstvu ... ", "Tahoma", 11, false},
            {PorukaKraj, "Ostalo je na poštarima...", "Tahoma", 27, false},
            {BTN_Ponovo, "Još jednom...", "Tahoma", 16, true},
            {BTN_Kraj, "Kraj", "Tahoma", 16, true},
            {Tok, "0%", "MS Sans Serif", 13, true},
            {Poruka, " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo.", "Tahoma", 11,
                false},
            {Pic_Olovke, "Povlačite olovkom po papiru za pisanje!", nullptr, 0, false},
            {Pic_Pismo, "Povucite pismo do utora na sandučiću!", nullptr, 0, false},
            {Pic_L2_Z, "Kliknite da otvorite ladicu!", nullptr, 0, false},
            {Pic_L5_O, "Kliknite da zatvorite ladicu!", nullptr, 0, false},
        };
        for (const auto& [control, text, face, pixels, bold] : texts) {
            QWidget* widget = driver.form().controls().widget(control);
            QCOMPARE(widget->toolTip(), face ? QString() : QString::fromUtf8(text));
            if (!face)
                continue;
            // A frame's title, a label's or a button's caption.
            QCOMPARE(widget->property(qobject_cast<QGroupBox*>(widget) != nullptr ? "title" : "text").toString(),
                QString::fromUtf8(text));
            const QFontInfo font(widget->font());
            QCOMPARE(font.family(), QString::fromLatin1(face));
            QCOMPARE(font.pixelSize(), pixels);
            QCOMPARE(font.bold(), bold);
        }
        // A screen reader tells every control from every other, and so each
        // state of a drawer, the slot and the paper; a label by its role.
        std::map<Control, QString> heard;
        QSet<QString> names;
        for (int c = 0; c < ControlCount; ++c) {
            QWidget* widget = driver.form().controls().widget(Control(c));
            names << (heard[Control(c)] = QAccessible::queryAccessibleInterface(widget)->text(
                          qobject_cast<QLabel*>(widget) != nullptr ? QAccessible::Description : QAccessible::Name));
        }
        QVERIFY(names.size() == ControlCount && !names.contains(QString()));
        for (int k = 1; k <= 5; ++k)
            QVERIFY(heard[closedDrawer(k)].endsWith(", zatvorena") && heard[openDrawer(k)].endsWith(", otvorena"));
    }
};

QTEST_MAIN(FormPokazTest)
#include "form_pokaz_test.moc"
