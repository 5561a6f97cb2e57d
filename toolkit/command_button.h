#pragma once

#include <QPushButton>

namespace pokaz::toolkit {

// A push button with a caption in its own font. A click is its clicked()
// signal: pressed and released over the button, or Space while it has the
// focus. The second press of a double-click is no click; it goes on to the
// window like any other double-click.
class CommandButton final : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(QWidget* parent);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace pokaz::toolkit
