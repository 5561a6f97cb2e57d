#include "screen.h"

#include "x_server.h"

#include <QDeadlineTimer>
#include <QSet>
#include <QThread>

namespace pokaz::test {

namespace {

constexpr std::chrono::milliseconds PollPause{50};

} // namespace

Screen::Screen(const XServer& server, const QString& recordFolder)
    : server_(server)
    , record_(recordFolder)
{
    record_.removeRecursively();
    record_.mkpath(QStringLiteral("."));
}

QImage Screen::grab(const QString& label)
{
    // Debian's ImageMagick works with 16-bit samples; -depth 8 asks for
    // ordinary 8-bit PNG so every pixel compares exactly.
    const auto png = server_.run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                              QStringLiteral("-depth"), QStringLiteral("8"),
                                                              QStringLiteral("png:-")});
    if (!png)
        return {};
    QImage shot = QImage::fromData(*png, "PNG").convertToFormat(QImage::Format_RGB32);
    ++taken_;
    shot.save(record_.filePath(QStringLiteral("%1-%2.png").arg(taken_, 3, 10, QLatin1Char('0')).arg(label)));
    last_ = shot;
    return shot;
}

bool Screen::waitFor(const QString& label, const std::function<bool(const QImage&)>& check,
                     std::chrono::milliseconds timeLimit)
{
    const QDeadlineTimer deadline(timeLimit);
    do {
        const QImage shot = grab(label);
        if (!shot.isNull() && check(shot))
            return true;
        QThread::msleep(static_cast<unsigned long>(PollPause.count()));
    } while (!deadline.hasExpired());
    return false;
}

bool Screen::shows(const QImage& shot, const QImage& picture, QPoint topLeft, QRect area)
{
    if (area.isNull())
        area = picture.rect();
    const QImage expected = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const QPoint at = topLeft + QPoint(x, y);
            if (!shot.rect().contains(at))
                return false;
            if ((shot.pixel(at) & RGB_MASK) != (expected.pixel(area.topLeft() + QPoint(x, y)) & RGB_MASK))
                return false;
        }
    }
    return true;
}

int Screen::countColour(const QImage& shot, QRect rect, QRgb colour)
{
    int count = 0;
    const QRect inside = rect & shot.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if ((shot.pixel(x, y) & RGB_MASK) == (colour & RGB_MASK))
                ++count;
        }
    }
    return count;
}

int Screen::distinctColours(const QImage& shot, QRect rect, int limit)
{
    QSet<QRgb> colours;
    const QRect inside = rect & shot.rect();
    for (int y = inside.top(); y <= inside.bottom() && colours.size() < limit; ++y) {
        for (int x = inside.left(); x <= inside.right() && colours.size() < limit; ++x)
            colours.insert(shot.pixel(x, y) & RGB_MASK);
    }
    return static_cast<int>(colours.size());
}

} // namespace pokaz::test
