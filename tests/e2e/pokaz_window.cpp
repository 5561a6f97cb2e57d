#include "pokaz_window.h"

#include "x_server.h"

#include <QDeadlineTimer>
#include <QThread>

namespace pokaz::test {

namespace {

constexpr auto WindowTitle = "^Pokaz$";
constexpr std::chrono::milliseconds PollPause{100};
constexpr std::chrono::seconds KillLimit{5};

#ifndef POKAZ_CLOSE_REQUEST_TOOL
#error "POKAZ_CLOSE_REQUEST_TOOL must name the helper that sends WM_DELETE_WINDOW"
#endif

} // namespace

PokazWindow::PokazWindow(const XServer& server, const QString& executable, const QStringList& launcher)
    : server_(server)
{
    process_.setProcessEnvironment(server.clientEnvironment());
    process_.setProcessChannelMode(QProcess::MergedChannels);
    if (launcher.isEmpty())
        process_.start(executable, {});
    else
        process_.start(launcher.front(), launcher.mid(1) << executable);
}

PokazWindow::~PokazWindow()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.kill();
    process_.waitForFinished(static_cast<int>(std::chrono::milliseconds(KillLimit).count()));
}

bool PokazWindow::waitForWindow(std::chrono::milliseconds timeLimit)
{
    if (!process_.waitForStarted())
        return false;
    const QDeadlineTimer deadline(timeLimit);
    while (!deadline.hasExpired() && process_.state() == QProcess::Running) {
        const auto found = server_.run(QStringLiteral("xdotool"),
                                       {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--name"), QString::fromLatin1(WindowTitle)});
        if (found) {
            const QList<QByteArray> ids = found->trimmed().split('\n');
            if (ids.size() == 1 && !ids.front().isEmpty()) {
                windowId_ = QString::fromLatin1(ids.front());
                if (const auto place = geometry()) {
                    origin_ = place->topLeft();
                    return true;
                }
            }
        }
        QThread::msleep(static_cast<unsigned long>(PollPause.count()));
    }
    return false;
}

std::optional<QRect> PokazWindow::geometry() const
{
    const auto shell = server_.run(QStringLiteral("xdotool"),
                                   {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), windowId_});
    if (!shell)
        return std::nullopt;
    // Lines of KEY=value: WINDOW, X, Y, WIDTH, HEIGHT, SCREEN.
    QRect place;
    for (const QByteArray& line : shell->split('\n')) {
        const int equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray key = line.left(equals);
        const int value = line.mid(equals + 1).toInt();
        if (key == "X")
            place.moveLeft(value);
        else if (key == "Y")
            place.moveTop(value);
        else if (key == "WIDTH")
            place.setWidth(value);
        else if (key == "HEIGHT")
            place.setHeight(value);
    }
    if (place.isEmpty())
        return std::nullopt;
    return place;
}

bool PokazWindow::requestClose() const
{
    return server_.run(QStringLiteral(POKAZ_CLOSE_REQUEST_TOOL), {windowId_}).has_value();
}

std::optional<int> PokazWindow::waitForExit(std::chrono::milliseconds timeLimit)
{
    if (!process_.waitForFinished(static_cast<int>(timeLimit.count())))
        return std::nullopt;
    if (process_.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return process_.exitCode();
}

QString PokazWindow::output()
{
    return QString::fromLocal8Bit(process_.readAll());
}

} // namespace pokaz::test
