#pragma once

#include "control_events.h"

#include <QPoint>

namespace pokaz::toolkit {

// One drag of a control, from the press on it to the release: turns pointer
// positions into DragOver and DragDrop events for the controls under the
// pointer. The dragged control itself never moves.
class DragTracker final {
public:
    DragTracker(const ControlLocator& locator, ControlEvents& events);

    // The press on the source. It delivers nothing: the first DragOver
    // comes with the first movement.
    void begin(ControlId source, QPoint windowPos);

    // One DragOver to the control under the pointer (Enter or Over), and a
    // Leave before it to the control the pointer has just left. A movement
    // that does not change the position delivers nothing.
    void moveTo(QPoint windowPos);

    // DragDrop to the control under the pointer, if any, and the drag ends.
    void dropAt(QPoint windowPos);

    // Ends the drag without a drop, as when the window loses the pointer:
    // the control under the pointer hears Leave, as if the pointer had left.
    void cancel();

    bool isDragging() const { return source_ != NoControl; }

private:
    void takeOverHiddenTarget();

    const ControlLocator& locator_;
    ControlEvents& events_;
    ControlId source_ = NoControl;
    // The control the pointer is in, until it hears Leave. When it is hidden
    // under the pointer, whatever lies there now takes its place; that one
    // has not heard Enter yet.
    ControlId current_ = NoControl;
    bool currentEntered_ = false;
    QPoint lastPos_;
};

} // namespace pokaz::toolkit
