#include "click_tracker.h"

namespace pokaz::toolkit {

ClickTracker::ClickTracker(ControlEvents& events)
    : events_(events)
{
}

void ClickTracker::press(ControlId control) { pressed_ = control; }

void ClickTracker::release(ControlId control)
{
    const ControlId pressed = pressed_;
    pressed_ = NoControl;
    if (pressed != NoControl && pressed == control)
        events_.click(control);
}

void ClickTracker::doubleClick(ControlId control)
{
    // The release that ends a double-click is no click.
    pressed_ = NoControl;
    if (control != NoControl)
        events_.doubleClick(control);
}

} // namespace pokaz::toolkit
