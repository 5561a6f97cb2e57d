// The window as a learner's mouse meets it. Expected places, pictures and
// texts are written out here, not taken from the window's own tables.

#include "asset_catalog.h"
#include "client_layout.h"
#include "layout.h"
#include "picture_box.h"
#include "window_driver.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QTest>

using namespace pokaz;
using namespace pokaz::test;
using enum Control;

Q_DECLARE_METATYPE(pokaz::Control)

namespace {

// A picture as it should be on screen: the file's top rows (all when 0).
struct Shown {
    Control control;
    const char* file;
    int rows = 0;
};

QImage assetFile(const QString& name)
{
    return QImageReader(QStringLiteral(POKAZ_ASSET_DIR "/") + name).read().convertToFormat(QImage::Format_RGB32);
}

void checkShows(WindowDriver& driver, std::initializer_list<Shown> pictures)
{
    const QImage screen = driver.form().grab().toImage().convertToFormat(QImage::Format_RGB32);
    // On a screen at scale 2 (ctest runs this at 1, 1.5 and 2) the pictures
    // at twice the size; at 1.5 Qt resamples them, so only their place counts.
    const int scale = qRound(screen.devicePixelRatio());
    for (const Shown& picture : pictures) {
        QImage expected = assetFile(QString::fromLatin1(scale == 1 ? "" : "2x/") + picture.file + ".bmp");
        // The two mailbox-scene backgrounds have a 2-pixel sunken edge and
        // clip their pictures to what lies inside it.
        const int edge = picture.control == Pic_S_Pozadina || picture.control == Pic_P_Pozadina ? 2 : 0;
        const QSize inside = (clientRect(picture.control).size() - QSize(2 * edge, 2 * edge)) * scale;
        expected = expected.copy(0, 0, inside.width(), picture.rows > 0 ? picture.rows * scale : inside.height());
        const QPoint at = (clientRect(picture.control).topLeft() + QPoint(edge, edge)) * scale;
        QVERIFY2(driver.shown(picture.control), picture.file);
        QVERIFY2(
            screen.copy(QRect(at, expected.size())) == expected || scale != screen.devicePixelRatio(), picture.file);
    }
}

// Bold measured 138 to 163 % of the regular face's dark pixels at scales 1
// to 3; the bold cut of Tahoma that fonts-wine has, 100 %.
constexpr int MinBoldInkPercent = 125;

// The dark pixels of a control as drawn: how many, and how many rows they span.
std::pair<int, int> inkOf(QWidget* widget)
{
    const QImage drawn = widget->grab().toImage();
    int count = 0;
    QRect bounds;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (qGray(drawn.pixel(x, y)) < 128) {
                bounds |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    }
    return {count, bounds.height()};
}

QString textOf(WindowDriver& driver, Control control)
{
    QWidget* widget = driver.form().controls().widget(control);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    return qobject_cast<QGroupBox*>(widget)->title();
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
        checkShows(driver,
            {{Pic_Pozadina, "Pic_Pozadina", 220}, {Pic_L1_Z, "Pic_L1_Z"}, {Pic_L2_Z, "Pic_L2_Z"},
                {Pic_L3_Z, "Pic_L3_Z"}, {Pic_L4_Z, "Pic_L4_Z"}, {Pic_L5_Z, "Pic_L5_Z"}});
        const Shown open[] = {{Pic_L1_O, "Pic_L1_O"}, {Pic_L2_O, "Pic_L2_O"}, {Pic_L3_O, "Pic_L3_O"},
            {Pic_L4_O, "Pic_L4_O"}, {Pic_L5_O, "Pic_L5_O"}};
        for (int k = 1; k <= 5; ++k) {
            driver.click(closedDrawerPoint(k));
            checkShows(driver, {open[k - 1]});
            driver.click(openDrawerPoint(k));
            QVERIFY(driver.shown(closedDrawer(k)));
        }
        checkShows(driver, {{Pic_Papir_0, "Pic_Papir_0"}, {Pic_Olovke, "Pic_Olovke"}});

        // Each move over the paper is one drag event; the first enters it.
        driver.press(PencilsPoint);
        const Shown stages[] = {{Pic_Papir_0, "Pic_Papir_0"}, {Pic_Papir_1, "Pic_Papir_1"},
            {Pic_Papir_2, "Pic_Papir_2"}, {Pic_Papir_3, "Pic_Papir_3"}, {Pic_Papir_4, "Pic_Papir_4"}};
        for (int event = 1; event <= 101; ++event) {
            driver.move(PaperPoint + QPoint(event % 2, 0));
            if (event % 25 == 24 || event % 25 == 0)
                checkShows(driver, {stages[event / 25]});
        }
        driver.release(PaperPoint);
        QCOMPARE(textOf(driver, Tok), QStringLiteral(" 100%"));
        const qreal ratio = driver.form().devicePixelRatioF();
        QCOMPARE(driver.form().grab().toImage().pixelColor(clientRect(Poruka).center() * ratio), QColor(Qt::red));
        const int scale = ratio < 2 ? 1 : 2; // of the drag pointers

        driver.doubleClick(PaperPoint);
        checkShows(driver,
            {{Pic_S_Z, "Pic_S_Z"}, {Pic_Pismo, "Pic_Pismo"}, {Pic_S_Pozadina, "Pic_S_Pozadina", 60},
                {Pic_P_Pozadina, "Pic_P_Pozadina", 110}});

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
        checkShows(driver, {{Pic_S_O, "Pic_S_O"}});
        QVERIFY(!driver.shown(Pic_S_Z));
        PaintCounter paints;
        driver.form().controls().widget(Pic_S_Pozadina)->installEventFilter(&paints);
        driver.release(SlotPoint + QPoint(1, 1));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        // The mailbox stays in sight for 86 of the 93 steps; each of them is painted.
        QVERIFY2(paints.count >= 86, qPrintable(QString::number(paints.count)));
        QVERIFY(driver.form().height() == ClosingClientHeightLow || driver.form().height() == ClosingClientHeightHigh);
        for (const Control c : {BTN_Kraj, BTN_Ponovo, PorukaKraj})
            QVERIFY(driver.form().controls().widget(c)->isVisible());

        driver.click(clientRect(BTN_Ponovo).center());
        QCOMPARE(driver.form().size(), FullClientSize);
        checkShows(driver, {{Pic_Pozadina, "Pic_Pozadina", 220}, {Pic_L3_Z, "Pic_L3_Z"}});
        driver.click(closedDrawerPoint(3));
        checkShows(driver, {{Pic_Papir_0, "Pic_Papir_0"}});
    }

