#pragma once

#include "control.h"

#include <QPoint>
#include <QRect>

namespace pokaz::test {

// Where each control of Form_Pokaz lies in the window's client area, in
// pixels, with the backgrounds of the mailbox scene at their start places.
// Kept here independently of the window's own table so that a layout slip in
// the window shows up as a test failure instead of being copied.
constexpr QRect clientRect(Control control)
{
    switch (control) {
    case Control::Frame_Posta:
        return {3, 0, 655, 508};
    case Control::BTN_Kraj:
        return {333, 126, 135, 57};
    case Control::BTN_Ponovo:
        return {180, 126, 138, 57};
    case Control::Pic_S_Z:
        return {109, 324, 84, 40};
    case Control::Pic_S_O:
        return {89, 324, 105, 57};
    case Control::Pic_S_Pozadina:
        return {12, 258, 219, 241};
    case Control::Pic_Pismo:
        return {427, 368, 55, 59};
    case Control::Pic_P_Pozadina:
        return {417, 255, 229, 241};
    case Control::PorukaKraj:
        return {57, 35, 538, 48};
    case Control::Frame_Pismo:
        return {3, 3, 657, 505};
    case Control::Pic_L4_O:
        return {204, 238, 254, 166};
    case Control::Pic_L2_O:
        return {11, 305, 207, 111};
    case Control::Pic_L1_O:
        return {11, 249, 204, 138};
    case Control::Pic_L2_Z:
        return {44, 304, 176, 54};
    case Control::Pic_L3_O:
        return {11, 360, 209, 138};
    case Control::Pic_L5_O:
        return {426, 250, 225, 110};
    case Control::Pic_L3_Z:
        return {49, 359, 174, 114};
    case Control::Pic_L4_Z:
        return {229, 247, 191, 56};
    case Control::Pic_L5_Z:
        return {424, 249, 192, 57};
    case Control::Pic_Papir_4:
    case Control::Pic_Papir_3:
    case Control::Pic_Papir_2:
    case Control::Pic_Papir_1:
        return {282, 189, 98, 32};
    case Control::Pic_Pozadina:
        return {11, 21, 640, 478};
    case Control::Pic_Olovke:
        return {448, 125, 43, 68};
    case Control::Pic_L1_Z:
        return {35, 247, 186, 56};
    case Control::Pic_Papir_0:
        return {283, 189, 98, 32};
    case Control::Tok:
        return {609, 513, 49, 22};
    case Control::Poruka:
        return {3, 513, 601, 22};
    }
    return {};
}

// The client area at full height.
inline constexpr QSize FullClientSize{663, 543};

// The closing scene leaves 3625 twips of client height, 241.67 pixels; a
// toolkit may round it either way.
inline constexpr int ClosingClientHeightLow = 241;
inline constexpr int ClosingClientHeightHigh = 242;

// Points where a control is the topmost one while the controls that the
// exercise shows at that moment are visible: the middle of each closed drawer
// (no open drawer covers it while every drawer is closed) and of each open
// drawer (the topmost control there while it is the one open drawer).
constexpr QPoint closedDrawerPoint(int k)
{
    constexpr QPoint points[] = {{128, 275}, {132, 331}, {136, 430}, {324, 275}, {520, 277}};
    return points[k - 1];
}

constexpr QPoint openDrawerPoint(int k)
{
    constexpr QPoint points[] = {{113, 318}, {114, 360}, {115, 440}, {331, 330}, {538, 305}};
    return points[k - 1];
}

inline constexpr QPoint PaperPoint{331, 205};
inline constexpr QPoint PencilsPoint{469, 159};
inline constexpr QPoint EnvelopePoint{454, 397};
inline constexpr QPoint SlotPoint{150, 344};
// On the mailbox picture but clear of both slot pictures.
inline constexpr QPoint BesideSlotPoint{60, 460};
// Bare frame between the two backgrounds of the mailbox scene.
inline constexpr QPoint BetweenBackgroundsPoint{320, 420};

} // namespace pokaz::test
