#include "frame.h"

#include <QPainter>
#include <qdrawutil.h>

namespace pokaz::toolkit {

namespace {

// The caption starts this far right of the frame's left edge.
constexpr int CaptionIndent = 8;
constexpr int EtchedLineWidth = 1;

} // namespace

Frame::Frame(QWidget* parent)
    : QGroupBox(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void Frame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    // The border runs through the middle of the caption line.
    const int borderTop = metrics.height() / 2;
    qDrawShadeRect(&painter, QRect(0, borderTop, width(), height() - borderTop), palette(), true, EtchedLineWidth);

    if (title().isEmpty())
        return;
    const QRect caption(CaptionIndent, 0, metrics.horizontalAdvance(title()), metrics.height());
    painter.fillRect(caption, palette().button());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
}

} // namespace pokaz::toolkit
