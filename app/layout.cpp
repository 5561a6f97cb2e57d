#include "layout.h"

#include <array>

namespace pokaz {

namespace {

constexpr int Regular = 400;
constexpr int Bold = 700;
constexpr int CentralEuropean = 238;
constexpr int Western = 0;

constexpr LayoutFont ButtonFont{"Tahoma", 12.0, Bold, CentralEuropean};
constexpr LayoutFont KrajFont{"Tahoma", 12.0, Bold, Western};
constexpr LayoutFont ProgressFont{"MS Sans Serif", 9.75, Bold, CentralEuropean};
constexpr LayoutFont ClosingFont{"Tahoma", 20.25, Regular, CentralEuropean};
constexpr std::optional<LayoutFont> DialogFont{};

constexpr std::optional<Control> Window{};
constexpr bool Shown = true;
constexpr bool Hidden = false;

constexpr OleColor Face = colors::ButtonFace;
constexpr OleColor FaceText = colors::ButtonText;
constexpr OleColor Paper = colors::WindowBackground;
constexpr OleColor PaperText = colors::WindowText;

constexpr std::string_view NoText;
constexpr std::optional<HotSpot> NoDrag{};
constexpr auto Left = Alignment::Left;
constexpr auto Centre = Alignment::Centre;

constexpr std::string_view OpenTip = "Kliknite da otvorite ladicu!";
constexpr std::string_view CloseTip = "Kliknite da zatvorite ladicu!";
constexpr std::string_view PencilTip = "Povlačite olovkom po papiru za pisanje!";
constexpr std::string_view EnvelopeTip = "Povucite pismo do utora na sandučiću!";

// The pencils point down to the left; the envelope is held by its middle.
constexpr HotSpot PencilTipSpot{0, 31};
constexpr HotSpot EnvelopeMiddle{16, 16};

using enum Control;
using enum ControlClass;
using enum BorderStyle;

// clang-format off
constexpr std::array<ControlLayout, ControlCount> Layout{{
// control         class          container      Left  Top   Width Height visible border       colours          caption                    font          align   tooltip      drag            tab
{Frame_Posta,     Frame,         Window,        45,   0,    9825, 7620,  Hidden, None,        Face,  FaceText,  " U susjedstvu ... ",      DialogFont,   Left,   NoText,      NoDrag,         20},
{BTN_Kraj,        CommandButton, Frame_Posta,   4950, 1890, 2025, 855,   Shown,  None,        Face,  FaceText,  "Kraj",                    KrajFont,     Centre, NoText,      NoDrag,         28},
{BTN_Ponovo,      CommandButton, Frame_Posta,   2655, 1890, 2070, 855,   Shown,  None,        Face,  FaceText,  "Još jednom...",           ButtonFont,   Centre, NoText,      NoDrag,         27},
{Pic_S_Z,         PictureBox,    Frame_Posta,   1590, 4860, 1260, 600,   Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   NoText,      NoDrag,         24},
{Pic_S_O,         PictureBox,    Frame_Posta,   1290, 4860, 1575, 855,   Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   NoText,      NoDrag,         23},
{Pic_S_Pozadina,  PictureBox,    Frame_Posta,   135,  3870, 3285, 3615,  Shown,  Sunken3D,    Face,  FaceText,  NoText,                    DialogFont,   Left,   NoText,      NoDrag,         21},
{Pic_Pismo,       PictureBox,    Frame_Posta,   6360, 5520, 825,  885,   Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   EnvelopeTip, EnvelopeMiddle, 25},
{Pic_P_Pozadina,  PictureBox,    Frame_Posta,   6210, 3825, 3435, 3615,  Shown,  Sunken3D,    Face,  FaceText,  NoText,                    DialogFont,   Left,   NoText,      NoDrag,         22},
{PorukaKraj,      Label,         Frame_Posta,   810,  525,  8070, 720,   Shown,  None,        Face,  FaceText,  "Ostalo je na poštarima...", ClosingFont, Centre, NoText,      NoDrag,         26},
{Frame_Pismo,     Frame,         Window,        45,   45,   9855, 7575,  Shown,  None,        Face,  FaceText,  " Pismo ",                 DialogFont,   Left,   NoText,      NoDrag,         0},
{Pic_L4_O,        PictureBox,    Frame_Pismo,   3015, 3525, 3810, 2490,  Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   CloseTip,    NoDrag,         14},
{Pic_L2_O,        PictureBox,    Frame_Pismo,   120,  4530, 3105, 1665,  Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   CloseTip,    NoDrag,         10},
{Pic_L1_O,        PictureBox,    Frame_Pismo,   120,  3690, 3060, 2070,  Hidden, None,        Paper, PaperText, NoText,                    DialogFont,   Left,   CloseTip,    NoDrag,         9},
{Pic_L2_Z,        PictureBox,    Frame_Pismo,   615,  4515, 2640, 810,   Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   OpenTip,     NoDrag,         17},
{Pic_L3_O,        PictureBox,    Frame_Pismo,   120,  5355, 3135, 2070,  Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   CloseTip,    NoDrag,         12},
{Pic_L5_O,        PictureBox,    Frame_Pismo,   6345, 3705, 3375, 1650,  Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   CloseTip,    NoDrag,         16},
{Pic_L3_Z,        PictureBox,    Frame_Pismo,   690,  5340, 2610, 1710,  Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   OpenTip,     NoDrag,         11},
{Pic_L4_Z,        PictureBox,    Frame_Pismo,   3390, 3660, 2865, 840,   Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   OpenTip,     NoDrag,         13},
{Pic_L5_Z,        PictureBox,    Frame_Pismo,   6315, 3690, 2880, 855,   Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   OpenTip,     NoDrag,         15},
{Pic_Papir_4,     PictureBox,    Frame_Pismo,   4185, 2790, 1470, 480,   Hidden, None,        Paper, PaperText, NoText,                    DialogFont,   Left,   NoText,      NoDrag,         6},
{Pic_Papir_3,     PictureBox,    Frame_Pismo,   4185, 2790, 1470, 480,   Hidden, None,        Paper, PaperText, NoText,                    DialogFont,   Left,   NoText,      NoDrag,         5},
{Pic_Papir_2,     PictureBox,    Frame_Pismo,   4185, 2790, 1470, 480,   Hidden, None,        Paper, PaperText, NoText,                    DialogFont,   Left,   NoText,      NoDrag,         4},
{Pic_Papir_1,     PictureBox,    Frame_Pismo,   4185, 2790, 1470, 480,   Hidden, None,        Paper, PaperText, NoText,                    DialogFont,   Left,   NoText,      NoDrag,         3},
{Pic_Pozadina,    PictureBox,    Frame_Pismo,   120,  270,  9600, 7170,  Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   NoText,      NoDrag,         1},
{Pic_Olovke,      PictureBox,    Pic_Pozadina,  6555, 1560, 645,  1020,  Hidden, None,        Paper, PaperText, NoText,                    DialogFont,   Left,   PencilTip,   PencilTipSpot,  7},
{Pic_L1_Z,        PictureBox,    Pic_Pozadina,  360,  3390, 2790, 840,   Shown,  None,        Paper, PaperText, NoText,                    DialogFont,   Left,   OpenTip,     NoDrag,         8},
{Pic_Papir_0,     PictureBox,    Pic_Pozadina,  4080, 2520, 1470, 480,   Hidden, None,        Paper, PaperText, NoText,                    DialogFont,   Left,   NoText,      NoDrag,         2},
{Tok,             Label,         Window,        9135, 7695, 735,  330,   Shown,  FixedSingle, Face,  FaceText,  "0%",                      ProgressFont, Centre, NoText,      NoDrag,         19},
{Poruka,          Label,         Window,        45,   7695, 9015, 330,   Shown,  FixedSingle, Face,  FaceText,  "Ništa",                   DialogFont,   Left,   NoText,      NoDrag,         18},
}};
// clang-format on

// In the order of Control. Labels, frames and buttons are named after their
// role or caption; each picture after what it shows.
constexpr std::array<std::string_view, ControlCount> AccessibleNames{
    "U susjedstvu",              // Frame_Posta
    "Kraj",                      // BTN_Kraj
    "Još jednom",                // BTN_Ponovo
    "Utor sandučića, zatvoren",  // Pic_S_Z
    "Utor sandučića, otvoren",   // Pic_S_O
    "Poštanski sandučić",        // Pic_S_Pozadina
    "Pismo u kuverti",           // Pic_Pismo
    "Čovjek s pismom",           // Pic_P_Pozadina
    "Ostalo je na poštarima",    // PorukaKraj
    "Pismo",                     // Frame_Pismo
    "Ladica 4, otvorena",        // Pic_L4_O
    "Ladica 2, otvorena",        // Pic_L2_O
    "Ladica 1, otvorena",        // Pic_L1_O
    "Ladica 2, zatvorena",       // Pic_L2_Z
    "Ladica 3 s papirom, otvorena", // Pic_L3_O
    "Ladica 5, otvorena",        // Pic_L5_O
    "Ladica 3 s papirom, zatvorena", // Pic_L3_Z
    "Ladica 4 s olovkama, zatvorena", // Pic_L4_Z
    "Ladica 5, zatvorena",       // Pic_L5_Z
    "Papir, napisano cijelo pismo", // Pic_Papir(4)
    "Papir, napisane tri četvrtine", // Pic_Papir(3)
    "Papir, napisana polovina",  // Pic_Papir(2)
    "Papir, napisana četvrtina", // Pic_Papir(1)
    "Pisaći stol s ladicama",    // Pic_Pozadina
    "Olovke",                    // Pic_Olovke
    "Ladica 1, zatvorena",       // Pic_L1_Z
    "Prazan papir",              // Pic_Papir(0)
    "Napisano posto",            // Tok
    "Uputa",                     // Poruka
};

constexpr bool rowsFollowControlOrder()
{
    for (int i = 0; i < ControlCount; ++i) {
        if (static_cast<int>(Layout.at(static_cast<std::size_t>(i)).control) != i)
            return false;
    }
    return true;
}
static_assert(rowsFollowControlOrder(), "one row per control, in the order of Control");

} // namespace

std::span<const ControlLayout> formLayout()
{
    return Layout;
}

const ControlLayout& layoutOf(Control control)
{
    return Layout.at(static_cast<std::size_t>(control));
}

std::string_view accessibleName(Control control)
{
    return AccessibleNames.at(static_cast<std::size_t>(control));
}

} // namespace pokaz
