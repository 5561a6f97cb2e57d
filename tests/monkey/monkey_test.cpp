// A seeded random stream of mouse actions on the real window; after every one
// of them the exercise must still be in a state it can be in.

#include "monkey_action.h"
#include "monkey_run.h"
#include "window_driver.h"

#include "fonts.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

using namespace pokaz::test;

namespace {

constexpr int DefaultMouseActions = 100'000;

// POKAZ_MONKEY_SEED replays a stream; without it every run tries a new one.
quint32 seed()
{
    bool given = false;
    const quint32 value = qEnvironmentVariable("POKAZ_MONKEY_SEED").toUInt(&given, 0);
    return given ? value : QRandomGenerator::global()->generate();
}

int mouseActions()
{
    bool given = false;
    const int value = qEnvironmentVariableIntValue("POKAZ_MONKEY_ACTIONS", &given);
    return given && value > 0 ? value : DefaultMouseActions;
}

} // namespace

class MonkeyTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        pokaz::toolkit::registerFonts();
        WindowDriver::quietenOffscreenWarnings();
    }
    void randomMouseActionsKeepEveryInvariant();
};

void MonkeyTest::randomMouseActionsKeepEveryInvariant()
{
    const quint32 streamSeed = seed();
    const std::vector<MonkeyAction> actions = randomActions(streamSeed, mouseActions());
    qInfo("seed %u (set POKAZ_MONKEY_SEED=%u to replay), %zu actions", streamSeed, streamSeed, actions.size());

    QElapsedTimer clock;
    clock.start();
    MonkeyRun run;
    const auto failure = run.play(actions);
    qInfo("%lld ms, %d restarts, %d presses of \"Kraj\" left out", static_cast<long long>(clock.elapsed()),
          run.restarts(), run.skipped());
    if (!failure)
        return;

    qWarning("action %zu broke an invariant: %s", failure->action, qPrintable(failure->message));
    const std::vector<MonkeyAction> shortest = run.shrink(actions);
    const auto shortestFailure = run.play(shortest);
    qWarning("shortest failing stream found (%zu actions, from a fresh window), seed %u:", shortest.size(), streamSeed);
    for (const MonkeyAction& action : shortest)
        qWarning("  %s", qPrintable(action.describe()));
    if (shortestFailure)
        qWarning("  -> %s", qPrintable(shortestFailure->message));
    QFAIL(qPrintable(failure->message));
}

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
