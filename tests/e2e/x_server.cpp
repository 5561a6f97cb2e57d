#include "x_server.h"

#include <QDeadlineTimer>

namespace pokaz::test {

namespace {

constexpr std::chrono::seconds ServerStartLimit{15};
constexpr std::chrono::seconds ServerStopLimit{5};
constexpr auto ScreenGeometry = "1024x768x24";

} // namespace

XServer::XServer()
{
    // -displayfd 1: Xvfb chooses an unused display number and writes it to
    // its standard output once it accepts clients.
    server_.setProgram(QStringLiteral("Xvfb"));
    server_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                          QStringLiteral("0"), QString::fromLatin1(ScreenGeometry), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp"), QStringLiteral("-noreset")});
    server_.setProcessChannelMode(QProcess::SeparateChannels);
    server_.start();
    if (!server_.waitForStarted()) {
        startError_ = QStringLiteral("Xvfb did not start: ") + server_.errorString();
        return;
    }

    const QDeadlineTimer deadline(ServerStartLimit);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired()) {
        if (server_.state() != QProcess::Running)
            break;
        server_.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        output += server_.readAllStandardOutput();
    }
    const QByteArray number = output.trimmed();
    if (!output.contains('\n') || number.isEmpty()) {
        startError_ = QStringLiteral("Xvfb gave no display number: ")
                      + QString::fromLocal8Bit(server_.readAllStandardError());
        return;
    }
    display_ = QLatin1Char(':') + QString::fromLatin1(number);
}

XServer::~XServer()
{
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.terminate();
    if (!server_.waitForFinished(static_cast<int>(std::chrono::milliseconds(ServerStopLimit).count()))) {
        server_.kill();
        server_.waitForFinished();
    }
}

QProcessEnvironment XServer::clientEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

std::optional<QByteArray> XServer::run(const QString& program, const QStringList& arguments,
                                       std::chrono::milliseconds timeLimit) const
{
    QProcess client;
    client.setProcessEnvironment(clientEnvironment());
    client.start(program, arguments);
    if (!client.waitForFinished(static_cast<int>(timeLimit.count()))) {
        client.kill();
        client.waitForFinished();
        return std::nullopt;
    }
    if (client.exitStatus() != QProcess::NormalExit || client.exitCode() != 0)
        return std::nullopt;
    return client.readAllStandardOutput();
}

} // namespace pokaz::test
