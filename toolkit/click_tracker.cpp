#include "click_tracker.h"

namespace pokaz::toolkit {

namespace {

constexpr int ClicksOfADoubleClick = 2;

} // namespace

ClickTracker::ClickTracker(ControlEvents& events, DoubleClicks judge)
    : events_(events)
    , judge_(judge)
{
}

void ClickTracker::press(ControlId control)
{
    pressed_ = control;
    releasedOver_ = false;
}

void ClickTracker::release(ControlId control)
{
    const bool over = pressed_ != NoControl && pressed_ == control;
    if (judge_ == DoubleClicks::PlatformCount) {
        // Whether it is a click, the count says.
        releasedOver_ = over;
        return;
    }
    pressed_ = NoControl;
    if (over)
        events_.click(control);
}

void ClickTracker::doubleClick(ControlId control)
{
    if (judge_ == DoubleClicks::PlatformCount) {
        press(control);
        return;
    }
    // The release that ends a double-click is no click.
    pressed_ = NoControl;
    if (control != NoControl)
        events_.doubleClick(control);
}

void ClickTracker::counted(int clicks)
{
    const ControlId pressed = pressed_;
    const bool over = releasedOver_;
    press(NoControl);
    if (pressed == NoControl)
        return;
    // The second press is the double-click wherever it is released, as on a desktop.
    if (clicks % ClicksOfADoubleClick == 0)
        events_.doubleClick(pressed);
    else if (over)
        events_.click(pressed);
}

} // namespace pokaz::toolkit
