#include "click_tracker.h"
#include "event_log.h"

#include <QTest>

#include <map>
#include <tuple>

using namespace pokaz::toolkit;

class ClickTrackerTest final : public QObject {
    Q_OBJECT

private slots:
    // Steps: "pA" press on A, "rA" release over A, "dA" the toolkit's second
    // press of a double-click on A, "c2" the platform's count of the click
    // just released; "-" stands for no control.
    void clicksComeOnTheReleaseOverThePressedControlAndADoubleClickClicksOnce()
    {
        using enum DoubleClicks;
        const std::tuple<DoubleClicks, const char*, const char*> cases[] = {
            {ToolkitEvent, "pA rB pA r- rA", ""},
            {ToolkitEvent, "pA rA dA rA d- r-", "click:A dblclick:A"},
            {ToolkitEvent, "pA rA dB rB", "click:A dblclick:B"}, // the second press on what the first showed
            // The count judges, whatever the toolkit's own timer says.
            {PlatformCount, "pA rA c1 dA rA c1 pA rA c2", "click:A click:A dblclick:A"},
            {PlatformCount, "pA rB c1 pB rA c2 pA rA c3 p- r- c4", "dblclick:B click:A"},
        };
        const std::map<QChar, void (ClickTracker::*)(int)> actions{{'p', &ClickTracker::press},
            {'r', &ClickTracker::release}, {'d', &ClickTracker::doubleClick}, {'c', &ClickTracker::counted}};
        for (const auto& [judge, steps, events] : cases) {
            EventLog log;
            ClickTracker clicks(log, judge);
            for (const QString& step : QString::fromLatin1(steps).split(' '))
                (clicks.*actions.at(step[0]))(step[0] == 'c' ? step[1].digitValue() : QString("sABC").indexOf(step[1]));
            QVERIFY2(log.text == QLatin1String(events), steps);
        }
    }
};

QTEST_APPLESS_MAIN(ClickTrackerTest)
#include "click_tracker_test.moc"
