#include "system_color.h"

#include <QGuiApplication>
#include <QPalette>
#include <QtGlobal>

namespace pokaz::toolkit {

namespace {

constexpr std::uint32_t SystemColorFlag = 0x80000000U;
constexpr std::uint32_t ByteMask = 0xFFU;
constexpr int GreenShift = 8;
constexpr int BlueShift = 16;

// The system colours the program uses, by number, and the palette role that
// plays the same part on this desktop.
constexpr std::uint32_t WindowBackground = 0x05;
constexpr std::uint32_t WindowText = 0x08;
constexpr std::uint32_t ButtonFace = 0x0F;
constexpr std::uint32_t ButtonText = 0x12;

QPalette::ColorRole roleOfSystemColor(std::uint32_t index)
{
    switch (index) {
    case WindowBackground:
        return QPalette::Base;
    case WindowText:
        return QPalette::Text;
    case ButtonFace:
        return QPalette::Button;
    case ButtonText:
        return QPalette::ButtonText;
    default:
        qFatal("Pokaz: system colour %u has no palette role", index);
    }
}

} // namespace

QColor colorFromOle(std::uint32_t oleColor)
{
    if ((oleColor & SystemColorFlag) != 0U)
        return QGuiApplication::palette().color(roleOfSystemColor(oleColor & ByteMask));
    return QColor(static_cast<int>(oleColor & ByteMask),
                  static_cast<int>((oleColor >> GreenShift) & ByteMask),
                  static_cast<int>((oleColor >> BlueShift) & ByteMask));
}

} // namespace pokaz::toolkit
