#pragma once

#include <QPushButton>

namespace pokaz::toolkit {

// A push button with a caption in its own font. A click is its clicked()
// signal: pressed and released over the button, or Space while it has the
// focus. On a screen scaled to 2 or more, a
// bold caption is drawn again one screen pixel to the right for each whole
// step above 1, as emboldening the outlines alone thickens them by less the
// larger they are drawn.
class CommandButton final : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pokaz::toolkit
