#pragma once

#include "drag_state.h"

#include <QPoint>


class QWidget;

namespace pokaz::toolkit {

// The control events of the toolkit, each addressed to one control. Positions
// are in the window's client coordinates; the receiver converts them.
class ControlEvents {
public:
    virtual ~ControlEvents() = default;

    virtual void click(QWidget* control) = 0;
    virtual void doubleClick(QWidget* control) = 0;
    virtual void dragOver(QWidget* target, QWidget* source, QPoint windowPos, DragState state) = 0;
    virtual void dragDrop(QWidget* target, QWidget* source, QPoint windowPos) = 0;

protected:
    ControlEvents() = default;
    ControlEvents(const ControlEvents&) = default;
    ControlEvents& operator=(const ControlEvents&) = default;
};

// Where the controls are: the topmost shown control at a point, and whether a
// control is still shown.
class ControlLocator {
public:
    virtual ~ControlLocator() = default;

    // nullptr when no control lies there.
    virtual QWidget* controlAt(QPoint windowPos) const = 0;
    // The control's own flag and that of every container up to the window.
    virtual bool isShown(const QWidget* control) const = 0;

protected:
    ControlLocator() = default;
    ControlLocator(const ControlLocator&) = default;
    ControlLocator& operator=(const ControlLocator&) = default;
};

} // namespace pokaz::toolkit
