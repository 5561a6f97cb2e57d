#pragma once

#include <QImage>
#include <QRect>

#include <cstdlib>

namespace pokaz::test {

// The pixels of an image for which test(x, y) holds: how many, and the
// smallest rectangle holding them all.
struct PixelsWhere {
    int count = 0;
    QRect bounds;
};

template <typename Test> PixelsWhere pixelsWhere(const QImage& image, Test test)
{
    PixelsWhere found;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (test(x, y)) {
                ++found.count;
                found.bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return found;
}

// The mean difference of two images' colour channels, 0 to 255.
inline double meanDifference(QImage a, QImage b)
{
    a = a.convertToFormat(QImage::Format_RGB888);
    b = b.convertToFormat(QImage::Format_RGB888);
    qint64 sum = 0;
    for (int y = 0; y < a.height() && a.size() == b.size(); ++y)
        for (int i = 0; i < 3 * a.width(); ++i)
            sum += std::abs(a.constScanLine(y)[i] - b.constScanLine(y)[i]);
    return a.size() == b.size() ? double(sum) / (3.0 * a.width() * a.height()) : 255;
}

} // namespace pokaz::test
