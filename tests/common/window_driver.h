#pragma once

#include "asset_catalog.h"
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
    {
        prepareProcess();
        form_ = std::make_unique<Form_Pokaz>();
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get()))
            qFatal("the window was not exposed");
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
    // Once per process, before the first window: the program's fonts, as
    // main() registers them; and the offscreen platform quietened, which warns
    // on every change of the window's fixed height: that says nothing about
    // the program, and in a long run would use up Qt Test's warning limit.
    static void prepareProcess()
    {
        static const QtMessageHandler previous = [] {
            registerFonts();
            return qInstallMessageHandler(
                [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                    if (type != QtWarningMsg || message != "This plugin does not support propagateSizeHints()")
                        previous(type, context, message);
                });
        }();
    }

    std::unique_ptr<Form_Pokaz> form_;
};

} // namespace pokaz::test
