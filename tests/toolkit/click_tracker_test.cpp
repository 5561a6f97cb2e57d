#include "click_tracker.h"
#include "event_log.h"

#include <QTest>

#include <map>

using namespace pokaz::toolkit;

class ClickTrackerTest final : public QObject {
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
};

QTEST_APPLESS_MAIN(ClickTrackerTest)
#include "click_tracker_test.moc"
