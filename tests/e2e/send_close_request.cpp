// send_close_request <window id>: asks an X window to close the way a window
// manager's close box does, with a WM_DELETE_WINDOW client message.
// (xdotool's windowclose destroys the window instead, which a program cannot
// answer.) The request is sent synchronously: it has reached the server when
// this program ends.

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

constexpr int ClientMessageFormat = 32;

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <window id>\n", argv[0]);
        return EXIT_FAILURE;
    }
    char* end = nullptr;
    const Window window = std::strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0' || window == 0) {
        std::fprintf(stderr, "not a window id: %s\n", argv[1]);
        return EXIT_FAILURE;
    }

    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return EXIT_FAILURE;
    }
    XSynchronize(display.get(), True);

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
    event.xclient.format = ClientMessageFormat;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display.get(), window, False, NoEventMask, &event);
    XSync(display.get(), False);
    return sent != 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
