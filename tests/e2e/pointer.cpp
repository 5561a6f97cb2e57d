#include "pointer.h"

#include "x_server.h"

#include <chrono>

namespace pokaz::test {

namespace {

constexpr auto LeftButton = "1";
// Between the two clicks of a double-click: well inside the toolkit's
// double-click interval of 400 ms.
constexpr auto DoubleClickGapMs = "80";
constexpr std::chrono::seconds LongestChain{60};

QStringList moveCommand(QPoint point)
{
    return {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y())};
}

} // namespace

Pointer::Pointer(const XServer& server)
    : server_(server)
{
}

bool Pointer::moveTo(QPoint point) { return xdotool(moveCommand(point)); }

bool Pointer::press() { return xdotool({QStringLiteral("mousedown"), QString::fromLatin1(LeftButton)}); }

bool Pointer::release() { return xdotool({QStringLiteral("mouseup"), QString::fromLatin1(LeftButton)}); }

bool Pointer::click() { return xdotool({QStringLiteral("click"), QString::fromLatin1(LeftButton)}); }

bool Pointer::doubleClick()
{
    return xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
                    QString::fromLatin1(DoubleClickGapMs), QString::fromLatin1(LeftButton)});
}

bool Pointer::moveAlong(const QList<QPoint>& points, std::chrono::milliseconds pause)
{
    // One xdotool run for the whole path keeps the pauses even.
    const QString seconds = QString::number(std::chrono::duration<double>(pause).count());
    QStringList commands;
    for (const QPoint point : points)
        commands << moveCommand(point) << QStringLiteral("sleep") << seconds;
    return xdotool(commands);
}

bool Pointer::drag(QPoint from, const QList<QPoint>& path)
{
    return moveTo(from) && press() && moveAlong(path) && release();
}

bool Pointer::xdotool(const QStringList& commands)
{
    return server_.run(QStringLiteral("xdotool"), commands, LongestChain).has_value();
}

} // namespace pokaz::test
