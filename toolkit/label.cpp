#include "label.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>

#include <algorithm>

namespace pokaz::toolkit {

namespace {

constexpr int SingleBorderWidth = 1;
constexpr int OverstrikeOffset = 1;

// Qt draws such a face at its regular weight.
bool needsOverstrike(const QFont& font)
{
    if (!font.bold())
        return false;
    const QString family = QFontInfo(font).family();
    if (QFontDatabase::isSmoothlyScalable(family))
        return false;
    const QStringList styles = QFontDatabase::styles(family);
    return std::none_of(styles.begin(), styles.end(), [&](const QString& style) {
        return QFontDatabase::weight(family, style) >= QFont::Bold;
    });
}

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

void Label::paintEvent(QPaintEvent* event)
{
    if (!needsOverstrike(font())) {
        QLabel::paintEvent(event);
        return;
    }
    // The frame and background as usual, then the caption twice.
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(foreColor());
    const QRect area = contentsRect().adjusted(0, 0, -OverstrikeOffset, 0);
    const int flags = static_cast<int>(alignment()) | Qt::TextSingleLine;
    painter.drawText(area, flags, text());
    painter.drawText(area.translated(OverstrikeOffset, 0), flags, text());
}

} // namespace pokaz::toolkit
