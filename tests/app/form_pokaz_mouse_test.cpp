#include "form_driver.h"

#include "fonts.h"
#include "picture_catalog.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QTest>

using pokaz::Control;
using enum pokaz::Control;

namespace {

QString textOf(FormDriver& driver, Control label)
{
    return qobject_cast<QLabel*>(driver.form().control(label))->text();
}

QImage dragIcon(Control control)
{
    QImageReader reader(pokaz::picturePath(control, pokaz::PictureProperty::DragIcon));
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

QImage pointerShape()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor == nullptr ? QImage() : cursor->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class FormPokazMouseTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { pokaz::toolkit::registerFonts(); }

    void aClickOpensADrawerAndAClickOnItsOpenPictureClosesIt_data()
    {
        QTest::addColumn<int>("drawer");
        for (int k = 1; k <= 5; ++k)
            QTest::newRow(qPrintable(QStringLiteral("drawer %1").arg(k))) << k;
    }

    void aClickOpensADrawerAndAClickOnItsOpenPictureClosesIt()
    {
        QFETCH(int, drawer);
        FormDriver driver;
        driver.click(pokaz::closedDrawer(drawer));
        QVERIFY(driver.isVisible(pokaz::openDrawer(drawer)));
        QVERIFY(!driver.isVisible(pokaz::closedDrawer(drawer)));
        QCOMPARE(driver.exercise().OpenDrawer(), drawer);

        driver.click(pokaz::openDrawer(drawer));
        QVERIFY(!driver.isVisible(pokaz::openDrawer(drawer)));
        QVERIFY(driver.isVisible(pokaz::closedDrawer(drawer)));
        QCOMPARE(driver.exercise().OpenDrawer(), 0);
    }

    void aQuickDoubleClickOnAClosedDrawerOpensItOnceAndLeavesItOpen_data()
    {
        aClickOpensADrawerAndAClickOnItsOpenPictureClosesIt_data();
    }

    void aQuickDoubleClickOnAClosedDrawerOpensItOnceAndLeavesItOpen()
    {
        QFETCH(int, drawer);
        FormDriver driver;
        driver.doubleClickAt(driver.centreOf(pokaz::closedDrawer(drawer)));
        QVERIFY(driver.isVisible(pokaz::openDrawer(drawer)));
        QVERIFY(!driver.isVisible(pokaz::closedDrawer(drawer)));
        QCOMPARE(driver.exercise().OpenDrawer(), drawer);
        // Drawer 4 opened once: the pencils are out, not put back at once.
        if (drawer == 4)
            QVERIFY(driver.isVisible(Pic_Olovke));
    }

    void pressingOnOneControlAndReleasingOnAnotherClicksNeither()
    {
        FormDriver driver;
        driver.press(driver.centreOf(Pic_L1_Z));
        driver.move(driver.centreOf(Pic_L4_Z));
        driver.release(driver.centreOf(Pic_L4_Z));
        QCOMPARE(driver.exercise().OpenDrawer(), 0);
    }

    void draggingThePencilsCountsTheEnterEveryMoveAndTheLeaveOnThePaper()
    {
        FormDriver driver;
        driver.takeOutPaperAndPencils();
        const QPoint pencils = driver.centreOf(Pic_Olovke);
        const QRect pencilsPlace = driver.form().control(Pic_Olovke)->geometry();
        const QPoint paper = driver.topLeftOf(Pic_Papir_0) + QPoint(5, 5);
        QCOMPARE(driver.exercise().WritingProgress(), 1);

        driver.press(pencils);
        QCOMPARE(pointerShape(), dragIcon(Pic_Olovke));
        driver.move(pencils + QPoint(1, 1));   // over the pencils: not the paper
        driver.move(paper);                    // enter
        driver.move(paper + QPoint(10, 0));    // over
        driver.move(paper + QPoint(10, 0));    // no movement, no event
        driver.move(paper + QPoint(20, 5));    // over
        driver.move(paper + QPoint(30, 10));   // over
        driver.move(paper + QPoint(0, -20));   // leave, onto the desk
        driver.move(paper + QPoint(0, -30));   // the desk only
        QCOMPARE(driver.exercise().WritingProgress(), 6);
        QCOMPARE(textOf(driver, Tok), QStringLiteral(" 5%"));
        QCOMPARE(pointerShape(), dragIcon(Pic_Olovke));

        driver.release(paper + QPoint(0, -30));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(driver.form().control(Pic_Olovke)->geometry(), pencilsPlace);
        QCOMPARE(driver.exercise().WritingProgress(), 6);
    }

    void eachPaperStageIsEnteredOnceWithNoLeaveToTheStageItReplaced()
    {
        FormDriver driver;
        driver.takeOutPaperAndPencils();
        // A point that every member covers.
        const QPoint onPaper = driver.topLeftOf(Pic_Papir_0) + QPoint(10, 10);
        driver.press(driver.centreOf(Pic_Olovke));
        int moves = 0;
        for (int x = 0; driver.exercise().WritingProgress() < 101; x = 1 - x, ++moves)
            driver.move(onPaper + QPoint(x, 0));
        // One event per move: the first move entered member 0, each stage
        // change entered the next member, and no hidden member heard a leave.
        QCOMPARE(moves, 100);
        QVERIFY(driver.isVisible(Pic_Papir_4));
        QCOMPARE(textOf(driver, Tok), QStringLiteral(" 100%"));
        driver.move(onPaper + QPoint(5, 0));
        QCOMPARE(driver.exercise().WritingProgress(), 102);
        QVERIFY(qobject_cast<QLabel*>(driver.form().control(Poruka))->font().italic());
        driver.release(onPaper + QPoint(5, 0));
    }

    void theDeskScenesControlsHearNothingWhileItsFrameIsHidden()
    {
        FormDriver driver;
        driver.goToMailbox();
        QVERIFY(!driver.isVisible(Frame_Pismo));
        // Where drawer 4 and the paper lie, unseen, in the hidden frame.
        driver.clickAt({300, 270});
        driver.doubleClickAt({300, 200});
        QCOMPARE(driver.exercise().OpenDrawer(), 0);
        QVERIFY(!driver.isVisible(Pic_L4_O));
        QVERIFY(driver.isVisible(Frame_Posta));
    }

    void theEnvelopeOpensTheSlotOnEnteringAndClosesItOnLeaving()
    {
        FormDriver driver;
        driver.goToMailbox();
        const QPoint envelope = driver.centreOf(Pic_Pismo);
        const QPoint slot = driver.centreOf(Pic_S_Z);
        driver.press(envelope);
        QCOMPARE(pointerShape(), dragIcon(Pic_Pismo));
        driver.move(slot);
        QVERIFY(driver.isVisible(Pic_S_O));
        QVERIFY(!driver.isVisible(Pic_S_Z));
        driver.move(slot + QPoint(3, 3));
        driver.move(slot + QPoint(-3, 3));
        QVERIFY(driver.isVisible(Pic_S_O));
        driver.move({300, 100});
        QVERIFY(!driver.isVisible(Pic_S_O));
        QVERIFY(driver.isVisible(Pic_S_Z));
        driver.move(slot);
        QVERIFY(driver.isVisible(Pic_S_O));

        // Straight out again with the next movement: the slot closes all the same.
        driver.move({300, 100});
        QVERIFY(!driver.isVisible(Pic_S_O));
        QVERIFY(driver.isVisible(Pic_S_Z));

        // In over the shared top edge and out over it at once.
        const QPoint topEdge = driver.topLeftOf(Pic_S_Z) + QPoint(40, 0);
        driver.move(topEdge - QPoint(0, 1));
        driver.move(topEdge);
        QVERIFY(driver.isVisible(Pic_S_O));
        driver.move(topEdge - QPoint(0, 1));
        QVERIFY(!driver.isVisible(Pic_S_O));
        QVERIFY(driver.isVisible(Pic_S_Z));

        // Dropped beside the mailbox: nothing happens.
        driver.release({300, 100});
        QVERIFY(driver.isVisible(Pic_Pismo));
        QVERIFY(driver.isVisible(Pic_S_Z));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(driver.form().height(), 543);
    }

    void postingTheLetterEndsInTheClosingSceneAndTheRestartReturnsToTheDesk()
    {
        FormDriver driver;
        auto& form = driver.form();
        for (int run = 1; run <= 2; ++run) {
            driver.goToMailbox();
            driver.postLetter();
            QCOMPARE(form.height(), 242);
            for (const Control shown : {BTN_Kraj, BTN_Ponovo, PorukaKraj})
                QVERIFY(driver.isVisible(shown));
            for (const Control hidden : {Poruka, Tok, Pic_Pismo, Pic_S_O, Pic_S_Z})
                QVERIFY(!driver.isVisible(hidden));
            QCOMPARE(driver.exercise().PPozadinaHome(), 6210.0F);
            QCOMPARE(driver.exercise().SPozadinaHome(), 135);
            QCOMPARE(form.Left(Pic_P_Pozadina), 6210.0F + 4417.2F);
            QCOMPARE(form.Left(Pic_S_Pozadina), 135.0F - 3681.0F);
            QCOMPARE(form.controlAt(driver.centreOf(BTN_Ponovo)), std::optional{BTN_Ponovo});

            driver.click(BTN_Ponovo);
            QCOMPARE(form.size(), QSize(663, 543));
            QVERIFY(driver.isVisible(Frame_Pismo));
            QVERIFY(!driver.isVisible(Frame_Posta));
            QCOMPARE(form.Left(Pic_P_Pozadina), 6210.0F);
            QCOMPARE(form.control(Pic_S_Pozadina)->x(), 9);
        }
    }

    void krajEndsTheProgramByClosingTheWindow()
    {
        FormDriver driver;
        driver.goToMailbox();
        driver.postLetter();
        QVERIFY(driver.form().isVisible());
        driver.click(BTN_Kraj);
        QVERIFY(!driver.form().isVisible());
    }
};

QTEST_MAIN(FormPokazMouseTest)
#include "form_pokaz_mouse_test.moc"
