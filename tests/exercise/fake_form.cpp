#include "fake_form.h"

#include <sstream>

namespace pokaz::test {

namespace {

// The window as it is created, before start-up runs.
constexpr Control HiddenWhenCreated[] = {
    Control::Frame_Posta, Control::Pic_L1_O, Control::Pic_Olovke,
    Control::Pic_Papir_0, Control::Pic_Papir_1, Control::Pic_Papir_2,
    Control::Pic_Papir_3, Control::Pic_Papir_4,
};
constexpr float ManLeftWhenCreated = 6210.0F;
constexpr float MailboxLeftWhenCreated = 135.0F;
constexpr float DesignHeight = 8520.0F;

std::string name(Control control)
{
    return std::string(controlName(control));
}

} // namespace

FakeForm::FakeForm()
{
    visible.fill(Truth::True);
    for (const Control control : HiddenWhenCreated)
        at(visible, control) = Truth::False;
    backColors.fill(colors::ButtonFace);
    foreColors.fill(colors::ButtonText);
    italics.fill(Truth::False);
    at(captions, Control::Poruka) = "Ništa";
    at(captions, Control::Tok) = "0%";
    at(lefts, Control::Pic_P_Pozadina) = ManLeftWhenCreated;
    at(lefts, Control::Pic_S_Pozadina) = MailboxLeftWhenCreated;
    height_ = DesignHeight;
}

Truth FakeForm::Visible(Control control) const
{
    return at(visible, control);
}

void FakeForm::setVisible(Control control, Truth value)
{
    at(visible, control) = value;
    log.push_back((isTrue(value) ? "show " : "hide ") + name(control));
}

void FakeForm::setCaption(Control label, std::string_view caption)
{
    at(captions, label) = std::string(caption);
    log.push_back(name(label) + "=" + std::string(caption));
}

void FakeForm::setBackColor(Control label, OleColor color)
{
    at(backColors, label) = color;
    log.push_back(name(label) + ".BackColor");
}

void FakeForm::setForeColor(Control label, OleColor color)
{
    at(foreColors, label) = color;
    log.push_back(name(label) + ".ForeColor");
}

void FakeForm::setFontItalic(Control label, Truth value)
{
    at(italics, label) = value;
    log.push_back(name(label) + ".Italic");
}

float FakeForm::Left(Control picture) const
{
    return at(lefts, picture);
}

void FakeForm::setLeft(Control picture, float twips)
{
    at(lefts, picture) = twips;
    std::ostringstream entry;
    entry << name(picture) << ".Left=" << twips;
    log.push_back(entry.str());
}

void FakeForm::setHeight(float twips)
{
    height_ = twips;
    log.push_back("Height");
}

void FakeForm::endProgram()
{
    ended_ = true;
    log.push_back("end");
}

std::vector<int> FakeForm::visiblePaper() const
{
    std::vector<int> members;
    for (int i = 0; i < Pic_Papir_Count; ++i) {
        if (shown(Pic_Papir(i)))
            members.push_back(i);
    }
    return members;
}

} // namespace pokaz::test
