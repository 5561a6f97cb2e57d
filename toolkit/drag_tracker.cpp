#include "drag_tracker.h"

namespace pokaz::toolkit {

DragTracker::DragTracker(const ControlLocator& locator, ControlEvents& events)
    : locator_(locator)
    , events_(events)
{
}

void DragTracker::begin(ControlId source, QPoint windowPos)
{
    source_ = source;
    current_ = NoControl;
    currentEntered_ = false;
    lastPos_ = windowPos;
}

void DragTracker::moveTo(QPoint windowPos)
{
    if (!isDragging() || windowPos == lastPos_)
        return;
    takeOverHiddenTarget();
    lastPos_ = windowPos;

    ControlId target = locator_.controlAt(windowPos);
    if (target == current_) {
        if (target != NoControl) {
            const DragState state = currentEntered_ ? DragState::Over : DragState::Enter;
            currentEntered_ = true;
            events_.dragOver(target, source_, windowPos, state);
        }
    } else {
        if (current_ != NoControl) {
            const ControlId left = current_;
            current_ = NoControl;
            events_.dragOver(left, source_, windowPos, DragState::Leave);
            // The leave may have shown or hidden controls under the pointer.
            target = locator_.controlAt(windowPos);
        }
        current_ = target;
        currentEntered_ = target != NoControl;
        if (target != NoControl)
            events_.dragOver(target, source_, windowPos, DragState::Enter);
    }
    takeOverHiddenTarget();
}

void DragTracker::dropAt(QPoint windowPos)
{
    if (!isDragging())
        return;
    const ControlId source = source_;
    source_ = NoControl;
    current_ = NoControl;
    if (const ControlId target = locator_.controlAt(windowPos); target != NoControl)
        events_.dragDrop(target, source, windowPos);
}

void DragTracker::cancel()
{
    takeOverHiddenTarget();
    const ControlId left = current_;
    const ControlId source = source_;
    source_ = current_ = NoControl;
    if (left != NoControl)
        events_.dragOver(left, source, lastPos_, DragState::Leave);
}

void DragTracker::takeOverHiddenTarget()
{
    // A control hidden under the pointer hears no Leave. Whatever lies there
    // now is where the pointer is: it hears Enter with the next movement if
    // the pointer stays on it, and Leave if that movement takes the pointer
    // off it. So the open slot, shown where the closed one was, closes again
    // even when the envelope leaves it with its very next movement.
    if (current_ != NoControl && !locator_.isShown(current_)) {
        current_ = locator_.controlAt(lastPos_);
        currentEntered_ = false;
    }
}

} // namespace pokaz::toolkit
