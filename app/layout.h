#pragma once

#include "control.h"
#include "ole_color.h"

#include <optional>
#include <span>
#include <string_view>

namespace pokaz {

// The fixed layout of Form_Pokaz: one row per control. Positions and sizes in
// twips; Left and Top from the container (the window's client area, a
// frame's outer top-left corner, or a picture control's client area); Width
// and Height outer sizes. Within each container the rows run from the
// topmost control to the lowest.

enum class ControlClass { PictureBox, Label, Frame, CommandButton };

enum class BorderStyle {
    None,
    Sunken3D,     // picture controls: the 2-pixel sunken edge
    FixedSingle,  // labels: a single-line sunken border
};

enum class Alignment { Left, Centre };

struct LayoutFont {
    std::string_view face;
    double points;
    int weight;
    int charset; // Central European or Western; the texts are Unicode anyway
};

// Where the pointer's hot spot lies in a 32 x 32 drag icon.
struct HotSpot {
    int x;
    int y;
};

struct ControlLayout {
    Control control;
    ControlClass type;
    std::optional<Control> container; // empty: the window
    int left;
    int top;
    int width;
    int height;
    bool visibleWhenCreated;
    BorderStyle border;
    OleColor backColor;
    OleColor foreColor;
    std::string_view caption;
    std::optional<LayoutFont> font; // empty: the window's dialog font
    Alignment alignment;
    std::string_view toolTip;
    std::optional<HotSpot> dragIcon; // set: drags automatically with its .drag.ico
    int tabIndex;
};

// The window itself.
inline constexpr std::string_view FormCaption = "Pokaz";
inline constexpr int FormClientWidth = 9945;
inline constexpr int FormClientHeight = 8145;
inline constexpr OleColor FormBackColor = colors::ButtonFace;

// Every control, in the order of Control, which is the stacking order.
std::span<const ControlLayout> formLayout();
const ControlLayout& layoutOf(Control control);

// What a screen reader calls the control, in the learner's language; for a
// label, which is named by its caption, what the label is for.
std::string_view accessibleName(Control control);

} // namespace pokaz
