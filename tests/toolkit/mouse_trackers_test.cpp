// The mouse model's trackers against a log of the control events they tell:
// clicks and double-clicks from presses and releases, and an in-process drag
// from its moves and its release.

#include "click_tracker.h"
#include "drag_tracker.h"

#include <QTest>

#include <functional>
#include <map>
#include <tuple>

using namespace pokaz::toolkit;
using pokaz::DragState;

namespace {

// Controls 0 to 3 are called s, A, B and C.
QString nameOf(ControlId control) { return QString("sABC").at(control); }

// The control events as one line of text: "click:A", "dblclick:A", "A0"
// (DragOver with its state), "drop:B<-s".
class EventLog final : public ControlEvents {
public:
    QString text;
    std::function<void(ControlId target, DragState state)> onDragOver = [](ControlId, DragState) {};

    void click(ControlId c) override { add("click:" + nameOf(c)); }
    void doubleClick(ControlId c) override { add("dblclick:" + nameOf(c)); }
    void dragOver(ControlId target, ControlId, QPoint, DragState state) override
    {
        add(nameOf(target) + QString::number(static_cast<int>(state)));
        onDragOver(target, state);
    }
    void dragDrop(ControlId target, ControlId source, QPoint) override
    {
        add("drop:" + nameOf(target) + "<-" + nameOf(source));
    }

private:
    void add(const QString& entry) { text += (text.isEmpty() ? "" : " ") + entry; }
};

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

// What a handler does meanwhile: hides A and shows C under it on the second
// event to A (as a paper stage changes) or when A is entered (as the slot
// opens), or hides B when A is left.
enum class Handler { None, SwapOnSecondA, SwapOnEnterA, HideBOnLeaveA };

// Each case's name, handler, moves (one per letter after the press on s; "!"
// drops there) and the events told ("A0": DragOver to A with state 0, Enter).
constexpr std::tuple<const char*, Handler, const char*, const char*> Cases[] = {
    {"the press tells nothing", Handler::None, "s", ""},
    {"first move enters the source", Handler::None, "t", "s0"},
    {"one Over per move", Handler::None, "AaA", "A0 A2 A2"},
    {"a move in place tells nothing", Handler::None, "AAaa", "A0 A2"},
    {"leave before enter", Handler::None, "AB", "A0 A1 B0"},
    {"off every control", Handler::None, "A..", "A0 A1"},
    {"hidden under the pointer: no Leave", Handler::SwapOnSecondA, "AaAB", "A0 A2 C0 C1 B0"},
    {"shown under the pointer hears Leave", Handler::SwapOnEnterA, "AB.", "A0 C1 B0 B1"},
    {"a Leave that hides the next", Handler::HideBOnLeaveA, "AB", "A0 A1"},
    {"drop where the pointer is", Handler::None, "AB!", "A0 A1 B0 drop:B<-s"},
    {"drop on the source", Handler::None, "s!", "drop:s<-s"},
    {"drop on nothing", Handler::None, "A.!", "A0 A1"},
};

} // namespace

class MouseTrackersTest final : public QObject {
    Q_OBJECT

private slots:
    // Steps: "pA" press on A, "rA" release over A, "dA" second press of a
    // double-click on A; "-" stands for no control.
    void clicksComeOnTheReleaseOverThePressedControlAndADoubleClickClicksOnce()
    {
        const std::pair<const char*, const char*> cases[] = {
            {"pA rA", "click:A"},
            {"pA rB pA r- rA", ""},
            {"pA rA dA rA", "click:A dblclick:A"},
            {"pA rA dB rB", "click:A dblclick:B"}, // the second press on what the first showed
            {"d- r-", ""},
        };
        const std::map<QChar, void (ClickTracker::*)(ControlId)> actions{
            {'p', &ClickTracker::press}, {'r', &ClickTracker::release}, {'d', &ClickTracker::doubleClick}};
        for (const auto& [steps, events] : cases) {
            EventLog log;
            ClickTracker clicks(log);
            for (const QString& step : QString::fromLatin1(steps).split(' ')) {
                const ControlId control = step[1] == '-' ? NoControl : ControlId(QString("sABC").indexOf(step[1]));
                (clicks.*actions.at(step[0]))(control);
            }
            QVERIFY2(log.text == QLatin1String(events), steps);
        }
    }

    void eachMoveTellsTheControlsUnderThePointerOnceAndTheReleaseDrops()
    {
        for (const auto& [name, handler, moves, events] : Cases) {
            Strip strip;
            EventLog log;
            int eventsToA = 0;
            log.onDragOver = [&, handler = handler](ControlId target, DragState state) {
                eventsToA += target == Strip::A ? 1 : 0;
                const bool swap = (handler == Handler::SwapOnSecondA && eventsToA == 2)
                    || (handler == Handler::SwapOnEnterA && state == DragState::Enter);
                if (target == Strip::A && swap)
                    std::swap(strip.shown[Strip::A], strip.shown[Strip::C]);
                if (target == Strip::A && handler == Handler::HideBOnLeaveA && state == DragState::Leave)
                    strip.shown[Strip::B] = false;
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

QTEST_APPLESS_MAIN(MouseTrackersTest)
#include "mouse_trackers_test.moc"
