#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

class QImage;

namespace pokaz::toolkit {

// A picture control: shows one bitmap at its own pixel size, with the
// bitmap's top-left corner at the client area's top-left and everything
// beyond the client area cut off. It may hold child controls, which the
// program places relative to the client area (clientOrigin()).
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    enum class Border { None, Sunken3D };

    explicit PictureBox(QWidget* parent);

    void setPicture(const QImage& picture);
    QPixmap picture() const { return picture_; }

    void setBorder(Border border);
    Border border() const { return border_; }

    // Seen only where the picture does not cover the client area.
    void setBackColor(const QColor& color);

    // The client area in the control's own coordinates: the outer rectangle
    // less the border on every side.
    QRect clientRect() const;
    QPoint clientOrigin() const { return clientRect().topLeft(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    Border border_ = Border::None;
    QColor backColor_;
};

} // namespace pokaz::toolkit
