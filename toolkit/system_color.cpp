#include "system_color.h"

#include <QtGlobal>

namespace pokaz::toolkit {

std::optional<QPalette::ColorRole> systemColorRole(OleColor color)
{
    switch (color) {
    case colors::WindowBackground:
        return QPalette::Base;
    case colors::WindowText:
        return QPalette::Text;
    case colors::ButtonFace:
        return QPalette::Button;
    case colors::ButtonText:
        return QPalette::ButtonText;
    default:
        if ((color & colors::SystemColorFlag) != 0U)
            qFatal("Pokaz: system colour %x has no palette role", color);
        return std::nullopt;
    }
}

QColor fixedColor(OleColor color)
{
    constexpr OleColor ByteMask = 0xFFU;
    constexpr int GreenShift = 8;
    constexpr int BlueShift = 16;
    return QColor(static_cast<int>(color & ByteMask), static_cast<int>((color >> GreenShift) & ByteMask),
        static_cast<int>((color >> BlueShift) & ByteMask));
}

} // namespace pokaz::toolkit
