// Per-action cost on the real window: the time from a mouse event until the
// window has repainted what it changed. Prints one line per action with the
// median and the 90th percentile in microseconds; then the peak resident
// memory after a few whole exercises in one window and after many.

#include "form_pokaz.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using pokaz::Control;

namespace {

constexpr int Exercises = 20; // whole exercises, each in a fresh window
constexpr int SettledExercises = 10; // after these the peak memory should stay where it is
constexpr int ManyExercises = 1000;
constexpr int DrawerRounds = 10; // open and close pairs per drawer and exercise

class Samples {
public:
    void add(qint64 nanoseconds) { values_.push_back(nanoseconds); }

    void print(const char* action) const
    {
        std::vector<qint64> sorted = values_;
        std::sort(sorted.begin(), sorted.end());
        const auto at = [&](double share) {
            const auto index = static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1));
            return static_cast<double>(sorted[index]) / 1000.0;
        };
        std::printf("%-36s %10.1f %10.1f %8zu\n", action, at(0.5), at(0.9), sorted.size());
    }

private:
    std::vector<qint64> values_;
};

struct Figures {
    Samples drawerClick;
    Samples dragEvent;
    Samples stageChange;
    Samples slide;
};

// A shown window and the mouse, as the learner has them.
class Session {
public:
    Session()
        : form_(std::make_unique<pokaz::Form_Pokaz>())
    {
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get()))
            qFatal("the window was not shown");
    }

    int writingProgress() const { return form_->controls().exercise().WritingProgress(); }

    QPoint centreOf(Control control) const
    {
        const QWidget* widget = form_->controls().widget(control);
        return widget->mapTo(form_.get(), widget->rect().center());
    }

    // Runs one mouse action and waits until its repaint is done.
    template <typename Action> qint64 timed(Action action)
    {
        QElapsedTimer timer;
        timer.start();
        action();
        QCoreApplication::processEvents();
        return timer.nsecsElapsed();
    }

    void click(Control control) { QTest::mouseClick(form_.get(), Qt::LeftButton, {}, centreOf(control)); }
    void doubleClick(Control control) { QTest::mouseDClick(form_.get(), Qt::LeftButton, {}, centreOf(control)); }
    void push(Control button) { QTest::mouseClick(form_->controls().widget(button), Qt::LeftButton); }
    void press(QPoint pos) { QTest::mousePress(form_.get(), Qt::LeftButton, {}, pos); }
    void move(QPoint pos) { QTest::mouseMove(form_.get(), pos); }
    void release(QPoint pos) { QTest::mouseRelease(form_.get(), Qt::LeftButton, {}, pos); }

private:
    std::unique_ptr<pokaz::Form_Pokaz> form_;
};

// The process's peak resident memory so far, in KiB.
long peakMemoryKiB()
{
    rusage usage{};
    return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : 0;
}

void runExercise(Session& session, Figures& figures)
{
    for (int round = 0; round < DrawerRounds; ++round) {
        figures.drawerClick.add(session.timed([&] { session.click(Control::Pic_L1_Z); }));
        figures.drawerClick.add(session.timed([&] { session.click(Control::Pic_L1_O); }));
    }
    session.click(Control::Pic_L3_Z);
    session.click(Control::Pic_L3_O);
    session.click(Control::Pic_L4_Z);
    session.click(Control::Pic_L4_O);

    // The pointer zigzags between two pixels of the paper: one event each.
    const QPoint paper = session.centreOf(Control::Pic_Papir_0);
    const QPoint beside = paper + QPoint(1, 0);
    QPoint pos = paper;
    session.press(session.centreOf(Control::Pic_Olovke));
    while (session.writingProgress() < pokaz::Exercise::LetterFinished) {
        const int next = session.writingProgress() + 1;
        pos = pos == paper ? beside : paper;
        const qint64 cost = session.timed([&] { session.move(pos); });
        // The progress one above a stage's limit shows the next paper picture.
        const auto& limits = pokaz::Exercise::StageLimits;
        const bool stage = std::find(limits.begin(), limits.end(), next - 1) != limits.end();
        (stage ? figures.stageChange : figures.dragEvent).add(cost);
    }
    session.release(pos);
    session.doubleClick(Control::Pic_Papir_4);

    const QPoint slot = session.centreOf(Control::Pic_S_Z);
    session.press(session.centreOf(Control::Pic_Pismo));
    session.move(slot);
    session.move(slot + QPoint(1, 1));
    QCoreApplication::processEvents();
    figures.slide.add(session.timed([&] { session.release(slot + QPoint(1, 1)); }));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);

    Figures figures;
    for (int i = 0; i < Exercises; ++i) {
        Session session;
        runExercise(session, figures);
    }
    // Restarted by "Još jednom...", as a learner does.
    Figures more;
    Session session;
    const int started = session.writingProgress();
    long settled = 0;
    for (int i = 1; i <= ManyExercises; ++i) {
        runExercise(session, more);
        session.push(Control::BTN_Ponovo);
        if (session.writingProgress() != started)
            qFatal("exercise %d did not restart", i);
        settled = i == SettledExercises ? peakMemoryKiB() : settled;
    }

    std::printf("%-36s %10s %10s %8s\n", "action (microseconds)", "median", "p90", "samples");
    figures.drawerClick.print("drawer click");
    figures.dragEvent.print("drag event over the paper");
    figures.stageChange.print("drag event that changes the stage");
    figures.slide.print("drop: the whole 93-step slide");
    std::printf("peak resident memory after %d exercises in one window: %ld KiB, after %d: %ld KiB (goal: no growth)\n",
        SettledExercises, settled, ManyExercises, peakMemoryKiB());
    return 0;
}
