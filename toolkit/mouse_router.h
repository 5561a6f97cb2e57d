#pragma once

#include "click_tracker.h"
#include "control_events.h"
#include "drag_tracker.h"

#include <QCursor>

#include <unordered_map>
#include <unordered_set>

class QMouseEvent;
class QWidget;

namespace pokaz::toolkit {

// Turns the mouse events that reach the window into control events: Click,
// DblClick, and the automatic drag of the controls that have a drag icon.
// Every event goes to the topmost shown control under the pointer. The
// window forwards its four mouse handlers here; the controls themselves let
// mouse events pass on to the window (push buttons keep their own click).
//
// Pressing the left button on a drag control starts its drag at once: the
// pointer shows the drag icon until the release, and that control never
// gets a Click.
class MouseRouter final : public ControlLocator {
public:
    MouseRouter(QWidget& window, ControlEvents& events);
    ~MouseRouter() override;

    MouseRouter(const MouseRouter&) = delete;
    MouseRouter& operator=(const MouseRouter&) = delete;

    // Only added controls are found under the pointer; a widget inside one
    // (none in this program) counts as that control.
    void addControl(const QWidget* control);
    void setDragIcon(const QWidget* control, const QCursor& icon);

    void press(const QMouseEvent& event);
    void move(const QMouseEvent& event);
    void release(const QMouseEvent& event);
    void doubleClick(const QMouseEvent& event);

    bool isDragging() const { return drag_.isDragging(); }

    QWidget* controlAt(QPoint windowPos) const override;
    bool isShown(const QWidget* control) const override;

private:
    QPoint windowPos(const QMouseEvent& event) const;
    // Starts a drag when the control has a drag icon.
    bool beginDrag(QWidget* control, QPoint windowPos);
    void restoreCursor();

    QWidget& window_;
    std::unordered_set<const QWidget*> controls_;
    std::unordered_map<const QWidget*, QCursor> dragIcons_;
    DragTracker drag_;
    ClickTracker clicks_;
    bool cursorOverridden_ = false;
};

} // namespace pokaz::toolkit
