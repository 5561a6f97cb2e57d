#pragma once

#include <QDir>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <chrono>
#include <functional>

namespace pokaz::test {

class XServer;

// The screen of the X server as screenshots. Every screenshot taken is also
// written, numbered and labelled, into a record folder, so that a failed run
// leaves behind what the screen showed.
class Screen final {
public:
    Screen(const XServer& server, const QString& recordFolder);

    // A screenshot of the whole screen in 8-bit RGB, or a null image.
    QImage grab(const QString& label);

    // Takes screenshots until check accepts one or time runs out; returns
    // whether it did. The last screenshot stays available as last().
    bool waitFor(const QString& label, const std::function<bool(const QImage&)>& check,
                 std::chrono::milliseconds timeLimit = std::chrono::seconds(10));

    const QImage& last() const { return last_; }
    QString recordFolder() const { return record_.absolutePath(); }

    // Whether the screenshot shows area of picture (by default all of it)
    // pixel for pixel with that area's top-left corner at topLeft.
    static bool shows(const QImage& shot, const QImage& picture, QPoint topLeft, QRect area = {});

    // How many pixels of rect in the screenshot have exactly this colour.
    static int countColour(const QImage& shot, QRect rect, QRgb colour);

    // How many different colours rect holds (at most limit are counted).
    static int distinctColours(const QImage& shot, QRect rect, int limit = 16);

private:
    const XServer& server_;
    QDir record_;
    int taken_ = 0;
    QImage last_;
};

} // namespace pokaz::test
