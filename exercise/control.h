#pragma once

#include <array>
#include <cstdint>

namespace pokaz {

// Every control of the window Form_Pokaz, by its own name. The exercise names
// controls only through this enum; it never holds a widget. Where each one
// lies and how it stacks is the window's layout.
enum class Control : std::uint8_t {
    Frame_Posta,
    BTN_Kraj,
    BTN_Ponovo,
    Pic_S_Z,
    Pic_S_O,
    Pic_S_Pozadina,
    Pic_Pismo,
    Pic_P_Pozadina,
    PorukaKraj,
    Frame_Pismo,
    Pic_L4_O,
    Pic_L2_O,
    Pic_L1_O,
    Pic_L2_Z,
    Pic_L3_O,
    Pic_L5_O,
    Pic_L3_Z,
    Pic_L4_Z,
    Pic_L5_Z,
    Pic_Papir_4,
    Pic_Papir_3,
    Pic_Papir_2,
    Pic_Papir_1,
    Pic_Pozadina,
    Pic_Olovke,
    Pic_L1_Z,
    Pic_Papir_0,
    Tok,
    Poruka,
};

inline constexpr int ControlCount = static_cast<int>(Control::Poruka) + 1;

// The control array Pic_Papir: member Index 0 to 4.
inline constexpr std::int16_t Pic_Papir_Count = 5;

constexpr Control Pic_Papir(int index)
{
    constexpr std::array<Control, Pic_Papir_Count> members{
        Control::Pic_Papir_0,
        Control::Pic_Papir_1,
        Control::Pic_Papir_2,
        Control::Pic_Papir_3,
        Control::Pic_Papir_4,
    };
    return members.at(static_cast<std::size_t>(index));
}

// The Index of a Pic_Papir member, or -1 for any other control.
constexpr int paperIndex(Control control)
{
    for (int i = 0; i < Pic_Papir_Count; ++i) {
        if (Pic_Papir(i) == control)
            return i;
    }
    return -1;
}

// Drawer k (1 to 5) closed and open.
constexpr Control closedDrawer(int k)
{
    constexpr std::array<Control, 5> closed{
        Control::Pic_L1_Z,
        Control::Pic_L2_Z,
        Control::Pic_L3_Z,
        Control::Pic_L4_Z,
        Control::Pic_L5_Z,
    };
    return closed.at(static_cast<std::size_t>(k - 1));
}

constexpr Control openDrawer(int k)
{
    constexpr std::array<Control, 5> open{
        Control::Pic_L1_O,
        Control::Pic_L2_O,
        Control::Pic_L3_O,
        Control::Pic_L4_O,
        Control::Pic_L5_O,
    };
    return open.at(static_cast<std::size_t>(k - 1));
}

} // namespace pokaz
