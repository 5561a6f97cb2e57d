#include "picture_box.h"

#include "asset_manifest.h"

#include <QImage>
#include <QPainter>

#include <utility>

namespace pokaz::toolkit {

namespace {

// The sunken three-dimensional edge: two pixels on every side.
constexpr int Sunken3DWidth = 2;

// The sunken edge as two nested frames of one pixel each, the top and left
// darker than the bottom and right. Filled as rectangles, so that each line
// is as wide as the screen's scale makes a pixel; Qt's own drawing of this
// edge keeps its lines one screen pixel wide and leaves a gap inside them.
void drawSunkenEdge(QPainter& painter, QRect outer, const QPalette& colours)
{
    const std::pair<QColor, QColor> lines[] = {
        {colours.color(QPalette::Dark), colours.color(QPalette::Light)},
        {colours.color(QPalette::Shadow), colours.color(QPalette::Midlight)},
    };
    for (const auto& [topLeft, bottomRight] : lines) {
        painter.fillRect(outer.left(), outer.top(), outer.width(), 1, topLeft);
        painter.fillRect(outer.left(), outer.top(), 1, outer.height(), topLeft);
        painter.fillRect(outer.left(), outer.bottom(), outer.width(), 1, bottomRight);
        painter.fillRect(outer.right(), outer.top(), 1, outer.height(), bottomRight);
        outer.adjust(1, 1, -1, -1);
    }
}

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    // The picture and the edge cover every pixel, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::setPicture(const QImage& picture, std::function<QImage()> doubleSize)
{
    picture_ = QPixmap::fromImage(picture);
    makeDoubleSize_ = std::move(doubleSize);
    doubleSize_ = QPixmap();
    update();
}

const QPixmap& PictureBox::pictureForScreen()
{
    if (devicePixelRatioF() <= 1.0 || !makeDoubleSize_)
        return picture_;
    if (doubleSize_.isNull()) {
        doubleSize_ = QPixmap::fromImage(makeDoubleSize_());
        doubleSize_.setDevicePixelRatio(assets::DoubleFactor);
    }
    return doubleSize_;
}

void PictureBox::setBorder(Border border)
{
    border_ = border;
    update();
}

QRect PictureBox::clientRect() const
{
    const int edge = border_ == Border::Sunken3D ? Sunken3DWidth : 0;
    return rect().adjusted(edge, edge, -edge, -edge);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect client = clientRect();
    painter.save();
    painter.setClipRect(client);
    // Seen only where the picture does not cover the client area.
    painter.fillRect(client, palette().base());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(client.topLeft(), pictureForScreen());
    painter.restore();
    if (border_ == Border::Sunken3D)
        drawSunkenEdge(painter, rect(), palette());
}

} // namespace pokaz::toolkit
