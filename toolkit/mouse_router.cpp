#include "mouse_router.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>

namespace pokaz::toolkit {

MouseRouter::MouseRouter(QWidget& window, ControlEvents& events)
    : window_(window)
    , drag_(*this, events)
    , clicks_(events)
{
}

MouseRouter::~MouseRouter()
{
    restoreCursor();
}

void MouseRouter::addControl(const QWidget* control)
{
    controls_.insert(control);
}

void MouseRouter::setDragIcon(const QWidget* control, const QCursor& icon)
{
    dragIcons_.insert_or_assign(control, icon);
}

QPoint MouseRouter::windowPos(const QMouseEvent& event) const
{
    // Mapped from the screen, so it does not matter which widget Qt handed
    // the event to first.
    return window_.mapFromGlobal(event.globalPosition()).toPoint();
}

void MouseRouter::press(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton || isDragging())
        return;
    const QPoint pos = windowPos(event);
    QWidget* control = controlAt(pos);
    if (!beginDrag(control, pos))
        clicks_.press(control);
}

void MouseRouter::move(const QMouseEvent& event)
{
    if (isDragging() && event.buttons().testFlag(Qt::LeftButton))
        drag_.moveTo(windowPos(event));
}

void MouseRouter::release(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton)
        return;
    const QPoint pos = windowPos(event);
    if (isDragging()) {
        // The ordinary pointer is back before the drop handler runs.
        restoreCursor();
        drag_.dropAt(pos);
    } else {
        clicks_.release(controlAt(pos));
    }
}

void MouseRouter::doubleClick(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton || isDragging())
        return;
    const QPoint pos = windowPos(event);
    QWidget* control = controlAt(pos);
    // The second press on a drag control starts another drag, like the first.
    if (!beginDrag(control, pos))
        clicks_.doubleClick(control);
}

bool MouseRouter::beginDrag(QWidget* control, QPoint windowPos)
{
    const auto icon = dragIcons_.find(control);
    if (icon == dragIcons_.end())
        return false;
    QGuiApplication::setOverrideCursor(icon->second);
    cursorOverridden_ = true;
    drag_.begin(control, windowPos);
    return true;
}

void MouseRouter::restoreCursor()
{
    if (cursorOverridden_) {
        QGuiApplication::restoreOverrideCursor();
        cursorOverridden_ = false;
    }
}

QWidget* MouseRouter::controlAt(QPoint windowPos) const
{
    // childAt skips hidden widgets and everything inside them.
    QWidget* widget = window_.childAt(windowPos);
    while (widget != nullptr && !controls_.contains(widget))
        widget = widget->parentWidget();
    return widget;
}

bool MouseRouter::isShown(const QWidget* control) const
{
    return control->isVisibleTo(&window_);
}

} // namespace pokaz::toolkit
