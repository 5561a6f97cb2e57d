#include "drag_tracker.h"
#include "event_log.h"

#include <QTest>

#include <map>
#include <optional>
#include <tuple>

using namespace pokaz::toolkit;
using pokaz::DragState;
using enum DragState;

namespace {

// Side by side, 20 pixels each: the source s, then A (with C hidden beneath
// it), then B; "." is a point over no control, "a" and "t" second points in A and s.
class Strip final : public ControlLocator {
public:
    enum : ControlId { S, A, B, C };
    std::map<ControlId, bool> shown{{S, true}, {A, true}, {B, true}, {C, false}};

    ControlId controlAt(QPoint pos) const override
    {
        const ControlId columns[] = {S, shown.at(A) ? A : C, B};
        const ControlId id = pos.y() < 20 && pos.x() < 60 ? columns[pos.x() / 20] : NoControl;
        return id != NoControl && shown.at(id) ? id : NoControl;
    }
    bool isShown(ControlId control) const override { return shown.at(control); }
    std::optional<QCursor> dragPointer(ControlId) const override { return {}; }
};

const std::map<QChar, QPoint> Points{
    {'s', {5, 5}}, {'t', {6, 5}}, {'A', {25, 5}}, {'a', {27, 6}}, {'B', {45, 5}}, {'.', {100, 100}}};

// Each case's name; the state on which A's handler acts meanwhile, if any
// (on Over it hides A and shows C under it, as a paper stage changes; so on
// Enter, as the slot opens; on Leave it hides B); the moves (one per letter
// after the press on s; "!" drops there) and the events told ("A0":
// DragOver to A with state 0, Enter).
constexpr std::tuple<const char*, std::optional<DragState>, const char*, const char*> Cases[] = {
    {"the press tells nothing", {}, "s", ""},
    {"first move enters the source", {}, "t", "s0"},
    {"one Over per move", {}, "AaA", "A0 A2 A2"},
    {"a move in place tells nothing", {}, "AAaa", "A0 A2"},
    {"leave before enter", {}, "AB", "A0 A1 B0"},
    {"off every control", {}, "A..", "A0 A1"},
    {"hidden under the pointer: no Leave", Over, "AaAB", "A0 A2 C0 C1 B0"},
    {"shown under the pointer hears Leave", Enter, "AB.", "A0 C1 B0 B1"},
    {"a Leave that hides the next", Leave, "AB", "A0 A1"},
    {"drop where the pointer is", {}, "AB!", "A0 A1 B0 drop:B<-s"},
    {"drop on the source", {}, "s!", "drop:s<-s"},
    {"drop on nothing", {}, "A.!", "A0 A1"},
};

} // namespace

class DragTrackerTest final : public QObject {
    Q_OBJECT

private slots:
    void eachMoveTellsTheControlsUnderThePointerOnceAndTheReleaseDrops()
    {
        for (const auto& [name, actsOn, moves, events] : Cases) {
            Strip strip;
            EventLog log;
            log.onDragOver = [&, actsOn = actsOn](ControlId target, DragState state) {
                if (target != Strip::A || state != actsOn)
                    return;
                if (state == Leave)
                    strip.shown[Strip::B] = false;
                else
                    std::swap(strip.shown[Strip::A], strip.shown[Strip::C]);
            };
            DragTracker drag(strip, log);
            drag.begin(Strip::S, Points.at('s'));
            QChar last = 's';
            for (const QChar move : QString::fromLatin1(moves)) {
                if (move == '!')
                    drag.dropAt(Points.at(last)); // after which a move to A tells nothing
                else
                    last = move;
                drag.moveTo(Points.at(move == '!' ? 'A' : move));
            }
            QVERIFY2(log.text == QLatin1String(events), qPrintable(QString(name) + ": " + log.text));
        }
    }
};

QTEST_APPLESS_MAIN(DragTrackerTest)
#include "drag_tracker_test.moc"
