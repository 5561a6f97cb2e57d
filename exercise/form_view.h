#pragma once

#include "control.h"
#include "ole_color.h"
#include "truth.h"

#include <string_view>

namespace pokaz {

// What the exercise may do to the window while it runs, and nothing more.
// The window implements it; the exercise holds it by reference.
class FormView {
public:
    virtual ~FormView() = default;

    // A control's own Visible flag, whether or not its container is shown.
    virtual Truth Visible(Control control) const = 0;
    virtual void setVisible(Control control, Truth visible) = 0;

    // Labels only. Captions are UTF-8.
    virtual void setCaption(Control label, std::string_view caption) = 0;
    virtual void setBackColor(Control label, OleColor color) = 0;
    virtual void setForeColor(Control label, OleColor color) = 0;
    virtual void setFontItalic(Control label, Truth italic) = 0;

    // Pic_P_Pozadina and Pic_S_Pozadina: the left edge in twips within Frame_Posta.
    virtual float Left(Control picture) const = 0;
    virtual void setLeft(Control picture, float twips) = 0;

    // The window's outer height in twips.
    virtual void setHeight(float twips) = 0;

    // Closes the window and ends the process.
    virtual void endProgram() = 0;
};

} // namespace pokaz
