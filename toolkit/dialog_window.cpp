#include "dialog_window.h"

#include "fonts.h"
#include "platform.h"
#include "twips.h"

#include <QScreen>

namespace pokaz::toolkit {

DialogWindow::DialogWindow(QSize clientSize)
    : QWidget(nullptr, fixedDialogFlags())
{
    setFixedSize(clientSize);
    setFont(dialogFont());
    // The system's button face, whatever the desktop's scheme makes it.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

int DialogWindow::clientHeightForOuter(float twips)
{
    return twipsToPixels(twips) - DesignFrameTop - DesignFrameBottom;
}

void DialogWindow::setOuterHeight(float twips)
{
    // A fixed size, so the new height has to be the new fixed height too.
    setFixedHeight(clientHeightForOuter(twips));
}

void DialogWindow::setVisible(bool visible)
{
    // Qt in the browser shows every window full screen unless told otherwise;
    // this one keeps its size, its caption and its close box, and so has to
    // leave full screen before it is placed.
    if (visible)
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    if (visible && !testAttribute(Qt::WA_Moved))
        centreOnScreen();
    QWidget::setVisible(visible);
}

void DialogWindow::centreOnScreen()
{
    // Placed by the program: without a window manager nobody else centres it.
    const QScreen* target = screen();
    if (target == nullptr)
        return;
    const QSize outer(width() + 2 * DesignFrameSide, height() + DesignFrameTop + DesignFrameBottom);
    const QPoint topLeft = target->availableGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2);
    move(topLeft);
}

} // namespace pokaz::toolkit
