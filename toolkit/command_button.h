#pragma once

#include <QPushButton>

namespace pokaz::toolkit {

// A push button with a caption in its own font. A click is its clicked()
// signal: pressed and released over the button, or Space while it has the
// focus. The second press of a double-click is no click; it goes on to the
// window like any other double-click. On a screen scaled to 2 or more, a
// bold caption is drawn again one screen pixel to the right for each whole
// step above 1, as emboldening the outlines alone thickens them by less the
// larger they are drawn.
class CommandButton final : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(QWidget* parent);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pokaz::toolkit
