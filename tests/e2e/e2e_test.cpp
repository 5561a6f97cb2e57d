// The program as built, on a real X server, driven only by real X pointer
// input and checked only by what the screen shows.

#include "client_layout.h"
#include "pointer.h"
#include "pokaz_window.h"
#include "screen.h"
#include "x_server.h"

#include <QDir>
#include <QTest>

#include <chrono>
#include <functional>
#include <memory>

using namespace pokaz;
using namespace pokaz::test;

namespace {

// Moving the pointer here, outside the window, hides any tooltip before a
// screenshot.
constexpr QPoint ParkingPoint{2, 2};

// The two bordered backgrounds show their picture inside a 2-pixel edge.
constexpr int SunkenEdge = 2;

// Parts of the mailbox scene's backgrounds that no other control covers.
constexpr QRect MailboxFreeArea{0, 125, 215, 112};
constexpr QRect ManFreeArea{0, 0, 225, 100};

constexpr QPoint SlotWobble{6, 4};

constexpr QRgb Red = qRgb(255, 0, 0);
constexpr QRgb Yellow = qRgb(255, 255, 0);

QImage asset(const QString& name)
{
    return QImage(QStringLiteral(POKAZ_ASSET_DIR "/") + name + QStringLiteral(".bmp"));
}

QString paperAsset(int stage) { return QStringLiteral("Pic_Papir_%1").arg(stage); }

QPoint paperTopLeft(int stage) { return clientRect(Pic_Papir(stage)).topLeft(); }

// The n-th point of a zig-zag over the paper; two neighbours never coincide,
// so every move is a motion event of its own.
QPoint writingPoint(int n)
{
    constexpr int Columns = 9;
    constexpr int Step = 9;
    const QRect paper = clientRect(Control::Pic_Papir_1).adjusted(6, 6, -6, -6);
    return {paper.left() + (n % Columns) * Step, n % 2 == 0 ? paper.top() : paper.bottom()};
}

// A picture that should be on the screen: the asset, where its top-left
// corner lies in the client area, and which part of it to compare.
struct Shown {
    QString asset;
    QPoint at;
    QRect area{};
};

} // namespace

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
    bool clickAt(QPoint client);
    bool doubleClickAt(QPoint client);
    bool park();
    bool waitForPictures(const QString& label, const QList<Shown>& pictures);
    static bool showsAll(const QImage& shot, QPoint origin, const QList<Shown>& pictures);
    bool takeOutPaperAndPencils();
    bool pressOnPencils();
    bool writeMoves(int events, std::chrono::milliseconds pause = Pointer::MovePause);
    bool writeUntil(const QString& label, const std::function<bool(const QImage&)>& check);
    bool writeWholeLetter();
    bool writeAndCheckStages();
    bool runExerciseToClosingScene(int round);
    bool showsStartState();
    bool showsMailboxScene();
    bool showsClosingScene();
    bool letterIsHighlighted(const QImage& shot) const;

    std::unique_ptr<XServer> server;
    std::unique_ptr<Screen> screen;
    std::unique_ptr<PokazWindow> window;
    std::unique_ptr<Pointer> pointer;
    // How many writing moves this run has made; the next one goes to the
    // next point of the zig-zag.
    int strokes = 0;
};

void EndToEndTest::init()
{
    strokes = 0;
    server = std::make_unique<XServer>();
    QVERIFY2(server->running(), qPrintable(server->startError()));
    const QString record = QStringLiteral(POKAZ_E2E_RECORD_DIR "/") + QTest::currentTestFunction();
    screen = std::make_unique<Screen>(*server, record);
    pointer = std::make_unique<Pointer>(*server);
    QVERIFY(pointer->moveTo(ParkingPoint));
    window = std::make_unique<PokazWindow>(*server, QStringLiteral(POKAZ_EXECUTABLE));
    QVERIFY2(window->waitForWindow(), qPrintable(window->output()));
    QVERIFY2(showsStartState(), "the start state never showed");
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
    window.reset();
    pointer.reset();
    screen.reset();
    server.reset();
}

bool EndToEndTest::park() { return pointer->moveTo(ParkingPoint); }

bool EndToEndTest::clickAt(QPoint client)
{
    return pointer->moveTo(window->toScreen(client)) && pointer->click() && park();
}

bool EndToEndTest::doubleClickAt(QPoint client)
{
    return pointer->moveTo(window->toScreen(client)) && pointer->doubleClick() && park();
}

