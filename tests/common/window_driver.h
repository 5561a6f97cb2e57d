#pragma once

#include "form_pokaz.h"

#include <QTest>

#include <memory>

namespace pokaz::test {

// A fresh Form_Pokaz, shown on the offscreen platform, and the left mouse
// button on it. Every event goes through the window system layer, so it
// reaches the control under the pointer the way a real pointer's does
// (needs QTEST_QPA_MOUSE_HANDLING). Points are in the client area.
class WindowDriver final {
public:
    WindowDriver()
        : form_(std::make_unique<Form_Pokaz>())
    {
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get()))
            qFatal("the window was not exposed");
    }

    // The offscreen platform warns on every change of the window's fixed
    // height, which says nothing about the program; in a long run those
    // warnings would use up Qt Test's warning limit. Call once per process.
    static void quietenOffscreenWarnings()
    {
        static const QtMessageHandler previous
            = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                  if (type != QtWarningMsg || message != "This plugin does not support propagateSizeHints()")
                      previous(type, context, message);
              });
    }

    Form_Pokaz& form() { return *form_; }
    const Form_Pokaz& form() const { return *form_; }
    const Exercise& exercise() const { return form_->controls().exercise(); }
    bool shown(Control control) const { return isTrue(form_->controls().Visible(control)); }

    void click(QPoint at) { QTest::mouseClick(form_.get(), Qt::LeftButton, {}, at); }
    void doubleClick(QPoint at) { QTest::mouseDClick(form_.get(), Qt::LeftButton, {}, at); }
    void press(QPoint at) { QTest::mousePress(form_.get(), Qt::LeftButton, {}, at); }
    void move(QPoint to) { QTest::mouseMove(form_.get(), to); }
    void release(QPoint at) { QTest::mouseRelease(form_.get(), Qt::LeftButton, {}, at); }

private:
    std::unique_ptr<Form_Pokaz> form_;
};

} // namespace pokaz::test
