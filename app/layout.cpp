#include "layout.h"

#include "asset_manifest.h"

#include <array>

namespace pokaz {

namespace {

constexpr LayoutFont ButtonFont{"Tahoma", 12.0, true};
constexpr LayoutFont ProgressFont{"MS Sans Serif", 9.75, true};
constexpr LayoutFont ClosingFont{"Tahoma", 20.25, false};
constexpr std::optional<LayoutFont> DialogFont{};

constexpr std::optional<Control> Window{};
constexpr bool Shown = true;
constexpr bool Hidden = false;

constexpr std::string_view NoText;
constexpr std::string_view NoFile;
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
// control       name              class          container     Left  Top   Width Height visible border     caption                      font          align   tooltip      drag            file              accessible name
{Frame_Posta,    "Frame_Posta",    Frame,         Window,       45,   0,    9825, 7620, Hidden, None,        " U susjedstvu ... ",        DialogFont,   Left,   NoText,      NoDrag,         NoFile,           "U susjedstvu"},
{BTN_Kraj,       "BTN_Kraj",       CommandButton, Frame_Posta,  4950, 1890, 2025, 855,  Shown,  None,        "Kraj",                      ButtonFont,   Centre, NoText,      NoDrag,         NoFile,           "Kraj"},
{BTN_Ponovo,     "BTN_Ponovo",     CommandButton, Frame_Posta,  2655, 1890, 2070, 855,  Shown,  None,        "Još jednom...",             ButtonFont,   Centre, NoText,      NoDrag,         NoFile,           "Još jednom"},
{Pic_S_Z,        "Pic_S_Z",        PictureBox,    Frame_Posta,  1590, 4860, 1260, 600,  Shown,  None,        NoText,                      DialogFont,   Left,   NoText,      NoDrag,         "Pic_S_Z",        "Utor sandučića, zatvoren"},
{Pic_S_O,        "Pic_S_O",        PictureBox,    Frame_Posta,  1290, 4860, 1575, 855,  Shown,  None,        NoText,                      DialogFont,   Left,   NoText,      NoDrag,         "Pic_S_O",        "Utor sandučića, otvoren"},
{Pic_S_Pozadina, "Pic_S_Pozadina", PictureBox,    Frame_Posta,  135,  3870, 3285, 3615, Shown,  Sunken3D,    NoText,                      DialogFont,   Left,   NoText,      NoDrag,         "Pic_S_Pozadina", "Poštanski sandučić"},
{Pic_Pismo,      "Pic_Pismo",      PictureBox,    Frame_Posta,  6360, 5520, 825,  885,  Shown,  None,        NoText,                      DialogFont,   Left,   EnvelopeTip, EnvelopeMiddle, "Pic_Pismo",      "Pismo u kuverti"},
{Pic_P_Pozadina, "Pic_P_Pozadina", PictureBox,    Frame_Posta,  6210, 3825, 3435, 3615, Shown,  Sunken3D,    NoText,                      DialogFont,   Left,   NoText,      NoDrag,         "Pic_P_Pozadina", "Čovjek s pismom"},
{PorukaKraj,     "PorukaKraj",     Label,         Frame_Posta,  810,  525,  8070, 720,  Shown,  None,        "Ostalo je na poštarima...", ClosingFont,  Centre, NoText,      NoDrag,         NoFile,           "Ostalo je na poštarima"},
{Frame_Pismo,    "Frame_Pismo",    Frame,         Window,       45,   45,   9855, 7575, Shown,  None,        " Pismo ",                   DialogFont,   Left,   NoText,      NoDrag,         NoFile,           "Pismo"},
{Pic_L4_O,       "Pic_L4_O",       PictureBox,    Frame_Pismo,  3015, 3525, 3810, 2490, Shown,  None,        NoText,                      DialogFont,   Left,   CloseTip,    NoDrag,         "Pic_L4_O",       "Ladica 4, otvorena"},
{Pic_L2_O,       "Pic_L2_O",       PictureBox,    Frame_Pismo,  120,  4530, 3105, 1665, Shown,  None,        NoText,                      DialogFont,   Left,   CloseTip,    NoDrag,         "Pic_L2_O",       "Ladica 2, otvorena"},
{Pic_L1_O,       "Pic_L1_O",       PictureBox,    Frame_Pismo,  120,  3690, 3060, 2070, Hidden, None,        NoText,                      DialogFont,   Left,   CloseTip,    NoDrag,         "Pic_L1_O",       "Ladica 1, otvorena"},
{Pic_L2_Z,       "Pic_L2_Z",       PictureBox,    Frame_Pismo,  615,  4515, 2640, 810,  Shown,  None,        NoText,                      DialogFont,   Left,   OpenTip,     NoDrag,         "Pic_L2_Z",       "Ladica 2, zatvorena"},
{Pic_L3_O,       "Pic_L3_O",       PictureBox,    Frame_Pismo,  120,  5355, 3135, 2070, Shown,  None,        NoText,                      DialogFont,   Left,   CloseTip,    NoDrag,         "Pic_L3_O",       "Ladica 3 s papirom, otvorena"},
{Pic_L5_O,       "Pic_L5_O",       PictureBox,    Frame_Pismo,  6345, 3705, 3375, 1650, Shown,  None,        NoText,                      DialogFont,   Left,   CloseTip,    NoDrag,         "Pic_L5_O",       "Ladica 5, otvorena"},
{Pic_L3_Z,       "Pic_L3_Z",       PictureBox,    Frame_Pismo,  690,  5340, 2610, 1710, Shown,  None,        NoText,                      DialogFont,   Left,   OpenTip,     NoDrag,         "Pic_L3_Z",       "Ladica 3 s papirom, zatvorena"},
{Pic_L4_Z,       "Pic_L4_Z",       PictureBox,    Frame_Pismo,  3390, 3660, 2865, 840,  Shown,  None,        NoText,                      DialogFont,   Left,   OpenTip,     NoDrag,         "Pic_L4_Z",       "Ladica 4 s olovkama, zatvorena"},
{Pic_L5_Z,       "Pic_L5_Z",       PictureBox,    Frame_Pismo,  6315, 3690, 2880, 855,  Shown,  None,        NoText,                      DialogFont,   Left,   OpenTip,     NoDrag,         "Pic_L5_Z",       "Ladica 5, zatvorena"},
{Pic_Papir_4,    "Pic_Papir(4)",   PictureBox,    Frame_Pismo,  4185, 2790, 1470, 480,  Hidden, None,        NoText,                      DialogFont,   Left,   NoText,      NoDrag,         "Pic_Papir_4",    "Papir, napisano cijelo pismo"},
{Pic_Papir_3,    "Pic_Papir(3)",   PictureBox,    Frame_Pismo,  4185, 2790, 1470, 480,  Hidden, None,        NoText,                      DialogFont,   Left,   NoText,      NoDrag,         "Pic_Papir_3",    "Papir, napisane tri četvrtine"},
{Pic_Papir_2,    "Pic_Papir(2)",   PictureBox,    Frame_Pismo,  4185, 2790, 1470, 480,  Hidden, None,        NoText,                      DialogFont,   Left,   NoText,      NoDrag,         "Pic_Papir_2",    "Papir, napisana polovina"},
{Pic_Papir_1,    "Pic_Papir(1)",   PictureBox,    Frame_Pismo,  4185, 2790, 1470, 480,  Hidden, None,        NoText,                      DialogFont,   Left,   NoText,      NoDrag,         "Pic_Papir_1",    "Papir, napisana četvrtina"},
{Pic_Pozadina,   "Pic_Pozadina",   PictureBox,    Frame_Pismo,  120,  270,  9600, 7170, Shown,  None,        NoText,                      DialogFont,   Left,   NoText,      NoDrag,         "Pic_Pozadina",   "Pisaći stol s ladicama"},
{Pic_Olovke,     "Pic_Olovke",     PictureBox,    Pic_Pozadina, 6555, 1560, 645,  1020, Hidden, None,        NoText,                      DialogFont,   Left,   PencilTip,   PencilTipSpot,  "Pic_Olovke",     "Olovke"},
{Pic_L1_Z,       "Pic_L1_Z",       PictureBox,    Pic_Pozadina, 360,  3390, 2790, 840,  Shown,  None,        NoText,                      DialogFont,   Left,   OpenTip,     NoDrag,         "Pic_L1_Z",       "Ladica 1, zatvorena"},
{Pic_Papir_0,    "Pic_Papir(0)",   PictureBox,    Pic_Pozadina, 4080, 2520, 1470, 480,  Hidden, None,        NoText,                      DialogFont,   Left,   NoText,      NoDrag,         "Pic_Papir_0",    "Prazan papir"},
{Tok,            "Tok",            Label,         Window,       9135, 7695, 735,  330,  Shown,  FixedSingle, "0%",                        ProgressFont, Centre, NoText,      NoDrag,         NoFile,           "Napisano posto"},
{Poruka,         "Poruka",         Label,         Window,       45,   7695, 9015, 330,  Shown,  FixedSingle, "Ništa",                     DialogFont,   Left,   NoText,      NoDrag,         NoFile,           "Uputa"},
}};
// clang-format on