bool EndToEndTest::showsAll(const QImage& shot, QPoint origin, const QList<Shown>& pictures)
{
    for (const Shown& picture : pictures) {
        if (!Screen::shows(shot, asset(picture.asset), origin + picture.at, picture.area))
            return false;
    }
    return true;
}

bool EndToEndTest::waitForPictures(const QString& label, const QList<Shown>& pictures)
{
    const QPoint origin = window->origin();
    return screen->waitFor(label, [&](const QImage& shot) { return showsAll(shot, origin, pictures); });
}

bool EndToEndTest::showsStartState()
{
    const auto place = window->geometry();
    if (!place || place->size() != FullClientSize)
        return false;
    // Every drawer closed, and the desk where the paper lies on it.
    return waitForPictures(QStringLiteral("start"),
                           {{QStringLiteral("Pic_L1_Z"), clientRect(Control::Pic_L1_Z).topLeft()},
                            {QStringLiteral("Pic_L2_Z"), clientRect(Control::Pic_L2_Z).topLeft()},
                            {QStringLiteral("Pic_L3_Z"), clientRect(Control::Pic_L3_Z).topLeft()},
                            {QStringLiteral("Pic_L4_Z"), clientRect(Control::Pic_L4_Z).topLeft()},
                            {QStringLiteral("Pic_L5_Z"), clientRect(Control::Pic_L5_Z).topLeft()},
                            {QStringLiteral("Pic_Pozadina"), clientRect(Control::Pic_Papir_1).topLeft(),
                             clientRect(Control::Pic_Papir_1).translated(-clientRect(Control::Pic_Pozadina).topLeft())}});
}

bool EndToEndTest::takeOutPaperAndPencils()
{
    const QPoint paper = paperTopLeft(0);
    return clickAt(closedDrawerPoint(3))
           && waitForPictures(QStringLiteral("drawer3-open"),
                              {{QStringLiteral("Pic_L3_O"), clientRect(Control::Pic_L3_O).topLeft()},
                               {paperAsset(0), paper}})
           && clickAt(openDrawerPoint(3))
           && waitForPictures(QStringLiteral("drawer3-closed"),
                              {{QStringLiteral("Pic_L3_Z"), clientRect(Control::Pic_L3_Z).topLeft()},
                               {paperAsset(0), paper}})
           && clickAt(closedDrawerPoint(4))
           && waitForPictures(QStringLiteral("drawer4-open"),
                              {{QStringLiteral("Pic_L4_O"), clientRect(Control::Pic_L4_O).topLeft()},
                               {QStringLiteral("Pic_Olovke"), clientRect(Control::Pic_Olovke).topLeft()}})
           && clickAt(openDrawerPoint(4))
           && waitForPictures(QStringLiteral("drawer4-closed"),
                              {{QStringLiteral("Pic_L4_Z"), clientRect(Control::Pic_L4_Z).topLeft()},
                               {QStringLiteral("Pic_Olovke"), clientRect(Control::Pic_Olovke).topLeft()}});
}

bool EndToEndTest::pressOnPencils()
{
    return pointer->moveTo(window->toScreen(PencilsPoint)) && pointer->press();
}

bool EndToEndTest::writeMoves(int events, std::chrono::milliseconds pause)
{
    QList<QPoint> path;
    for (int n = 0; n < events; ++n)
        path << window->toScreen(writingPoint(strokes++));
    return pointer->moveAlong(path, pause);
}

// One drag event at a time until the screen shows what check wants. Where
// the exact count does not matter this makes up for motion events that the
// toolkit merged while the machine was busy.
bool EndToEndTest::writeUntil(const QString& label, const std::function<bool(const QImage&)>& check)
{
    constexpr int MostExtraEvents = 40;
    for (int extra = 0; extra < MostExtraEvents; ++extra) {
        if (!writeMoves(1))
            return false;
        QTest::qWait(static_cast<int>(Pointer::MovePause.count()));
        const QImage shot = screen->grab(label);
        if (!shot.isNull() && check(shot))
            return true;
    }
    return false;
}

bool EndToEndTest::writeWholeLetter()
{
    constexpr int SafelyShort = 95;
    return pressOnPencils() && writeMoves(SafelyShort)
           && writeUntil(QStringLiteral("writing"), [this](const QImage& shot) { return letterIsHighlighted(shot); })
           && pointer->release() && park();
}

