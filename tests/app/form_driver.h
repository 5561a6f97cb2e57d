#pragma once

#include "control.h"
#include "form_pokaz.h"

#include <QPoint>

#include <memory>

// Drives the shown window with real mouse events at the controls' places,
// the way a learner would.
class FormDriver final {
public:
    FormDriver();

    pokaz::Form_Pokaz& form() { return *form_; }
    const pokaz::Exercise& exercise() const { return form_->exercise(); }

    // In the window's client coordinates.
    QPoint topLeftOf(pokaz::Control control) const;
    QPoint centreOf(pokaz::Control control) const;

    void click(pokaz::Control control);
    void clickAt(QPoint pos);
    void doubleClickAt(QPoint pos);
    void press(QPoint pos);
    void move(QPoint pos);
    void release(QPoint pos);

    bool isVisible(pokaz::Control control) const;

    // Drawer 3 opened and closed, then drawer 4: paper and pencils on the desk.
    void takeOutPaperAndPencils();
    // Drags the pencils onto the paper and over it until the progress is
    // reached; the pencils stay pressed until release().
    void writeUntil(int writingProgress);
    // The finished letter double-clicked into its envelope.
    void goToMailbox();
    // The envelope dropped into the slot, and the closing slide.
    void postLetter();

private:
    std::unique_ptr<pokaz::Form_Pokaz> form_;
    QPoint lastPaperPos_;
};
