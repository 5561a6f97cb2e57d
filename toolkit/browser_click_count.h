#pragma once

#include "click_tracker.h"

#include <QtGlobal>

#ifdef Q_OS_WASM
#include <emscripten/val.h>
#endif

namespace pokaz::toolkit {

// The browser's own count of each click on the page's canvases (the click
// event's detail: 1, 2, 3 ...), handed to a ClickTracker right after Qt has
// delivered that click's release, while this lives. In the browser Qt tells a
// double-click by a fixed 400 ms, deaf to the learner's own setting, which the
// browser's count follows; there the count judges. Elsewhere Qt's DblClick
// follows the desktop's setting, and there is no count to hear.
class BrowserClickCount final {
public:
#ifdef Q_OS_WASM
    static constexpr DoubleClicks Judge = DoubleClicks::PlatformCount;
#else
    static constexpr DoubleClicks Judge = DoubleClicks::ToolkitEvent;
#endif

    explicit BrowserClickCount(ClickTracker& clicks);
    ~BrowserClickCount();
    BrowserClickCount(const BrowserClickCount&) = delete;
    BrowserClickCount& operator=(const BrowserClickCount&) = delete;

    void heard(int clicks) { clicks_.counted(clicks); }

private:
    ClickTracker& clicks_;
#ifdef Q_OS_WASM
    // The canvases' listener, which carries this object's address.
    emscripten::val listener_;
#endif
};

} // namespace pokaz::toolkit