bool EndToEndTest::letterIsHighlighted(const QImage& shot) const
{
    const QRect label = window->toScreen(clientRect(Control::Poruka)).adjusted(2, 2, -2, -2);
    const int area = label.width() * label.height();
    return Screen::countColour(shot, label, Red) > area / 2 && Screen::countColour(shot, label, Yellow) > 0;
}

// Each drag event over the paper writes one percent, the entering one
// included: after n events n percent are written, and the picture changes on
// the event that reaches 25, 50, 75 and 100 percent, not one earlier or later.
// The moves here are slower than elsewhere so that none is merged away.
bool EndToEndTest::writeAndCheckStages()
{
    constexpr int StageEvents = 25;
    constexpr std::chrono::milliseconds CarefulPause{40};
    if (!pressOnPencils())
        return false;
    int written = 0;
    for (int stage = 1; stage <= 4; ++stage) {
        if (!writeMoves(stage * StageEvents - 1 - written, CarefulPause))
            return false;
        written = stage * StageEvents - 1;
        QTest::qWait(static_cast<int>(CarefulPause.count()));
        const QImage before = screen->grab(QStringLiteral("before-stage%1").arg(stage));
        if (!Screen::shows(before, asset(paperAsset(stage - 1)), window->toScreen(paperTopLeft(stage - 1)))) {
            qWarning("stage %d showed before %d drag events", stage, stage * StageEvents);
            return false;
        }
        if (!writeMoves(1, CarefulPause))
            return false;
        ++written;
        if (!waitForPictures(QStringLiteral("stage%1").arg(stage), {{paperAsset(stage), paperTopLeft(stage)}})) {
            qWarning("stage %d did not show after %d drag events", stage, written);
            return false;
        }
        if (letterIsHighlighted(screen->last()))
            return false;
    }
    // One more event finishes the letter.
    if (!writeMoves(1, CarefulPause) || !pointer->release() || !park())
        return false;
    return screen->waitFor(QStringLiteral("highlighted"), [this](const QImage& shot) {
        return letterIsHighlighted(shot) && Screen::shows(shot, asset(paperAsset(4)), window->toScreen(paperTopLeft(4)));
    });
}

bool EndToEndTest::showsMailboxScene()
{
    const QRect mailbox = clientRect(Control::Pic_S_Pozadina).adjusted(SunkenEdge, SunkenEdge, 0, 0);
    const QRect man = clientRect(Control::Pic_P_Pozadina).adjusted(SunkenEdge, SunkenEdge, 0, 0);
    return waitForPictures(QStringLiteral("mailbox-scene"),
                           {{QStringLiteral("Pic_Pismo"), clientRect(Control::Pic_Pismo).topLeft()},
                            {QStringLiteral("Pic_S_Z"), clientRect(Control::Pic_S_Z).topLeft()},
                            {QStringLiteral("Pic_S_Pozadina"), mailbox.topLeft() + MailboxFreeArea.topLeft(),
                             MailboxFreeArea},
                            {QStringLiteral("Pic_P_Pozadina"), man.topLeft() + ManFreeArea.topLeft(), ManFreeArea}});
}

bool EndToEndTest::showsClosingScene()
{
    const bool drawn = screen->waitFor(QStringLiteral("closing-scene"), [this](const QImage& shot) {
        const auto place = window->geometry();
        if (!place || place->height() < ClosingClientHeightLow || place->height() > ClosingClientHeightHigh)
            return false;
        // The closing text and both buttons are drawn: their areas hold more
        // than the plain face colour. Nothing below the strip is on screen.
        return Screen::distinctColours(shot, window->toScreen(clientRect(Control::PorukaKraj))) > 2
               && Screen::distinctColours(shot, window->toScreen(clientRect(Control::BTN_Ponovo))) > 2
               && Screen::distinctColours(shot, window->toScreen(clientRect(Control::BTN_Kraj))) > 2;
    });
    return drawn;
}

