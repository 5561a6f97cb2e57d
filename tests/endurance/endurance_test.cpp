// Many whole exercises in one process, restarted with "Još jednom...": every
// round must end where the first began, and memory must not grow with them.

#include "client_layout.h"
#include "window_driver.h"

#include "fonts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace pokaz;
using namespace pokaz::test;

namespace {

constexpr int DefaultExercises = 1000;
constexpr int SettledExercises = 10;
constexpr qint64 AllowedGrowthKiB = 1024;

// The backgrounds' start places in Frame_Posta, twips.
constexpr float ManLeft = 6210.0F;
constexpr float MailboxLeft = 135.0F;

// POKAZ_ENDURANCE_EXERCISES runs fewer, e.g. one under valgrind.
int exercises()
{
    bool given = false;
    const int value = qEnvironmentVariableIntValue("POKAZ_ENDURANCE_EXERCISES", &given);
    return given && value > 0 ? value : DefaultExercises;
}

// The peak resident set size of this process so far, in KiB, or -1.
qint64 peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression line(QStringLiteral("^VmHWM:\\s+(\\d+) kB$"), QRegularExpression::MultilineOption);
    const auto match = line.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

QRect placeOf(const WindowDriver& window, Control control)
{
    const QWidget* widget = window.form().control(control);
    return {widget->mapTo(&window.form(), QPoint(0, 0)), widget->size()};
}

} // namespace

class EnduranceTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        toolkit::registerFonts();
        WindowDriver::quietenOffscreenWarnings();
    }
    void manyExercisesEndWhereTheFirstBeganInTheSameMemory();
};

void EnduranceTest::manyExercisesEndWhereTheFirstBeganInTheSameMemory()
{
    const int rounds = exercises();
    WindowDriver window;
    const QRect manPlace = placeOf(window, Control::Pic_P_Pozadina);
    const QRect mailboxPlace = placeOf(window, Control::Pic_S_Pozadina);
    QCOMPARE(manPlace, clientRect(Control::Pic_P_Pozadina));
    QCOMPARE(mailboxPlace, clientRect(Control::Pic_S_Pozadina));

    QElapsedTimer clock;
    clock.start();
    qint64 settledPeak = -1;
    for (int round = 1; round <= rounds; ++round) {
        if (!window.runToClosingScene())
            QFAIL(qPrintable(QStringLiteral("exercise %1 did not reach the closing scene").arg(round)));
        QVERIFY(window.form().height() < FullClientSize.height());
        window.click(clientRect(Control::BTN_Ponovo).center());
        if (!window.shown(Control::Frame_Pismo) || window.exercise().WritingProgress() != -1)
            QFAIL(qPrintable(QStringLiteral("\"Još jednom...\" after exercise %1 did not start again").arg(round)));
        if (round == SettledExercises)
            settledPeak = peakMemoryKiB();
    }
    const qint64 finalPeak = peakMemoryKiB();
    qInfo("%d exercises in %lld ms; VmHWM %lld KiB after %d, %lld KiB after %d", rounds,
          static_cast<long long>(clock.elapsed()), static_cast<long long>(settledPeak), SettledExercises,
          static_cast<long long>(finalPeak), rounds);

    // Both backgrounds exactly back at their saved places, the window at
    // full height.
    QCOMPARE(window.form().Left(Control::Pic_P_Pozadina), ManLeft);
    QCOMPARE(window.form().Left(Control::Pic_S_Pozadina), MailboxLeft);
    QCOMPARE(window.exercise().PPozadinaHome(), ManLeft);
    QCOMPARE(window.exercise().SPozadinaHome(), static_cast<std::int16_t>(MailboxLeft));
    QCOMPARE(placeOf(window, Control::Pic_P_Pozadina), manPlace);
    QCOMPARE(placeOf(window, Control::Pic_S_Pozadina), mailboxPlace);
    QCOMPARE(window.form().size(), FullClientSize);

#ifdef POKAZ_SANITIZED
    // AddressSanitizer keeps freed memory in quarantine, so the peak grows
    // with every allocation; the comparison means something only without it.
    qInfo("peak memory not compared in the sanitizer build");
    return;
#endif
    if (rounds > SettledExercises) {
        QVERIFY(settledPeak > 0 && finalPeak > 0);
        QVERIFY2(finalPeak - settledPeak <= AllowedGrowthKiB,
                 qPrintable(QStringLiteral("peak memory grew by %1 KiB").arg(finalPeak - settledPeak)));
    }
}

QTEST_MAIN(EnduranceTest)
#include "endurance_test.moc"
