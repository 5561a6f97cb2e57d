#pragma once

#include "dialog_window.h"
#include "form_controller.h"

namespace pokaz {

// The one window of the program: its caption, icon and background, and the
// controls the controller makes in it. The window only hosts and paints;
// what any mouse action does is the exercise's business.
class Form_Pokaz final : public toolkit::DialogWindow {
    Q_OBJECT

public:
    Form_Pokaz();

    FormController& controls() { return controls_; }
    const FormController& controls() const { return controls_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FormController controls_;
};

} // namespace pokaz
