#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <optional>

namespace pokaz::test {

// A private Xvfb on a display number that the server picks itself (free at
// that moment), stopped again when this object goes away.
class XServer final {
public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool running() const { return !display_.isEmpty(); }
    QString display() const { return display_; }
    QString startError() const { return startError_; }

    // The environment of a client of this server and of nothing else, with
    // a private runtime folder as a desktop session has one.
    QProcessEnvironment clientEnvironment() const;

    // Runs an X client tool (xdotool, import, ...) to its end and returns its
    // standard output, or nothing if it failed or outlived the time limit.
    std::optional<QByteArray> run(const QString& program, const QStringList& arguments,
                                  std::chrono::milliseconds timeLimit = std::chrono::seconds(10)) const;

private:
    QProcess server_;
    QTemporaryDir runtime_;
    QString display_;
    QString startError_;
};

} // namespace pokaz::test
