#pragma once

#include "form_pokaz.h"

#include <QPoint>

#include <memory>

namespace pokaz::test {

// A fresh Form_Pokaz, shown on the offscreen platform, and the left mouse
// button on it. Every event goes through the window system layer, so it
// reaches the control under the pointer the way a real pointer's does
// (needs QTEST_QPA_MOUSE_HANDLING). Points are in the client area.
class WindowDriver final {
public:
    WindowDriver();

    // The offscreen platform warns on every change of the window's fixed
    // height, which says nothing about the program; in a long run those
    // warnings would use up Qt Test's warning limit. Call once per process.
    static void quietenOffscreenWarnings();

    Form_Pokaz& form() { return *form_; }
    const Form_Pokaz& form() const { return *form_; }
    const Exercise& exercise() const { return form_->controls().exercise(); }
    bool shown(Control control) const { return isTrue(form_->controls().Visible(control)); }

    void click(QPoint at);
    void doubleClick(QPoint at);
    void press(QPoint at);
    void move(QPoint to);
    void release(QPoint at);

private:
    std::unique_ptr<Form_Pokaz> form_;
};

} // namespace pokaz::test
