// A seeded random stream of mouse actions on the real window, the exercise's
// invariants checked after every event; and many whole exercises in a row.

#include "asset_catalog.h"
#include "client_layout.h"
#include "label.h"
#include "learner.h"
#include "window_driver.h"

#include <QRandomGenerator>
#include <QTest>

using namespace pokaz;
using namespace pokaz::test;
using enum Control;

namespace {

int setting(const char* name, int fallback) { return qEnvironmentVariable(name, QString::number(fallback)).toInt(); }

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
    const QString tok = window.form().controls().widget(Tok)->property("text").toString();
    if (progress == 0 || paper != (progress < 0 ? QString() : QString::number(percent / 25))
        || tok != (percent == 0 ? QStringLiteral("0%") : QStringLiteral(" %1%").arg(percent)))
        return QStringLiteral("WritingProgress %1, paper \"%2\", Tok \"%3\"").arg(progress).arg(paper, tok);
    if ((window.shown(Pic_S_Z) && window.shown(Pic_S_O)) || window.shown(Frame_Pismo) == window.shown(Frame_Posta))
        return QStringLiteral("both slots or both scenes shown, or neither scene");
    return window.form().isVisible() ? QString() : QStringLiteral("the window closed");
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

// A learner's hand on the window, with WindowDriver's moves: every point
// kept inside it, a click or a drag that begins on "Kraj" left out (it would
// end the program), the invariants checked after each event until one
// breaks. Counts the mouse events and the restarts.
struct Hand {
    WindowDriver& window;
    const QStringList start = state(window);
    QString broken{};
    int events = 0, restarts = 0;

    void click(QPoint at, bool twice = false)
    {
        if (!onKraj(at))
            act(twice ? &WindowDriver::doubleClick : &WindowDriver::click, at, twice ? 4 : 2);
    }
    void doubleClick(QPoint at) { click(at, true); }
    void press(QPoint at) { act(&WindowDriver::press, at, 1); }
    void move(QPoint to) { act(&WindowDriver::move, to, 1); }
    void release(QPoint at) { act(&WindowDriver::release, at, 1); }
    void drag(QPoint from, const QList<QPoint>& path)
    {
        if (onKraj(from))
            return;
        press(from);
        for (const QPoint to : path)
            move(to);
        release(path.back());
    }
    bool onKraj(QPoint at) const { return window.shown(BTN_Kraj) && clientRect(BTN_Kraj).contains(inside(at)); }
    QPoint inside(QPoint p) const
    {
        return {std::clamp(p.x(), 0, window.form().width() - 1), std::clamp(p.y(), 0, window.form().height() - 1)};
    }
    void act(void (WindowDriver::*action)(QPoint), QPoint at, int newEvents)
    {
        const bool closing = window.shown(BTN_Ponovo);
        (window.*action)(inside(at));
        events += newEvents;
        if (broken.isEmpty() && !(broken = brokenInvariant(window)).isEmpty())
            broken.prepend(QStringLiteral("event %1: ").arg(events));
        if (closing && !window.shown(BTN_Ponovo)) {
            ++restarts;
            if (broken.isEmpty() && state(window) != start)
                broken = QStringLiteral("the restart did not bring back the start state");
        }
    }
};

// Clicks near the places where something happens, drags mostly from the
// pencils over the paper and from the envelope over the slot.
void playRandomly(Hand& hand, quint32 seed, int mouseEvents)
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
    while (hand.events < mouseEvents && hand.broken.isEmpty()) {
        const int roll = random.bounded(100);
        if (roll < 60) {
            hand.click(anywhere(), roll >= 45);
            continue;
        }
        const bool pencils = random.bounded(100) < 60;
        const QPoint from = within(clientRect(pencils ? Pic_Olovke : Pic_Pismo));
        QList<QPoint> path;
        for (int n = random.bounded(1, 60); n > 0; --n)
            path << (random.bounded(100) < 70 ? within(clientRect(pencils ? Pic_Papir_1 : Pic_S_O)) : anywhere());
        hand.drag(from, path);
    }
}

} // namespace

class MonkeyTest final : public QObject {
    Q_OBJECT

private slots:
    // POKAZ_MONKEY_SEED replays a stream.
    void randomMouseActionsKeepEveryInvariant()
    {
        const auto seed = quint32(setting("POKAZ_MONKEY_SEED", QRandomGenerator::global()->bounded(1 << 30)));
        WindowDriver window;
        Hand hand{window};
        playRandomly(hand, seed, setting("POKAZ_MONKEY_EVENTS", 100000));
        qInfo("seed %u, %d mouse events, %d restarts", seed, hand.events, hand.restarts);
        QVERIFY2(hand.broken.isEmpty(), qPrintable(QStringLiteral("seed %1, ").arg(seed) + hand.broken));
    }

    // Every restart back at the start state (memcheck runs it too; the
    // benchmark gives the memory over many).
    void manyExercisesEndWhereTheFirstBegan()
    {
        const int exercises = setting("POKAZ_EXERCISES", 1000);
        WindowDriver window;
        Hand hand{window};
        for (int round = 1; round <= exercises; ++round) {
            play(hand, Stage::Restarted);
            QVERIFY2(hand.broken.isEmpty() && hand.restarts == round,
                qPrintable(QStringLiteral("exercise %1 ").arg(round) + hand.broken));
        }
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
