#pragma once

#include <QGroupBox>

namespace pokaz::toolkit {

// A captioned frame: an etched border with the caption set into its top edge
// at the left, on the container's own background. Its children are placed
// from its outer top-left corner, caption line included, and hide with it.
class Frame final : public QGroupBox {
    Q_OBJECT

public:
    explicit Frame(QWidget* parent);

protected:
    // Drawn by hand: the desktop style would tint the inside of the frame.
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pokaz::toolkit
