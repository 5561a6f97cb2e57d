#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <functional>

class QImage;

namespace pokaz::toolkit {

// A picture control: shows one bitmap at its own pixel size, with the
// bitmap's top-left corner at the client area's top-left and everything
// beyond the client area cut off. It may hold child controls, which the
// program places relative to the client area (clientOrigin()). On a screen
// scaled above 100 % it draws the picture at twice the size instead, scaled
// smoothly to the screen's ratio where that is not exactly 2.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    enum class Border { None, Sunken3D };

    explicit PictureBox(QWidget* parent);

    // `doubleSize` makes the picture at twice the size. It is called the first
    // time the control is drawn on a scaled screen, so a window at 100 % never
    // decodes one.
    void setPicture(const QImage& picture, std::function<QImage()> doubleSize = {});
    QPixmap picture() const { return picture_; }

    void setBorder(Border border);

    // The client area in the control's own coordinates: the outer rectangle
    // less the border on every side.
    QRect clientRect() const;
    QPoint clientOrigin() const { return clientRect().topLeft(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap& pictureForScreen();

    QPixmap picture_;
    std::function<QImage()> makeDoubleSize_;
    QPixmap doubleSize_;
    Border border_ = Border::None;
};

} // namespace pokaz::toolkit
