#include "browser_click_count.h"

#include "platform.h"

#ifdef Q_OS_WASM
#include <emscripten/bind.h>

#include <cstdint>
#endif

namespace pokaz::toolkit {

#ifdef Q_OS_WASM
namespace {

// Each canvas's click listener: this function bound to the count's address.
void clickHeard(std::uintptr_t count, emscripten::val event)
{
    reinterpret_cast<BrowserClickCount*>(count)->heard(event["detail"].as<int>());
}

constexpr auto ClickHeard = "pokazClickHeard";

} // namespace

EMSCRIPTEN_BINDINGS(pokaz_browser_click_count) { emscripten::function(ClickHeard, &clickHeard); }

BrowserClickCount::BrowserClickCount(ClickTracker& clicks)
    : clicks_(clicks)
    , listener_(emscripten::val::module_property(ClickHeard)
                    .call<emscripten::val>("bind", emscripten::val::null(), reinterpret_cast<std::uintptr_t>(this)))
{
    for (const emscripten::val& canvas : pageCanvases())
        canvas.call<void>("addEventListener", std::string("click"), listener_);
}

BrowserClickCount::~BrowserClickCount()
{
    for (const emscripten::val& canvas : pageCanvases())
        canvas.call<void>("removeEventListener", std::string("click"), listener_);
}
#else
BrowserClickCount::BrowserClickCount(ClickTracker& clicks)
    : clicks_(clicks)
{
}

BrowserClickCount::~BrowserClickCount() = default;
#endif

} // namespace pokaz::toolkit
