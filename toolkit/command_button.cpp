#include "command_button.h"

#include <QMouseEvent>

namespace pokaz::toolkit {

CommandButton::CommandButton(QWidget* parent)
    : QPushButton(parent)
{
    setAutoDefault(false);
}

void CommandButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // QAbstractButton would treat it as a second press and click again.
    event->ignore();
}

} // namespace pokaz::toolkit
