#include "exercise.h"

#include <cmath>
#include <string>

namespace pokaz {

namespace {

// The window's outer height in twips: the full exercise, and the short strip
// of the closing scene.
constexpr float FullHeight = 8520.0F;
constexpr float ClosingHeight = 4000.0F;

// WritingProgress is the percentage written plus one; 102 marks a finished letter.
constexpr std::int16_t PaperInDrawerStart = -1;
constexpr std::int16_t TextWritten = 101;
constexpr std::int16_t LetterFinished = Exercise::LetterFinished;

constexpr auto StageLimits = Exercise::StageLimits;

// The closing slide: the step variable runs 1, 41, ..., 3681 and the man
// moves 1.2 times as fast as the mailbox, having the longer way out.
constexpr int SlideFirst = 1;
constexpr int SlideLimit = 3700;
constexpr int SlideIncrement = 40;
constexpr double ManSpeedFactor = 1.2;

constexpr int PaperDrawer = 3;
constexpr int PencilDrawer = 4;

constexpr auto FirstInstruction = " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo.";
constexpr auto DoubleClickInstruction = " Napravite dvostruki klik na papir da stavite pismo u kuvertu!";
constexpr auto PostInstruction = " Ubacite pismo u poštanski sandučić!";
constexpr auto StartProgress = "0%";

std::string progressCaption(int percent) { return " " + std::to_string(percent) + "%"; }

} // namespace

Exercise::Exercise(FormView& form)
    : form_(form)
{
}

// Start-up

void Exercise::Form_Load()
{
    form_.setHeight(FullHeight);

    for (int k = 1; k <= 5; ++k)
        form_.setVisible(openDrawer(k), Truth::False);
    for (int k = 1; k <= 5; ++k)
        form_.setVisible(closedDrawer(k), Truth::True);

    form_.setVisible(Control::Pic_Olovke, Truth::False);
    form_.setVisible(Control::Pic_S_O, Truth::False);

    form_.setVisible(Control::Frame_Pismo, Truth::True);
    form_.setVisible(Control::Frame_Posta, Truth::False);

    form_.setVisible(Control::BTN_Kraj, Truth::False);
    form_.setVisible(Control::BTN_Ponovo, Truth::False);
    form_.setVisible(Control::PorukaKraj, Truth::False);

    OpenDrawer_ = 0;
    WritingProgress_ = PaperInDrawerStart;
    ShowPaperStage();

    form_.setVisible(Control::Poruka, Truth::True);
    form_.setVisible(Control::Tok, Truth::True);
    form_.setCaption(Control::Poruka, FirstInstruction);
    form_.setCaption(Control::Tok, StartProgress);

    form_.setVisible(Control::Pic_S_O, Truth::False);
    form_.setVisible(Control::Pic_S_Z, Truth::True);
    form_.setVisible(Control::Pic_Pismo, Truth::True);
}

void Exercise::BTN_Ponovo_Click()
{
    form_.setLeft(Control::Pic_P_Pozadina, PPozadinaHome());
    form_.setLeft(Control::Pic_S_Pozadina, static_cast<float>(SPozadinaHome_));
    Form_Load();
}

void Exercise::BTN_Kraj_Click() { form_.endProgram(); }

// Drawers

void Exercise::Pic_L1_Z_Click() { clickClosedDrawer(1); }
void Exercise::Pic_L2_Z_Click() { clickClosedDrawer(2); }
void Exercise::Pic_L3_Z_Click() { clickClosedDrawer(3); }
void Exercise::Pic_L4_Z_Click() { clickClosedDrawer(4); }
void Exercise::Pic_L5_Z_Click() { clickClosedDrawer(5); }
void Exercise::Pic_L1_O_Click() { clickOpenDrawer(1); }
void Exercise::Pic_L2_O_Click() { clickOpenDrawer(2); }
void Exercise::Pic_L3_O_Click() { clickOpenDrawer(3); }
void Exercise::Pic_L4_O_Click() { clickOpenDrawer(4); }
void Exercise::Pic_L5_O_Click() { clickOpenDrawer(5); }

void Exercise::clickClosedDrawer(int k)
{
    if (OpenDrawer_ != 0)
        return;

    form_.setVisible(closedDrawer(k), Truth::False);
    form_.setVisible(openDrawer(k), Truth::True);

    if (k == PaperDrawer) {
        // The sign says where the paper lies; the magnitude keeps the progress.
        WritingProgress_ = static_cast<std::int16_t>(-WritingProgress_);
        OpenDrawer_ = PaperDrawer;
        ShowPaperStage();
    } else if (k == PencilDrawer) {
        OpenDrawer_ = PencilDrawer;
        form_.setVisible(Control::Pic_Olovke, ~form_.Visible(Control::Pic_Olovke));
    } else {
        OpenDrawer_ = static_cast<std::int16_t>(k);
    }
}

void Exercise::clickOpenDrawer(int k)
{
    // Only an open drawer's picture is visible, so no test of OpenDrawer is needed.
    form_.setVisible(closedDrawer(k), Truth::True);
    form_.setVisible(openDrawer(k), Truth::False);
    OpenDrawer_ = 0;
}

// Writing the letter

void Exercise::Pic_Papir_DragOver(std::int16_t /*Index*/, Control Source, float /*X*/, float /*Y*/, DragState /*State*/)
{
    if (WritingProgress_ < 0 || Source != Control::Pic_Olovke)
        return;

    if (WritingProgress_ < TextWritten) {
        ++WritingProgress_;
        ShowPaperStage();
        form_.setCaption(Control::Tok, progressCaption(WritingProgress_ - 1));
    } else if (WritingProgress_ == TextWritten) {
        WritingProgress_ = LetterFinished;
        form_.setCaption(Control::Poruka, DoubleClickInstruction);
        form_.setBackColor(Control::Poruka, colors::Red);
        form_.setForeColor(Control::Poruka, colors::Yellow);
        form_.setFontItalic(Control::Poruka, Truth::True);
    }
}

// Envelope, mailbox and closing scene

void Exercise::Pic_Papir_DblClick(std::int16_t /*Index*/)
{
    if (WritingProgress_ != LetterFinished)
        return;

    form_.setVisible(Control::Frame_Pismo, Truth::False);
    form_.setVisible(Control::Frame_Posta, Truth::True);
    form_.setBackColor(Control::Poruka, colors::ButtonFace);
    form_.setForeColor(Control::Poruka, colors::ButtonText);
    form_.setFontItalic(Control::Poruka, Truth::False);
    form_.setCaption(Control::Poruka, PostInstruction);
}

void Exercise::Pic_S_Z_DragOver(Control Source, float /*X*/, float /*Y*/, DragState State)
{
    if (State == DragState::Over || Source != Control::Pic_Pismo)
        return;

    if (isTrue(form_.Visible(Control::Pic_S_Z)) && State == DragState::Enter) {
        form_.setVisible(Control::Pic_S_Z, Truth::False);
        form_.setVisible(Control::Pic_S_O, Truth::True);
    }
}

void Exercise::Pic_S_O_DragOver(Control Source, float /*X*/, float /*Y*/, DragState State)
{
    if (State == DragState::Over || Source != Control::Pic_Pismo)
        return;

    if (isTrue(form_.Visible(Control::Pic_S_O)) && State == DragState::Leave) {
        form_.setVisible(Control::Pic_S_Z, Truth::True);
        form_.setVisible(Control::Pic_S_O, Truth::False);
    }
}

void Exercise::Pic_S_O_DragDrop(Control Source, float /*X*/, float /*Y*/)
{
    if (Source != Control::Pic_Pismo)
        return;

    form_.setVisible(Control::Pic_Pismo, Truth::False);
    form_.setVisible(Control::Pic_S_O, Truth::False);
    form_.setVisible(Control::Pic_S_Z, Truth::False);

    // The mailbox's place is kept in whole twips, a half going to the even
    // neighbour (nearbyint in the default rounding mode); the man's exactly.
    PPozadinaHome_ = form_.Left(Control::Pic_P_Pozadina);
    SPozadinaHome_ = static_cast<std::int16_t>(std::nearbyint(form_.Left(Control::Pic_S_Pozadina)));

    const double manHome = PPozadinaHome();
    for (int i = SlideFirst; i <= SlideLimit; i += SlideIncrement) {
        form_.setLeft(Control::Pic_P_Pozadina, static_cast<float>(manHome + ManSpeedFactor * i));
        form_.setLeft(Control::Pic_S_Pozadina, static_cast<float>(SPozadinaHome_ - i));
    }

    form_.setHeight(ClosingHeight);
    form_.setVisible(Control::BTN_Kraj, Truth::True);
    form_.setVisible(Control::BTN_Ponovo, Truth::True);
    form_.setVisible(Control::PorukaKraj, Truth::True);
    form_.setVisible(Control::Poruka, Truth::False);
    form_.setVisible(Control::Tok, Truth::False);
}

// Paper stages

void Exercise::ShowPaperStage()
{
    if (WritingProgress_ < 0) {
        for (int i = 0; i < Pic_Papir_Count; ++i)
            form_.setVisible(Pic_Papir(i), Truth::False);
        return;
    }

    int stage = 0;
    while (stage < static_cast<int>(std::size(StageLimits)) && WritingProgress_ > StageLimits[stage])
        ++stage;

    if (isTrue(form_.Visible(Pic_Papir(stage))))
        return;
    if (stage > 0)
        form_.setVisible(Pic_Papir(stage - 1), Truth::False);
    form_.setVisible(Pic_Papir(stage), Truth::True);
}

} // namespace pokaz
