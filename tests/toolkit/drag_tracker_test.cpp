#include "drag_tracker.h"
#include "event_recorder.h"

#include <QRect>
#include <QTest>
#include <QWidget>

#include <vector>

using namespace pokaz::toolkit;
using Kind = RecordedEvent::Kind;
using Overs = std::vector<std::pair<QWidget*, DragState>>;

namespace {

// Controls as rectangles, the topmost first, each shown or hidden.
class FakeLocator final : public ControlLocator {
public:
    struct Place {
        QWidget* control;
        QRect rect;
        bool shown;
    };
    std::vector<Place> places;

    QWidget* controlAt(QPoint pos) const override
    {
        for (const Place& place : places) {
            if (place.shown && place.rect.contains(pos))
                return place.control;
        }
        return nullptr;
    }
    bool isShown(const QWidget* control) const override { return find(control).shown; }

    void setShown(const QWidget* control, bool shown) { find(control).shown = shown; }

private:
    Place& find(const QWidget* control) const
    {
        for (const Place& place : places) {
            if (place.control == control)
                return const_cast<Place&>(place);
        }
        qFatal("unknown control");
    }
};

} // namespace

class DragTrackerTest final : public QObject {
    Q_OBJECT

    // Left to right: the source, then the sheets A and B side by side, and C
    // hidden beneath A.
    QWidget source, sheetA, sheetB, sheetC;
    FakeLocator locator;
    EventRecorder recorder;

    static constexpr QPoint OnSource{5, 5};
    static constexpr QPoint InA{25, 5};
    static constexpr QPoint AlsoInA{27, 6};
    static constexpr QPoint InB{45, 5};
    static constexpr QPoint Nowhere{100, 100};

private slots:
    void init()
    {
        locator.places = {
            {&source, QRect(0, 0, 20, 20), true},
            {&sheetA, QRect(20, 0, 20, 20), true},
            {&sheetC, QRect(20, 0, 20, 20), false},
            {&sheetB, QRect(40, 0, 20, 20), true},
        };
        recorder.events.clear();
        recorder.onEvent = nullptr;
    }

    void thePressDeliversNothingAndTheFirstMoveEntersWhatLiesUnderThePointer()
    {
        DragTracker drag(locator, recorder);
        drag.begin(&source, OnSource);
        QVERIFY(recorder.events.empty());
        QVERIFY(drag.isDragging());

        drag.moveTo(OnSource + QPoint(1, 0));
        QCOMPARE(recorder.dragOvers(), (Overs{{&source, DragState::Enter}}));
        QCOMPARE(recorder.events.front().source, &source);
    }

    void eachMoveWithinAControlDeliversExactlyOneOver()
    {
        DragTracker drag(locator, recorder);
        drag.begin(&source, OnSource);
        drag.moveTo(InA);
        drag.moveTo(AlsoInA);
        drag.moveTo(InA);
        QCOMPARE(recorder.dragOvers(), (Overs{{&sheetA, DragState::Enter},
                                              {&sheetA, DragState::Over},
                                              {&sheetA, DragState::Over}}));
    }

    void aMoveThatKeepsThePositionDeliversNothing()
    {
        DragTracker drag(locator, recorder);
        drag.begin(&source, InA);
        drag.moveTo(InA);
        QVERIFY(recorder.events.empty());
        drag.moveTo(AlsoInA);
        drag.moveTo(AlsoInA);
        QCOMPARE(recorder.dragOvers(), (Overs{{&sheetA, DragState::Enter}}));
    }

    void passingFromOneControlToTheNextLeavesTheFirstBeforeEnteringTheSecond()
    {
        DragTracker drag(locator, recorder);
        drag.begin(&source, OnSource);
        drag.moveTo(InA);
        drag.moveTo(InB);
        QCOMPARE(recorder.dragOvers(), (Overs{{&sheetA, DragState::Enter},
                                              {&sheetA, DragState::Leave},
                                              {&sheetB, DragState::Enter}}));
        QCOMPARE(recorder.events.at(1).windowPos, InB);
    }

