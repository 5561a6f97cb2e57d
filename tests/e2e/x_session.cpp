#include "x_session.h"

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
constexpr QPoint ParkingPoint{2, 2}; // on the screen, outside the window

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
    park();
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
    const QDeadlineTimer deadline(StartLimitMs);
    while (!deadline.hasExpired() && program_.state() != QProcess::NotRunning) {
        QProcess search;
        search.setProcessEnvironment(environment_);
        search.start("xdotool", {"search", "--onlyvisible", "--name", "^Pokaz$"});
        search.waitForFinished();
        window_ = search.readAllStandardOutput().trimmed().toULong();
        Window child = 0;
        int x = 0;
        int y = 0;
        if (window_ != 0
            && XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &x, &y, &child)) {
            origin_ = {x, y};
            return true;
        }
        QThread::msleep(PollMs);
    }
    return false;
}

bool XSession::xdotool(const QStringList& arguments)
{
    QProcess tool;
    tool.setProcessEnvironment(environment_);
    tool.start("xdotool", arguments);
    return tool.waitForFinished(ToolLimitMs) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool XSession::moveTo(QPoint client)
{
    const QPoint at = toScreen(client);
    return xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
}

bool XSession::click(QPoint client) { return moveTo(client) && xdotool({"click", "1"}) && park(); }

bool XSession::doubleClick(QPoint client)
{
    return moveTo(client) && xdotool({"click", "--repeat", "2", "--delay", DoubleClickGapMs, "1"}) && park();
}

bool XSession::press(QPoint client) { return moveTo(client) && xdotool({"mousedown", "1"}); }

bool XSession::release() { return xdotool({"mouseup", "1"}); }

bool XSession::moveAlong(const QList<QPoint>& clients, int pauseMs)
{
    QStringList commands;
    for (const QPoint client : clients) {
        const QPoint at = toScreen(client);
        commands << "mousemove" << QString::number(at.x()) << QString::number(at.y()) << "sleep"
                 << QString::number(pauseMs / 1000.0);
    }
    return xdotool(commands);
}

bool XSession::park()
{
    return xdotool({"mousemove", QString::number(ParkingPoint.x()), QString::number(ParkingPoint.y())});
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

bool XSession::shows(const QImage& shot, const QString& file, QPoint client, int rows) const
{
    QImage picture(QStringLiteral(POKAZ_ASSET_DIR) + (scale_ > 1 ? "/2x/" : "/") + file + QStringLiteral(".bmp"));
    const int shownRows = rows > 0 ? qRound(rows * scale_) : picture.height();
    picture = picture.convertToFormat(QImage::Format_RGB32).copy(0, 0, picture.width(), shownRows);
    return !picture.isNull() && shot.copy(QRect(toScreen(client), picture.size())) == picture;
}

bool XSession::waitForPictures(const QList<std::pair<QString, QPoint>>& pictures)
{
    return waitFor([&](const QImage& screen) {
        return std::all_of(pictures.begin(), pictures.end(),
            [&](const auto& picture) { return shows(screen, picture.first, picture.second); });
    });
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
