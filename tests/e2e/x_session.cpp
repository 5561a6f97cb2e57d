#include "x_session.h"

#include "client_layout.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace pokaz::test {

namespace {

constexpr int StartLimitMs = 20000;
constexpr int ToolLimitMs = 60000;
constexpr int PollMs = 60;
// Well inside the toolkit's double-click interval.
constexpr auto DoubleClickGapMs = "80";

} // namespace

XSession::XSession()
{
    // -displayfd: Xvfb picks a free display and writes its number when ready.
    server_.start(QStringLiteral("Xvfb"),
        {"-displayfd", "1", "-screen", "0", QStringLiteral("%1x%2x24").arg(ScreenSize.width()).arg(ScreenSize.height()),
            "-nolisten", "tcp"});
    QByteArray number;
    const QDeadlineTimer deadline(StartLimitMs);
    while (!number.contains('\n') && server_.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
        number += server_.readAllStandardOutput();
    const QString display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    display_ = number.contains('\n') ? XOpenDisplay(display.toLatin1().constData()) : nullptr;
    if (display_ == nullptr) {
        error_ = QStringLiteral("Xvfb did not start: ") + QString::fromLocal8Bit(server_.readAllStandardError());
        return;
    }
    environment_ = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER"})
        environment_.remove(QString::fromLatin1(name));
    environment_.insert("DISPLAY", display);
    environment_.insert("HOME", home_.path());
    environment_.insert("XDG_RUNTIME_DIR", home_.path());
    // A bus address that cannot be reached: the toolkit starts no bus of its own.
    environment_.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + home_.filePath("no-bus"));
    input(parking());
}

XSession::~XSession()
{
    program_.kill();
    program_.waitForFinished();
    manager_.kill();
    manager_.waitForFinished();
    if (display_ != nullptr)
        XCloseDisplay(display_);
    server_.terminate();
    server_.waitForFinished();
}

bool XSession::startWindowManager()
{
    // Openbox runs its start-up command once it manages windows; a window
    // mapped any earlier may be left unmanaged and unmapped.
    const QString ready = home_.filePath(QStringLiteral("window-manager-ready"));
    manager_.setProcessEnvironment(environment_);
    // Nobody reads what it says; a full pipe would stop it.
    manager_.setStandardOutputFile(QProcess::nullDevice());
    manager_.setStandardErrorFile(QProcess::nullDevice());
    manager_.start(QStringLiteral("openbox"), {"--sm-disable", "--startup", "touch " + ready});
    const QDeadlineTimer deadline(StartLimitMs);
    while (!QFile::exists(ready) && !deadline.hasExpired())
        QThread::msleep(PollMs);
    return QFile::exists(ready);
}

bool XSession::start(const QStringList& launcher, const QStringList& environment)
{
    QProcessEnvironment programEnvironment = environment_;
    for (const QString& setting : environment)
        programEnvironment.insert(setting.section('=', 0, 0), setting.section('=', 1));
    scale_ = programEnvironment.value("QT_SCALE_FACTOR", "1").toDouble();
    program_.setProcessEnvironment(programEnvironment);
    program_.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList command = QStringList(launcher) << QStringLiteral(POKAZ_EXECUTABLE);
    program_.start(command.front(), command.mid(1));
    QProcess search;
    search.setProcessEnvironment(environment_);
    search.start("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Pokaz$"});
    if (!search.waitForFinished(StartLimitMs))
        return false;
    window_ = search.readAllStandardOutput().trimmed().toULong();
    Window child = 0;
    int x = 0;
    int y = 0;
    const bool mapped
        = window_ != 0 && XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    origin_ = {x, y};
    return mapped;
}

bool XSession::input(const QStringList& xdotoolCommands)
{
    QProcess tool;
    tool.setProcessEnvironment(environment_);
    tool.start("xdotool", xdotoolCommands);
    return tool.waitForFinished(ToolLimitMs) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

QStringList XSession::moveTo(QPoint client) const
{
    const QPoint at = toScreen(client);
    return {"mousemove", QString::number(at.x()), QString::number(at.y())};
}

// A point on the screen outside the window.
QStringList XSession::parking() { return {"mousemove", "2", "2"}; }

bool XSession::doubleClick(QPoint client)
{
    return input(moveTo(client) << "click"
                                << "--repeat"
                                << "2"
                                << "--delay" << DoubleClickGapMs << "1" << parking());
}

bool XSession::moveAlong(const QList<QPoint>& clients, int pauseMs)
{
    QStringList commands;
    for (const QPoint client : clients)
        commands << moveTo(client) << "sleep" << QString::number(pauseMs / 1000.0);
    return input(commands);
}

QImage XSession::shot() const
{
    const int width = DisplayWidth(display_, DefaultScreen(display_));
    const int height = DisplayHeight(display_, DefaultScreen(display_));
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};
    // 24-bit depth is stored as 32-bit little-endian pixels, as QImage's RGB32.
    QImage result = QImage(
        reinterpret_cast<const uchar*>(image->data), width, height, image->bytes_per_line, QImage::Format_RGB32)
                        .copy();
    XDestroyImage(image);
    return result;
}

bool XSession::waitFor(const std::function<bool(const QImage&)>& check, int timeLimitMs)
{
    const QDeadlineTimer deadline(timeLimitMs);
    do {
        last_ = shot();
        if (check(last_))
            return true;
        QThread::msleep(PollMs);
    } while (!deadline.hasExpired());
    return false;
}

bool XSession::shows(const QImage& shot, std::initializer_list<Control> controls) const
{
    return std::all_of(controls.begin(), controls.end(), [&](Control control) {
        const QImage picture
            = QImage(QStringLiteral(POKAZ_ASSET_DIR) + (scale_ > 1 ? "/2x/" : "/") + pictureFile(control))
                  .convertToFormat(QImage::Format_RGB32);
        const QPoint at = toScreen(clientRect(control).topLeft());
        return !picture.isNull() && shot.copy(QRect(at, picture.size())) == picture;
    });
}

bool XSession::waitForPictures(std::initializer_list<Control> controls)
{
    return waitFor([&](const QImage& screen) { return shows(screen, controls); });
}

QSize XSession::clientSize() const
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window_, &attributes) == 0)
        return {};
    return {attributes.width, attributes.height};
}

QRect XSession::frame() const
{
    // The manager puts the window into its frame window, a child of the root.
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    XWindowAttributes attributes{};
    if (XQueryTree(display_, window_, &root, &parent, &children, &count) != 0)
        XFree(children);
    if (parent == root || XGetWindowAttributes(display_, parent, &attributes) == 0)
        return {};
    return {attributes.x, attributes.y, attributes.width, attributes.height};
}

QStringList XSession::allowedActions() const
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    QStringList names;
    if (XGetWindowProperty(display_, window_, XInternAtom(display_, "_NET_WM_ALLOWED_ACTIONS", False), 0, 64, False,
            XA_ATOM, &type, &format, &count, &left, &data)
        != Success)
        return names;
    for (unsigned long i = 0; i < count; ++i) {
        char* name = XGetAtomName(display_, reinterpret_cast<const Atom*>(data)[i]);
        names << QString::fromLatin1(name);
        XFree(name);
    }
    XFree(data);
    return names;
}

std::optional<int> XSession::exitStatus(int timeLimitMs)
{
    if (!program_.waitForFinished(timeLimitMs) || program_.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return program_.exitCode();
}

} // namespace pokaz::test