bool EndToEndTest::runExerciseToClosingScene(int round)
{
    const QString prefix = QStringLiteral("round%1-").arg(round);
    // An empty drawer opens and closes.
    if (!clickAt(closedDrawerPoint(1))
        || !waitForPictures(prefix + QStringLiteral("drawer1-open"),
                            {{QStringLiteral("Pic_L1_O"), clientRect(Control::Pic_L1_O).topLeft()}})
        || !clickAt(openDrawerPoint(1))
        || !waitForPictures(prefix + QStringLiteral("drawer1-closed"),
                            {{QStringLiteral("Pic_L1_Z"), clientRect(Control::Pic_L1_Z).topLeft()},
                             {QStringLiteral("Pic_L2_Z"), clientRect(Control::Pic_L2_Z).topLeft()}})) {
        qWarning("round %d: drawer 1", round);
        return false;
    }
    if (!takeOutPaperAndPencils()) {
        qWarning("round %d: taking out the paper and pencils", round);
        return false;
    }
    if (!writeAndCheckStages()) {
        qWarning("round %d: writing", round);
        return false;
    }
    if (!doubleClickAt(PaperPoint) || !showsMailboxScene()) {
        qWarning("round %d: into the envelope", round);
        return false;
    }
    const QPoint slotOpen = clientRect(Control::Pic_S_O).topLeft();
    const QPoint slotClosed = clientRect(Control::Pic_S_Z).topLeft();
    // Over the slot it opens, off it it closes, over it again it opens.
    // A learner's pointer moves on inside the slot before it leaves; the open
    // slot hears of the pointer only from a movement over it.
    const QList<QPoint> intoSlot{window->toScreen(BetweenBackgroundsPoint), window->toScreen(SlotPoint),
                                 window->toScreen(SlotPoint + SlotWobble)};
    if (!pointer->moveTo(window->toScreen(EnvelopePoint)) || !pointer->press() || !pointer->moveAlong(intoSlot)
        || !waitForPictures(prefix + QStringLiteral("slot-open"), {{QStringLiteral("Pic_S_O"), slotOpen}})
        || !pointer->moveAlong({window->toScreen(BetweenBackgroundsPoint)})
        || !waitForPictures(prefix + QStringLiteral("slot-closed"), {{QStringLiteral("Pic_S_Z"), slotClosed}})
        || !pointer->moveAlong(intoSlot)
        || !waitForPictures(prefix + QStringLiteral("slot-open-again"), {{QStringLiteral("Pic_S_O"), slotOpen}})) {
        pointer->release();
        qWarning("round %d: the slot", round);
        return false;
    }
    if (!pointer->release() || !park() || !showsClosingScene()) {
        qWarning("round %d: posting", round);
        return false;
    }
    return true;
}

void EndToEndTest::theWholeExerciseRunsTwiceAndKrajEndsTheProgramWithStatusZero()
{
    QVERIFY(runExerciseToClosingScene(1));
    QVERIFY(clickAt(clientRect(Control::BTN_Ponovo).center()));
    QVERIFY2(showsStartState(), "\"Još jednom...\" did not bring back the start");
    QVERIFY(runExerciseToClosingScene(2));
    QVERIFY(clickAt(clientRect(Control::BTN_Kraj).center()));
    const auto status = window->waitForExit();
    QVERIFY2(status.has_value(), "the program did not end after \"Kraj\"");
    QCOMPARE(*status, 0);
}

void EndToEndTest::aQuickDoubleClickOnAClosedDrawerOpensItOnce()
{
    const Shown open{QStringLiteral("Pic_L2_O"), clientRect(Control::Pic_L2_O).topLeft()};
    QVERIFY(doubleClickAt(closedDrawerPoint(2)));
    QVERIFY(waitForPictures(QStringLiteral("double-clicked"), {open}));
    // Still open once every event of the double-click has been handled: a
    // click on another drawer is handled after them and changes nothing
    // while drawer 2 is open.
    QVERIFY(clickAt(closedDrawerPoint(5)));
    QTest::qWait(300);
    const QImage shot = screen->grab(QStringLiteral("settled"));
    QVERIFY(showsAll(shot, window->origin(), {open, {QStringLiteral("Pic_L5_Z"), clientRect(Control::Pic_L5_Z).topLeft()}}));
    QVERIFY(clickAt(openDrawerPoint(2)));
    QVERIFY(waitForPictures(QStringLiteral("closed-again"),
                            {{QStringLiteral("Pic_L2_Z"), clientRect(Control::Pic_L2_Z).topLeft()}}));
}

