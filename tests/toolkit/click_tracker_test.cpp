#include "click_tracker.h"
#include "event_log.h"

#include <QTest>

using namespace pokaz::toolkit;

class ClickTrackerTest final : public QObject {
    Q_OBJECT

private slots:
    // Steps: "pA" press on A, "rA" release over A, "dA" second press of a
    // double-click on A; "-" stands for no control.
    void clicksComeOnTheReleaseOverThePressedControlAndADoubleClickClicksOnce_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("events");
        QTest::newRow("click") << "pA rA"
                               << "click:A";
        QTest::newRow("released elsewhere") << "pA rB pA r- rA"
                                            << "";
        QTest::newRow("double-click") << "pA rA dA rA"
                                      << "click:A dblclick:A";
        QTest::newRow("second press on what the first showed") << "pA rA dB rB"
                                                               << "click:A dblclick:B";
        QTest::newRow("double-click on nothing") << "d- r-"
                                                 << "";
    }

    void clicksComeOnTheReleaseOverThePressedControlAndADoubleClickClicksOnce()
    {
        QFETCH(QString, steps);
        EventLog log;
        ClickTracker clicks(log);
        for (const QString& step : steps.split(' ')) {
            const ControlId control = step[1] == '-' ? NoControl : ControlId(QString("sABC").indexOf(step[1]));
            if (step[0] == 'p')
                clicks.press(control);
            else if (step[0] == 'r')
                clicks.release(control);
            else
                clicks.doubleClick(control);
        }
        QTEST(log.text, "events");
    }
};

QTEST_APPLESS_MAIN(ClickTrackerTest)
#include "click_tracker_test.moc"
