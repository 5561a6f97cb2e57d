#include "picture_box.h"

#include <QImage>
#include <QPainter>
#include <qdrawutil.h>

namespace pokaz::toolkit {

namespace {

// The sunken three-dimensional edge: two pixels on every side.
constexpr int Sunken3DWidth = 2;
constexpr qreal DoubleSizeRatio = 2.0;

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
        doubleSize_.setDevicePixelRatio(DoubleSizeRatio);
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
        qDrawWinPanel(&painter, rect(), palette(), true);
}

} // namespace pokaz::toolkit
