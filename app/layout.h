#pragma once

#include "control.h"

#include <optional>
#include <span>
#include <string_view>

namespace pokaz {

// The fixed layout of Form_Pokaz: one row per control. Positions and sizes in
// twips; Left and Top from the container (the window's client area, a
// frame's outer top-left corner, or a picture control's client area); Width
// and Height outer sizes. Every container comes before what it holds, and
// within a container the rows run from the topmost control to the lowest.

enum class ControlClass { PictureBox, Label, Frame, CommandButton };

enum class BorderStyle {
    None,
    Sunken3D, // picture controls: the 2-pixel sunken edge
    FixedSingle, // labels: a single-line sunken border
};

enum class Alignment { Left, Centre };

struct LayoutFont {
    std::string_view face;
    double points;
    bool bold;
};

// Where the pointer's hot spot lies in a 32 x 32 drag icon.
struct HotSpot {
    int x;
    int y;
};

struct ControlLayout {
    Control control;
    std::string_view name; // as the program knows it, e.g. "Pic_Papir(2)"
    ControlClass type;
    std::optional<Control> container; // empty: the window
    int left;
    int top;
    int width;
    int height;
    bool visibleWhenCreated;
    BorderStyle border;
    std::string_view caption;
    std::optional<LayoutFont> font; // labels and buttons; empty: the window's dialog font
    Alignment alignment;
    std::string_view toolTip;
    std::optional<HotSpot> dragIcon; // set: drags automatically with its drag icon
    std::string_view file; // picture controls: the stem of their picture files
    std::string_view accessibleName; // what a screen reader calls it; for a label, what it is for
};

// A picture control's picture is the file of its stem and PictureExtension,
// its drag icon the file of its stem and DragIconExtension; every such file
// is one of the pictures' manifest (checked when the table is compiled).
inline constexpr std::string_view PictureExtension = ".bmp";
inline constexpr std::string_view DragIconExtension = ".drag.ico";

// The window itself. Labels, frames, buttons and the window start in the
// system's button face and button text colours.
inline constexpr std::string_view FormCaption = "Pokaz";
inline constexpr int FormClientWidth = 9945;
inline constexpr int FormClientHeight = 8145;

// Every control, containers first, each container's children from the topmost.
std::span<const ControlLayout> formLayout();
const ControlLayout& layoutOf(Control control);
std::string_view controlName(Control control);

} // namespace pokaz
