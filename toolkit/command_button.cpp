#include "command_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <cmath>

namespace pokaz::toolkit {

CommandButton::CommandButton(QWidget* parent)
    : QPushButton(parent)
{
    setAutoDefault(false);
}

void CommandButton::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    const int extraStrikes = font().bold() ? static_cast<int>(std::floor(ratio)) - 1 : 0;
    if (extraStrikes <= 0) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QStyleOptionButton label = option;
    label.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    option.text.clear(); // the button with its focus frame, but no caption
    painter.drawControl(QStyle::CE_PushButton, option);
    for (int strike = 0; strike <= extraStrikes; ++strike) {
        painter.drawControl(QStyle::CE_PushButtonLabel, label);
        painter.translate(1.0 / ratio, 0.0); // one screen pixel
    }
}

} // namespace pokaz::toolkit