constexpr int rowOf(Control control)
{
    for (int i = 0; i < ControlCount; ++i) {
        if (Layout.at(static_cast<std::size_t>(i)).control == control)
            return i;
    }
    return -1;
}

// Each control has one row, after the row of its container.
constexpr bool everyControlOnceAfterItsContainer()
{
    for (int i = 0; i < ControlCount; ++i) {
        const ControlLayout& row = Layout.at(static_cast<std::size_t>(i));
        if (rowOf(row.control) != i || (row.container && rowOf(*row.container) >= i))
            return false;
    }
    return true;
}
static_assert(everyControlOnceAfterItsContainer(), "one row per control, every container before what it holds");

// Each picture the table names is a compiled-in file, named by one control
// only; with the window icon they are all the files there are.
constexpr bool namesEveryPictureOnce()
{
    std::size_t named = 1; // the window icon
    for (auto row = Layout.begin(); row != Layout.end(); ++row) {
        if (row->file.empty())
            continue;
        const bool compiledIn = assets::isPictureFile(row->file, PictureExtension)
            && (!row->dragIcon || assets::isPictureFile(row->file, DragIconExtension));
        for (auto earlier = Layout.begin(); earlier != row; ++earlier) {
            if (earlier->file == row->file)
                return false;
        }
        if (!compiledIn)
            return false;
        named += row->dragIcon ? 2 : 1;
    }
    return named == assets::PictureFiles.size();
}
static_assert(namesEveryPictureOnce(), "the table names the pictures of assets/manifest.json, each once");

constexpr std::array<int, ControlCount> RowOfControl = [] {
    std::array<int, ControlCount> rows{};
    for (int i = 0; i < ControlCount; ++i)
        rows.at(static_cast<std::size_t>(i)) = rowOf(static_cast<Control>(i));
    return rows;
}();

} // namespace

std::span<const ControlLayout> formLayout() { return Layout; }

const ControlLayout& layoutOf(Control control)
{
    return Layout.at(static_cast<std::size_t>(RowOfControl.at(static_cast<std::size_t>(control))));
}

std::string_view controlName(Control control) { return layoutOf(control).name; }

} // namespace pokaz
