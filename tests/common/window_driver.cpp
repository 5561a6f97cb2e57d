#include "window_driver.h"

#include "client_layout.h"

#include <QTest>

namespace pokaz::test {

namespace {

constexpr std::int16_t LetterFinished = 102;
constexpr int MostWritingMoves = 200;

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

bool WindowDriver::runToClosingScene()
{
    click(closedDrawerPoint(3));
    click(openDrawerPoint(3));
    click(closedDrawerPoint(4));
    click(openDrawerPoint(4));
    if (exercise().WritingProgress() != 1 || !shown(Control::Pic_Olovke))
        return false;

    press(PencilsPoint);
    const QPoint paper = clientRect(Control::Pic_Papir_1).center();
    for (int n = 0; n < MostWritingMoves && exercise().WritingProgress() < LetterFinished; ++n)
        move(paper + QPoint(n % 2, 0));
    release(paper);
    if (exercise().WritingProgress() != LetterFinished)
        return false;

    doubleClick(PaperPoint);
    if (!shown(Control::Frame_Posta))
        return false;

    press(EnvelopePoint);
    move(BetweenBackgroundsPoint);
    move(SlotPoint);
    move(SlotPoint + QPoint(1, 1));
    release(SlotPoint + QPoint(1, 1));
    return shown(Control::BTN_Ponovo) && !shown(Control::Pic_Pismo);
}

} // namespace pokaz::test
