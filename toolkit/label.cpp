#include "label.h"

namespace pokaz::toolkit {

namespace {

constexpr int SingleBorderWidth = 1;

} // namespace

Label::Label(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    // The caption starts right at the border, as the captions' own leading
    // blank expects, and the text sits at the top like any desktop label's.
    setIndent(0);
    setMargin(0);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void Label::setBorder(Border border)
{
    if (border == Border::SingleSunken) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(SingleBorderWidth);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
}

void Label::setBackColor(const QColor& color)
{
    QPalette colors = palette();
    colors.setColor(QPalette::Window, color);
    setPalette(colors);
}

void Label::setForeColor(const QColor& color)
{
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}

void Label::setFontItalic(bool italic)
{
    QFont changed = font();
    changed.setItalic(italic);
    setFont(changed);
}

QColor Label::backColor() const
{
    return palette().color(QPalette::Window);
}

QColor Label::foreColor() const
{
    return palette().color(QPalette::WindowText);
}

} // namespace pokaz::toolkit
