#pragma once

#include "control.h"
#include "layout.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <map>

namespace pokaz::test {

// Where each control of Form_Pokaz lies in the window's client area, in
// pixels, with the backgrounds of the mailbox scene at their start places.
// Kept here independently of the window's own table so that a layout slip in
// the window shows up as a test failure instead of being copied. The X-level
// tests read this file as text: keep one entry or constant per brace pair.
using enum Control;

inline const std::map<Control, QRect> ClientRects{{Frame_Posta, {3, 0, 655, 508}}, {BTN_Kraj, {333, 126, 135, 57}},
    {BTN_Ponovo, {180, 126, 138, 57}}, {Pic_S_Z, {109, 324, 84, 40}}, {Pic_S_O, {89, 324, 105, 57}},
    {Pic_S_Pozadina, {12, 258, 219, 241}}, {Pic_Pismo, {427, 368, 55, 59}}, {Pic_P_Pozadina, {417, 255, 229, 241}},
    {PorukaKraj, {57, 35, 538, 48}}, {Frame_Pismo, {3, 3, 657, 505}}, {Pic_L4_O, {204, 238, 254, 166}},
    {Pic_L2_O, {11, 305, 207, 111}}, {Pic_L1_O, {11, 249, 204, 138}}, {Pic_L2_Z, {44, 304, 176, 54}},
    {Pic_L3_O, {11, 360, 209, 138}}, {Pic_L5_O, {426, 250, 225, 110}}, {Pic_L3_Z, {49, 359, 174, 114}},
    {Pic_L4_Z, {229, 247, 191, 56}}, {Pic_L5_Z, {424, 249, 192, 57}}, {Pic_Papir_4, {282, 189, 98, 32}},
    {Pic_Papir_3, {282, 189, 98, 32}}, {Pic_Papir_2, {282, 189, 98, 32}}, {Pic_Papir_1, {282, 189, 98, 32}},
    {Pic_Pozadina, {11, 21, 640, 478}}, {Pic_Olovke, {448, 125, 43, 68}}, {Pic_L1_Z, {35, 247, 186, 56}},
    {Pic_Papir_0, {283, 189, 98, 32}}, {Tok, {609, 513, 49, 22}}, {Poruka, {3, 513, 601, 22}}};

inline QRect clientRect(Control control) { return ClientRects.at(control); }

// The picture a control shows is the file named after it: Pic_Papir(1) shows
// Pic_Papir_1.bmp.
inline QString pictureFile(Control control)
{
    return QString::fromLatin1(controlName(control)).replace('(', '_').remove(')') + QStringLiteral(".bmp");
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
inline constexpr QPoint ClosedDrawerPoints[] = {{128, 275}, {132, 331}, {136, 430}, {324, 275}, {520, 277}};
inline constexpr QPoint OpenDrawerPoints[] = {{113, 318}, {114, 360}, {115, 440}, {331, 330}, {538, 305}};
constexpr QPoint closedDrawerPoint(int k) { return ClosedDrawerPoints[k - 1]; }
constexpr QPoint openDrawerPoint(int k) { return OpenDrawerPoints[k - 1]; }

inline constexpr QPoint PaperPoint{331, 205};
inline constexpr QPoint PencilsPoint{469, 159};
inline constexpr QPoint EnvelopePoint{454, 397};
inline constexpr QPoint SlotPoint{150, 344};
// On the mailbox picture but clear of both slot pictures.
inline constexpr QPoint BesideSlotPoint{60, 460};
// Bare frame between the two backgrounds of the mailbox scene.
inline constexpr QPoint BetweenBackgroundsPoint{320, 420};

} // namespace pokaz::test
