#pragma once

#include "ole_color.h"

#include <QLabel>

namespace pokaz::toolkit {

// A label: its caption in its own font and alignment, on an opaque
// background, in the system's button colours until told otherwise. It keeps the size it is given and never takes the
// focus. A bold caption in a bitmap face that has no bold cut is drawn twice, one pixel apart, as desktops embolden
// such faces. On a scaled screen a caption in a bitmap face is that drawing with its pixels enlarged.
//
// Its caption is a status message: the program's labels tell the learner what to do, how far the letter is
// written and that the exercise is over. While it is shown, the platform hears it (showStatus) under what the
// label is for, its accessible description.
class Label final : public QLabel {
    Q_OBJECT

public:
    enum class Border { None, SingleSunken };

    explicit Label(QWidget* parent);

    void setCaption(const QString& caption);
    void setBorder(Border border);
    void setBackColor(OleColor color);
    void setForeColor(OleColor color);
    void setFontItalic(bool italic);

    OleColor backColor() const { return back_; }
    OleColor foreColor() const { return fore_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void applyColors();

    OleColor back_ = colors::ButtonFace;
    OleColor fore_ = colors::ButtonText;
};

} // namespace pokaz::toolkit
