#pragma once

#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

namespace pokaz::test {

class XServer;

// The program as built, running on a test X server, and its one window.
// There is no window manager, so the window has no frame: its X geometry is
// the client area, and client points map to screen points by its origin.
class PokazWindow final {
public:
    // launcher, if given, is a command that runs the executable, which is
    // added as its last argument (strace -o log, for one).
    PokazWindow(const XServer& server, const QString& executable, const QStringList& launcher = {});
    ~PokazWindow();
    PokazWindow(const PokazWindow&) = delete;
    PokazWindow& operator=(const PokazWindow&) = delete;

    // Waits until the program has mapped its window and reads its place.
    bool waitForWindow(std::chrono::milliseconds timeLimit = std::chrono::seconds(20));

    // The window's client area on the screen, as the X server has it now.
    std::optional<QRect> geometry() const;

    QPoint origin() const { return origin_; }
    QPoint toScreen(QPoint client) const { return origin_ + client; }
    QRect toScreen(QRect client) const { return client.translated(origin_); }

    // Asks the window to close as a window manager's close box does
    // (WM_DELETE_WINDOW), not by destroying it.
    bool requestClose() const;

    // Waits for the process to end; its exit status, or nothing if it did not
    // end in time or crashed.
    std::optional<int> waitForExit(std::chrono::milliseconds timeLimit = std::chrono::seconds(10));
    bool running() const { return process_.state() != QProcess::NotRunning; }
    QString output();

private:
    const XServer& server_;
    QProcess process_;
    QString windowId_;
    QPoint origin_;
};

} // namespace pokaz::test
