#include "click_tracker.h"

namespace pokaz::toolkit {

ClickTracker::ClickTracker(ControlEvents& events)
    : events_(events)
{
}

void ClickTracker::press(QWidget* control)
{
    pressed_ = control;
}

void ClickTracker::release(QWidget* control)
{
    QWidget* pressed = pressed_;
    pressed_ = nullptr;
    if (pressed != nullptr && pressed == control)
        events_.click(control);
}

void ClickTracker::doubleClick(QWidget* control)
{
    // The release that ends a double-click is no click.
    pressed_ = nullptr;
    if (control != nullptr)
        events_.doubleClick(control);
}

} // namespace pokaz::toolkit
