#pragma once

#include "control_events.h"

namespace pokaz::toolkit {

// Who tells the second press of a double-click from a first one: the toolkit,
// by a DblClick in place of that press, or the platform, by its count of each
// click, told right after the click's release.
enum class DoubleClicks { ToolkitEvent, PlatformCount };

// Click and DblClick of the left button, as a desktop delivers them: Click
// when the button is released over the control it was pressed on; for a
// double-click, Click for the first press and DblClick (no Click) for the
// second, addressed to the control under the pointer at that moment. Where
// the platform counts, its even counts are the second clicks, and the
// toolkit's DblClick is just a press.
class ClickTracker final {
public:
    ClickTracker(ControlEvents& events, DoubleClicks judge);

    void press(ControlId control);
    void release(ControlId control);
    void doubleClick(ControlId control);
    void counted(int clicks);

private:
    ControlEvents& events_;
    const DoubleClicks judge_;
    ControlId pressed_ = NoControl;
    bool releasedOver_ = false;
};

} // namespace pokaz::toolkit