void EndToEndTest::aDoubleClickOnThePaperDoesNothingUntilTheLetterIsComplete()
{
    constexpr int SomeWriting = 40;
    constexpr int SafelyShortOfFull = 50;
    const Shown drawer5Open{QStringLiteral("Pic_L5_O"), clientRect(Control::Pic_L5_O).topLeft()};
    const Shown drawer5Closed{QStringLiteral("Pic_L5_Z"), clientRect(Control::Pic_L5_Z).topLeft()};
    QVERIFY(takeOutPaperAndPencils());

    // Part-written. Drawer 5 opening afterwards proves the double-click has
    // been handled, and the desk is still there.
    QVERIFY(pressOnPencils() && writeMoves(SomeWriting) && pointer->release());
    QVERIFY(waitForPictures(QStringLiteral("part-written"), {{paperAsset(1), paperTopLeft(1)}}));
    QVERIFY(doubleClickAt(PaperPoint));
    QVERIFY(clickAt(closedDrawerPoint(5)));
    QVERIFY(waitForPictures(QStringLiteral("part-written-after"), {drawer5Open, {paperAsset(1), paperTopLeft(1)}}));
    QVERIFY(clickAt(openDrawerPoint(5)));
    QVERIFY(waitForPictures(QStringLiteral("part-written-closed"), {drawer5Closed}));

    // At 100 percent the text is written but the letter not yet finished:
    // the last paper picture shows on the event that reaches 100 percent.
    // Releasing the pencils over the paper is a drop, not a drag event.
    QVERIFY(pressOnPencils() && writeMoves(SafelyShortOfFull));
    QVERIFY(writeUntil(QStringLiteral("to-hundred"), [this](const QImage& shot) {
        return Screen::shows(shot, asset(paperAsset(4)), window->toScreen(paperTopLeft(4)));
    }));
    QVERIFY(pointer->release() && park());
    QVERIFY(doubleClickAt(PaperPoint));
    QVERIFY(clickAt(closedDrawerPoint(5)));
    QVERIFY(waitForPictures(QStringLiteral("hundred-after"), {drawer5Open, {paperAsset(4), paperTopLeft(4)}}));
    QVERIFY2(!letterIsHighlighted(screen->last()), "the letter was finished without its last drag event");
    QVERIFY(clickAt(openDrawerPoint(5)));
    QVERIFY(waitForPictures(QStringLiteral("hundred-closed"), {drawer5Closed}));

    // One more drag event, the entering one, finishes it; now the
    // double-click works.
    QVERIFY(pressOnPencils() && writeMoves(1) && pointer->release() && park());
    QVERIFY(screen->waitFor(QStringLiteral("finished"), [this](const QImage& shot) { return letterIsHighlighted(shot); }));
    QVERIFY(doubleClickAt(PaperPoint));
    QVERIFY(showsMailboxScene());
}

void EndToEndTest::anEnvelopeDroppedBesideTheSlotStaysWhereItIs()
{
    QVERIFY(takeOutPaperAndPencils());
    QVERIFY(writeWholeLetter());
    QVERIFY(doubleClickAt(PaperPoint));
    QVERIFY(showsMailboxScene());

    for (const QPoint beside : {BesideSlotPoint, BetweenBackgroundsPoint}) {
        QVERIFY(pointer->drag(window->toScreen(EnvelopePoint), {window->toScreen(beside)}));
        QVERIFY(park());
        QTest::qWait(300);
        QVERIFY2(showsMailboxScene(), "a drop beside the slot changed the mailbox scene");
    }
    // The envelope still posts from where it lay.
    QVERIFY(pointer->drag(window->toScreen(EnvelopePoint),
                          {window->toScreen(BetweenBackgroundsPoint), window->toScreen(SlotPoint),
                           window->toScreen(SlotPoint + SlotWobble)}));
    QVERIFY(park());
    QVERIFY(showsClosingScene());
}

void EndToEndTest::theCloseRequestEndsTheProgramWithStatusZero()
{
    // Once at the start, once in the middle of the exercise with a drawer open.
    QVERIFY(window->requestClose());
    auto status = window->waitForExit();
    QVERIFY2(status.has_value(), "the program did not end on the close request");
    QCOMPARE(*status, 0);

    window = std::make_unique<PokazWindow>(*server, QStringLiteral(POKAZ_EXECUTABLE));
    QVERIFY(window->waitForWindow());
    QVERIFY(showsStartState());
    QVERIFY(clickAt(closedDrawerPoint(3)));
    QVERIFY(waitForPictures(QStringLiteral("drawer3-open"),
                            {{QStringLiteral("Pic_L3_O"), clientRect(Control::Pic_L3_O).topLeft()}}));
    QVERIFY(window->requestClose());
    status = window->waitForExit();
    QVERIFY2(status.has_value(), "the program did not end on the close request");
    QCOMPARE(*status, 0);
}

QTEST_GUILESS_MAIN(EndToEndTest)
#include "e2e_test.moc"
