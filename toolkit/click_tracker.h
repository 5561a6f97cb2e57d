#pragma once

#include "control_events.h"

namespace pokaz::toolkit {

// Click and DblClick of the left button, as a desktop delivers them: Click
// when the button is released over the control it was pressed on; for a
// double-click, Click for the first press and DblClick (no Click) for the
// second, addressed to the control under the pointer at that moment.
class ClickTracker final {
public:
    explicit ClickTracker(ControlEvents& events);

    void press(ControlId control);
    void release(ControlId control);
    void doubleClick(ControlId control);

private:
    ControlEvents& events_;
    ControlId pressed_ = NoControl;
};

} // namespace pokaz::toolkit
