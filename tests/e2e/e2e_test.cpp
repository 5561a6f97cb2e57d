// The program as built, on a real X server, driven only by real X pointer
// input and checked only by what the screen shows.

#include "client_layout.h"
#include "learner.h"
#include "pointer.h"
#include "pokaz_window.h"
#include "screen.h"
#include "x_server.h"

#include <QDir>
#include <QTest>

#include <memory>

using namespace pokaz;
using namespace pokaz::test;

class EndToEndTest final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theWholeExerciseRunsTwiceAndKrajEndsTheProgramWithStatusZero();
    void aQuickDoubleClickOnAClosedDrawerOpensItOnce();
    void aDoubleClickOnThePaperDoesNothingUntilTheLetterIsComplete();
    void anEnvelopeDroppedBesideTheSlotStaysWhereItIs();
    void theCloseRequestEndsTheProgramWithStatusZero();

private:
    void startProgram();

    std::unique_ptr<XServer> server;
    std::unique_ptr<Screen> screen;
    std::unique_ptr<Pointer> pointer;
    std::unique_ptr<PokazWindow> window;
    std::unique_ptr<Learner> learner;
};

void EndToEndTest::init()
{
    server = std::make_unique<XServer>();
    QVERIFY2(server->running(), qPrintable(server->startError()));
    const QString record = QStringLiteral(POKAZ_E2E_RECORD_DIR "/") + QTest::currentTestFunction();
    screen = std::make_unique<Screen>(*server, record);
    pointer = std::make_unique<Pointer>(*server);
    QVERIFY(pointer->moveTo(ParkingPoint));
    startProgram();
}

void EndToEndTest::startProgram()
{
    learner.reset();
    window = std::make_unique<PokazWindow>(*server, QStringLiteral(POKAZ_EXECUTABLE));
    learner = std::make_unique<Learner>(*pointer, *screen, *window);
    QVERIFY2(window->waitForWindow(), qPrintable(window->output()));
    QVERIFY2(learner->showsStartState(), "the start state never showed");
}

void EndToEndTest::cleanup()
{
    if (QTest::currentTestFailed()) {
        qWarning("Screenshots of this run: %s", qPrintable(screen ? screen->recordFolder() : QString()));
        if (window)
            qWarning("Program output: %s", qPrintable(window->output()));
    } else if (screen) {
        QDir(screen->recordFolder()).removeRecursively();
    }
    learner.reset();
    window.reset();
    pointer.reset();
    screen.reset();
    server.reset();
}

void EndToEndTest::theWholeExerciseRunsTwiceAndKrajEndsTheProgramWithStatusZero()
{
    QVERIFY(learner->runToClosingScene(1));
    QVERIFY(learner->clickAt(clientRect(Control::BTN_Ponovo).center()));
    QVERIFY2(learner->showsStartState(), "\"Još jednom...\" did not bring back the start");
    QVERIFY(learner->runToClosingScene(2));
    QVERIFY(learner->clickAt(clientRect(Control::BTN_Kraj).center()));
    const auto status = window->waitForExit();
    QVERIFY2(status.has_value(), "the program did not end after \"Kraj\"");
    QCOMPARE(*status, 0);
}

void EndToEndTest::aQuickDoubleClickOnAClosedDrawerOpensItOnce()
{
    const Shown open{QStringLiteral("Pic_L2_O"), clientRect(Control::Pic_L2_O).topLeft()};
    QVERIFY(learner->doubleClickAt(closedDrawerPoint(2)));
    QVERIFY(learner->waitForPictures(QStringLiteral("double-clicked"), {open}));
    // Still open once every event of the double-click has been handled: a
    // click on another drawer is handled after them and changes nothing
    // while drawer 2 is open.
    QVERIFY(learner->clickAt(closedDrawerPoint(5)));
    QTest::qWait(300);
    const QImage shot = screen->grab(QStringLiteral("settled"));
    QVERIFY(learner->showsAll(shot, window->origin(), {open, {QStringLiteral("Pic_L5_Z"), clientRect(Control::Pic_L5_Z).topLeft()}}));
    QVERIFY(learner->clickAt(openDrawerPoint(2)));
    QVERIFY(learner->waitForPictures(QStringLiteral("closed-again"),
                            {{QStringLiteral("Pic_L2_Z"), clientRect(Control::Pic_L2_Z).topLeft()}}));
}