    void movingOffEveryControlLeavesTheLastOneOnly()
    {
        DragTracker drag(locator, recorder);
        drag.begin(&source, OnSource);
        drag.moveTo(InA);
        drag.moveTo(Nowhere);
        drag.moveTo(Nowhere + QPoint(1, 1));
        QCOMPARE(recorder.dragOvers(), (Overs{{&sheetA, DragState::Enter}, {&sheetA, DragState::Leave}}));
    }

    void aControlHiddenUnderThePointerGetsNoLeaveAndWhatLiesThereNowIsEntered()
    {
        DragTracker drag(locator, recorder);
        // The second event to A swaps it for C, as a paper stage change does.
        int overs = 0;
        recorder.onEvent = [&](const RecordedEvent& event) {
            if (event.target == &sheetA && ++overs == 2) {
                locator.setShown(&sheetA, false);
                locator.setShown(&sheetC, true);
            }
        };
        drag.begin(&source, OnSource);
        drag.moveTo(InA);
        drag.moveTo(AlsoInA);
        drag.moveTo(InA);
        drag.moveTo(InB);
        QCOMPARE(recorder.dragOvers(), (Overs{{&sheetA, DragState::Enter},
                                              {&sheetA, DragState::Over},
                                              {&sheetC, DragState::Enter},
                                              {&sheetC, DragState::Leave},
                                              {&sheetB, DragState::Enter}}));
    }

    void whatIsShownUnderThePointerHearsLeaveWhenTheNextMoveTakesThePointerOff()
    {
        DragTracker drag(locator, recorder);
        // Entering A swaps it for C, as entering the closed slot opens it.
        recorder.onEvent = [&](const RecordedEvent& event) {
            if (event.target == &sheetA && event.state == DragState::Enter) {
                locator.setShown(&sheetA, false);
                locator.setShown(&sheetC, true);
            }
        };
        drag.begin(&source, OnSource);
        drag.moveTo(InA);
        drag.moveTo(InB);
        drag.moveTo(Nowhere);
        QCOMPARE(recorder.dragOvers(), (Overs{{&sheetA, DragState::Enter},
                                              {&sheetC, DragState::Leave},
                                              {&sheetB, DragState::Enter},
                                              {&sheetB, DragState::Leave}}));
    }

    void aLeaveThatChangesTheSceneEntersWhatLiesUnderThePointerAfterIt()
    {
        DragTracker drag(locator, recorder);
        // Leaving A hides B, so the pointer that moved onto B is over nothing.
        recorder.onEvent = [&](const RecordedEvent& event) {
            if (event.target == &sheetA && event.state == DragState::Leave)
                locator.setShown(&sheetB, false);
        };
        drag.begin(&source, OnSource);
        drag.moveTo(InA);
        drag.moveTo(InB);
        QCOMPARE(recorder.dragOvers(), (Overs{{&sheetA, DragState::Enter}, {&sheetA, DragState::Leave}}));
    }

    void theReleaseDropsOnTheControlUnderThePointerWithoutAnotherDragOver()
    {
        DragTracker drag(locator, recorder);
        drag.begin(&source, OnSource);
        drag.moveTo(InA);
        drag.dropAt(InB);
        QCOMPARE(recorder.events.size(), std::size_t{2});
        QCOMPARE(recorder.events.back(), (RecordedEvent{Kind::DragDrop, &sheetB, &source, InB}));
        QVERIFY(!drag.isDragging());

        drag.moveTo(InA);
        QCOMPARE(recorder.events.size(), std::size_t{2});
    }

    void aReleaseOverNoControlDropsNothing()
    {
        DragTracker drag(locator, recorder);
        drag.begin(&source, OnSource);
        drag.moveTo(InA);
        drag.moveTo(Nowhere);
        drag.dropAt(Nowhere);
        QCOMPARE(recorder.events.size(), std::size_t{2});
        QVERIFY(!drag.isDragging());
    }
};

QTEST_MAIN(DragTrackerTest)
#include "drag_tracker_test.moc"
