#include "click_tracker.h"
#include "event_recorder.h"

#include <QTest>
#include <QWidget>

using namespace pokaz::toolkit;
using Kind = RecordedEvent::Kind;
using Events = std::vector<RecordedEvent>;

class ClickTrackerTest final : public QObject {
    Q_OBJECT

    QWidget closedDrawer, openDrawer;
    EventRecorder recorder;

private slots:
    void init() { recorder.events.clear(); }

    void pressAndReleaseOverTheSameControlClickItOnceOnTheRelease()
    {
        ClickTracker clicks(recorder);
        clicks.press(&closedDrawer);
        QVERIFY(recorder.events.empty());
        clicks.release(&closedDrawer);
        QCOMPARE(recorder.events, (Events{{Kind::Click, &closedDrawer}}));
    }

    void aReleaseOverAnotherControlOrNoneClicksNothing()
    {
        ClickTracker clicks(recorder);
        clicks.press(&closedDrawer);
        clicks.release(&openDrawer);
        clicks.press(&closedDrawer);
        clicks.release(nullptr);
        clicks.release(&closedDrawer);
        QVERIFY(recorder.events.empty());
    }

    void aDoubleClickGivesClickThenDblClickAndNeverASecondClick()
    {
        ClickTracker clicks(recorder);
        clicks.press(&closedDrawer);
        clicks.release(&closedDrawer);
        clicks.doubleClick(&closedDrawer);
        clicks.release(&closedDrawer);
        QCOMPARE(recorder.events, (Events{{Kind::Click, &closedDrawer}, {Kind::DblClick, &closedDrawer}}));
    }

    void theSecondPressOfADoubleClickGoesToTheControlNowUnderThePointer()
    {
        // The first click opened the drawer: its open picture now lies there.
        ClickTracker clicks(recorder);
        clicks.press(&closedDrawer);
        clicks.release(&closedDrawer);
        clicks.doubleClick(&openDrawer);
        clicks.release(&openDrawer);
        QCOMPARE(recorder.events, (Events{{Kind::Click, &closedDrawer}, {Kind::DblClick, &openDrawer}}));
    }

    void aDoubleClickOverNoControlDeliversNothing()
    {
        ClickTracker clicks(recorder);
        clicks.doubleClick(nullptr);
        clicks.release(nullptr);
        QVERIFY(recorder.events.empty());
    }
};

QTEST_MAIN(ClickTrackerTest)
#include "click_tracker_test.moc"
