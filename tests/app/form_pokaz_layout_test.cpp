#include "form_driver.h"

#include "fonts.h"
#include "picture_box.h"
#include "picture_catalog.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <optional>

using pokaz::Control;
using enum pokaz::Control;

Q_DECLARE_METATYPE(pokaz::Control)
Q_DECLARE_METATYPE(std::optional<pokaz::Control>)

namespace {

constexpr auto Nothing = std::optional<Control>{};
constexpr auto FirstInstruction = " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo.";

QString nameOf(std::optional<Control> control)
{
    if (!control)
        return QStringLiteral("nothing");
    const auto name = pokaz::controlName(*control);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QImage grabbed(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage picture(Control control)
{
    return pokaz::loadPicture(control).convertToFormat(QImage::Format_RGB32);
}

void addProbe(const char* name, QPoint pos, std::optional<Control> expected)
{
    QTest::newRow(name) << pos << expected;
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

class FormPokazLayoutTest final : public QObject {
    Q_OBJECT

    void checkProbe(FormDriver& driver)
    {
        QFETCH(QPoint, pos);
        QFETCH(std::optional<Control>, expected);
        const auto found = driver.form().controlAt(pos);
        QVERIFY2(found == expected, qPrintable(nameOf(found) + " instead of " + nameOf(expected)));
    }

private slots:
    void initTestCase() { pokaz::toolkit::registerFonts(); }

    void everyControlSitsAtItsPlaceInTheClientArea_data()
    {
        QTest::addColumn<Control>("control");
        QTest::addColumn<QRect>("place");
        const std::pair<Control, QRect> places[] = {
            {Frame_Posta, {3, 0, 655, 508}},       {BTN_Kraj, {333, 126, 135, 57}},
            {BTN_Ponovo, {180, 126, 138, 57}},     {Pic_S_Z, {109, 324, 84, 40}},
            {Pic_S_O, {89, 324, 105, 57}},         {Pic_S_Pozadina, {12, 258, 219, 241}},
            {Pic_Pismo, {427, 368, 55, 59}},       {Pic_P_Pozadina, {417, 255, 229, 241}},
            {PorukaKraj, {57, 35, 538, 48}},       {Frame_Pismo, {3, 3, 657, 505}},
            {Pic_L4_O, {204, 238, 254, 166}},      {Pic_L2_O, {11, 305, 207, 111}},
            {Pic_L1_O, {11, 249, 204, 138}},       {Pic_L2_Z, {44, 304, 176, 54}},
            {Pic_L3_O, {11, 360, 209, 138}},       {Pic_L5_O, {426, 250, 225, 110}},
            {Pic_L3_Z, {49, 359, 174, 114}},       {Pic_L4_Z, {229, 247, 191, 56}},
            {Pic_L5_Z, {424, 249, 192, 57}},       {Pic_Papir_4, {282, 189, 98, 32}},
            {Pic_Papir_3, {282, 189, 98, 32}},     {Pic_Papir_2, {282, 189, 98, 32}},
            {Pic_Papir_1, {282, 189, 98, 32}},     {Pic_Pozadina, {11, 21, 640, 478}},
            {Pic_Olovke, {448, 125, 43, 68}},      {Pic_L1_Z, {35, 247, 186, 56}},
            {Pic_Papir_0, {283, 189, 98, 32}},     {Tok, {609, 513, 49, 22}},
            {Poruka, {3, 513, 601, 22}},
        };
        for (const auto& [control, place] : places)
            QTest::newRow(qPrintable(nameOf(control))) << control << place;
    }

    void everyControlSitsAtItsPlaceInTheClientArea()
    {
        QFETCH(Control, control);
        QFETCH(QRect, place);
        FormDriver driver;
        QCOMPARE(driver.form().size(), QSize(663, 543));
        QCOMPARE(QRect(driver.topLeftOf(control), driver.form().control(control)->size()), place);
    }

    void controlsLieInTheirContainers()
    {
        FormDriver driver;
        auto& form = driver.form();
        for (const Control child : {BTN_Kraj, BTN_Ponovo, Pic_S_Z, Pic_S_O, Pic_S_Pozadina, Pic_Pismo,
                                    Pic_P_Pozadina, PorukaKraj})
            QCOMPARE(form.control(child)->parentWidget(), form.control(Frame_Posta));
        for (const Control child : {Pic_L1_O, Pic_L2_O, Pic_L3_O, Pic_L4_O, Pic_L5_O, Pic_L2_Z, Pic_L3_Z,
                                    Pic_L4_Z, Pic_L5_Z, Pic_Papir_1, Pic_Papir_4, Pic_Pozadina})
            QCOMPARE(form.control(child)->parentWidget(), form.control(Frame_Pismo));
        for (const Control child : {Pic_Olovke, Pic_L1_Z, Pic_Papir_0})
            QCOMPARE(form.control(child)->parentWidget(), form.control(Pic_Pozadina));
        for (const Control child : {Frame_Posta, Frame_Pismo, Tok, Poruka})
            QCOMPARE(form.control(child)->parentWidget(), &form);
    }

    void theWindowOpensInTheStartStateOfTheDeskScene()
    {
        FormDriver driver;
        for (const Control shown : {Frame_Pismo, Pic_Pozadina, Pic_L1_Z, Pic_L2_Z, Pic_L3_Z, Pic_L4_Z,
                                    Pic_L5_Z, Poruka, Tok, Pic_S_Z, Pic_Pismo, Pic_S_Pozadina, Pic_P_Pozadina})
            QVERIFY2(driver.isVisible(shown), qPrintable(nameOf(shown)));
        for (const Control hidden : {Frame_Posta, Pic_L1_O, Pic_L2_O, Pic_L3_O, Pic_L4_O, Pic_L5_O, Pic_Olovke,
                                     Pic_Papir_0, Pic_Papir_1, Pic_Papir_2, Pic_Papir_3, Pic_Papir_4, Pic_S_O,
                                     BTN_Kraj, BTN_Ponovo, PorukaKraj})
            QVERIFY2(!driver.isVisible(hidden), qPrintable(nameOf(hidden)));
        // Inside the hidden frame, but its own flag says shown.
        QVERIFY(!driver.form().control(Pic_Pismo)->isVisible());
        auto* poruka = qobject_cast<QLabel*>(driver.form().control(Poruka));
        QCOMPARE(poruka->text(), QString::fromUtf8(FirstInstruction));
        QCOMPARE(qobject_cast<QLabel*>(driver.form().control(Tok))->text(), QStringLiteral("0%"));
        QCOMPARE(driver.form().windowTitle(), QStringLiteral("Pokaz"));
        QVERIFY(!driver.form().windowIcon().isNull());
    }

    void thePointerFindsTheTopmostControlAtStart_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<std::optional<Control>>("expected");
        addProbe("window corner", {1, 1}, Nothing);
        addProbe("frame edge", {5, 10}, Frame_Pismo);
        addProbe("desk", {11, 21}, Pic_Pozadina);
        addProbe("drawer 1 top left", {35, 247}, Pic_L1_Z);
        addProbe("drawer 1 bottom right", {220, 302}, Pic_L1_Z);
        addProbe("drawer 2", {100, 330}, Pic_L2_Z);
        addProbe("drawer 3", {100, 430}, Pic_L3_Z);
        addProbe("drawer 4", {300, 270}, Pic_L4_Z);
        addProbe("drawer 5", {500, 270}, Pic_L5_Z);
        addProbe("where the paper will lie", {300, 200}, Pic_Pozadina);
        addProbe("where the pencils will lie", {460, 150}, Pic_Pozadina);
        addProbe("instruction", {3, 513}, Poruka);
        addProbe("instruction's end", {603, 534}, Poruka);
        addProbe("gap before the progress", {606, 520}, Nothing);
        addProbe("progress", {609, 520}, Tok);
        addProbe("below the frames", {300, 510}, Nothing);
    }

    void thePointerFindsTheTopmostControlAtStart()
    {
        FormDriver driver;
        checkProbe(driver);
    }

    void thePointerFindsTheTopmostControlWithEachDrawerOpen_data()
    {
        QTest::addColumn<int>("drawer");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<std::optional<Control>>("expected");
        const auto add = [](const char* name, int drawer, QPoint pos, std::optional<Control> expected) {
            QTest::newRow(name) << drawer << pos << expected;
        };
        add("1 over drawer 2", 1, {100, 320}, Pic_L1_O);
        add("1 beside it drawer 2", 1, {217, 320}, Pic_L2_Z);
        add("1 over drawer 3", 1, {100, 370}, Pic_L1_O);
        add("1 below it drawer 3", 1, {100, 400}, Pic_L3_Z);
        add("2 over drawer 3", 2, {100, 380}, Pic_L2_O);
        add("2 below it drawer 3", 2, {100, 440}, Pic_L3_Z);
        add("3 over its closed picture", 3, {100, 480}, Pic_L3_O);
        add("3 the blank paper", 3, {283, 189}, Pic_Papir_0);
        add("3 the desk left of the paper", 3, {282, 189}, Pic_Pozadina);
        add("4 over drawer 1's edge", 4, {210, 260}, Pic_L4_O);
        add("4 beside drawer 1", 4, {203, 260}, Pic_L1_Z);
        add("4 over drawer 5's edge", 4, {430, 260}, Pic_L4_O);
        add("4 beside it drawer 5", 4, {460, 260}, Pic_L5_Z);
        add("4 the pencils", 4, {448, 125}, Pic_Olovke);
        add("5 over its closed picture", 5, {500, 300}, Pic_L5_O);
    }

    void thePointerFindsTheTopmostControlWithEachDrawerOpen()
    {
        QFETCH(int, drawer);
        FormDriver driver;
        driver.click(pokaz::closedDrawer(drawer));
        QVERIFY(driver.isVisible(pokaz::openDrawer(drawer)));
        checkProbe(driver);
    }

    void thePointerFindsTheTopmostControlInTheMailboxScene_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<std::optional<Control>>("expected");
        addProbe("closed slot", {109, 324}, Pic_S_Z);
        addProbe("where the open slot would be", {90, 370}, Pic_S_Pozadina);
        addProbe("mailbox edge", {12, 258}, Pic_S_Pozadina);
        addProbe("envelope", {427, 368}, Pic_Pismo);
        addProbe("man", {600, 300}, Pic_P_Pozadina);
        addProbe("where the buttons will be", {340, 130}, Frame_Posta);
        addProbe("where a drawer was", {300, 270}, Frame_Posta);
        addProbe("instruction", {100, 520}, Poruka);
    }

    void thePointerFindsTheTopmostControlInTheMailboxScene()
    {
        FormDriver driver;
        driver.goToMailbox();
        QVERIFY(driver.isVisible(Frame_Posta));
        checkProbe(driver);
    }

    void theClosedSlotLiesAboveTheOpenOne()
    {
        FormDriver driver;
        driver.goToMailbox();
        // Never both shown by the exercise; the layout still orders them.
        driver.form().setVisible(Pic_S_O, pokaz::Truth::True);
        QCOMPARE(driver.form().controlAt({120, 330}), std::optional{Pic_S_Z});
        QCOMPARE(driver.form().controlAt({95, 330}), std::optional{Pic_S_O});
    }

    void thePaperMembersLieOnePixelApartAndTheHigherIndexOnTop()
    {
        FormDriver driver;
        driver.click(Pic_L3_Z);
        QCOMPARE(driver.topLeftOf(Pic_Papir_0), QPoint(283, 189));
        for (const Control member : {Pic_Papir_1, Pic_Papir_2, Pic_Papir_3, Pic_Papir_4})
            QCOMPARE(driver.topLeftOf(member), QPoint(282, 189));
        const QImage shown = grabbed(driver.form());
        QCOMPARE(shown.copy(283, 189, 98, 32), picture(Pic_Papir_0));

        driver.form().setVisible(Pic_Papir_2, pokaz::Truth::True);
        driver.form().setVisible(Pic_Papir_3, pokaz::Truth::True);
        QCOMPARE(driver.form().controlAt({380, 200}), std::optional{Pic_Papir_0});
        QCOMPARE(driver.form().controlAt({379, 200}), std::optional{Pic_Papir_3});
        QCOMPARE(grabbed(driver.form()).copy(282, 189, 98, 32), picture(Pic_Papir_3));
    }

    void theDeskAndADrawerAreDrawnAtTheirExactPixels()
    {
        FormDriver driver;
        const QImage shown = grabbed(driver.form());
        // The desk above the drawers, which cover the rest of it.
        QCOMPARE(shown.copy(11, 21, 640, 220), picture(Pic_Pozadina).copy(0, 0, 640, 220));
        QCOMPARE(shown.copy(229, 247, 191, 56), picture(Pic_L4_Z));
        QVERIFY(shown.pixel(10, 100) != picture(Pic_Pozadina).pixel(0, 100)
                || shown.pixel(651, 100) != picture(Pic_Pozadina).pixel(639, 100));
    }

    void theManShowsHisPicturesTopLeftInAClientAreaOf225By237()
    {
        FormDriver driver;
        driver.goToMailbox();
        auto* man = qobject_cast<pokaz::toolkit::PictureBox*>(driver.form().control(Pic_P_Pozadina));
        QCOMPARE(man->clientRect().size(), QSize(225, 237));
        QCOMPARE(man->mapTo(&driver.form(), man->clientOrigin()), QPoint(419, 257));
        const QImage shown = grabbed(driver.form());
        // The envelope lies over his hand: compare the rows above it.
        QCOMPARE(shown.copy(419, 257, 225, 368 - 257), picture(Pic_P_Pozadina).copy(0, 0, 225, 368 - 257));
        QCOMPARE(shown.copy(14, 260, 215, 324 - 260), picture(Pic_S_Pozadina).copy(0, 0, 215, 324 - 260));
    }

    void theLeftOfABackgroundIsKeptExactlyAndDrawnAtTheNearestPixel()
    {
        FormDriver driver;
        auto& form = driver.form();
        form.setLeft(Pic_P_Pozadina, 6211.2F);
        QCOMPARE(form.Left(Pic_P_Pozadina), 6211.2F);
        QCOMPARE(form.control(Pic_P_Pozadina)->x(), 414);
        form.setLeft(Pic_S_Pozadina, -3546.0F);
        QCOMPARE(form.control(Pic_S_Pozadina)->x(), -236);
        // Wholly beyond the frame's right edge: nothing of it can be hit.
        form.setLeft(Pic_P_Pozadina, 9825.0F);
        form.setVisible(Frame_Posta, pokaz::Truth::True);
        QCOMPARE(form.controlAt({656, 300}), std::optional{Frame_Posta});
        QCOMPARE(form.controlAt({661, 300}), Nothing);
    }

    void eachStepOfTheSlideIsPaintedBeforeTheNextWithNoEventProcessing()
    {
        FormDriver driver;
        driver.goToMailbox();
        PaintCounter paints;
        driver.form().control(Pic_S_Pozadina)->installEventFilter(&paints);
        for (int step = 1; step <= 3; ++step) {
            driver.form().setLeft(Pic_S_Pozadina, 135.0F - 40.0F * static_cast<float>(step));
            QCOMPARE(paints.count, step);
        }
    }

    void theFontsAreTheFacesOfTheLayout()
    {
        FormDriver driver;
        auto& form = driver.form();
        const QFontInfo tok(form.control(Tok)->font());
        QCOMPARE(tok.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(tok.pixelSize(), 13);
        QVERIFY(tok.bold());
        for (const Control button : {BTN_Ponovo, BTN_Kraj}) {
            const QFontInfo face(form.control(button)->font());
            QCOMPARE(face.family(), QStringLiteral("Tahoma"));
            QCOMPARE(face.pixelSize(), 16);
            QVERIFY(face.bold());
        }
        const QFontInfo closing(form.control(PorukaKraj)->font());
        QCOMPARE(closing.family(), QStringLiteral("Tahoma"));
        QCOMPARE(closing.pixelSize(), 27);
        QVERIFY(!closing.bold());
        QCOMPARE(form.control(Poruka)->font(), form.font());
        QCOMPARE(form.control(Frame_Pismo)->font(), form.font());
    }

    void theLongestInstructionFitsOnOneLineEvenInItalic()
    {
        FormDriver driver;
        auto* poruka = qobject_cast<QLabel*>(driver.form().control(Poruka));
        QFont italic = poruka->font();
        italic.setItalic(true);
        for (const QFont& font : {poruka->font(), italic}) {
            const int width = QFontMetrics(font).horizontalAdvance(QString::fromUtf8(FirstInstruction));
            QVERIFY2(width <= poruka->contentsRect().width(), qPrintable(QString::number(width)));
        }
    }

    void drawersAndDragControlsCarryTheirToolTips()
    {
        FormDriver driver;
        auto& form = driver.form();
        for (int k = 1; k <= 5; ++k) {
            QCOMPARE(form.control(pokaz::closedDrawer(k))->toolTip(), QStringLiteral("Kliknite da otvorite ladicu!"));
            QCOMPARE(form.control(pokaz::openDrawer(k))->toolTip(), QStringLiteral("Kliknite da zatvorite ladicu!"));
        }
        QCOMPARE(form.control(Pic_Olovke)->toolTip(), QStringLiteral("Povlačite olovkom po papiru za pisanje!"));
        QCOMPARE(form.control(Pic_Pismo)->toolTip(), QStringLiteral("Povucite pismo do utora na sandučiću!"));
        for (const Control silent : {Pic_Papir_0, Pic_Papir_4, Pic_Pozadina, Pic_S_Z, Pic_S_O, Pic_S_Pozadina,
                                     Pic_P_Pozadina, Poruka, Tok})
            QVERIFY(form.control(silent)->toolTip().isEmpty());
    }

    void theFocusChainFollowsTheTabOrder()
    {
        FormDriver driver;
        auto& form = driver.form();
        const std::vector<Control> tabOrder{
            Frame_Pismo, Pic_Pozadina, Pic_Papir_0, Pic_Papir_1, Pic_Papir_2, Pic_Papir_3, Pic_Papir_4,
            Pic_Olovke, Pic_L1_Z, Pic_L1_O, Pic_L2_O, Pic_L3_Z, Pic_L3_O, Pic_L4_Z, Pic_L4_O, Pic_L5_Z,
            Pic_L5_O, Pic_L2_Z, Poruka, Tok, Frame_Posta, Pic_S_Pozadina, Pic_P_Pozadina, Pic_S_O, Pic_S_Z,
            Pic_Pismo, PorukaKraj, BTN_Ponovo, BTN_Kraj};
        std::vector<Control> chain;
        QWidget* widget = form.control(Frame_Pismo);
        for (int step = 0; step < 100 && chain.size() < tabOrder.size(); ++step, widget = widget->nextInFocusChain()) {
            if (const auto control = form.controlOf(widget))
                chain.push_back(*control);
        }
        QStringList names;
        for (const Control control : chain)
            names << nameOf(control);
        QVERIFY2(chain == tabOrder, qPrintable(names.join(' ')));
        // Only the push buttons take the focus.
        QCOMPARE(form.control(BTN_Ponovo)->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(form.control(Frame_Pismo)->focusPolicy(), Qt::NoFocus);
        QCOMPARE(form.control(Poruka)->focusPolicy(), Qt::NoFocus);
        QCOMPARE(form.control(Pic_L1_Z)->focusPolicy(), Qt::NoFocus);
    }
};

QTEST_MAIN(FormPokazLayoutTest)
#include "form_pokaz_layout_test.moc"
