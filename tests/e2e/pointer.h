#pragma once

#include <QList>
#include <QPoint>
#include <QStringList>

#include <chrono>

namespace pokaz::test {

class XServer;

// The real X pointer, driven through the XTEST extension by xdotool. Points
// are in screen coordinates. Every call returns once the X server has the
// input; the program receives it after that, in order.
class Pointer final {
public:
    explicit Pointer(const XServer& server);

    bool moveTo(QPoint point);
    bool press();
    bool release();
    bool click();
    bool doubleClick();

    // Moves through every point in turn, pausing after each move so that the
    // program takes each motion event from the queue before the next one
    // arrives; the toolkit merges motion events that queue up.
    static constexpr std::chrono::milliseconds MovePause{20};
    bool moveAlong(const QList<QPoint>& points, std::chrono::milliseconds pause = MovePause);

    // Press on from, move along path, release at the last point of path.
    bool drag(QPoint from, const QList<QPoint>& path);

private:
    bool xdotool(const QStringList& commands);

    const XServer& server_;
};

} // namespace pokaz::test
