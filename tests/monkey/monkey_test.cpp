// A seeded random stream of mouse actions on the real window, the exercise's
// invariants checked after every event; and many whole exercises in a row.

#include "asset_catalog.h"
#include "client_layout.h"
#include "label.h"
#include "window_driver.h"

#include <QRandomGenerator>
#include <QTest>

#include <sys/resource.h>

using namespace pokaz;
using namespace pokaz::test;
using enum Control;

namespace {

struct Action {
    enum class Kind { Click, DoubleClick, Drag } kind;
    QPoint at;
    QList<QPoint> path; // a drag's moves
};

int setting(const char* name, const QString& fallback) { return qEnvironmentVariable(name, fallback).toInt(); }

// Clicks near the places where something happens, drags mostly from the
// pencils over the paper and from the envelope over the slot.
std::vector<Action> randomActions(quint32 seed, int mouseEvents)
{
    QRandomGenerator random(seed);
    const QPoint places[] = {closedDrawerPoint(1), closedDrawerPoint(3), closedDrawerPoint(4), closedDrawerPoint(5),
        openDrawerPoint(2), openDrawerPoint(3), openDrawerPoint(4), PaperPoint, PencilsPoint, EnvelopePoint, SlotPoint,
        BesideSlotPoint, clientRect(BTN_Ponovo).center()};
    const auto within
        = [&](QRect r) { return r.topLeft() + QPoint(random.bounded(r.width()), random.bounded(r.height())); };
    const auto anywhere = [&] {
        if (random.bounded(100) < 40)
            return within(QRect(QPoint(0, 0), FullClientSize));
        return places[random.bounded(int(std::size(places)))] + QPoint(random.bounded(-4, 5), random.bounded(-4, 5));
    };
    std::vector<Action> actions;
    for (int events = 0; events < mouseEvents;) {
        const int roll = random.bounded(100);
        Action action{roll < 45 ? Action::Kind::Click
                : roll < 60     ? Action::Kind::DoubleClick
                                : Action::Kind::Drag,
            anywhere(), {}};
        if (action.kind == Action::Kind::Drag) {
            const bool pencils = random.bounded(100) < 60;
            action.at = within(clientRect(pencils ? Pic_Olovke : Pic_Pismo));
            const QRect aim = clientRect(pencils ? Pic_Papir_1 : Pic_S_O);
            for (int n = random.bounded(1, 60); n > 0; --n)
                action.path << (random.bounded(100) < 70 ? within(aim) : anywhere());
        }
        events += action.kind == Action::Kind::Drag ? int(action.path.size()) + 2 : 2;
        actions.push_back(action);
    }
    return actions;
}

QString brokenInvariant(const WindowDriver& window)
{
    const int open = window.exercise().OpenDrawer();
    for (int k = 1; k <= 5; ++k) {
        if (window.shown(closedDrawer(k)) == window.shown(openDrawer(k)) || window.shown(openDrawer(k)) != (k == open))
            return QStringLiteral("drawer %1 with OpenDrawer %2").arg(k).arg(open);
    }
    // The paper shows the stage of the percentage in Tok while it is out of its drawer.
    const int progress = window.exercise().WritingProgress();
    const int percent = std::min(std::abs(progress), 101) - 1;
    QString paper;
    for (int i = 0; i < Pic_Papir_Count; ++i)
        paper += window.shown(Pic_Papir(i)) ? QString::number(i) : QString();
    const QString tok = qobject_cast<const QLabel*>(window.form().controls().widget(Tok))->text();
    if (progress == 0 || paper != (progress < 0 ? QString() : QString::number(percent / 25))
        || tok != (percent == 0 ? QStringLiteral("0%") : QStringLiteral(" %1%").arg(percent)))
        return QStringLiteral("WritingProgress %1, paper \"%2\", Tok \"%3\"").arg(progress).arg(paper, tok);
    if (window.shown(Pic_S_Z) && window.shown(Pic_S_O))
        return QStringLiteral("both slots shown");
    if (!window.form().isVisible() || window.shown(Frame_Pismo) == window.shown(Frame_Posta))
        return QStringLiteral("scenes");
    return {};
}

// Everything a restart must put back.
QStringList state(const WindowDriver& window)
{
    QStringList lines{
        QStringLiteral("%1 %2").arg(window.exercise().OpenDrawer()).arg(window.exercise().WritingProgress())};
    for (int i = 0; i < ControlCount; ++i) {
        const QWidget* widget = window.form().controls().widget(static_cast<Control>(i));
        lines << QStringLiteral("%1 %2 %3,%4").arg(i).arg(widget->isHidden()).arg(widget->x()).arg(widget->y());
        if (const auto* label = qobject_cast<const toolkit::Label*>(widget))
            lines.back() += label->text() + QString::number(label->backColor()) + QString::number(label->foreColor())
                + QString::number(label->font().italic());
    }
    return lines;
}

// One whole exercise as a learner does it, from the start state to the
// restart: drawers 3 and 4, the letter written past its end, the envelope posted.
std::vector<Action> wholeExercise()
{
    QList<QPoint> writing;
    for (int n = 0; n < 110; ++n)
        writing << PaperPoint + QPoint(n % 2, 0);
    return {{Action::Kind::Click, closedDrawerPoint(3), {}}, {Action::Kind::Click, openDrawerPoint(3), {}},
        {Action::Kind::Click, closedDrawerPoint(4), {}}, {Action::Kind::Click, openDrawerPoint(4), {}},
        {Action::Kind::Drag, PencilsPoint, writing}, {Action::Kind::DoubleClick, PaperPoint, {}},
        {Action::Kind::Drag, EnvelopePoint, {BetweenBackgroundsPoint, SlotPoint, SlotPoint + QPoint(1, 1)}},
        {Action::Kind::Click, clientRect(BTN_Ponovo).center(), {}}};
}

// Plays the actions until one breaks an invariant; returns which and how, or
// nothing. Counts the restarts it sees.
QString play(WindowDriver& window, const std::vector<Action>& actions, int& restarts)
{
    const QStringList start = state(window);
    const auto inside = [&](QPoint p) {
        return QPoint(
            std::clamp(p.x(), 0, window.form().width() - 1), std::clamp(p.y(), 0, window.form().height() - 1));
    };
    for (std::size_t index = 0; index < actions.size(); ++index) {
        const Action& action = actions[index];
        const QPoint at = inside(action.at);
        // "Kraj" would end the program.
        if (window.shown(BTN_Kraj) && clientRect(BTN_Kraj).contains(at))
            continue;
        const bool closing = window.shown(BTN_Ponovo);
        QString broken;
        if (action.kind == Action::Kind::Click) {
            window.click(at);
        } else if (action.kind == Action::Kind::DoubleClick) {
            window.doubleClick(at);
        } else {
            window.press(at);
            for (auto point = action.path.begin(); point != action.path.end() && broken.isEmpty(); ++point) {
                window.move(inside(*point));
                broken = brokenInvariant(window);
            }
            window.release(inside(action.path.back()));
        }
        if (broken.isEmpty())
            broken = brokenInvariant(window);
        if (closing && !window.shown(BTN_Ponovo)) {
            ++restarts;
            if (broken.isEmpty() && state(window) != start)
                broken = QStringLiteral("the restart did not bring back the start state");
        }
        if (!broken.isEmpty())
            return QStringLiteral("action %1: %2").arg(index).arg(broken);
    }
    return {};
}

// The process's peak resident memory so far (VmHWM).
long peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class MonkeyTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        registerFonts();
        WindowDriver::quietenOffscreenWarnings();
    }

    // POKAZ_MONKEY_SEED replays a stream.
    void randomMouseActionsKeepEveryInvariant()
    {
        const auto seed
            = quint32(setting("POKAZ_MONKEY_SEED", QString::number(QRandomGenerator::global()->bounded(1 << 30))));
        const std::vector<Action> actions = randomActions(seed, setting("POKAZ_MONKEY_EVENTS", "100000"));
        qInfo("seed %u, %zu actions", seed, actions.size());
        WindowDriver window;
        int restarts = 0;
        const QString failure = play(window, actions, restarts);
        QVERIFY2(failure.isEmpty(), qPrintable(QStringLiteral("seed %1, ").arg(seed) + failure));
    }

    // Every restart back at the start state, and no growth of memory.
    void manyExercisesEndWhereTheFirstBeganInTheSameMemory()
    {
        const int exercises = setting("POKAZ_EXERCISES", "1000");
        WindowDriver window;
        long settledPeak = 0;
        for (int round = 1; round <= exercises; ++round) {
            int restarts = 0;
            const QString failure = play(window, wholeExercise(), restarts);
            QVERIFY2(
                failure.isEmpty() && restarts == 1, qPrintable(QStringLiteral("exercise %1 ").arg(round) + failure));
            settledPeak = round == 10 ? peakMemoryKiB() : settledPeak;
        }
        qInfo("VmHWM %ld KiB after 10 exercises, %ld KiB after %d", settledPeak, peakMemoryKiB(), exercises);
#ifndef POKAZ_SANITIZED // AddressSanitizer's quarantine keeps freed memory
        if (exercises > 10)
            QVERIFY2(peakMemoryKiB() - settledPeak <= 1024, "peak memory grew by more than 1 MiB");
#endif
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
