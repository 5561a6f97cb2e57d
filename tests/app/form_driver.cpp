#include "form_driver.h"

#include <QTest>

using pokaz::Control;

FormDriver::FormDriver()
    : form_(std::make_unique<pokaz::Form_Pokaz>())
{
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get()))
        qFatal("the window was not shown");
}

QPoint FormDriver::topLeftOf(Control control) const
{
    return form_->control(control)->mapTo(form_.get(), QPoint(0, 0));
}

QPoint FormDriver::centreOf(Control control) const
{
    return form_->control(control)->mapTo(form_.get(), form_->control(control)->rect().center());
}

void FormDriver::click(Control control)
{
    clickAt(centreOf(control));
}

void FormDriver::clickAt(QPoint pos)
{
    QTest::mouseClick(form_.get(), Qt::LeftButton, {}, pos);
}

void FormDriver::doubleClickAt(QPoint pos)
{
    QTest::mouseDClick(form_.get(), Qt::LeftButton, {}, pos);
}

void FormDriver::press(QPoint pos)
{
    QTest::mousePress(form_.get(), Qt::LeftButton, {}, pos);
}

void FormDriver::move(QPoint pos)
{
    QTest::mouseMove(form_.get(), pos);
}

void FormDriver::release(QPoint pos)
{
    QTest::mouseRelease(form_.get(), Qt::LeftButton, {}, pos);
}

bool FormDriver::isVisible(Control control) const
{
    return pokaz::isTrue(form_->Visible(control));
}

void FormDriver::takeOutPaperAndPencils()
{
    click(Control::Pic_L3_Z);
    click(Control::Pic_L3_O);
    click(Control::Pic_L4_Z);
    click(Control::Pic_L4_O);
}

void FormDriver::writeUntil(int writingProgress)
{
    // Two points inside every paper member: the pointer zigzags between them.
    const QPoint paper = topLeftOf(Control::Pic_Papir_1) + QPoint(10, 10);
    const QPoint nextTo = paper + QPoint(1, 0);
    if (exercise().WritingProgress() < 0 || !form_->control(Control::Pic_Olovke)->isVisible())
        qFatal("the paper and the pencils are not both on the desk");
    press(centreOf(Control::Pic_Olovke));
    int guard = 0;
    while (exercise().WritingProgress() < writingProgress && ++guard < 1000) {
        lastPaperPos_ = lastPaperPos_ == paper ? nextTo : paper;
        move(lastPaperPos_);
    }
}

void FormDriver::goToMailbox()
{
    takeOutPaperAndPencils();
    writeUntil(102);
    release(lastPaperPos_);
    doubleClickAt(centreOf(Control::Pic_Papir_4));
}

void FormDriver::postLetter()
{
    press(centreOf(Control::Pic_Pismo));
    move(centreOf(Control::Pic_S_Z));
    move(centreOf(Control::Pic_S_Z) + QPoint(1, 1));
    release(centreOf(Control::Pic_S_Z) + QPoint(1, 1));
}
