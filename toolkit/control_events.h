#pragma once

#include "drag_state.h"

#include <QCursor>
#include <QPoint>

#include <optional>

namespace pokaz::toolkit {

// A control, as the window that made it numbers it.
using ControlId = int;
inline constexpr ControlId NoControl = -1;

// The control events of the toolkit, each addressed to one control. Positions
// are in the window's client coordinates; the receiver converts them.
class ControlEvents {
public:
    virtual ~ControlEvents() = default;

    virtual void click(ControlId control) = 0;
    virtual void doubleClick(ControlId control) = 0;
    virtual void dragOver(ControlId target, ControlId source, QPoint windowPos, DragState state) = 0;
    virtual void dragDrop(ControlId target, ControlId source, QPoint windowPos) = 0;

protected:
    ControlEvents() = default;
    ControlEvents(const ControlEvents&) = default;
    ControlEvents& operator=(const ControlEvents&) = default;
};

// What the mouse needs to know of the controls: the topmost shown control at
// a point, whether a control is still shown, and the pointer of one that is
// dragged automatically.
class ControlLocator {
public:
    virtual ~ControlLocator() = default;

    // NoControl when none lies there.
    virtual ControlId controlAt(QPoint windowPos) const = 0;
    // The control's own flag and that of every container up to the window.
    virtual bool isShown(ControlId control) const = 0;
    // Made afresh for the screen the window is on now; empty for a control
    // that is not dragged.
    virtual std::optional<QCursor> dragPointer(ControlId control) const = 0;

protected:
    ControlLocator() = default;
    ControlLocator(const ControlLocator&) = default;
    ControlLocator& operator=(const ControlLocator&) = default;
};

} // namespace pokaz::toolkit
