#include "drag_tracker.h"
#include "event_log.h"

#include <QTest>

#include <map>

using namespace pokaz::toolkit;
using pokaz::DragState;

namespace {

// Side by side, 20 pixels each: the source s, then A (with C hidden beneath
// it), then B; "." is a point over no control, "a" and "t" second points in A and s.
class Strip final : public ControlLocator {
public:
    enum : ControlId { S, A, B, C };
    std::map<ControlId, bool> shown{{S, true}, {A, true}, {B, true}, {C, false}};

    ControlId controlAt(QPoint pos) const override
    {
        for (const ControlId id : {S, A, C, B}) {
            const int column = id == S ? 0 : id == B ? 2 : 1;
            if (shown.at(id) && pos.y() < 20 && pos.x() / 20 == column)
                return id;
        }
        return NoControl;
    }
    bool isShown(ControlId control) const override { return shown.at(control); }
    const QCursor* dragPointer(ControlId) const override { return nullptr; }
    void swapAForC()
    {
        shown[A] = false;
        shown[C] = true;
    }
};

QPoint pointOf(QChar name)
{
    static const std::map<QChar, QPoint> points{
        {'s', {5, 5}}, {'t', {6, 5}}, {'A', {25, 5}}, {'a', {27, 6}}, {'B', {45, 5}}, {'.', {100, 100}}};
    return points.at(name);
}

} // namespace

class DragTrackerTest final : public QObject {
    Q_OBJECT

private slots:
    // The drag starts with a press on s; each letter of "moves" is one move
    // there, a final "!" drops at the last point. What a handler does in
    // between: "swap on 2nd A" hides A and shows C under it on the second
    // event to A (a paper stage change), "swap on enter A" does it when A is
    // entered (the slot opening), "hide B on leave A" hides B when A is left.
    void eachMoveTellsTheControlsUnderThePointerOnceAndTheReleaseDrops_data()
    {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("events");
        QTest::newRow("the press tells nothing") << ""
                                                 << "s"
                                                 << "";
        QTest::newRow("first move enters the source") << ""
                                                      << "t"
                                                      << "s0";
        QTest::newRow("one Over per move") << ""
                                           << "AaA"
                                           << "A0 A2 A2";
        QTest::newRow("a move in place tells nothing") << ""
                                                       << "AAaa"
                                                       << "A0 A2";
        QTest::newRow("leave before enter") << ""
                                            << "AB"
                                            << "A0 A1 B0";
        QTest::newRow("off every control") << ""
                                           << "A.."
                                           << "A0 A1";
        QTest::newRow("hidden under the pointer: no Leave") << "swap on 2nd A"
                                                            << "AaAB"
                                                            << "A0 A2 C0 C1 B0";
        QTest::newRow("shown under the pointer hears Leave") << "swap on enter A"
                                                             << "AB."
                                                             << "A0 C1 B0 B1";
        QTest::newRow("a Leave that hides the next") << "hide B on leave A"
                                                     << "AB"
                                                     << "A0 A1";
        QTest::newRow("drop where the pointer is") << ""
                                                   << "AB!"
                                                   << "A0 A1 B0 drop:B<-s";
        QTest::newRow("drop on the source") << ""
                                            << "s!"
                                            << "drop:s<-s";
        QTest::newRow("drop on nothing") << ""
                                         << "A.!"
                                         << "A0 A1";
    }

    void eachMoveTellsTheControlsUnderThePointerOnceAndTheReleaseDrops()
    {
        QFETCH(QString, handler);
        QFETCH(QString, moves);
        Strip strip;
        EventLog log;
        int eventsToA = 0;
        log.onDragOver = [&](ControlId target, DragState state) {
            if (target != Strip::A)
                return;
            ++eventsToA;
            if ((handler == "swap on 2nd A" && eventsToA == 2)
                || (handler == "swap on enter A" && state == DragState::Enter))
                strip.swapAForC();
            if (handler == "hide B on leave A" && state == DragState::Leave)
                strip.shown[Strip::B] = false;
        };
        DragTracker drag(strip, log);
        drag.begin(Strip::S, pointOf('s'));
        QChar last = 's';
        for (const QChar move : moves) {
            if (move == '!') {
                drag.dropAt(pointOf(last));
                QVERIFY(!drag.isDragging());
                drag.moveTo(pointOf('A')); // after the drop, nothing more
            } else {
                drag.moveTo(pointOf(move));
                last = move;
            }
        }
        QTEST(log.text, "events");
    }
};

QTEST_APPLESS_MAIN(DragTrackerTest)
#include "drag_tracker_test.moc"
