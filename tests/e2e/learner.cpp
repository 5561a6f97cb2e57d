#include "learner.h"

#include "client_layout.h"
#include "pokaz_window.h"
#include "screen.h"

#include <QTest>

namespace pokaz::test {

namespace {

// The two bordered backgrounds show their picture inside a 2-pixel edge.
constexpr int SunkenEdge = 2;

// Parts of the mailbox scene's backgrounds that no other control covers.
constexpr QRect MailboxFreeArea{0, 125, 215, 112};
constexpr QRect ManFreeArea{0, 0, 225, 100};

constexpr QRgb Red = qRgb(255, 0, 0);
constexpr QRgb Yellow = qRgb(255, 255, 0);

// The n-th point of a zig-zag over the paper; two neighbours never coincide,
// so every move is a motion event of its own.
QPoint writingPoint(int n)
{
    constexpr int Columns = 9;
    constexpr int Step = 9;
    const QRect paper = clientRect(Control::Pic_Papir_1).adjusted(6, 6, -6, -6);
    return {paper.left() + (n % Columns) * Step, n % 2 == 0 ? paper.top() : paper.bottom()};
}

} // namespace

QImage asset(const QString& name)
{
    return QImage(QStringLiteral(POKAZ_ASSET_DIR "/") + name + QStringLiteral(".bmp"));
}

QString paperAsset(int stage) { return QStringLiteral("Pic_Papir_%1").arg(stage); }

QPoint paperTopLeft(int stage) { return clientRect(Pic_Papir(stage)).topLeft(); }

Learner::Learner(Pointer& pointer, Screen& screen, PokazWindow& window)
    : pointer_(pointer)
    , screen_(screen)
    , window_(window)
{
}

bool Learner::park() { return pointer_.moveTo(ParkingPoint); }

bool Learner::clickAt(QPoint client)
{
    return pointer_.moveTo(window_.toScreen(client)) && pointer_.click() && park();
}

bool Learner::doubleClickAt(QPoint client)
{
    return pointer_.moveTo(window_.toScreen(client)) && pointer_.doubleClick() && park();
}

bool Learner::showsAll(const QImage& shot, QPoint origin, const QList<Shown>& pictures)
{
    for (const Shown& picture : pictures) {
        if (!Screen::shows(shot, asset(picture.asset), origin + picture.at, picture.area))
            return false;
    }
    return true;
}

bool Learner::waitForPictures(const QString& label, const QList<Shown>& pictures)
{
    const QPoint origin = window_.origin();
    return screen_.waitFor(label, [&](const QImage& shot) { return showsAll(shot, origin, pictures); });
}

bool Learner::showsStartState()
{
    const auto place = window_.geometry();
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

bool Learner::takeOutPaperAndPencils()
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

bool Learner::pressOnPencils()
{
    return pointer_.moveTo(window_.toScreen(PencilsPoint)) && pointer_.press();
}

bool Learner::writeMoves(int events, std::chrono::milliseconds pause)
{
    QList<QPoint> path;
    for (int n = 0; n < events; ++n)
        path << window_.toScreen(writingPoint(strokes_++));
    return pointer_.moveAlong(path, pause);
}

// One drag event at a time until the screen shows what check wants. Where
// the exact count does not matter this makes up for motion events that the
// toolkit merged while the machine was busy.
bool Learner::writeUntil(const QString& label, const std::function<bool(const QImage&)>& check)
{
    constexpr int MostExtraEvents = 40;
    for (int extra = 0; extra < MostExtraEvents; ++extra) {
        if (!writeMoves(1))
            return false;
        QTest::qWait(static_cast<int>(Pointer::MovePause.count()));
        const QImage shot = screen_.grab(label);
        if (!shot.isNull() && check(shot))
            return true;
    }
    return false;
}

bool Learner::writeWholeLetter()
{
    constexpr int SafelyShort = 95;
    return pressOnPencils() && writeMoves(SafelyShort)
           && writeUntil(QStringLiteral("writing"), [this](const QImage& shot) { return letterIsHighlighted(shot); })
           && pointer_.release() && park();
}

bool Learner::letterIsHighlighted(const QImage& shot) const
{
    const QRect label = window_.toScreen(clientRect(Control::Poruka)).adjusted(2, 2, -2, -2);
    const int area = label.width() * label.height();
    return Screen::countColour(shot, label, Red) > area / 2 && Screen::countColour(shot, label, Yellow) > 0;
}

// Each drag event over the paper writes one percent, the entering one
// included: after n events n percent are written, and the picture changes on
// the event that reaches 25, 50, 75 and 100 percent, not one earlier or later.
// The moves here are slower than elsewhere so that none is merged away.
bool Learner::writeAndCheckStages()
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
        const QImage before = screen_.grab(QStringLiteral("before-stage%1").arg(stage));
        if (!window_.running()) {
            qWarning("the program ended while the pencils were dragged");
            return false;
        }
        if (!Screen::shows(before, asset(paperAsset(stage - 1)), window_.toScreen(paperTopLeft(stage - 1)))) {
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
        if (letterIsHighlighted(screen_.last()))
            return false;
    }
    // One more event finishes the letter.
    if (!writeMoves(1, CarefulPause) || !pointer_.release() || !park())
        return false;
    return screen_.waitFor(QStringLiteral("highlighted"), [this](const QImage& shot) {
        return letterIsHighlighted(shot) && Screen::shows(shot, asset(paperAsset(4)), window_.toScreen(paperTopLeft(4)));
    });
}

bool Learner::showsMailboxScene()
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

bool Learner::showsClosingScene()
{
    return screen_.waitFor(QStringLiteral("closing-scene"), [this](const QImage& shot) {
        const auto place = window_.geometry();
        if (!place || place->height() < ClosingClientHeightLow || place->height() > ClosingClientHeightHigh)
            return false;
        // The closing text and both buttons are drawn: their areas hold more
        // than the plain face colour.
        return Screen::distinctColours(shot, window_.toScreen(clientRect(Control::PorukaKraj))) > 2
               && Screen::distinctColours(shot, window_.toScreen(clientRect(Control::BTN_Ponovo))) > 2
               && Screen::distinctColours(shot, window_.toScreen(clientRect(Control::BTN_Kraj))) > 2;
    });
}

bool Learner::runToClosingScene(int round)
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
    const QList<QPoint> intoSlot{window_.toScreen(BetweenBackgroundsPoint), window_.toScreen(SlotPoint),
                                 window_.toScreen(SlotPoint + SlotWobble)};
    if (!pointer_.moveTo(window_.toScreen(EnvelopePoint)) || !pointer_.press() || !pointer_.moveAlong(intoSlot)
        || !waitForPictures(prefix + QStringLiteral("slot-open"), {{QStringLiteral("Pic_S_O"), slotOpen}})
        || !pointer_.moveAlong({window_.toScreen(BetweenBackgroundsPoint)})
        || !waitForPictures(prefix + QStringLiteral("slot-closed"), {{QStringLiteral("Pic_S_Z"), slotClosed}})
        || !pointer_.moveAlong(intoSlot)
        || !waitForPictures(prefix + QStringLiteral("slot-open-again"), {{QStringLiteral("Pic_S_O"), slotOpen}})) {
        pointer_.release();
        qWarning("round %d: the slot", round);
        return false;
    }
    if (!pointer_.release() || !park() || !showsClosingScene()) {
        qWarning("round %d: posting", round);
        return false;
    }
    return true;
}

} // namespace pokaz::test
