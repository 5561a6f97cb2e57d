#include "drag_tracker.h"

namespace pokaz::toolkit {

DragTracker::DragTracker(const ControlLocator& locator, ControlEvents& events)
    : locator_(locator)
    , events_(events)
{
}

void DragTracker::begin(QWidget* source, QPoint windowPos)
{
    source_ = source;
    current_ = nullptr;
    lastPos_ = windowPos;
}

void DragTracker::moveTo(QPoint windowPos)
{
    if (!isDragging() || windowPos == lastPos_)
        return;
    lastPos_ = windowPos;
    forgetHiddenTarget();

    QWidget* target = locator_.controlAt(windowPos);
    if (target == current_) {
        if (target != nullptr)
            events_.dragOver(target, source_, windowPos, DragState::Over);
    } else {
        if (current_ != nullptr) {
            QWidget* left = current_;
            current_ = nullptr;
            events_.dragOver(left, source_, windowPos, DragState::Leave);
            // The leave may have shown or hidden controls under the pointer.
            target = locator_.controlAt(windowPos);
        }
        current_ = target;
        if (target != nullptr)
            events_.dragOver(target, source_, windowPos, DragState::Enter);
    }
    forgetHiddenTarget();
}

void DragTracker::dropAt(QPoint windowPos)
{
    if (!isDragging())
        return;
    QWidget* source = source_;
    source_ = nullptr;
    current_ = nullptr;
    if (QWidget* target = locator_.controlAt(windowPos))
        events_.dragDrop(target, source, windowPos);
}

void DragTracker::forgetHiddenTarget()
{
    // A control hidden under the pointer hears no Leave; whatever lies there
    // now hears Enter with the next movement.
    if (current_ != nullptr && !locator_.isShown(current_))
        current_ = nullptr;
}

} // namespace pokaz::toolkit
