#pragma once

#include "control.h"
#include "control_events.h"
#include "dialog_window.h"
#include "exercise.h"
#include "form_view.h"
#include "mouse_router.h"

#include <array>
#include <optional>
#include <vector>

namespace pokaz {

namespace toolkit {
class Label;
}

struct ControlLayout;

// The one window of the program. It creates every control from the layout
// table, owns them and the Exercise, runs Form_Load before it is first shown,
// and hands each control event to the handler named for it. What a handler
// does is the Exercise's business; the window only carries it out through
// FormView.
class Form_Pokaz final : public toolkit::DialogWindow,
                         public FormView,
                         private toolkit::ControlEvents {
    Q_OBJECT

public:
    Form_Pokaz();
    ~Form_Pokaz() override;

    Form_Pokaz(const Form_Pokaz&) = delete;
    Form_Pokaz& operator=(const Form_Pokaz&) = delete;

    QWidget* control(Control control) const;
    // The control a widget is, if it is one.
    std::optional<Control> controlOf(const QWidget* widget) const;
    // The topmost shown control at a point of the client area, if any.
    std::optional<Control> controlAt(QPoint clientPos) const;

    const Exercise& exercise() const { return exercise_; }

    // FormView
    Truth Visible(Control control) const override;
    void setVisible(Control control, Truth visible) override;
    void setCaption(Control label, std::string_view caption) override;
    void setBackColor(Control label, OleColor color) override;
    void setForeColor(Control label, OleColor color) override;
    void setFontItalic(Control label, Truth italic) override;
    float Left(Control picture) const override;
    void setLeft(Control picture, float twips) override;
    void setHeight(float twips) override;
    void endProgram() override;

    using DialogWindow::setVisible;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Not a second press: QWidget's own version would make it one.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void createControls();
    QWidget* createControl(const ControlLayout& row, QWidget* container);
    void stackControls();
    // A picture control's picture and drag pointer.
    void givePicture(Control control);
    void giveRemainingPictures();
    QPoint containerOrigin(Control control) const;
    toolkit::Label& label(Control control) const;

    // toolkit::ControlEvents
    void click(QWidget* control) override;
    void doubleClick(QWidget* control) override;
    void dragOver(QWidget* target, QWidget* source, QPoint windowPos, DragState state) override;
    void dragDrop(QWidget* target, QWidget* source, QPoint windowPos) override;
    QPointF twipsWithin(QWidget* control, QPoint windowPos) const;

    std::array<QWidget*, ControlCount> controls_{};
    // Left as last set, kept exactly; the widget stands at the nearest pixel.
    std::array<float, ControlCount> lefts_{};
    // Picture controls that the first frame does not show, still without
    // their pictures.
    std::vector<Control> picturesToGive_;
    toolkit::MouseRouter router_;
    Exercise exercise_;
};

} // namespace pokaz
