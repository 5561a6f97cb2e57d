#pragma once

#include "control.h"

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <optional>

struct _XDisplay;

namespace pokaz::test {

// A private Xvfb, the program as built on it, and the real X pointer moved by
// xdotool. Points are in the window's client area unless they say screen.
// The program gets a scratch HOME and runtime folder and no session bus, so
// nothing else installed on the machine takes part.
class XSession final {
public:
    static constexpr QSize ScreenSize{1600, 1200};

    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Empty once the server runs; otherwise why it does not.
    QString error() const { return error_; }

    // Starts openbox on the server and waits until it manages windows.
    bool startWindowManager();

    // Starts the program, run by launcher if given (e.g. strace), with extra
    // "NAME=value" environment, and waits until its window is mapped. With
    // QT_SCALE_FACTOR among them, client points are scaled to screen pixels
    // and pictures are those at twice the size.
    bool start(const QStringList& launcher = {}, const QStringList& environment = {});
    qreal scale() const { return scale_; }
    QPoint toScreen(QPoint client) const { return origin_ + (QPointF(client) * scale_).toPoint(); }
    QRect toScreen(QRect client) const { return {toScreen(client.topLeft()), client.size() * scale_}; }

    // Clicks and releases leave the pointer outside the window, so that no
    // tooltip stands in a screenshot.
    bool click(QPoint client)
    {
        return input(moveTo(client) << "click"
                                    << "1" << parking());
    }
    bool doubleClick(QPoint client);
    bool press(QPoint client)
    {
        return input(moveTo(client) << "mousedown"
                                    << "1");
    }
    bool release() { return input(QStringList{"mouseup", "1"} << parking()); }
    // One xdotool run for the whole path keeps the pauses even.
    bool moveAlong(const QList<QPoint>& clients, int pauseMs);

    QImage shot() const;
    // Screenshots until check passes or the time is up; the last is kept.
    bool waitFor(const std::function<bool(const QImage&)>& check, int timeLimitMs = 10000);
    QImage lastShot() const { return last_; }
    // Whether the screen shows each control's picture file from assets/ at its place.
    bool shows(const QImage& shot, std::initializer_list<Control> controls) const;
    bool waitForPictures(std::initializer_list<Control> controls);

    QSize clientSize() const;
    // Under a window manager: the window's frame on the screen, empty until
    // the manager has put one round it, and the actions it offers.
    QRect frame() const;
    QStringList allowedActions() const;
    QPoint origin() const { return origin_; }
    std::optional<int> exitStatus(int timeLimitMs = 10000);

private:
    bool input(const QStringList& xdotoolCommands);
    QStringList moveTo(QPoint client) const;
    static QStringList parking();

    QTemporaryDir home_;
    QProcess server_;
    QProcess manager_;
    QProcess program_;
    QProcessEnvironment environment_;
    _XDisplay* display_ = nullptr;
    unsigned long window_ = 0;
    QPoint origin_;
    qreal scale_ = 1.0;
    QImage last_;
    QString error_;
};

} // namespace pokaz::test
