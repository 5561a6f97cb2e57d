#pragma once

#include "pointer.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <chrono>
#include <functional>

namespace pokaz::test {

class PokazWindow;
class Screen;

// A picture that should be on the screen: the asset, where its top-left
// corner lies in the client area, and which part of it to compare.
struct Shown {
    QString asset;
    QPoint at;
    QRect area{};
};

// Moving the pointer here, outside the window, hides any tooltip before a
// screenshot.
inline constexpr QPoint ParkingPoint{2, 2};

// A learner's pointer moves on inside the slot before it leaves; the open
// slot hears of the pointer only from a movement over it.
inline constexpr QPoint SlotWobble{6, 4};

// The steps of the exercise as a learner takes them with the real pointer,
// each followed by screenshots until the screen shows its effect. Every step
// returns whether it did; the screenshots say where it went wrong. Points
// are in the window's client area.
class Learner final {
public:
    Learner(Pointer& pointer, Screen& screen, PokazWindow& window);

    bool park();
    bool clickAt(QPoint client);
    bool doubleClickAt(QPoint client);

    bool waitForPictures(const QString& label, const QList<Shown>& pictures);
    static bool showsAll(const QImage& shot, QPoint origin, const QList<Shown>& pictures);
    bool showsStartState();
    bool showsMailboxScene();
    bool showsClosingScene();
    bool letterIsHighlighted(const QImage& shot) const;

    // Drawer 3 opened and closed, then drawer 4: paper and pencils on the desk.
    bool takeOutPaperAndPencils();
    bool pressOnPencils();
    // Drag events over the paper along a zig-zag, the button held.
    bool writeMoves(int events, std::chrono::milliseconds pause = Pointer::MovePause);
    bool writeUntil(const QString& label, const std::function<bool(const QImage&)>& check);
    // From the pencils to the finished letter, released.
    bool writeWholeLetter();
    bool writeAndCheckStages();
    // From the start state to the closing scene, checking each scene.
    bool runToClosingScene(int round);

private:
    Pointer& pointer_;
    Screen& screen_;
    PokazWindow& window_;
    // How many writing moves this window has had; the next one goes to the
    // next point of the zig-zag.
    int strokes_ = 0;
};

// The picture file in assets/ named after a control.
QImage asset(const QString& name);
QString paperAsset(int stage);
QPoint paperTopLeft(int stage);

} // namespace pokaz::test
