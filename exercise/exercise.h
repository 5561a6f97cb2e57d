#pragma once

#include "control.h"
#include "drag_state.h"
#include "form_view.h"

#include <array>
#include <cstdint>
#include <optional>

namespace pokaz {

// The exercise: its four state fields and the handlers of the learner's mouse
// actions. It changes the window only through FormView.
class Exercise final {
public:
    // WritingProgress of a finished letter; which paper member shows which
    // progress: stage s runs up to its limit.
    static constexpr std::int16_t LetterFinished = 102;
    static constexpr std::array<std::int16_t, 4> StageLimits{25, 50, 75, 100};

    explicit Exercise(FormView& form);

    // Start-up, restart and exit.
    void Form_Load();
    void BTN_Ponovo_Click();
    void BTN_Kraj_Click();

    // Drawers.
    void Pic_L1_Z_Click();
    void Pic_L2_Z_Click();
    void Pic_L3_Z_Click();
    void Pic_L4_Z_Click();
    void Pic_L5_Z_Click();
    void Pic_L1_O_Click();
    void Pic_L2_O_Click();
    void Pic_L3_O_Click();
    void Pic_L4_O_Click();
    void Pic_L5_O_Click();

    // Writing the letter.
    void Pic_Papir_DragOver(std::int16_t Index, Control Source, float X, float Y, DragState State);

    // Envelope, mailbox and closing scene.
    void Pic_Papir_DblClick(std::int16_t Index);
    void Pic_S_Z_DragOver(Control Source, float X, float Y, DragState State);
    void Pic_S_O_DragOver(Control Source, float X, float Y, DragState State);
    void Pic_S_O_DragDrop(Control Source, float X, float Y);

    std::int16_t OpenDrawer() const { return OpenDrawer_; }
    std::int16_t WritingProgress() const { return WritingProgress_; }
    float PPozadinaHome() const { return PPozadinaHome_.value_or(0.0F); }
    std::int16_t SPozadinaHome() const { return SPozadinaHome_; }

private:
    void ShowPaperStage();
    void clickClosedDrawer(int k);
    void clickOpenDrawer(int k);

    FormView& form_;
    std::int16_t OpenDrawer_ = 0;
    std::int16_t WritingProgress_ = 0;
    std::optional<float> PPozadinaHome_; // empty until the first posting
    std::int16_t SPozadinaHome_ = 0;
};

} // namespace pokaz
