#pragma once

#include "control_events.h"
#include "exercise.h"
#include "form_view.h"
#include "mouse_router.h"

#include <QCursor>

#include <array>
#include <optional>

namespace pokaz {

namespace toolkit {
class DialogWindow;
class Label;
} // namespace toolkit

struct ControlLayout;

// The controls of Form_Pokaz and the exercise that runs on them. It makes
// every control from the layout table into the window, keeps one record per
// control, carries out what the exercise does through FormView, and hands it
// the mouse's control events by the handler named for them.
class FormController final : public FormView, public toolkit::ControlLocator, private toolkit::ControlEvents {
public:
    explicit FormController(toolkit::DialogWindow& window);
    ~FormController() override;
    FormController(const FormController&) = delete;
    FormController& operator=(const FormController&) = delete;

    const Exercise& exercise() const { return exercise_; }
    QWidget* widget(Control control) const { return record(control).widget; }

    // The pictures that the first frame does not show, decoded right after it.
    bool hasPicturesToGive() const { return !picturesToGive_.empty(); }
    void giveRemainingPictures();

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

    // toolkit::ControlLocator
    toolkit::ControlId controlAt(QPoint windowPos) const override;
    bool isShown(toolkit::ControlId control) const override;
    std::optional<QCursor> dragPointer(toolkit::ControlId control) const override;

private:
    struct ControlRecord {
        const ControlLayout* layout = nullptr;
        QWidget* widget = nullptr; // owned by its container
        float left = 0; // as last set, kept exactly; the widget stands at the nearest pixel
    };

    const ControlRecord& record(Control control) const { return records_.at(static_cast<std::size_t>(control)); }
    ControlRecord& record(Control control) { return records_.at(static_cast<std::size_t>(control)); }
    QWidget* createWidget(const ControlLayout& row, QWidget& container);
    QPoint containerOrigin(Control control) const;
    toolkit::Label& label(Control control) const;
    void givePicture(Control control);

    // toolkit::ControlEvents
    void click(toolkit::ControlId control) override;
    void doubleClick(toolkit::ControlId control) override;
    void dragOver(toolkit::ControlId target, toolkit::ControlId source, QPoint windowPos, DragState state) override;
    void dragDrop(toolkit::ControlId target, toolkit::ControlId source, QPoint windowPos) override;
    QPointF twipsWithin(Control control, QPoint windowPos) const;

    toolkit::DialogWindow& window_;
    // Where they are missing, pictures and drag icons are drawn at their own size.
    const bool hasDoublePictures_;
    std::array<ControlRecord, ControlCount> records_{};
    std::vector<Control> picturesToGive_;
    toolkit::MouseRouter router_;
    Exercise exercise_;
};

} // namespace pokaz
