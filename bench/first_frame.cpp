// Measures how long a program takes from exec until its first window is
// mapped and until it shows its first painted frame on the X server, and its
// peak resident memory.
//
//   first_frame PROGRAM [ARGS...]
//
// prints "mapped_ms=<ms> startup_ms=<ms> cpu_ms=<ms> peak_kb=<kB>" and stops
// the program; cpu_ms is the processor time all its threads had used by the
// first frame, which a busy machine disturbs far less than the wall clock.
// The first frame is the first damage the X server reports on a top-level
// window of the program's (without a window manager, a child of the root)
// after which that window shows more than one colour: mapping alone damages
// a window too, with nothing painted in it yet.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Qt may repaint once more right after the first frame; the peak memory is
// read after this pause so that it covers a settled window.
constexpr auto SettleTime = std::chrono::milliseconds(300);
constexpr auto Timeout = std::chrono::seconds(20);

long peakResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

double cpuMs(pid_t pid)
{
    // The first field of each thread's schedstat: nanoseconds on a processor.
    double nanoseconds = 0.0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double onCpu = 0.0;
        if (schedstat >> onCpu)
            nanoseconds += onCpu;
    }
    return nanoseconds / 1e6;
}

bool showsSomething(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return false;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
        static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    const unsigned long first = XGetPixel(image, 0, 0);
    bool painted = false;
    for (int y = 0; y < attributes.height && !painted; ++y) {
        for (int x = 0; x < attributes.width && !painted; ++x)
            painted = XGetPixel(image, x, y) != first;
    }
    XDestroyImage(image);
    return painted;
}

// Waits for the next event, up to the deadline.
bool nextEvent(Display* display, XEvent& event, Clock::time_point deadline)
{
    const int fd = ConnectionNumber(display);
    while (XPending(display) == 0) {
        if (Clock::now() > deadline)
            return false;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval tick{0, 1000};
        select(fd + 1, &fds, nullptr, nullptr, &tick);
    }
    XNextEvent(display, &event);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_frame PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_frame: cannot open the display\n");
        return 2;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "first_frame: the X server has no DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("first_frame: exec");
        _exit(127);
    }

    // Every top-level window mapped, with the time it was: Wine maps small
    // windows of its own before the program's.
    const auto deadline = start + Timeout;
    std::map<Window, double> mappedAt;
    double mappedMs = -1.0;
    double startupMs = -1.0;
    double startupCpuMs = -1.0;
    XEvent event;
    while (startupMs < 0.0 && nextEvent(display, event, deadline)) {
        if (event.type == MapNotify && event.xmap.event == root && !mappedAt.contains(event.xmap.window)) {
            mappedAt[event.xmap.window] = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            XDamageCreate(display, event.xmap.window, XDamageReportRawRectangles);
            XSync(display, False);
        } else if (event.type == damageEvent + XDamageNotify) {
            const auto now = Clock::now();
            const Window window = reinterpret_cast<const XDamageNotifyEvent&>(event).drawable;
            if (showsSomething(display, window)) {
                startupMs = std::chrono::duration<double, std::milli>(now - start).count();
                startupCpuMs = cpuMs(child);
                mappedMs = mappedAt[window];
            }
        }
    }

    std::this_thread::sleep_for(SettleTime);
    const long peakKb = peakResidentKb(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);

    if (startupMs < 0.0) {
        std::fprintf(stderr, "first_frame: no frame within the time limit\n");
        return 1;
    }
    std::printf("mapped_ms=%.2f startup_ms=%.2f cpu_ms=%.2f peak_kb=%ld\n", mappedMs, startupMs, startupCpuMs, peakKb);
    return 0;
}
