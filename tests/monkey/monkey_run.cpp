#include "monkey_run.h"

#include "client_layout.h"
#include "invariants.h"
#include "window_driver.h"

namespace pokaz::test {

namespace {

// A press of "Kraj" would end the program; the monkey leaves that button alone.
bool pressesKraj(const WindowDriver& window, QPoint at)
{
    return window.shown(Control::BTN_Kraj) && clientRect(Control::BTN_Kraj).contains(at);
}

// Clicks and presses land inside the window; a pointer that moves or is
// released outside it while pressed is held at the window's edge.
QPoint intoWindow(const WindowDriver& window, QPoint point)
{
    const QRect client = window.form().rect();
    return {std::clamp(point.x(), client.left(), client.right()), std::clamp(point.y(), client.top(), client.bottom())};
}

} // namespace

std::optional<MonkeyRun::Failure> MonkeyRun::play(const std::vector<MonkeyAction>& actions)
{
    restarts_ = 0;
    skipped_ = 0;
    WindowDriver window;
    const QStringList startState = describeState(window);

    for (std::size_t index = 0; index < actions.size(); ++index) {
        const MonkeyAction& action = actions[index];
        const auto broken = [&](const QString& when) -> std::optional<Failure> {
            const QString message = brokenInvariant(window);
            if (message.isEmpty())
                return std::nullopt;
            return Failure{index, when + QStringLiteral(": ") + message};
        };
        const QPoint at = intoWindow(window, action.at);
        if (pressesKraj(window, at)) {
            ++skipped_;
            continue;
        }
        const bool closingScene = window.shown(Control::BTN_Ponovo);

        switch (action.kind) {
        case MonkeyAction::Kind::Click:
            window.click(at);
            break;
        case MonkeyAction::Kind::DoubleClick:
            window.doubleClick(at);
            break;
        case MonkeyAction::Kind::Drag:
            window.press(at);
            if (auto failure = broken(QStringLiteral("after the press")))
                return failure;
            for (const QPoint point : action.path) {
                window.move(intoWindow(window, point));
                if (auto failure = broken(QStringLiteral("after a move")))
                    return failure;
            }
            window.release(intoWindow(window, action.path.back()));
            break;
        }
        if (auto failure = broken(QStringLiteral("after the action")))
            return failure;

        if (closingScene && !window.shown(Control::BTN_Ponovo)) {
            ++restarts_;
            const QStringList state = describeState(window);
            for (qsizetype line = 0; line < state.size(); ++line) {
                if (state[line] != startState[line]) {
                    return Failure{index, QStringLiteral("after a restart: \"%1\", at start \"%2\"")
                                              .arg(state[line], startState[line])};
                }
            }
        }
    }
    return std::nullopt;
}

std::vector<MonkeyAction> MonkeyRun::shrink(std::vector<MonkeyAction> failing)
{
    if (const auto failure = play(failing))
        failing.resize(failure->action + 1);

    std::size_t chunk = std::max<std::size_t>(1, failing.size() / 2);
    while (true) {
        bool deleted = false;
        for (std::size_t start = 0; start < failing.size(); start += chunk) {
            std::vector<MonkeyAction> candidate(failing.begin(), failing.begin() + static_cast<std::ptrdiff_t>(start));
            const std::size_t end = std::min(failing.size(), start + chunk);
            candidate.insert(candidate.end(), failing.begin() + static_cast<std::ptrdiff_t>(end), failing.end());
            if (candidate.empty())
                continue;
            if (const auto failure = play(candidate)) {
                candidate.resize(failure->action + 1);
                failing = std::move(candidate);
                deleted = true;
                break;
            }
        }
        if (deleted)
            continue;
        if (chunk == 1)
            return failing;
        chunk = std::max<std::size_t>(1, chunk / 2);
    }
}

} // namespace pokaz::test