    // Steps: "cK" click on closed drawer K, "oK" on the open one, "dK" a
    // double-click on closed drawer K, "pK"/"rK" press/release on closed drawer K.
    void drawersAnswerClicksOnceAndOnlyOneOpensAtATime_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("open");
        QTest::newRow("one open") << "c2" << 2;
        QTest::newRow("it blocks the others") << "c2 c1 c5" << 2;
        QTest::newRow("closed again, another opens") << "c2 o2 c5" << 5;
        QTest::newRow("a double-click opens once") << "d2" << 2;
        QTest::newRow("released on another drawer") << "p1 r5" << 0;
    }

    void drawersAnswerClicksOnceAndOnlyOneOpensAtATime()
    {
        QFETCH(QString, steps);
        WindowDriver driver;
        for (const QString& step : steps.split(' ')) {
            const int k = step[1].digitValue();
            const char action = step[0].toLatin1();
            const QPoint at = action == 'o' ? openDrawerPoint(k) : closedDrawerPoint(k);
            if (action == 'c' || action == 'o')
                driver.click(at);
            else if (action == 'd')
                driver.doubleClick(at);
            else if (action == 'p')
                driver.press(at);
            else
                driver.release(at);
        }
        QTEST(int(driver.exercise().OpenDrawer()), "open");
        for (int k = 1; k <= 5; ++k)
            QCOMPARE(driver.shown(openDrawer(k)), k == driver.exercise().OpenDrawer());
    }

    // Decoded before the first frame only if it shows them, the pictures
    // follow right after it, or at once when a control is shown before that.
    void noControlIsShownWithoutItsPicture()
    {
        Form_Pokaz early;
        const auto picture = [](Form_Pokaz& form, Control c) {
            return qobject_cast<toolkit::PictureBox*>(form.controls().widget(c))->picture();
        };
        early.controls().setVisible(Pic_L1_O, Truth::True);
        QVERIFY(!picture(early, Pic_L1_O).isNull());
        WindowDriver driver;
        QTRY_VERIFY(!picture(driver.form(), Pic_S_O).isNull());
    }

    void theLearnerReadsTheProgramsOwnTexts_data()
    {
        QTest::addColumn<Control>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        const QString open = QStringLiteral("Kliknite da otvorite ladicu!");
        const QString close = QStringLiteral("Kliknite da zatvorite ladicu!");
        QTest::newRow("Frame_Pismo") << Frame_Pismo << " Pismo "
                                     << "";
        QTest::newRow("Frame_Posta") << Frame_Posta << " U susjedstvu ... "
                                     << "";
        QTest::newRow("PorukaKraj") << PorukaKraj << "Ostalo je na poštarima..."
                                    << "";
        QTest::newRow("BTN_Ponovo") << BTN_Ponovo << "Još jednom..."
                                    << "";
        QTest::newRow("BTN_Kraj") << BTN_Kraj << "Kraj"
                                  << "";
        QTest::newRow("Tok") << Tok << "0%"
                             << "";
        QTest::newRow("Poruka") << Poruka
                                << " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo."
                                << "";
        for (const Control c : {Pic_L1_Z, Pic_L2_Z, Pic_L3_Z, Pic_L4_Z, Pic_L5_Z})
            QTest::newRow(controlName(c).data()) << c << "" << open;
        for (const Control c : {Pic_L1_O, Pic_L2_O, Pic_L3_O, Pic_L4_O, Pic_L5_O})
            QTest::newRow(controlName(c).data()) << c << "" << close;
        QTest::newRow("Pic_Olovke") << Pic_Olovke << ""
                                    << "Povlačite olovkom po papiru za pisanje!";
        QTest::newRow("Pic_Pismo") << Pic_Pismo << ""
                                   << "Povucite pismo do utora na sandučiću!";
        QTest::newRow("Pic_Papir(0)") << Pic_Papir_0 << ""
                                      << "";
    }

    void theLearnerReadsTheProgramsOwnTexts()
    {
        QFETCH(Control, control);
        WindowDriver driver;
        QCOMPARE(driver.form().windowTitle(), QStringLiteral("Pokaz"));
        QWidget* widget = driver.form().controls().widget(control);
        if (!controlName(control).starts_with("Pic_"))
            QTEST(textOf(driver, control), "text");
        QTEST(widget->toolTip(), "toolTip");
        // What a screen reader speaks: a label's caption, so that it follows
        // every change; any other control's name.
        const QString spoken = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        QVERIFY(qobject_cast<QLabel*>(widget) ? spoken == textOf(driver, control) : !spoken.isEmpty());
    }

    void textsUseTheFacesAndSizesOfTheLayout_data()
    {
        QTest::addColumn<Control>("control");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("inkHeight"); // of a bold caption at scale 1
        QTest::newRow("Poruka") << Poruka << "Tahoma" << 11 << false << 0;
        QTest::newRow("Frame_Pismo") << Frame_Pismo << "Tahoma" << 11 << false << 0;
        QTest::newRow("Tok") << Tok << "MS Sans Serif" << 13 << true << 9;
        QTest::newRow("BTN_Ponovo") << BTN_Ponovo << "Tahoma" << 16 << true << 17;
        QTest::newRow("BTN_Kraj") << BTN_Kraj << "Tahoma" << 16 << true << 16;
        QTest::newRow("PorukaKraj") << PorukaKraj << "Tahoma" << 27 << false << 0;
    }

    void textsUseTheFacesAndSizesOfTheLayout()
    {
        QFETCH(Control, control);
        WindowDriver driver;
        QWidget* widget = driver.form().controls().widget(control);
        const QFontInfo font(widget->font());
        QTEST(font.family(), "face");
        QTEST(font.pixelSize(), "pixels");
        QTEST(font.bold(), "bold");
        QFETCH(int, inkHeight);
        if (inkHeight == 0)
            return;
        // At the scale the test runs at, a bold caption is as tall as the
        // scale makes it and has clearly more dark pixels than in the regular face.
        const qreal scale = widget->devicePixelRatioF();
        const auto [boldInk, height] = inkOf(widget);
        QVERIFY2(std::abs(height - inkHeight * scale) <= scale, qPrintable(QString::number(height)));
        QFont regular = widget->font();
        regular.setBold(false);
        widget->setFont(regular);
        const int regularInk = inkOf(widget).first;
        QVERIFY2(boldInk * 100 >= regularInk * MinBoldInkPercent,
            qPrintable(QStringLiteral("%1 against %2").arg(boldInk).arg(regularInk)));
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

    void theWindowOpensCentredAtItsFixedSize()
    {
        WindowDriver driver;
        QCOMPARE(driver.form().size(), FullClientSize);
        QCOMPARE(driver.form().minimumSize(), driver.form().maximumSize());
        const QPoint offCentre
            = driver.form().geometry().center() - driver.form().screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 15,
            qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    }
};

QTEST_MAIN(FormPokazTest)
#include "form_pokaz_test.moc"
