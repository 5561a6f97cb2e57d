#include "paper_stages.h"

#include <stdexcept>

namespace pokaz::assets {

QRect PaperStages::writingArea(int stage, int scale)
{
    if (stage <= 0 || stage >= StageCount)
        return {};
    const int bottom = WritingBottom.at(static_cast<std::size_t>(stage));
    return QRect(QPoint(WritingLeft * scale, WritingTop * scale),
        QPoint((WritingRight + 1) * scale - 1, (bottom + 1) * scale - 1));
}

QImage PaperStages::compose(const QImage& blank, const QImage& written, int stage, int scale)
{
    if (blank.size() != written.size() || blank.format() != written.format()
        || blank.colorTable() != written.colorTable())
        throw std::invalid_argument("the blank and the written sheet differ in size, format or palette");

    QImage result = blank.copy();
    const QRect area = writingArea(stage, scale).intersected(result.rect());
    const bool indexed = result.format() == QImage::Format_Indexed8;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (indexed)
                result.setPixel(x, y, static_cast<uint>(written.pixelIndex(x, y)));
            else
                result.setPixel(x, y, written.pixel(x, y));
        }
    }
    return result;
}

} // namespace pokaz::assets
