#include "control.h"

namespace pokaz {

std::string_view controlName(Control control)
{
    constexpr std::array<std::string_view, ControlCount> names{
        "Frame_Posta", "BTN_Kraj", "BTN_Ponovo", "Pic_S_Z", "Pic_S_O", "Pic_S_Pozadina",
        "Pic_Pismo", "Pic_P_Pozadina", "PorukaKraj", "Frame_Pismo", "Pic_L4_O", "Pic_L2_O",
        "Pic_L1_O", "Pic_L2_Z", "Pic_L3_O", "Pic_L5_O", "Pic_L3_Z", "Pic_L4_Z", "Pic_L5_Z",
        "Pic_Papir(4)", "Pic_Papir(3)", "Pic_Papir(2)", "Pic_Papir(1)", "Pic_Pozadina",
        "Pic_Olovke", "Pic_L1_Z", "Pic_Papir(0)", "Tok", "Poruka",
    };
    return names.at(static_cast<std::size_t>(control));
}

} // namespace pokaz
