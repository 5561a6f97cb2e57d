#include "label.h"

#include "fonts.h"
#include "platform.h"
#include "system_color.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace pokaz::toolkit {

namespace {

constexpr int SingleBorderWidth = 1;
constexpr int OverstrikeOffset = 1;

// Qt draws such a face at its regular weight.
bool needsOverstrike(const QFont& font)
{
    if (!font.bold() || !isBitmapFace(font))
        return false;
    const QString family = QFontInfo(font).family();
    const QStringList styles = QFontDatabase::styles(family);
    return std::none_of(styles.begin(), styles.end(),
        [&](const QString& style) { return QFontDatabase::weight(family, style) >= QFont::Bold; });
}

void drawCaption(QPainter& painter, const QRect& area, const QLabel& label)
{
    const int flags = static_cast<int>(label.alignment()) | Qt::TextSingleLine;
    if (!needsOverstrike(label.font())) {
        painter.drawText(area, flags, label.text());
        return;
    }
    const QRect narrowed = area.adjusted(0, 0, -OverstrikeOffset, 0);
    painter.drawText(narrowed, flags, label.text());
    painter.drawText(narrowed.translated(OverstrikeOffset, 0), flags, label.text());
}

// The highlighted instruction differs from the others by its colours and
// italics, so a screen reader is told when they change, as of its caption.
void announceTextAttributes(QLabel* label)
{
    QAccessibleEvent event(label, QAccessible::TextAttributeChanged);
    QAccessible::updateAccessibility(&event);
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
    applyColors();
}

void Label::setCaption(const QString& caption)
{
    setText(caption);
    if (isVisible())
        showStatus(accessibleDescription(), caption);
}

void Label::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    showStatus(accessibleDescription(), text());
}

void Label::hideEvent(QHideEvent* event)
{
    QLabel::hideEvent(event);
    showStatus(accessibleDescription(), QString());
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

void Label::setBackColor(OleColor color)
{
    back_ = color;
    applyColors();
    announceTextAttributes(this);
}

void Label::setForeColor(OleColor color)
{
    fore_ = color;
    applyColors();
    announceTextAttributes(this);
}

void Label::applyColors()
{
    // A palette that sets nothing follows the application's, scheme changes
    // included; only fixed colours are set in it.
    QPalette colors;
    const auto place = [&colors](OleColor color, QPalette::ColorRole fixedRole) {
        if (const auto role = systemColorRole(color))
            return *role;
        colors.setColor(fixedRole, fixedColor(color));
        return fixedRole;
    };
    setBackgroundRole(place(back_, QPalette::Window));
    setForegroundRole(place(fore_, QPalette::WindowText));
    setPalette(colors);
}

void Label::setFontItalic(bool italic)
{
    QFont changed = font();
    changed.setItalic(italic);
    setFont(changed);
    announceTextAttributes(this);
}

void Label::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    const bool scaledBitmapFace = ratio > 1.0 && isBitmapFace(font());
    if (!needsOverstrike(font()) && !scaledBitmapFace) {
        QLabel::paintEvent(event);
        return;
    }
    // The frame and background as usual, then the caption ourselves.
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect();
    if (!scaledBitmapFace) {
        drawCaption(painter, area, *this);
        return;
    }
    // A bitmap face has strikes at a few sizes, none at this scale: the
    // caption is drawn as at 100 %, its pixels enlarged the whole number of
    // times next above the scale, and that scaled smoothly to the scale.
    QImage caption(area.size(), QImage::Format_ARGB32_Premultiplied);
    caption.fill(Qt::transparent);
    QPainter captionPainter(&caption);
    captionPainter.setFont(font());
    captionPainter.setPen(palette().color(foregroundRole()));
    drawCaption(captionPainter, caption.rect(), *this);
    captionPainter.end();
    const int factor = static_cast<int>(std::ceil(ratio));
    QImage enlarged = caption.scaled(caption.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    enlarged.setDevicePixelRatio(factor);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(area.topLeft(), enlarged);
}

} // namespace pokaz::toolkit
