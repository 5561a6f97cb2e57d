#pragma once

#include <QImage>
#include <QRect>

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

} // namespace pokaz::test
