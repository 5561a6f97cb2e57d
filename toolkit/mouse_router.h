#pragma once

#include "browser_click_count.h"
#include "click_tracker.h"
#include "control_events.h"
#include "drag_tracker.h"

#include <QObject>

class QMouseEvent;
class QWidget;

namespace pokaz::toolkit {

// Turns the mouse events of the window and of every control it watches into
// control events: Click, DblClick, and the automatic drag of the controls
// that have a drag pointer. Every event goes to the topmost shown control
// under the pointer, whichever widget Qt handed it to. Push buttons keep
// their own clicks; the second press of a double-click on one is a DblClick.
// In the browser the browser's count of clicks tells a double-click.
//
// Pressing the left button on a drag control starts its drag at once: the
// pointer shows the drag pointer until the release, and that control never
// gets a Click. A drag that loses the pointer (the button comes up where the
// window does not see it) ends at the next move or press without a drop, and
// the control under the pointer hears Leave.
class MouseRouter final : public QObject {
    Q_OBJECT

public:
    MouseRouter(QWidget& window, const ControlLocator& controls, ControlEvents& events);
    ~MouseRouter() override;

    void watch(QWidget& widget);
    bool isDragging() const { return drag_.isDragging(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void route(const QMouseEvent& event);
    void press(QPoint windowPos, bool secondOfDoubleClick);
    void endDrag();

    QWidget& window_;
    const ControlLocator& controls_;
    DragTracker drag_;
    ClickTracker clicks_;
    BrowserClickCount clickCount_;
};

} // namespace pokaz::toolkit
