#pragma once

#include <QLabel>

namespace pokaz::toolkit {

// A label: its caption in its own font and alignment, on an opaque
// background. It keeps the size it is given and never takes the focus.
// A bold caption in a bitmap face that has no bold cut is drawn twice, one
// pixel apart, as desktops embolden such faces. On a scaled screen a caption
// in a bitmap face is that drawing with its pixels enlarged.
class Label final : public QLabel {
    Q_OBJECT

public:
    enum class Border { None, SingleSunken };

    explicit Label(QWidget* parent);

    void setBorder(Border border);
    void setBackColor(const QColor& color);
    void setForeColor(const QColor& color);
    void setFontItalic(bool italic);

    QColor backColor() const;
    QColor foreColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pokaz::toolkit
