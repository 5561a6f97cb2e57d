#include "window_driver.h"

#include <QTest>

namespace pokaz::test {

namespace {

QtMessageHandler previousHandler = nullptr;

void dropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message == QStringLiteral("This plugin does not support propagateSizeHints()"))
        return;
    previousHandler(type, context, message);
}

} // namespace

void WindowDriver::quietenOffscreenWarnings()
{
    if (previousHandler == nullptr)
        previousHandler = qInstallMessageHandler(dropSizeHintWarnings);
}

WindowDriver::WindowDriver()
    : form_(std::make_unique<Form_Pokaz>())
{
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get()))
        qFatal("the window was not exposed");
}

void WindowDriver::click(QPoint at) { QTest::mouseClick(form_.get(), Qt::LeftButton, {}, at); }

void WindowDriver::doubleClick(QPoint at) { QTest::mouseDClick(form_.get(), Qt::LeftButton, {}, at); }

void WindowDriver::press(QPoint at) { QTest::mousePress(form_.get(), Qt::LeftButton, {}, at); }

void WindowDriver::move(QPoint to) { QTest::mouseMove(form_.get(), to); }

void WindowDriver::release(QPoint at) { QTest::mouseRelease(form_.get(), Qt::LeftButton, {}, at); }

} // namespace pokaz::test