void EndToEndTest::aDoubleClickOnThePaperDoesNothingUntilTheLetterIsComplete()
{
    constexpr int SomeWriting = 40;
    constexpr int SafelyShortOfFull = 50;
    const Shown drawer5Open{QStringLiteral("Pic_L5_O"), clientRect(Control::Pic_L5_O).topLeft()};
    const Shown drawer5Closed{QStringLiteral("Pic_L5_Z"), clientRect(Control::Pic_L5_Z).topLeft()};
    QVERIFY(learner->takeOutPaperAndPencils());

    // Part-written. Drawer 5 opening afterwards proves the double-click has
    // been handled, and the desk is still there.
    QVERIFY(learner->pressOnPencils() && learner->writeMoves(SomeWriting) && pointer->release());
    QVERIFY(learner->waitForPictures(QStringLiteral("part-written"), {{paperAsset(1), paperTopLeft(1)}}));
    QVERIFY(learner->doubleClickAt(PaperPoint));
    QVERIFY(learner->clickAt(closedDrawerPoint(5)));
    QVERIFY(learner->waitForPictures(QStringLiteral("part-written-after"), {drawer5Open, {paperAsset(1), paperTopLeft(1)}}));
    QVERIFY(learner->clickAt(openDrawerPoint(5)));
    QVERIFY(learner->waitForPictures(QStringLiteral("part-written-closed"), {drawer5Closed}));

    // At 100 percent the text is written but the letter not yet finished:
    // the last paper picture shows on the event that reaches 100 percent.
    // Releasing the pencils over the paper is a drop, not a drag event.
    QVERIFY(learner->pressOnPencils() && learner->writeMoves(SafelyShortOfFull));
    QVERIFY(learner->writeUntil(QStringLiteral("to-hundred"), [this](const QImage& shot) {
        return Screen::shows(shot, asset(paperAsset(4)), window->toScreen(paperTopLeft(4)));
    }));
    QVERIFY(pointer->release() && learner->park());
    QVERIFY(learner->doubleClickAt(PaperPoint));
    QVERIFY(learner->clickAt(closedDrawerPoint(5)));
    QVERIFY(learner->waitForPictures(QStringLiteral("hundred-after"), {drawer5Open, {paperAsset(4), paperTopLeft(4)}}));
    QVERIFY2(!learner->letterIsHighlighted(screen->last()), "the letter was finished without its last drag event");
    QVERIFY(learner->clickAt(openDrawerPoint(5)));
    QVERIFY(learner->waitForPictures(QStringLiteral("hundred-closed"), {drawer5Closed}));

    // One more drag event, the entering one, finishes it; now the
    // double-click works.
    QVERIFY(learner->pressOnPencils() && learner->writeMoves(1) && pointer->release() && learner->park());
    QVERIFY(screen->waitFor(QStringLiteral("finished"), [this](const QImage& shot) { return learner->letterIsHighlighted(shot); }));
    QVERIFY(learner->doubleClickAt(PaperPoint));
    QVERIFY(learner->showsMailboxScene());
}

void EndToEndTest::anEnvelopeDroppedBesideTheSlotStaysWhereItIs()
{
    QVERIFY(learner->takeOutPaperAndPencils());
    QVERIFY(learner->writeWholeLetter());
    QVERIFY(learner->doubleClickAt(PaperPoint));
    QVERIFY(learner->showsMailboxScene());

    for (const QPoint beside : {BesideSlotPoint, BetweenBackgroundsPoint}) {
        QVERIFY(pointer->drag(window->toScreen(EnvelopePoint), {window->toScreen(beside)}));
        QVERIFY(learner->park());
        QTest::qWait(300);
        QVERIFY2(learner->showsMailboxScene(), "a drop beside the slot changed the mailbox scene");
    }
    // The envelope still posts from where it lay.
    QVERIFY(pointer->drag(window->toScreen(EnvelopePoint),
                          {window->toScreen(BetweenBackgroundsPoint), window->toScreen(SlotPoint),
                           window->toScreen(SlotPoint + SlotWobble)}));
    QVERIFY(learner->park());
    QVERIFY(learner->showsClosingScene());
}

void EndToEndTest::theCloseRequestEndsTheProgramWithStatusZero()
{
    // Once at the start, once in the middle of the exercise with a drawer open.
    QVERIFY(window->requestClose());
    auto status = window->waitForExit();
    QVERIFY2(status.has_value(), "the program did not end on the close request");
    QCOMPARE(*status, 0);

    startProgram();
    if (QTest::currentTestFailed())
        return;
    QVERIFY(learner->clickAt(closedDrawerPoint(3)));
    QVERIFY(learner->waitForPictures(QStringLiteral("drawer3-open"),
                            {{QStringLiteral("Pic_L3_O"), clientRect(Control::Pic_L3_O).topLeft()}}));
    QVERIFY(window->requestClose());
    status = window->waitForExit();
    QVERIFY2(status.has_value(), "the program did not end on the close request");
    QCOMPARE(*status, 0);
}

QTEST_GUILESS_MAIN(EndToEndTest)
#include "e2e_test.moc"
