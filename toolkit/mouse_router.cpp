#include "mouse_router.h"

#include "platform.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QWidget>

namespace pokaz::toolkit {

MouseRouter::MouseRouter(QWidget& window, const ControlLocator& controls, ControlEvents& events)
    : window_(window)
    , controls_(controls)
    , drag_(controls, events)
    , clicks_(events, BrowserClickCount::Judge)
    , clickCount_(clicks_)
{
    watch(window);
}

MouseRouter::~MouseRouter()
{
    if (isDragging())
        restorePointer();
}

void MouseRouter::watch(QWidget& widget)
{
    // Qt hands out moves without a button only to tracking widgets; the
    // router needs them to see that a drag's release went elsewhere.
    widget.setMouseTracking(true);
    widget.installEventFilter(this);
}

bool MouseRouter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove
        && type != QEvent::MouseButtonDblClick)
        return false;
    // A push button's press and release make its own click; anything else
    // would take it as a second press and click again.
    if (qobject_cast<QAbstractButton*>(watched) != nullptr && type != QEvent::MouseButtonDblClick)
        return false;
    route(static_cast<const QMouseEvent&>(*event));
    return true;
}

void MouseRouter::route(const QMouseEvent& event)
{
    // Mapped from the screen, so it does not matter which widget had the event.
    const QPoint pos = window_.mapFromGlobal(event.globalPosition()).toPoint();
    const bool leftHeld = event.buttons().testFlag(Qt::LeftButton);
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (event.button() == Qt::LeftButton)
            press(pos, event.type() == QEvent::MouseButtonDblClick);
        break;
    case QEvent::MouseMove:
        if (isDragging() && !leftHeld)
            endDrag();
        else if (isDragging())
            drag_.moveTo(pos);
        break;
    default:
        if (event.button() != Qt::LeftButton)
            break;
        if (isDragging()) {
            // The ordinary pointer is back before the drop handler runs.
            restorePointer();
            drag_.dropAt(pos);
        } else {
            clicks_.release(controls_.controlAt(pos));
        }
    }
}

void MouseRouter::press(QPoint windowPos, bool secondOfDoubleClick)
{
    if (isDragging())
        endDrag();
    const ControlId control = controls_.controlAt(windowPos);
    // The second press on a drag control starts another drag, like the first.
    if (const std::optional<QCursor> pointer = controls_.dragPointer(control)) {
        showDragPointer(*pointer);
        drag_.begin(control, windowPos);
    } else if (secondOfDoubleClick) {
        clicks_.doubleClick(control);
    } else {
        clicks_.press(control);
    }
}

void MouseRouter::endDrag()
{
    restorePointer();
    drag_.cancel();
}

} // namespace pokaz::toolkit
